#include "platform/recmgr/ClientTable.h"

#include <pthread.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>

namespace qn::recmgr {
namespace {

// Every call names its client by process: getpid is a system call each time, so the number is
// kept, and a child made by fork takes its own.
pid_t processId = 0;
void learnProcessId() { processId = ::getpid(); }
pid_t currentProcess() {
  static const bool learned = [] {
    learnProcessId();
    return ::pthread_atfork(nullptr, nullptr, learnProcessId) == 0;
  }();
  return learned ? processId : ::getpid();
}

}  // namespace

ClientKey ClientTable::keyOf(const uint8_t* clientId) {
  ClientKey key;
  key.process = currentProcess();
  if (clientId) std::copy(clientId, clientId + clientIdSize, key.id.begin());
  return key;
}

Client& ClientTable::client(const uint8_t* clientId) {
  const ClientKey key = keyOf(clientId);
  auto it = clients_.find(key);
  if (it == clients_.end()) {
    std::error_code ec;
    std::string cwd = std::filesystem::current_path(ec).string();
    it = clients_.emplace(key, std::make_unique<Client>(key, ec ? std::string("/") : cwd)).first;
  }
  return *it->second;
}

Client* ClientTable::find(const uint8_t* clientId) {
  auto it = clients_.find(keyOf(clientId));
  return it == clients_.end() ? nullptr : it->second.get();
}

void ClientTable::remove(const Client& client) { clients_.erase(client.key()); }

}  // namespace qn::recmgr
