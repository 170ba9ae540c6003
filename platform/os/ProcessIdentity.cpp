#include "platform/os/ProcessIdentity.h"

#include <unistd.h>

#include <fstream>
#include <optional>
#include <sstream>
#include <string>

namespace qn::os {
namespace {

struct ProcStat {
  char state;
  std::uint64_t startTime;
};

std::optional<ProcStat> readStat(pid_t pid) {
  std::ifstream in("/proc/" + std::to_string(pid) + "/stat");
  std::string line;
  if (!std::getline(in, line)) return std::nullopt;
  // The command name may hold blanks and parentheses; the fields after it start past the last ')'.
  size_t close = line.rfind(')');
  if (close == std::string::npos) return std::nullopt;
  std::istringstream fields(line.substr(close + 1));
  ProcStat stat{};
  std::string skip;
  fields >> stat.state;
  for (int field = 4; field < 22; ++field) fields >> skip;  // ppid .. itrealvalue
  fields >> stat.startTime;
  if (!fields) return std::nullopt;
  return stat;
}

}  // namespace

ProcessIdentity currentProcessIdentity() {
  ProcessIdentity id{::getpid(), 0};
  if (auto stat = readStat(id.pid)) id.startTime = stat->startTime;
  return id;
}

bool isRunning(const ProcessIdentity& process) {
  auto stat = readStat(process.pid);
  return stat && stat->state != 'Z' && stat->state != 'X' && stat->startTime == process.startTime;
}

}  // namespace qn::os
