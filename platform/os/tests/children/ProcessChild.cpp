// The other program of the process, mutex and window-message tests. It does one thing per run,
// chosen by its first argument, and writes what it saw to a record file the test reads:
//   mutex-try NAME TIMEOUT_MS   exit 0 acquired, 1 abandoned, 2 timed out, 3 failed; releases
//   mutex-hold NAME RECORD      takes the mutex, records "owned", holds it until killed
//   mutex-abandon NAME          takes the mutex and ends without releasing it
//   window CLASS CAPTION RECORD registers an application window and, owned by it, a main window;
//                               records its start-up placement and what it is sent; ends on
//                               the message "QN_Test_Quit"
//   register RECORD NAME...     registers the message names in that order, records "NAME NUMBER"
//   never-ready                 runs without registering a window
//   exit CODE                   ends at once with CODE
#include <poll.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <fstream>
#include <iostream>
#include <string>
#include <thread>

#include "platform/os/MessageBus.h"
#include "platform/os/NamedMutex.h"
#include "platform/os/Process.h"
#include "platform/os/RegisteredMessages.h"

namespace {

using namespace qn::os;

// Long enough for any test, short enough that a forgotten child goes away by itself.
constexpr auto lifetime = std::chrono::seconds(120);

void record(const std::string& path, const std::string& line) {
  std::ofstream out(path, std::ios::app);
  out << line << '\n';
}

void sleepOutLifetime() { std::this_thread::sleep_for(lifetime); }

int mutexTry(const std::string& name, int timeoutMs) {
  NamedMutex mutex(name);
  switch (mutex.wait(timeoutMs)) {
    case WaitResult::Acquired: return 0;
    case WaitResult::Abandoned: return 1;
    case WaitResult::TimedOut: return 2;
    case WaitResult::Failed: return 3;
  }
  return 3;
}

int mutexHold(const std::string& name, const std::string& recordPath) {
  NamedMutex mutex(name);
  if (mutex.wait(-1) == WaitResult::Failed) return 3;
  record(recordPath, "owned");
  sleepOutLifetime();
  return 0;
}

int mutexAbandon(const std::string& name) {
  NamedMutex mutex(name);
  if (mutex.wait(-1) == WaitResult::Failed) return 3;
  std::_Exit(0);  // no destructor runs: the mutex is left owned
}

std::string optionalText(const std::optional<int>& value) { return value ? std::to_string(*value) : "-"; }

int window(const std::string& className, const std::string& caption, const std::string& recordPath) {
  StartupPlacement placement = startupPlacement();
  record(recordPath, "placement " + optionalText(placement.x) + " " + optionalText(placement.y) + " " +
                         optionalText(placement.showWindow));
  MessageBus bus;
  bool quit = false;
  auto onRequest = [&](const char* which) {
    return [&, which](WindowRequest r) {
      record(recordPath, std::string("request ") + which + (r == WindowRequest::Restore ? " restore" : " front"));
    };
  };
  WindowId application = bus.registerWindow("TApplication", "", 0, {nullptr, onRequest("application")});
  // A program needs a while between its application window and its main window; a parent that
  // took the first for readiness would lose what it sends the main window meanwhile.
  std::this_thread::sleep_for(std::chrono::milliseconds(300));
  bus.registerWindow(className, caption, application,
                     {[&](const WindowMessage& m) {
                        if (m.name == "QN_Test_Quit") quit = true;
                        record(recordPath, "message " + m.name + " " + std::to_string(m.number) + " " +
                                               std::to_string(m.wParam) + " " + std::to_string(m.lParam) + " " +
                                               m.text);
                      },
                      onRequest("main")},
                     true);
  const auto end = std::chrono::steady_clock::now() + lifetime;
  while (!quit && std::chrono::steady_clock::now() < end) {
    pollfd p{bus.fd(), POLLIN, 0};
    if (::poll(&p, 1, 200) > 0) bus.dispatchPending();
  }
  return 0;
}

int registerMessages(const std::string& recordPath, char** names, int count) {
  for (int i = 0; i < count; ++i)
    record(recordPath, std::string(names[i]) + " " + std::to_string(registerWindowMessage(names[i])));
  record(recordPath, "done");
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  std::string mode = argc > 1 ? argv[1] : "";
  if (mode == "mutex-try" && argc == 4) return mutexTry(argv[2], std::atoi(argv[3]));
  if (mode == "mutex-hold" && argc == 4) return mutexHold(argv[2], argv[3]);
  if (mode == "mutex-abandon" && argc == 3) return mutexAbandon(argv[2]);
  if (mode == "window" && argc == 5) return window(argv[2], argv[3], argv[4]);
  if (mode == "register" && argc >= 4) return registerMessages(argv[2], argv + 3, argc - 3);
  if (mode == "never-ready") {
    sleepOutLifetime();
    return 0;
  }
  if (mode == "exit" && argc == 3) return std::atoi(argv[2]);
  std::cerr << "unknown arguments\n";
  return 64;
}
