#pragma once
// The operations of the record manager on the process's clients and handles: one member per
// operation, each answering a status and writing only the buffers its operation owns.
#include "platform/recmgr/Call.h"
#include "platform/recmgr/ClientTable.h"
#include "platform/recmgr/HandleTable.h"

namespace qn::recmgr {

class Operations {
 public:
  Operations(ClientTable& clients, HandleTable& handles) : clients_(clients), handles_(handles) {}

  // Decodes the operation code (lock biases on reads included) and runs it for the calling client.
  Status run(Call& call);
  // Ends a client: closes its handles and forgets it.
  void stopClient(Client& client);

 private:
  enum class Lock { none, single, multiple };

  // Files
  Status open(Client& client, Call& call);
  Status close(Handle& handle);
  Status create(Client& client, Call& call);
  Status stat(Handle& handle, Call& call);
  Status unlock(Handle& handle, Call& call);

  // Writes
  Status insert(Handle& handle, Call& call);
  Status update(Handle& handle, Call& call);
  Status remove(Handle& handle, Call& call);

  // Reads; `lock` is the bias the read came with
  Status readByKey(Handle& handle, Call& call, uint16_t operation, Lock lock);
  Status step(Handle& handle, Call& call, uint16_t operation, Lock lock);
  Status getDirect(Handle& handle, Call& call, Lock lock);
  Status getPosition(Handle& handle, Call& call);
  // Makes `record` current, hands it and its key value back.
  Status deliver(Handle& handle, Call& call, const StoredRecord& record, const KeySpec* key);

  ClientTable& clients_;
  HandleTable& handles_;
};

}  // namespace qn::recmgr
