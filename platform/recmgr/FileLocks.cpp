#include "platform/recmgr/FileLocks.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

namespace qn::recmgr {
namespace {

constexpr int64_t openByte = 0;
constexpr int64_t transactionByte = 1;
constexpr int64_t waitingByte = 2;
constexpr int64_t recordBytes = int64_t{1} << 32;

constexpr int presenceBits = 31;
constexpr uint64_t presenceMask = (uint64_t{1} << presenceBits) - 1;

struct flock range(short type, int64_t start, int64_t length = 1) {
  struct flock lock {};
  lock.l_type = type;
  lock.l_whence = SEEK_SET;
  lock.l_start = start;
  lock.l_len = length;
  return lock;
}

std::string lockPathOf(const std::string& recordPath) { return recordPath + ".lck"; }

std::string folderOf(const std::string& path) {
  const size_t slash = path.find_last_of('/');
  if (slash == std::string::npos) return ".";
  return slash == 0 ? "/" : path.substr(0, slash);
}

// Whether another open file description holds a lock in [start, start + length).
bool anyLockIn(int fd, int64_t start, int64_t length) {
  if (length <= 0) return false;
  struct flock lock = range(F_WRLCK, start, length);
  return ::fcntl(fd, F_OFD_GETLK, &lock) == 0 && lock.l_type != F_UNLCK;
}

}  // namespace

Status FileLocks::open(const std::string& recordPath, std::unique_ptr<FileLocks>& locks) {
  const int fd = ::open(lockPathOf(recordPath).c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0666);
  if (fd < 0) return errno == ENOENT || errno == ENOTDIR ? status::directoryError : status::ioError;
  locks.reset(new FileLocks(fd, recordPath));
  return status::ok;
}

FileLocks::~FileLocks() {
  dropPresence();
  ::close(fd_);  // closing the description drops its locks
}

bool FileLocks::takePresence() {
  struct stat ours, atPath, record;
  if (::fstat(fd_, &ours) != 0 || ::stat(lockPathOf(recordPath_).c_str(), &atPath) != 0 ||
      ours.st_ino != atPath.st_ino || ours.st_dev != atPath.st_dev)
    return false;
  if (::stat(recordPath_.c_str(), &record) != 0) return true;  // a file still to be made has no holders
  const int folder = ::open(folderOf(recordPath_).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (folder < 0) return true;  // a folder we may not read: the lock file alone must do
  const int64_t stretch = static_cast<int64_t>((record.st_ino & presenceMask) << presenceBits);
  const int64_t mine = stretch + static_cast<int64_t>(ours.st_ino & presenceMask);
  struct flock lock = range(F_RDLCK, mine);
  // Taken first, looked around after: of two clients racing on two lock files, one sees the other.
  if (::fcntl(folder, F_OFD_SETLK, &lock) != 0 || anyLockIn(folder, stretch, mine - stretch) ||
      anyLockIn(folder, mine + 1, stretch + (int64_t{1} << presenceBits) - mine - 1)) {
    ::close(folder);
    return false;
  }
  folder_ = folder;
  return true;
}

void FileLocks::dropPresence() {
  if (folder_ >= 0) ::close(folder_);  // and its lock with it
  folder_ = -1;
}

bool FileLocks::set(short type, int64_t start) {
  struct flock lock = range(type, start);
  return ::fcntl(fd_, F_OFD_SETLK, &lock) == 0;
}

bool FileLocks::heldByOther(short type, int64_t start) const {
  struct flock lock = range(type, start);
  // Our own description's locks never show here, so a client never sees itself.
  return ::fcntl(fd_, F_OFD_GETLK, &lock) == 0 && lock.l_type != F_UNLCK;
}

Status FileLocks::addHandle(bool exclusive) {
  if (exclusive && exclusiveHandles_ == 0) {
    if (!set(F_WRLCK, openByte)) return heldByOther(F_RDLCK, openByte) ? status::fileLocked : status::incompatibleMode;
  } else if (handles_ == 0) {
    if (!set(F_RDLCK, openByte)) return status::fileLocked;
  }
  if (handles_ == 0 && !takePresence()) {
    set(F_UNLCK, openByte);
    return status::fileLocked;
  }
  ++handles_;
  if (exclusive) ++exclusiveHandles_;
  return status::ok;
}

void FileLocks::removeHandle(bool exclusive) {
  --handles_;
  if (exclusive) --exclusiveHandles_;
  if (handles_ == 0) {
    set(F_UNLCK, openByte);
    dropPresence();
  } else if (exclusive && exclusiveHandles_ == 0) {
    set(F_RDLCK, openByte);  // turning a write lock into a read lock never conflicts
  }
}

Status FileLocks::lockRecord(uint32_t position) {
  auto it = recordHolders_.find(position);
  if (it != recordHolders_.end()) {
    ++it->second;
    return status::ok;
  }
  if (!set(F_WRLCK, recordBytes + position)) return status::recordLocked;
  recordHolders_.emplace(position, 1);
  return status::ok;
}

void FileLocks::unlockRecord(uint32_t position) {
  auto it = recordHolders_.find(position);
  if (it == recordHolders_.end() || --it->second > 0) return;
  recordHolders_.erase(it);
  set(F_UNLCK, recordBytes + position);
}

bool FileLocks::recordLockedByOther(uint32_t position) const { return heldByOther(F_WRLCK, recordBytes + position); }

Status FileLocks::markTransaction() {
  if (marked_) return status::ok;
  if (!set(F_WRLCK, transactionByte)) return status::recordLocked;
  marked_ = true;
  return status::ok;
}

void FileLocks::unmarkTransaction() {
  if (!marked_) return;
  set(F_UNLCK, transactionByte);
  marked_ = false;
}

bool FileLocks::transactionByOther() const { return !marked_ && heldByOther(F_WRLCK, transactionByte); }

void FileLocks::markWaiting() {
  if (!waiting_) waiting_ = set(F_RDLCK, waitingByte);
}

void FileLocks::unmarkWaiting() {
  if (waiting_) set(F_UNLCK, waitingByte);
  waiting_ = false;
}

bool FileLocks::writerWaiting() const { return heldByOther(F_WRLCK, waitingByte); }

}  // namespace qn::recmgr
