#include "framework/ui/FindReplaceDialog.h"

#include <QCheckBox>
#include <QDialog>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>
#include <utility>

#include "framework/ui/DialogSupport.h"
#include "framework/ui/SafeDispatch.h"

namespace {

FindReplacePresenter& presenter() {
  static FindReplacePresenter current;
  return current;
}

class QtFindReplaceWindow : public FindReplaceWindow {
 public:
  explicit QtFindReplaceWindow(FindReplaceDialog& owner) : owner_(owner), window_(new QDialog(qn::ui::dialogOwner("find dialog"))) {
    const bool replacing = owner.Kind() == FindReplaceKind::replace;
    window_->setWindowTitle(replacing ? "Replace" : "Find");
    auto* columns = new QHBoxLayout(window_);
    auto* fields = new QFormLayout;
    findText_ = new QLineEdit(window_);
    fields->addRow("Fi&nd what:", findText_);
    if (replacing) {
      replaceText_ = new QLineEdit(window_);
      fields->addRow("Re&place with:", replaceText_);
    }
    matchCase_ = new QCheckBox("Match &case", window_);
    wholeWord_ = new QCheckBox("Match &whole word only", window_);
    fields->addRow(wholeWord_);
    fields->addRow(matchCase_);
    up_ = new QRadioButton("&Up", window_);
    down_ = new QRadioButton("&Down", window_);
    if (!owner.HideDirection) {
      auto* direction = new QHBoxLayout;
      direction->addWidget(up_);
      direction->addWidget(down_);
      fields->addRow("Direction:", direction);
    } else {
      up_->hide();
      down_->hide();
    }
    columns->addLayout(fields);

    auto* buttons = new QVBoxLayout;
    const auto button = [&](const char* caption, auto press) {
      auto* b = new QPushButton(caption, window_);
      buttons->addWidget(b);
      QObject::connect(b, &QPushButton::clicked, window_, [this, press] {
        qn::ui::guarded(&owner_, [&] {
          takeFields();
          (owner_.*press)();
        });
      });
      return b;
    };
    button("&Find Next", &FindReplaceDialog::FindNext)->setDefault(true);
    if (replacing) {
      button("&Replace", &FindReplaceDialog::Replace);
      button("Replace &All", &FindReplaceDialog::ReplaceAll);
    }
    auto* cancel = new QPushButton("Cancel", window_);
    buttons->addWidget(cancel);
    buttons->addStretch();
    columns->addLayout(buttons);
    QObject::connect(cancel, &QPushButton::clicked, window_, &QDialog::reject);
    QObject::connect(window_, &QDialog::finished, window_,
                     [this] { qn::ui::guarded(&owner_, [&] { owner_.CloseDialog(); }); });
    refresh();
    window_->show();
  }

  ~QtFindReplaceWindow() override {
    if (!window_) return;
    window_->disconnect();
    window_->hide();
    // The window may be closing from within its own signal.
    window_->deleteLater();
  }

  void refresh() override {
    if (!window_) return;  // gone with the window it was placed over
    findText_->setText(qn::ui::screenText(owner_.FindText));
    if (replaceText_) replaceText_->setText(qn::ui::screenText(owner_.ReplaceText));
    matchCase_->setChecked(owner_.MatchCase);
    wholeWord_->setChecked(owner_.WholeWord);
    (owner_.SearchDown ? down_ : up_)->setChecked(true);
  }

 private:
  void takeFields() {
    owner_.FindText = qn::ui::typedText(findText_->text());
    if (replaceText_) owner_.ReplaceText = qn::ui::typedText(replaceText_->text());
    owner_.MatchCase = matchCase_->isChecked();
    owner_.WholeWord = wholeWord_->isChecked();
    if (!owner_.HideDirection) owner_.SearchDown = down_->isChecked();
  }

  FindReplaceDialog& owner_;
  QPointer<QDialog> window_;
  QLineEdit* findText_ = nullptr;
  QLineEdit* replaceText_ = nullptr;
  QCheckBox* matchCase_ = nullptr;
  QCheckBox* wholeWord_ = nullptr;
  QRadioButton* up_ = nullptr;
  QRadioButton* down_ = nullptr;
};

}  // namespace

FindReplaceDialog::FindReplaceDialog(TComponent* AOwner, FindReplaceKind kind) : TComponent(AOwner), kind_(kind) {}

FindReplaceDialog::~FindReplaceDialog() { window_.reset(); }

void FindReplaceDialog::Execute() {
  if (window_) {
    window_->refresh();
    return;
  }
  FindReplacePresenter open = presenter();
  window_ = open ? open(*this) : std::make_unique<QtFindReplaceWindow>(*this);
}

void FindReplaceDialog::CloseDialog() {
  if (!window_) return;
  window_.reset();
  if (OnClose) OnClose(this);
}

void FindReplaceDialog::FindNext() {
  LastAction = FindReplaceAction::findNext;
  if (OnFind) OnFind(this);
}

void FindReplaceDialog::Replace() {
  LastAction = FindReplaceAction::replace;
  if (OnReplace) OnReplace(this);
}

void FindReplaceDialog::ReplaceAll() {
  LastAction = FindReplaceAction::replaceAll;
  if (OnReplace) OnReplace(this);
}

namespace qn::ui {

FindReplacePresenter setFindReplacePresenter(FindReplacePresenter next) {
  return std::exchange(presenter(), std::move(next));
}

}  // namespace qn::ui
