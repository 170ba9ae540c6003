#include "tools/tests/ToolRunner.h"
#include "platform/os/ExecutablePath.h"

#include <sys/wait.h>

#include <cstdio>

namespace qn::tools::testing {
namespace {

std::string quoted(const std::string& text) {
  std::string out = "'";
  for (char c : text) out += c == '\'' ? std::string("'\\''") : std::string(1, c);
  return out + "'";
}

}  // namespace

std::filesystem::path toolPath(const std::string& name) {
  return std::filesystem::path(qn::os::runningProgramFolder()) / name;
}

ToolRun runTool(const std::string& name, const std::vector<std::string>& args) {
  return runProgram(toolPath(name), args);
}

ToolRun runProgram(const std::filesystem::path& program, const std::vector<std::string>& args) {
  std::string command = quoted(program.string());
  for (const std::string& arg : args) command += " " + quoted(arg);
  ToolRun run;
  FILE* pipe = ::popen((command + " 2>&1").c_str(), "r");
  if (!pipe) return run;
  char buffer[4096];
  while (size_t n = std::fread(buffer, 1, sizeof buffer, pipe)) run.output.append(buffer, n);
  const int status = ::pclose(pipe);
  run.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  return run;
}

}  // namespace qn::tools::testing
