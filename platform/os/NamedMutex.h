#pragma once
// A mutex shared by the programs of one desktop under a name, as the start-up guard and the
// case-manager test use it. Ownership belongs to a thread and nests; another thread or process
// waits. A lock file in the runtime folder carries it between processes, so the kernel frees it
// when the owning process ends; the next owner then learns that it was abandoned (an abandoned
// mutex is owned all the same).
#include <memory>
#include <string>

namespace qn::os {

enum class WaitResult {
  Acquired,
  Abandoned,  // acquired, but the previous owner ended without releasing it
  TimedOut,
  Failed,
};

class NamedMutex {
 public:
  // Creates the mutex or opens the existing one; not owned. Throws std::system_error when the
  // runtime folder cannot hold it.
  explicit NamedMutex(const std::string& name);
  // Releases what this handle still owns, as the owner would on closing the handle.
  ~NamedMutex();
  NamedMutex(const NamedMutex&) = delete;
  NamedMutex& operator=(const NamedMutex&) = delete;

  // Waits at most timeoutMs milliseconds (a negative value waits as long as it takes).
  WaitResult wait(int timeoutMs);
  // False when the calling thread does not own it.
  bool release();

  struct Shared;  // the process's state of one name, shared by all its handles

 private:
  std::shared_ptr<Shared> shared_;
  int ownedByThisHandle_ = 0;
};

}  // namespace qn::os
