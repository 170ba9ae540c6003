#pragma once
// The top-level windows of the programs of one desktop, so one program finds another's window by
// class name and caption. One file per window in the runtime folder, each written whole; windows
// of processes that have ended are dropped when found. A window id stands in for the window
// handle: unique on the desktop, positive, never reused while the runtime folder lives.
#include <sys/types.h>

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "framework/base/AnsiString.h"
#include "platform/os/ProcessIdentity.h"

namespace qn::os {

using WindowId = std::uint32_t;

struct WindowEntry {
  WindowId id = 0;
  WindowId owner = 0;  // 0: a window without an owner
  AnsiString className;
  AnsiString caption;
  bool minimized = false;
  bool mainWindow = false;  // the program's main window: once it is here, the program takes input
  ProcessIdentity process;
  std::string address;  // the owning program's message socket
};

namespace windowRegistry {

// A new id for a window about to be registered.
WindowId allocateId();

// Adds or replaces the entry with entry.id. Throws std::system_error when it cannot be written.
void put(const WindowEntry& entry);
void remove(WindowId id);

std::optional<WindowEntry> find(WindowId id);

// The first window, in registration order, whose class name and caption equal the given ones
// without regard to case; blanks count.
std::optional<WindowEntry> find(const AnsiString& className, const AnsiString& caption);

// Every window of running processes, in registration order.
std::vector<WindowEntry> all();

}  // namespace windowRegistry
}  // namespace qn::os
