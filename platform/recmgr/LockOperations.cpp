// Record locks and the checks before a write.
#include "platform/recmgr/Operations.h"

namespace qn::recmgr {

Status Operations::lockRecord(Handle& handle, uint32_t position, Lock lock) {
  if (lock == Lock::none) return status::ok;
  if (handle.locks.file().transactionByOther()) return status::recordLocked;
  return handle.locks.lock(position, lock == Lock::single, false);
}

Status Operations::mayWrite(Handle& handle, uint32_t position) {
  const FileLocks& locks = handle.locks.file();
  if (locks.transactionByOther() || (position != 0 && locks.recordLockedByOther(position)))
    return status::recordLocked;
  return status::ok;
}

}  // namespace qn::recmgr
