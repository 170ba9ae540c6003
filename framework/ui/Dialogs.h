#pragma once
// The message dialogs the system shows: MessageDlg (centred), MessageDlgPos (at a screen
// position) and ShowMessage (the plain message: no icon, OK, the application's title as caption).
// All of them go through the message box service.
#include "framework/base/AnsiString.h"
#include "framework/ui/MessageDialogTypes.h"

TModalResult MessageDlg(const AnsiString& Msg, TMsgDlgType DlgType, TMsgDlgButtons Buttons, int HelpCtx);
// The box's top-left corner at X, Y on the screen; both -1 centre it.
TModalResult MessageDlgPos(const AnsiString& Msg, TMsgDlgType DlgType, TMsgDlgButtons Buttons, int HelpCtx, int X,
                           int Y);
void ShowMessage(const AnsiString& Msg);
