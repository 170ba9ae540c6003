#pragma once
// The clients of the process, keyed by (process, identifier). The process id is part of the key,
// so a child forked with a copy of the table never acts as its parent's clients.
#include <map>
#include <memory>

#include "platform/recmgr/Call.h"
#include "platform/recmgr/Client.h"

namespace qn::recmgr {

class ClientTable {
 public:
  // The client a call names (nil identifier: the default client), made on first use with the
  // process's working directory as its directory.
  Client& client(const uint8_t* clientId);
  // The client a call names, when it exists.
  Client* find(const uint8_t* clientId);
  void remove(const Client& client);
  void clear() { clients_.clear(); }

 private:
  static ClientKey keyOf(const uint8_t* clientId);
  std::map<ClientKey, std::unique_ptr<Client>> clients_;
};

}  // namespace qn::recmgr
