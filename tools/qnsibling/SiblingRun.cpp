#include "tools/qnsibling/SiblingRun.h"

#include <poll.h>
#include <signal.h>

#include <chrono>
#include <deque>
#include <map>
#include <system_error>

#include "platform/os/MessageBus.h"
#include "tools/qnsibling/EventLog.h"

namespace qn::sibling {
namespace {

using Clock = std::chrono::steady_clock;

// A sibling nobody ends goes away by itself after this long.
constexpr auto longestLife = std::chrono::minutes(10);

volatile sig_atomic_t terminated = 0;

void onTerminate(int) { terminated = 1; }

void catchTerminate() {
  struct sigaction action{};
  action.sa_handler = onTerminate;
  sigemptyset(&action.sa_mask);
  ::sigaction(SIGTERM, &action, nullptr);
}

// The main program's answers to the case program's add-code requests.
const std::map<std::string, std::string> answers = {
    {"QN_Message_AddNarrCode", "QN_Message_AddNarrCode_Complete"},
    {"QN_Message_AddDept", "QN_Message_AddDept_Complete"},
    {"QN_Message_AddCaseType", "QN_Message_AddCaseType_Complete"},
    {"QN_Message_AddStmtmsg", "QN_Message_AddStmtMsg_Complete"},
};

struct PendingAnswer {
  Clock::time_point due;
  std::string name;
};

}  // namespace

int runSibling(const Role& role, const SiblingOptions& options) {
  catchTerminate();
  const auto start = Clock::now();
  const auto end = options.exitAfterMs >= 0 ? start + std::chrono::milliseconds(options.exitAfterMs) : start + longestLife;
  const bool answersRequests = role.name == "main-program";

  os::MessageBus bus;
  bool exitRequested = false;
  std::deque<PendingAnswer> pending;
  if (options.window) {
    const os::WindowId application = bus.registerWindow("TApplication", role.caption, 0, {});
    os::WindowHandlers handlers;
    handlers.onMessage = [&](const os::WindowMessage& message) {
      logMessage(role.name, message.name, message.wParam, message.text);
      if (message.name == "QN_Sibling_Exit") exitRequested = true;
      const auto answer = answers.find(message.name);
      if (answersRequests && answer != answers.end())
        pending.push_back({Clock::now() + std::chrono::milliseconds(options.answerAfterMs), answer->second});
    };
    // Registered last: a parent waiting for this program to take input goes on once it is there.
    bus.registerWindow(role.className, role.caption, application, handlers, true);
  }

  while (!terminated && !exitRequested && Clock::now() < end) {
    pollfd p{bus.fd(), POLLIN, 0};
    if (::poll(&p, 1, 20) > 0) bus.dispatchPending();
    while (!pending.empty() && pending.front().due <= Clock::now()) {
      bus.broadcast(pending.front().name, 0, 0);
      pending.pop_front();
    }
  }
  return 0;
}

bool sendOnce(const std::string& name, const std::string& text) {
  try {
    os::MessageBus bus;
    bus.broadcast(name, 0, 0, text);
    return true;
  } catch (const std::system_error&) {
    return false;
  }
}

}  // namespace qn::sibling
