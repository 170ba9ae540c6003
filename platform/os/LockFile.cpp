#include "platform/os/LockFile.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "platform/os/OsError.h"

namespace qn::os {

LockFile::LockFile(const std::string& path) {
  // Close-on-exec: a child started while the lock is held must not keep it alive.
  fd_ = ::open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
  if (fd_ < 0) throw FileError("cannot open the lock file " + path + ": " + std::strerror(errno));
}

LockFile::~LockFile() { ::close(fd_); }

void LockFile::lock() {
  while (::flock(fd_, LOCK_EX) != 0) {
    if (errno != EINTR) throw FileError(std::string("cannot lock a lock file: ") + std::strerror(errno));
  }
}

bool LockFile::try_lock() {
  while (::flock(fd_, LOCK_EX | LOCK_NB) != 0) {
    if (errno == EWOULDBLOCK) return false;
    if (errno != EINTR) throw FileError(std::string("cannot lock a lock file: ") + std::strerror(errno));
  }
  return true;
}

void LockFile::unlock() { ::flock(fd_, LOCK_UN); }

}  // namespace qn::os
