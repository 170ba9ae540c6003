#pragma once
// The arguments the program was started with, after its executable's path: what the process's
// command line holds, unless a test stands in arguments of its own for a scope.
#include <string>
#include <vector>

namespace qn::os {

// Argument Index counted from 1; empty text when there are fewer.
std::string programArgument(int index);
int programArgumentCount();

// Puts arguments in place for its life and then restores those in force before.
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
