#include "ChildProgram.h"
#include "platform/os/ExecutablePath.h"

#include <signal.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <thread>

namespace qn::os::testing {
namespace {

constexpr auto patience = std::chrono::seconds(30);

template <typename Done>
bool waitUntil(Done done) {
  const auto end = std::chrono::steady_clock::now() + patience;
  while (!done()) {
    if (std::chrono::steady_clock::now() > end) return false;
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
  return true;
}

}  // namespace

std::string childProgramPath() {
  return qn::os::runningProgramFolder() + "/qn-os-process-child";
}

std::unique_ptr<ChildProcess> startChild(const std::vector<std::string>& args, const StartupPlacement& placement) {
  return startProcess(childProgramPath(), args, placement);
}

std::uint32_t waitForExit(ChildProcess& child) {
  waitUntil([&] { return child.exitCode() != STILL_ACTIVE; });
  return child.exitCode().value_or(STILL_ACTIVE);
}

void killChild(ChildProcess& child) {
  ::kill(child.pid(), SIGKILL);
  waitForExit(child);
}

bool waitForLine(const std::string& recordPath, const std::string& line) {
  return waitUntil([&] {
    std::ifstream in(recordPath);
    std::string l;
    while (std::getline(in, l))
      if (l == line) return true;
    return false;
  });
}

}  // namespace qn::os::testing
