#include "framework/ui/Dialogs.h"

#include "framework/ui/Application.h"
#include "framework/ui/MessageBoxService.h"

namespace {

AnsiString captionOf(TMsgDlgType kind) {
  switch (kind) {
    case mtWarning: return "Warning";
    case mtError: return "Error";
    case mtInformation: return "Information";
    case mtConfirmation: return "Confirm";
    case mtCustom: break;
  }
  return Application->DisplayTitle();
}

MessageBoxRequest dialogRequest(const AnsiString& text, TMsgDlgType kind, TMsgDlgButtons buttons) {
  MessageBoxRequest request;
  request.text = text;
  request.caption = captionOf(kind);
  request.kind = kind;
  request.buttons = buttons;
  if (buttons.Contains(mbOK)) request.defaultButton = mbOK;
  else if (buttons.Contains(mbYes)) request.defaultButton = mbYes;
  return request;
}

}  // namespace

TModalResult MessageDlg(const AnsiString& Msg, TMsgDlgType DlgType, TMsgDlgButtons Buttons, int HelpCtx) {
  return MessageDlgPos(Msg, DlgType, Buttons, HelpCtx, -1, -1);
}

TModalResult MessageDlgPos(const AnsiString& Msg, TMsgDlgType DlgType, TMsgDlgButtons Buttons, int HelpCtx, int X,
                           int Y) {
  MessageBoxRequest request = dialogRequest(Msg, DlgType, Buttons);
  if (X != -1 || Y != -1) request.position = MessageBoxRequest::Position{X, Y};
  return qn::ui::showMessageBox(request);
}

void ShowMessage(const AnsiString& Msg) { qn::ui::showMessageBox(dialogRequest(Msg, mtCustom, {mbOK})); }
