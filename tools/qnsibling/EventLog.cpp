#include "tools/qnsibling/EventLog.h"

#include <fcntl.h>
#include <unistd.h>

#include <cstdlib>

#include <nlohmann/json.hpp>

namespace qn::sibling {
namespace {

void append(const nlohmann::json& event) {
  const char* path = std::getenv("QN_SIBLING_LOG");
  if (!path || !*path) return;
  // The program's texts are Windows-1252; a byte JSON cannot carry becomes a replacement mark
  // rather than losing the line.
  const std::string line = event.dump(-1, ' ', false, nlohmann::json::error_handler_t::replace) + "\n";
  const int fd = ::open(path, O_WRONLY | O_CREAT | O_APPEND | O_CLOEXEC, 0644);
  if (fd < 0) return;
  // One write of the whole line: appends of other siblings never land inside it.
  [[maybe_unused]] const ssize_t written = ::write(fd, line.data(), line.size());
  ::close(fd);
}

}  // namespace

void logStart(const std::string& role, const std::vector<std::string>& args) {
  append({{"event", "start"}, {"role", role}, {"pid", static_cast<long>(::getpid())}, {"args", args}});
}

void logMessage(const std::string& role, const std::string& name, std::intptr_t wParam, const std::string& text) {
  append({{"event", "message"}, {"role", role}, {"name", name}, {"wParam", static_cast<long long>(wParam)}, {"text", text}});
}

}  // namespace qn::sibling
