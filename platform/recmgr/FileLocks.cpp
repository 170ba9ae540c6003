#include "platform/recmgr/FileLocks.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>

namespace qn::recmgr {
namespace {

constexpr int64_t openByte = 0;
constexpr int64_t transactionByte = 1;
constexpr int64_t waitingByte = 2;
constexpr int64_t recordBytes = int64_t{1} << 32;

struct flock range(short type, int64_t start) {
  struct flock lock {};
  lock.l_type = type;
  lock.l_whence = SEEK_SET;
  lock.l_start = start;
  lock.l_len = 1;
  return lock;
}

}  // namespace

Status FileLocks::open(const std::string& recordPath, std::unique_ptr<FileLocks>& locks) {
  const int fd = ::open((recordPath + ".lck").c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0666);
  if (fd < 0) return errno == ENOENT || errno == ENOTDIR ? status::directoryError : status::ioError;
  locks.reset(new FileLocks(fd));
  return status::ok;
}

FileLocks::~FileLocks() { ::close(fd_); }  // closing the description drops its locks

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
  ++handles_;
  if (exclusive) ++exclusiveHandles_;
  return status::ok;
}

void FileLocks::removeHandle(bool exclusive) {
  --handles_;
  if (exclusive) --exclusiveHandles_;
  if (handles_ == 0) {
    set(F_UNLCK, openByte);
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
