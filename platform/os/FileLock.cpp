#include "platform/os/FileLock.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "platform/os/OsError.h"

namespace qn::os {

FileLock::FileLock(const std::string& lockPath) {
  fd_ = ::open(lockPath.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0666);
  if (fd_ < 0) throw FileError("cannot open the lock file " + lockPath + ": " + std::strerror(errno));
  while (::flock(fd_, LOCK_EX) != 0) {
    if (errno == EINTR) continue;
    int saved = errno;
    ::close(fd_);
    throw FileError("cannot lock " + lockPath + ": " + std::strerror(saved));
  }
}

FileLock::~FileLock() { ::close(fd_); }

}  // namespace qn::os
