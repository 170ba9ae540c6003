#include "framework/ui/MenuView.h"

#include <QActionGroup>
#include <QApplication>
#include <QHBoxLayout>
#include <QImage>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>
#include <QToolButton>
#include <QVBoxLayout>
#include <QWidgetAction>
#include <map>

#include "framework/ui/Canvas.h"
#include "framework/ui/DialogSupport.h"
#include "framework/ui/MenuItem.h"
#include "framework/ui/SafeDispatch.h"
#include "framework/ui/Screen.h"

namespace qn::ui {
namespace {

void choose(const std::shared_ptr<MenuChoice>& choice, TMenuItem* entry) {
  while (QWidget* open = QApplication::activePopupWidget()) open->close();
  choice->entry = entry;
  if (choice->onChosen) choice->onChosen(entry);
}

// An entry the program draws: its size from OnMeasure, its look from OnDraw.
class DrawnEntry : public QWidget {
 public:
  DrawnEntry(TMenuItem* entry, std::shared_ptr<MenuChoice> choice) : entry_(entry), choice_(std::move(choice)) {
    setMouseTracking(true);
    setEnabled(entry->Enabled);
  }

  QSize sizeHint() const override {
    QImage scratch(1, 1, QImage::Format_RGB32);
    Canvas canvas(&scratch);
    const AnsiString text = entry_->Caption();
    int width = canvas.textWidth(text) + 8;
    int height = canvas.textHeight(text) + 4;
    if (entry_->OnMeasure) guarded(entry_, [&] { entry_->OnMeasure(entry_, canvas, width, height); });
    return {width, height};
  }

 protected:
  void paintEvent(QPaintEvent*) override {
    if (!entry_->OnDraw) return;
    QPainter painter(this);
    Canvas canvas(&painter, Screen->PixelsPerInch());
    const bool selected = isEnabled() && underMouse();
    guarded(entry_, [&] { entry_->OnDraw(entry_, canvas, Rect(0, 0, width(), height()), selected); });
  }
  void enterEvent(QEnterEvent*) override { update(); }
  void leaveEvent(QEvent*) override { update(); }
  void mouseReleaseEvent(QMouseEvent* event) override {
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint())) choose(choice_, entry_);
  }

 private:
  TMenuItem* entry_;
  std::shared_ptr<MenuChoice> choice_;
};

QWidgetAction* drawnAction(QMenu* menu, TMenuItem* entry, const std::shared_ptr<MenuChoice>& choice) {
  auto* action = new QWidgetAction(menu);
  action->setDefaultWidget(new DrawnEntry(entry, choice));
  action->setEnabled(entry->Enabled);
  return action;
}

// The entries as columns of buttons side by side, a new column at each entry that starts one.
QWidgetAction* columnsAction(QMenu* menu, TMenuItem* item, const std::shared_ptr<MenuChoice>& choice) {
  auto* action = new QWidgetAction(menu);
  auto* columns = new QWidget;
  auto* row = new QHBoxLayout(columns);
  row->setContentsMargins(2, 2, 2, 2);
  QVBoxLayout* column = nullptr;
  for (int i = 0; i < item->Count(); ++i) {
    TMenuItem* entry = item->Items(i);
    if (!entry->Visible) continue;
    if (!column || entry->StartsColumn) {
      column = new QVBoxLayout;
      column->setSpacing(0);
      row->addLayout(column);
    }
    if (entry->IsSeparator()) continue;
    auto* button = new QToolButton(columns);
    button->setObjectName("menuColumnEntry");
    button->setText(screenText(entry->Caption()));
    button->setAutoRaise(true);
    button->setCheckable(entry->Checked());
    button->setChecked(entry->Checked());
    button->setEnabled(entry->Enabled);
    button->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    QObject::connect(button, &QToolButton::clicked, columns, [choice, entry] { choose(choice, entry); });
    column->addWidget(button);
  }
  for (int i = 0; i < row->count(); ++i)
    if (auto* c = qobject_cast<QVBoxLayout*>(row->itemAt(i)->layout())) c->addStretch();
  action->setDefaultWidget(columns);
  return action;
}

bool hasColumns(TMenuItem* item) {
  for (int i = 0; i < item->Count(); ++i)
    if (item->Items(i)->Visible && item->Items(i)->StartsColumn) return true;
  return false;
}

}  // namespace

void fillMenu(QMenu* menu, TMenuItem* item, std::shared_ptr<MenuChoice> choice) {
  menu->clear();
  if (hasColumns(item)) {
    menu->addAction(columnsAction(menu, item, choice));
    return;
  }
  std::map<int, QActionGroup*> radioGroups;
  for (int i = 0; i < item->Count(); ++i) {
    TMenuItem* entry = item->Items(i);
    if (!entry->Visible) continue;
    if (entry->IsSeparator()) {
      menu->addSeparator();
      continue;
    }
    QAction* action = nullptr;
    if (entry->Count() > 0) {
      QMenu* sub = menu->addMenu(screenText(entry->Caption()));
      QObject::connect(sub, &QMenu::aboutToShow, sub, [sub, entry, choice] {
        guarded(entry, [&] { entry->Click(); });
        fillMenu(sub, entry, choice);
      });
      fillMenu(sub, entry, choice);
      action = sub->menuAction();
    } else if (entry->ownerDrawn()) {
      action = drawnAction(menu, entry, choice);
      menu->addAction(action);
    } else {
      action = menu->addAction(screenText(entry->Caption()));
      action->setCheckable(entry->Checked() || entry->RadioGroup != 0);
      action->setChecked(entry->Checked());
      if (entry->RadioGroup != 0) {
        QActionGroup*& group = radioGroups[entry->RadioGroup];
        if (!group) group = new QActionGroup(menu);
        group->addAction(action);
      }
      QObject::connect(action, &QAction::triggered, menu, [choice, entry] { choose(choice, entry); });
    }
    action->setEnabled(entry->Enabled);
  }
}

}  // namespace qn::ui
