#include "platform/os/ExecutablePath.h"

#include <filesystem>
#include <optional>

namespace qn::os {
namespace {

// A function-local object, so the globals that read the path while the program starts find it
// already made whatever the order in which their files are initialised.
std::optional<std::string>& overridden() {
  static std::optional<std::string> path;
  return path;
}

std::filesystem::path runningProgramPath() {
  std::error_code ec;
  return std::filesystem::read_symlink("/proc/self/exe", ec);
}

}  // namespace

std::string executablePath() {
  if (overridden()) return *overridden();
  return runningProgramPath().string();
}

std::string executableFolder() { return std::filesystem::path(executablePath()).parent_path().string(); }

std::string runningProgramFolder() { return runningProgramPath().parent_path().string(); }

ExecutablePathOverride::ExecutablePathOverride(std::string path)
    : hadPrevious_(overridden().has_value()), previous_(overridden().value_or(std::string())) {
  overridden() = std::move(path);
}

ExecutablePathOverride::~ExecutablePathOverride() {
  if (hadPrevious_)
    overridden() = previous_;
  else
    overridden().reset();
}

}  // namespace qn::os
