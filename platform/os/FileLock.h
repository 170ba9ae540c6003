#pragma once
// An exclusive lock on a lock file, held for as long as the object lives. Other holders, in this
// process or another, wait for it. The system drops the lock when its process dies, so a crash
// never leaves it held.
#include <string>

namespace qn::os {

class FileLock {
 public:
  // Creates the lock file when missing and waits for the lock. FileError when neither works.
  explicit FileLock(const std::string& lockPath);
  ~FileLock();
  FileLock(const FileLock&) = delete;
  FileLock& operator=(const FileLock&) = delete;

 private:
  int fd_;
};

}  // namespace qn::os
