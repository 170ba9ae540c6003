#pragma once
// The one way a message box reaches the user: every box of the program (message dialogs, the
// plain message, the application's message box, shown exceptions) is a request here. The program
// answers it with a Qt dialog; tests put a script in its place (framework/ui/testing).
#include <functional>
#include <optional>

#include "framework/base/AnsiString.h"
#include "framework/ui/MessageDialogTypes.h"

struct MessageBoxRequest {
  AnsiString text;     // "\r" (or "\r\n") breaks the line
  AnsiString caption;
  TMsgDlgType kind = mtCustom;
  TMsgDlgButtons buttons;
  std::optional<TMsgDlgBtn> defaultButton;  // absent: the box's first button (Cancel last)
  struct Position {
    int x, y;  // screen position of the box's top-left corner
  };
  std::optional<Position> position;  // absent: centred on the screen
};

using MessageBoxPresenter = std::function<TModalResult(const MessageBoxRequest&)>;

namespace qn::ui {

// Shows the box and answers the button chosen.
TModalResult showMessageBox(const MessageBoxRequest& request);

// Puts presenter in charge of every box; answers the one it replaces. An empty presenter puts
// the Qt dialog back.
MessageBoxPresenter setMessageBoxPresenter(MessageBoxPresenter presenter);

}  // namespace qn::ui
