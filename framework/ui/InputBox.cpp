#include "framework/ui/InputBox.h"

#include <QDialog>
#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>
#include <utility>

#include "framework/ui/ActiveForm.h"
#include "framework/ui/DialogSupport.h"

namespace qn::ui {
namespace {

InputBoxPresenter& presenter() {
  static InputBoxPresenter current;
  return current;
}

std::optional<AnsiString> runQtInputBox(const InputBoxRequest& request) {
  QDialog dialog(dialogOwner("input box"));
  dialog.setWindowTitle(screenText(request.caption));
  auto* layout = new QVBoxLayout(&dialog);
  layout->addWidget(new QLabel(screenText(request.prompt), &dialog));
  auto* edit = new QLineEdit(screenText(request.defaultValue), &dialog);
  edit->selectAll();
  layout->addWidget(edit);
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, &dialog);
  QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
  QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
  layout->addWidget(buttons);
  edit->setFocus();
  if (dialog.exec() != QDialog::Accepted) return std::nullopt;
  return typedText(edit->text());
}

}  // namespace

std::optional<AnsiString> showInputBox(const InputBoxRequest& request) {
  ModalServiceScope modal;
  InputBoxPresenter show = presenter();
  return show ? show(request) : runQtInputBox(request);
}

InputBoxPresenter setInputBoxPresenter(InputBoxPresenter next) { return std::exchange(presenter(), std::move(next)); }

}  // namespace qn::ui
