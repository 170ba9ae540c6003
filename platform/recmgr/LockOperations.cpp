// Record locks and the checks before a write.
#include "platform/recmgr/Client.h"
#include "platform/recmgr/Operations.h"

namespace qn::recmgr {

Status Operations::lockRecord(Handle& handle, uint32_t position, Lock lock) {
  if (lock == Lock::none) return status::ok;
  if (handle.locks.file().transactionByOther()) return status::recordLocked;
  return handle.locks.lock(position, lock == Lock::single, handle.client->transaction().open());
}

Status Operations::mayWrite(Handle& handle, uint32_t position) {
  const FileLocks& locks = handle.locks.file();
  if (locks.transactionByOther() || (position != 0 && locks.recordLockedByOther(position)))
    return status::recordLocked;
  Transaction& transaction = handle.client->transaction();
  return transaction.open() ? transaction.join(handle.file, handle.locks.filePointer()) : status::ok;
}

}  // namespace qn::recmgr
