#pragma once
// Runs a tool built beside the test executable (the program folder) and collects what it says.
#include <filesystem>
#include <string>
#include <vector>

namespace qn::tools::testing {

struct ToolRun {
  int exitCode = -1;
  std::string output;  // standard output and standard error together
};

std::filesystem::path toolPath(const std::string& name);
ToolRun runTool(const std::string& name, const std::vector<std::string>& args);
// The same for a program anywhere (a host tool of the build).
ToolRun runProgram(const std::filesystem::path& program, const std::vector<std::string>& args);

}  // namespace qn::tools::testing
