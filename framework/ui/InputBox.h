#pragma once
// The input box: a caption, a prompt and one line of text offered with a default. A service the
// program answers with a Qt dialog and tests with a script (framework/ui/testing).
#include <functional>
#include <optional>

#include "framework/base/AnsiString.h"

struct InputBoxRequest {
  AnsiString caption;
  AnsiString prompt;
  AnsiString defaultValue;
};

// The text after OK; nullopt after Cancel.
using InputBoxPresenter = std::function<std::optional<AnsiString>(const InputBoxRequest&)>;

namespace qn::ui {

std::optional<AnsiString> showInputBox(const InputBoxRequest& request);
// Puts presenter in charge; answers the one replaced. Empty: the Qt dialog again.
InputBoxPresenter setInputBoxPresenter(InputBoxPresenter presenter);

}  // namespace qn::ui
