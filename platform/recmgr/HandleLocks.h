#pragma once
// What one handle holds in its file's lock file: its share of the open lock and its record
// locks, each released by the rules of its kind. Locks taken inside a transaction are kept until
// the transaction ends, whatever else releases locks meanwhile. Everything is let go when the
// handle goes.
#include <cstdint>
#include <memory>
#include <vector>

#include "platform/recmgr/FileLocks.h"

namespace qn::recmgr {

class HandleLocks {
 public:
  HandleLocks() = default;
  ~HandleLocks();
  HandleLocks(const HandleLocks&) = delete;
  HandleLocks& operator=(const HandleLocks&) = delete;

  // Takes over the handle's share of the open lock, already added to `file`.
  void adopt(std::shared_ptr<FileLocks> file, bool exclusive);
  FileLocks& file() const { return *file_; }
  const std::shared_ptr<FileLocks>& filePointer() const { return file_; }

  // Locks the record at `position` (84 when another client holds it, and nothing changes). A
  // single-record lock replaces the handle's previous one (unless that one is kept for a
  // transaction); multiple ones accumulate. Any lock taken releases the previous single-record lock.
  Status lock(uint32_t position, bool single, bool untilTransactionEnd);
  // After an update or delete of `position`: the single-record lock and that record's lock.
  void releaseAfterWrite(uint32_t position);
  // Unlock: one position, the single-record lock, or every multiple-record lock.
  void releasePosition(uint32_t position);
  void releaseSingle();
  void releaseMultiple();
  // The end of a transaction: the locks kept for it.
  void releaseTransactionLocks();

 private:
  struct Held {
    uint32_t position;
    bool single;
    bool untilTransactionEnd;
  };
  template <typename Match>
  void release(Match match);

  std::shared_ptr<FileLocks> file_;
  bool exclusive_ = false;
  std::vector<Held> held_;
};

}  // namespace qn::recmgr
