#pragma once
// One client's share of the lock file beside a record file (the file's resolved name plus
// ".lck"): an open file description of its own, so its byte-range locks conflict with every other
// client's, in this process or another, and vanish when the process dies. Nothing here waits.
//   byte 0            every open handle: a read lock; an exclusive open: the write lock
//   byte 1            a transaction that has written the file, until its end
//   byte 2            a writer waiting for another process's short write (read locks, so
//                     several may wait): the holder lets it go first, so no writer starves
//   byte 2^32 + pos   the record at that position is locked
// Locks are counted over the client's handles: a client never conflicts with itself.
//
// A lock file removed, renamed or replaced while in use would leave its holders' locks where
// nobody else looks. So while a client has handles on a file, it also holds a read lock in the
// file's folder at byte (record file's inode mod 2^31) * 2^31 + (lock file's inode mod 2^31):
// a client whose lock file is not the one the file's other holders use finds their lock in the
// record file's stretch of the folder and is refused (85) until they have let go.
#include <cstdint>
#include <map>
#include <memory>
#include <string>

#include "platform/recmgr/Statuses.h"

namespace qn::recmgr {

class FileLocks {
 public:
  // Opens the lock file of the record file at `recordPath`, making it when missing (35 when the
  // folder is missing, 2 when it cannot be made).
  static Status open(const std::string& recordPath, std::unique_ptr<FileLocks>& locks);
  ~FileLocks();
  FileLocks(const FileLocks&) = delete;
  FileLocks& operator=(const FileLocks&) = delete;

  // One more handle on the file: 85 when another client holds it exclusively, or holds it
  // through another lock file than the one now at its path; 88 when an exclusive open meets
  // another client's open.
  Status addHandle(bool exclusive);
  void removeHandle(bool exclusive);

  // 84 when another client holds the record's lock.
  Status lockRecord(uint32_t position);
  void unlockRecord(uint32_t position);
  bool recordLockedByOther(uint32_t position) const;

  // The transaction marker: 84 when another client's transaction has written the file.
  Status markTransaction();
  void unmarkTransaction();
  bool transactionByOther() const;

  // A writer waiting its turn.
  void markWaiting();
  void unmarkWaiting();
  bool writerWaiting() const;

 private:
  FileLocks(int fd, std::string recordPath) : fd_(fd), recordPath_(std::move(recordPath)) {}
  bool set(short type, int64_t start);
  bool heldByOther(short type, int64_t start) const;
  // The folder lock of a first handle; false when another client holds the file through another
  // lock file, or ours is no longer at its path.
  bool takePresence();
  void dropPresence();

  int fd_;
  std::string recordPath_;
  int folder_ = -1;  // holds the presence lock while the client has handles
  int handles_ = 0;
  int exclusiveHandles_ = 0;
  std::map<uint32_t, int> recordHolders_;  // position -> the client's handles holding it
  bool marked_ = false;
  bool waiting_ = false;
};

}  // namespace qn::recmgr
