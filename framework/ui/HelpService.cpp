#include "framework/ui/HelpService.h"

#include <string>

#include "framework/ui/Application.h"
#include "framework/ui/Control.h"
#include "framework/ui/WinControl.h"
#include "platform/os/Process.h"

namespace qn::ui {

namespace {

HelpPresenter& presenter() {
  static HelpPresenter current;
  return current;
}

void openInViewer(const HelpRequest& request) {
  if (request.helpFile.empty()) return;
  std::string address = request.helpFile;
  if (request.context != 0) address = "file://" + address + "#" + std::to_string(request.context);
  qn::os::startDetached("xdg-open", {address});
}

}  // namespace

void showHelp(const HelpRequest& request) {
  HelpPresenter show = presenter();
  if (show) show(request);
  else openInViewer(request);
}

HelpPresenter setHelpPresenter(HelpPresenter next) { return std::exchange(presenter(), std::move(next)); }

bool helpRequestedFor(TControl* control) {
  for (TControl* c = control; c; c = c->Parent()) {
    if (c->HelpContext() == 0) continue;
    if (Application) Application->showHelpContext(c->HelpContext());
    return true;
  }
  return false;
}

}  // namespace qn::ui
