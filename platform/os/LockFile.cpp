#include "platform/os/LockFile.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <cerrno>
#include <system_error>

namespace qn::os {

LockFile::LockFile(const std::string& path) {
  // Close-on-exec: a child started while the lock is held must not keep it alive.
  fd_ = ::open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
  if (fd_ < 0) throw std::system_error(errno, std::generic_category(), "cannot open the lock file " + path);
}

LockFile::~LockFile() { ::close(fd_); }

void LockFile::lock() {
  while (::flock(fd_, LOCK_EX) != 0) {
    if (errno != EINTR) throw std::system_error(errno, std::generic_category(), "cannot lock a lock file");
  }
}

bool LockFile::try_lock() {
  while (::flock(fd_, LOCK_EX | LOCK_NB) != 0) {
    if (errno == EWOULDBLOCK) return false;
    if (errno != EINTR) throw std::system_error(errno, std::generic_category(), "cannot lock a lock file");
  }
  return true;
}

void LockFile::unlock() { ::flock(fd_, LOCK_UN); }

}  // namespace qn::os
