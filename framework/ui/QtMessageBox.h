#pragma once
// The message box as the program shows it: a modal Qt dialog with the request's icon, text,
// caption and buttons. While it is open it stands in the window registry under boxClassName with
// the request's caption, owned by the application's window.
#include <QString>

#include "framework/ui/MessageBoxService.h"

namespace qn::ui {

inline constexpr const char* boxClassName = "TMessageBox";

TModalResult showQtMessageBox(const MessageBoxRequest& request);

// A message box is open and its button for Button has the keyboard focus.
bool messageBoxButtonFocused(TMsgDlgBtn Button);

// The request's text as the screen shows it: UTF-8 with "\r" and "\r\n" as line breaks.
QString messageBoxText(const AnsiString& text);

}  // namespace qn::ui
