#include "platform/os/ProgramArguments.h"

#include <utility>

namespace qn::os {
namespace {

std::vector<std::string>& arguments() {
  static std::vector<std::string> list;
  return list;
}

}  // namespace

std::string programArgument(int index) {
  if (index < 1 || index > programArgumentCount()) return {};
  return arguments()[index - 1];
}

int programArgumentCount() { return static_cast<int>(arguments().size()); }

void setProgramArguments(std::vector<std::string> list) { arguments() = std::move(list); }

ProgramArgumentsScope::ProgramArgumentsScope(std::vector<std::string> list) : saved_(std::move(arguments())) {
  arguments() = std::move(list);
}

ProgramArgumentsScope::~ProgramArgumentsScope() { arguments() = std::move(saved_); }

}  // namespace qn::os
