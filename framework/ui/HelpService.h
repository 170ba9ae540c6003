#pragma once
// Help: every request for a help topic (the application's showHelpContext, F1 on a control) goes
// through one service. The program opens the HTML help file in the desktop's viewer (xdg-open),
// the topic as the address's fragment; tests put a script in its place. Whether the file exists
// is the caller's to check and report.
#include <functional>

#include "framework/base/AnsiString.h"

class TControl;

struct HelpRequest {
  AnsiString helpFile;
  int context = 0;
};

using HelpPresenter = std::function<void(const HelpRequest&)>;

namespace qn::ui {

void showHelp(const HelpRequest& request);
// Puts presenter in charge; answers the one replaced. Empty: the desktop's viewer again.
HelpPresenter setHelpPresenter(HelpPresenter presenter);

// F1 over control: the first non-zero HelpContext from the control up to its form goes to the
// application's help. Answers whether there was one.
bool helpRequestedFor(TControl* control);

}  // namespace qn::ui
