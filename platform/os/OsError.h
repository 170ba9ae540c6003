#pragma once
// The root of the errors the operating-system stand-ins raise; the framework maps them to its own
// exceptions where the program expects those.
#include <stdexcept>

namespace qn::os {

class OsError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// A file or folder could not be read, written or found as asked.
class FileError : public OsError {
 public:
  using OsError::OsError;
};

}  // namespace qn::os
