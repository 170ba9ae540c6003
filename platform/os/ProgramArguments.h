#pragma once
// The arguments the program was started with, after its executable's path, as its main received
// them. Tests set their own for a scope.
#include <string>
#include <vector>

namespace qn::os {

// Argument Index counted from 1; empty text when there are fewer.
std::string programArgument(int index);
int programArgumentCount();
// The program's main calls it once with its arguments (without the executable's path).
void setProgramArguments(std::vector<std::string> arguments);

// Puts arguments in place for its life and then restores those it found.
class ProgramArgumentsScope {
 public:
  explicit ProgramArgumentsScope(std::vector<std::string> arguments);
  ~ProgramArgumentsScope();
  ProgramArgumentsScope(const ProgramArgumentsScope&) = delete;
  ProgramArgumentsScope& operator=(const ProgramArgumentsScope&) = delete;

 private:
  std::vector<std::string> saved_;
};

}  // namespace qn::os
