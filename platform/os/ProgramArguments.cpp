#include "platform/os/ProgramArguments.h"

#include <fstream>
#include <iterator>
#include <utility>

namespace qn::os {
namespace {

// The process's command line: its elements end in a zero byte, the executable's path first.
std::vector<std::string> commandLineArguments() {
  std::ifstream in("/proc/self/cmdline", std::ios::binary);
  const std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  std::vector<std::string> elements;
  for (std::size_t start = 0; start < text.size();) {
    const std::size_t end = text.find('\0', start);
    elements.push_back(text.substr(start, end - start));
    if (end == std::string::npos) break;
    start = end + 1;
  }
  if (!elements.empty()) elements.erase(elements.begin());
  return elements;
}

std::vector<std::string>& arguments() {
  static std::vector<std::string> list = commandLineArguments();
  return list;
}

}  // namespace

std::string programArgument(int index) {
  if (index < 1 || index > programArgumentCount()) return {};
  return arguments()[index - 1];
}

int programArgumentCount() { return static_cast<int>(arguments().size()); }

ProgramArgumentsScope::ProgramArgumentsScope(std::vector<std::string> list) : saved_(std::move(arguments())) {
  arguments() = std::move(list);
}

ProgramArgumentsScope::~ProgramArgumentsScope() { arguments() = std::move(saved_); }

}  // namespace qn::os
