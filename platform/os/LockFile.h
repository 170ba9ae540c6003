#pragma once
// An exclusive lock between the processes of this machine, held on a lock file of its own
// (flock). The kernel drops the lock when its holder ends, so a crashed holder never leaves it
// taken. Locks of two LockFile objects exclude each other even inside one process.
// Satisfies Lockable, so std::lock_guard / std::unique_lock work with it.
#include <string>

namespace qn::os {

class LockFile {
 public:
  // Opens (and creates) the file; throws std::system_error when it cannot.
  explicit LockFile(const std::string& path);
  ~LockFile();
  LockFile(const LockFile&) = delete;
  LockFile& operator=(const LockFile&) = delete;

  void lock();      // waits as long as it takes
  bool try_lock();  // never waits
  void unlock();

  // The open file, for a holder that keeps notes in it (the named mutex does).
  int fd() const { return fd_; }

 private:
  int fd_;
};

}  // namespace qn::os
