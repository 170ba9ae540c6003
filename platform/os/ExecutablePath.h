#pragma once
// The running program's own file: the one place the program asks where it was started from
// (its folder holds the templates and libraries; its file name chooses the code tables). A test
// stands in another path for as long as an ExecutablePathOverride lives.
#include <string>

namespace qn::os {

// The program file's full path: the path a live override gives, else the process's executable.
std::string executablePath();
// The folder that holds it: where the program's libraries lie.
std::string executableFolder();
// The folder of the file the process really runs, whatever an override says: where the build put
// a test program, and so the helper programs, tools and libraries the tests start or load.
std::string runningProgramFolder();

class ExecutablePathOverride {
 public:
  explicit ExecutablePathOverride(std::string path);
  // Puts back whatever was in force before this override, an earlier override included.
  ~ExecutablePathOverride();
  ExecutablePathOverride(const ExecutablePathOverride&) = delete;
  ExecutablePathOverride& operator=(const ExecutablePathOverride&) = delete;

 private:
  bool hadPrevious_;
  std::string previous_;
};

}  // namespace qn::os
