#include "platform/recmgr/Operations.h"

#include "platform/recmgr/BusyWait.h"
#include "platform/recmgr/OperationCodes.h"

namespace qn::recmgr {
namespace {

bool takesLockBias(uint16_t base) {
  return (base >= op::getEqual && base <= op::getLast) || base == op::getDirect || base == op::stepNext ||
         (base >= op::stepFirst && base <= op::stepPrevious) || base == op::getByPercentage;
}

bool needsHandle(uint16_t base) {
  switch (base) {
    case op::close:
    case op::insert:
    case op::update:
    case op::remove:
    case op::getEqual:
    case op::getNext:
    case op::getPrevious:
    case op::getGreater:
    case op::getGreaterOrEqual:
    case op::getLess:
    case op::getLessOrEqual:
    case op::getFirst:
    case op::getLast:
    case op::stat:
    case op::getPosition:
    case op::getDirect:
    case op::stepNext:
    case op::unlock:
    case op::createIndex:
    case op::dropIndex:
    case op::stepFirst:
    case op::stepLast:
    case op::stepPrevious:
    case op::getByPercentage:
    case op::findPercentage:
      return true;
    default:
      return false;
  }
}

}  // namespace

Status Operations::run(Call& call) {
  // Exclusive and concurrent transactions behave alike.
  if (call.operation == op::beginConcurrentTransaction) return clients_.client(call.clientId).transaction().begin();
  if (call.operation >= 500) return status::invalidOperation;
  const uint16_t base = call.operation % 100;
  const uint16_t bias = call.operation - base;
  if (bias != 0 && !takesLockBias(base)) return status::invalidOperation;
  // The waiting forms would wait for ever on a client of this same thread: they never wait.
  const Lock lock = bias == 0 ? Lock::none
                    : (bias == op::singleLockBias || bias == op::waitSingleLockBias) ? Lock::single
                                                                                     : Lock::multiple;
  // Another client's change of the keys landed between our reading of the layout and our work:
  // run again on the new layout, as if the change had come just before. Only a file whose keys
  // change without pause could keep an operation from its turn; it is answered as busy.
  constexpr int layoutChangesMet = 50;
  Status s = execute(call, base, lock);
  for (int again = 0; s == status::layoutChanged && again < layoutChangesMet; ++again) s = execute(call, base, lock);
  return s == status::layoutChanged ? status::recordLocked : s;
}

Status Operations::execute(Call& call, uint16_t base, Lock lock) {
  switch (base) {
    case op::create:
      return create(clients_.client(call.clientId), call);
    case op::stop:
      if (Client* c = clients_.find(call.clientId)) stopClient(*c);
      return status::ok;
    case op::open:
      return open(clients_.client(call.clientId), call);
    case op::setDirectory:
      return setDirectory(clients_.client(call.clientId), call);
    case op::getDirectory:
      return getDirectory(clients_.client(call.clientId), call);
    case op::beginTransaction:
      return clients_.client(call.clientId).transaction().begin();
    case op::endTransaction:
    case op::abortTransaction:
      return endTransaction(clients_.client(call.clientId), base == op::endTransaction);
    default:
      break;
  }
  if (!needsHandle(base)) return status::invalidOperation;
  Handle* handle = handles_.find(clients_.client(call.clientId), call.positionBlock);
  if (!handle) return status::fileNotOpen;

  Transaction& transaction = handle->client->transaction();
  if (transaction.dead() && base != op::close) return status::operationNotAllowed;
  const Status s = onHandle(handle, call, base, lock);
  if (s != status::ok) transaction.noteFailure();
  return s;
}

Status Operations::onHandle(Handle* handle, Call& call, uint16_t base, Lock lock) {
  switch (base) {
    case op::close: return close(*handle);
    case op::insert: return insert(*handle, call);
    case op::update: return update(*handle, call);
    case op::remove: return remove(*handle, call);
    case op::stat: return stat(*handle, call);
    case op::getPosition: return getPosition(*handle, call);
    case op::getDirect: return getDirect(*handle, call, lock);
    case op::unlock: return unlock(*handle, call);
    case op::createIndex:
    case op::dropIndex: {
      // A change of the keys is never part of a transaction: it could not be rolled back.
      if (handle->client->transaction().open()) return status::operationNotAllowed;
      if (Status s = mayWrite(*handle, 0); s != status::ok) return s;
      WriteWait wait(handle->file->connection(), handle->locks.file());
      return base == op::createIndex ? createIndex(*handle, call) : dropIndex(*handle, call);
    }
    case op::getByPercentage: return getByPercentage(*handle, call, lock);
    case op::findPercentage: return findPercentage(*handle, call);
    case op::stepNext:
    case op::stepFirst:
    case op::stepLast:
    case op::stepPrevious:
      return step(*handle, call, base, lock);
    default:
      return readByKey(*handle, call, base, lock);
  }
}

Status Operations::endTransaction(Client& client, bool commit) {
  Transaction& transaction = client.transaction();
  const Status s = commit ? transaction.end() : transaction.abort();
  handles_.forEach([&](Handle& h) {
    if (h.client == &client) h.locks.releaseTransactionLocks();
  });
  return s;
}

void Operations::stopClient(Client& client) {
  handles_.removeAll(client);
  clients_.remove(client);
}

}  // namespace qn::recmgr
