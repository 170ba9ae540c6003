#include "app/SingleInstance.h"

#include <cstdlib>
#include <optional>

#include "core/Constants.h"
#include "platform/os/MessageBus.h"
#include "platform/os/WindowRegistry.h"

std::unique_ptr<qn::os::NamedMutex> SingleInstanceProgramHMutex;

const AnsiString& MainWindowCaptionFor(const AnsiString& FirstArgument) {
  return FirstArgument.size() == 7 ? CalendarModeCaption : CaseModeCaption;
}

namespace {

// The running program's application window gets the request; it restores or raises its own
// windows. A short-lived bus of our own carries it, so this process never appears on the desktop.
void activate(const qn::os::WindowEntry& owner) {
  qn::os::MessageBus bus;
  bus.request(owner.id, owner.minimized ? qn::os::WindowRequest::Restore : qn::os::WindowRequest::BringToFront);
}

// Ends the process at once: nothing was created that needs finishing, and the kernel frees the
// mutex with the process.
[[noreturn]] void endStartup() {
  std::_Exit(0);
}

}  // namespace

void ActivateRunningInstance(const AnsiString& FirstArgument) {
  SingleInstanceProgramHMutex = std::make_unique<qn::os::NamedMutex>(SingleInstanceMutexName);
  if (SingleInstanceProgramHMutex->wait(SingleInstanceWaitMs) == qn::os::WaitResult::TimedOut) endStartup();

  const std::optional<qn::os::WindowEntry> window =
      qn::os::windowRegistry::find("TCaseF", MainWindowCaptionFor(FirstArgument));
  if (!window || window->owner == 0) return;
  const std::optional<qn::os::WindowEntry> owner = qn::os::windowRegistry::find(window->owner);
  if (!owner) return;
  activate(*owner);
  endStartup();
}
