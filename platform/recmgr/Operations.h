#pragma once
// The operations of the record manager on the process's clients and handles: one member per
// operation, each answering a status and writing only the buffers its operation owns.
#include <optional>

#include "platform/recmgr/Call.h"
#include "platform/recmgr/ClientTable.h"
#include "platform/recmgr/HandleTable.h"

namespace qn::recmgr {

class Operations {
 public:
  Operations(ClientTable& clients, HandleTable& handles) : clients_(clients), handles_(handles) {}

  // Decodes the operation code (lock biases on reads included) and runs it for the calling client,
  // again while another client changes the file's keys meanwhile.
  Status run(Call& call);
  // Ends a client: closes its handles and forgets it.
  void stopClient(Client& client);

 private:
  enum class Lock { none, single, multiple };

  Status execute(Call& call, uint16_t base, Lock lock);
  Status onHandle(Handle* handle, Call& call, uint16_t base, Lock lock);
  // End (commit) or abort, and the record locks taken inside the transaction go.
  Status endTransaction(Client& client, bool commit);

  // Files
  Status open(Client& client, Call& call);
  Status close(Handle& handle);
  Status create(Client& client, Call& call);
  Status stat(Handle& handle, Call& call);
  Status unlock(Handle& handle, Call& call);
  Status setDirectory(Client& client, Call& call);
  Status getDirectory(Client& client, Call& call);
  Status createIndex(Handle& handle, Call& call);
  Status dropIndex(Handle& handle, Call& call);

  // Writes
  Status insert(Handle& handle, Call& call);
  Status update(Handle& handle, Call& call);
  Status remove(Handle& handle, Call& call);

  // Reads; `lock` is the bias the read came with
  Status readByKey(Handle& handle, Call& call, uint16_t operation, Lock lock);
  Status step(Handle& handle, Call& call, uint16_t operation, Lock lock);
  Status getDirect(Handle& handle, Call& call, Lock lock);
  Status getPosition(Handle& handle, Call& call);
  Status getByPercentage(Handle& handle, Call& call, Lock lock);
  Status findPercentage(Handle& handle, Call& call);
  // 6 for a key the file lacks, unless another client has just changed the keys (layoutChanged).
  Status missingKey(Handle& handle);
  // Where the current record stands in key path `key`: ok, 8 without one, or layoutChanged.
  Status placeIn(Handle& handle, const KeySpec& key, std::string& image, int64_t& stamp);
  // An unlocked step of a walk answered from what the handle read ahead, when that still answers.
  std::optional<Status> stepReadAhead(Handle& handle, Call& call, const KeySpec* key, bool forward);
  // Reads a new stretch of the walk ahead with `read(limit, batch)`, and answers its first record.
  template <typename Read>
  Status readAheadFrom(Handle& handle, Call& call, const KeySpec* key, bool forward, Read read);
  // An unlocked get-equal that reads the stretch around the place of `image` along.
  Status searchAround(Handle& handle, Call& call, const KeySpec& key, const std::string& image);
  // Takes the lock a read asked for, then makes `record` current and hands it and its key value
  // back; a refused lock (84) changes nothing.
  Status deliver(Handle& handle, Call& call, const StoredRecord& record, const KeySpec* key, Lock lock);

  // Locks: the record lock a read asks for, and whether this client may write the record at
  // `position` (0: a new record): 84 when another client locked it or another client's
  // transaction has written the file. Inside a transaction the file joins it before the write.
  Status lockRecord(Handle& handle, uint32_t position, Lock lock);
  Status mayWrite(Handle& handle, uint32_t position);

  ClientTable& clients_;
  HandleTable& handles_;
};

}  // namespace qn::recmgr
