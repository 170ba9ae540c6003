#include "framework/ui/QtMessageBox.h"

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <stdexcept>

#include "framework/ui/Application.h"
#include "platform/os/ProcessIdentity.h"
#include "platform/os/WindowRegistry.h"

namespace qn::ui {
namespace {

// While it is open the box is one of the program's top-level windows, which other programs of
// the desktop find in the window registry. It takes no messages, so it has no address; a box shown
// while the registry cannot be written shows all the same.
class RegisteredBox {
 public:
  explicit RegisteredBox(const AnsiString& caption) {
    qn::os::WindowEntry entry;
    entry.owner = Application ? Application->Handle() : 0;
    entry.className = boxClassName;
    entry.caption = caption;
    entry.process = qn::os::currentProcessIdentity();
    try {
      entry.id = qn::os::windowRegistry::allocateId();
      qn::os::windowRegistry::put(entry);
      id_ = entry.id;
    } catch (const std::exception&) {
    }
  }
  ~RegisteredBox() {
    try {
      if (id_) qn::os::windowRegistry::remove(id_);
    } catch (const std::exception&) {
    }
  }
  RegisteredBox(const RegisteredBox&) = delete;
  RegisteredBox& operator=(const RegisteredBox&) = delete;

 private:
  qn::os::WindowId id_ = 0;
};

struct ButtonMap {
  TMsgDlgBtn button;
  QMessageBox::StandardButton qt;
};

// In the order the box shows them; Cancel comes last, so it is never the default by position.
constexpr ButtonMap buttonOrder[] = {
    {mbYes, QMessageBox::Yes},       {mbNo, QMessageBox::No},         {mbOK, QMessageBox::Ok},
    {mbAbort, QMessageBox::Abort},   {mbRetry, QMessageBox::Retry},   {mbIgnore, QMessageBox::Ignore},
    {mbCancel, QMessageBox::Cancel},
};

QMessageBox::Icon iconOf(TMsgDlgType kind) {
  switch (kind) {
    case mtWarning: return QMessageBox::Warning;
    case mtError: return QMessageBox::Critical;
    case mtInformation: return QMessageBox::Information;
    case mtConfirmation: return QMessageBox::Question;
    case mtCustom: break;
  }
  return QMessageBox::NoIcon;
}

}  // namespace

QString messageBoxText(const AnsiString& text) {
  QString shown = QString::fromStdString(qn::ansiToUtf8(text));
  shown.replace(QLatin1String("\r\n"), QLatin1String("\n"));
  shown.replace(QLatin1Char('\r'), QLatin1Char('\n'));
  return shown;
}

TModalResult showQtMessageBox(const MessageBoxRequest& request) {
  if (!qobject_cast<QApplication*>(QCoreApplication::instance()))
    throw std::logic_error("a message box cannot be shown without the application's windows: " + request.text);

  QMessageBox box(iconOf(request.kind), messageBoxText(request.caption), messageBoxText(request.text),
                  QMessageBox::NoButton, QApplication::activeWindow());
  TMsgDlgButtons buttons = request.buttons.Empty() ? TMsgDlgButtons{mbOK} : request.buttons;
  for (const ButtonMap& b : buttonOrder) {
    if (!buttons.Contains(b.button)) continue;
    QPushButton* added = box.addButton(b.qt);
    bool isDefault = request.defaultButton ? *request.defaultButton == b.button : box.defaultButton() == nullptr;
    if (isDefault) box.setDefaultButton(added);
  }
  if (request.position) box.move(request.position->x, request.position->y);
  const RegisteredBox registered(request.caption);
  box.exec();

  QAbstractButton* clicked = box.clickedButton();
  for (const ButtonMap& b : buttonOrder)
    if (clicked && box.standardButton(clicked) == b.qt) return ModalResultOf(b.button);
  return buttons.Contains(mbCancel) ? mrCancel : mrNone;
}

bool messageBoxButtonFocused(TMsgDlgBtn Button) {
  // The box's own focus, which it keeps also while the application's window is not the active one.
  auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
  auto* focused = box ? qobject_cast<QAbstractButton*>(box->focusWidget()) : nullptr;
  if (!focused) return false;
  for (const ButtonMap& b : buttonOrder)
    if (b.button == Button) return box->standardButton(focused) == b.qt;
  return false;
}

}  // namespace qn::ui
