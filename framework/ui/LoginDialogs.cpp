#include "framework/ui/LoginDialogs.h"

#include <QDialog>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <vector>

#include "framework/ui/ActiveForm.h"
#include "framework/ui/DialogSupport.h"

namespace qn::ui {

namespace {

LoginPresenter& loginPresenter() {
  static LoginPresenter current;
  return current;
}

PasswordPresenter& passwordPresenter() {
  static PasswordPresenter current;
  return current;
}

struct Field {
  const char* label;
  AnsiString value;
  bool secret;
};

// A dialog with the database's name, the fields, OK and Cancel; answers what the fields hold
// after OK, nullopt after Cancel.
std::optional<std::vector<AnsiString>> runFieldsDialog(const char* title, const AnsiString& databaseName,
                                                       const std::vector<Field>& fields) {
  QDialog dialog(dialogOwner("login dialog"));
  dialog.setWindowTitle(title);
  auto* layout = new QFormLayout(&dialog);
  layout->addRow("Database:", new QLabel(screenText(databaseName)));
  std::vector<QLineEdit*> edits;
  for (const Field& field : fields) {
    auto* edit = new QLineEdit(screenText(field.value), &dialog);
    if (field.secret) edit->setEchoMode(QLineEdit::Password);
    layout->addRow(field.label, edit);
    edits.push_back(edit);
  }
  // The first empty field takes the focus: the password when the user name is given.
  for (QLineEdit* edit : edits) {
    if (!edit->text().isEmpty()) continue;
    edit->setFocus();
    break;
  }
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, &dialog);
  QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
  QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
  layout->addRow(buttons);
  if (dialog.exec() != QDialog::Accepted) return std::nullopt;
  std::vector<AnsiString> values;
  for (QLineEdit* edit : edits) values.push_back(typedText(edit->text()));
  return values;
}

std::optional<LoginAnswer> qtLoginDialog(const LoginRequest& request) {
  auto values = runFieldsDialog("Database Login", request.databaseName,
                                {{"User Name:", request.userName, false}, {"Password:", {}, true}});
  if (!values) return std::nullopt;
  return LoginAnswer{(*values)[0], (*values)[1]};
}

std::optional<AnsiString> qtPasswordDialog(const AnsiString& databaseName) {
  auto values = runFieldsDialog("Enter password", databaseName, {{"Password:", {}, true}});
  if (!values) return std::nullopt;
  return (*values)[0];
}

}  // namespace

std::optional<LoginAnswer> showLoginDialog(const LoginRequest& request) {
  ModalServiceScope modal;
  LoginPresenter show = loginPresenter();
  return show ? show(request) : qtLoginDialog(request);
}

std::optional<AnsiString> showPasswordDialog(const AnsiString& databaseName) {
  ModalServiceScope modal;
  PasswordPresenter show = passwordPresenter();
  return show ? show(databaseName) : qtPasswordDialog(databaseName);
}

LoginPresenter setLoginPresenter(LoginPresenter next) { return std::exchange(loginPresenter(), std::move(next)); }
PasswordPresenter setPasswordPresenter(PasswordPresenter next) { return std::exchange(passwordPresenter(), std::move(next)); }

}  // namespace qn::ui
