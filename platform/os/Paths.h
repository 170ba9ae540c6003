#pragma once
// The path service: turns the paths the program builds (backslashes, drive letters, letter case
// that varies from one use of a file to the next) into Linux paths. Every file operation of the
// system, the record manager's included, goes through it.
#include <stdexcept>
#include <string>
#include <string_view>

namespace qn::os {

// Two entries of one folder match a path component without regard to case, so the component
// cannot be resolved. The message names both.
class AmbiguousPathError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// The Linux path for a program path. Each component resolves against what exists: the exact
// spelling first, else the one entry that matches without regard to case. Components that do
// not exist keep their spelling, so a new file is created as named.
std::string resolvePath(std::string_view programPath);

}  // namespace qn::os
