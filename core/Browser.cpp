#include "core/Browser.h"

#include <unistd.h>

#include <cstdlib>
#include <string_view>

#include "core/MessageBoxes.h"
#include "platform/os/Process.h"

namespace {

// The first executable of that name in the folders of PATH; empty when there is none.
AnsiString findOnSearchPath(const AnsiString& program) {
  const char* path = std::getenv("PATH");
  std::string_view folders = path ? path : "";
  while (!folders.empty()) {
    const size_t colon = folders.find(':');
    std::string_view folder = folders.substr(0, colon);
    folders = colon == std::string_view::npos ? std::string_view() : folders.substr(colon + 1);
    if (folder.empty()) continue;
    AnsiString candidate = AnsiString(folder) + "/" + program;
    if (::access(candidate.c_str(), X_OK) == 0) return candidate;
  }
  return {};
}

}  // namespace

AnsiString GetDefaultBrowserPath() {
  AnsiString path = findOnSearchPath("xdg-open");
  if (path.empty()) ShowInformationBox("Not able to read the '' value from the registry at this time.");
  return path;
}

void OpenWebPage(int Kind) {
  if (Kind != 1) return;
  const AnsiString browser = GetDefaultBrowserPath();
  const bool started = !browser.empty() && qn::os::startDetached(browser, {MakerHomePage},
                                                                 {.x = {}, .y = {}, .showWindow = qn::os::SW_SHOWDEFAULT});
  if (!started)
    ShowInformationBox("You may not access the requested website at this time.  Unable to launch browser.");
}
