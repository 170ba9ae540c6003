#pragma once
// A client of the record manager: a (process, 16-byte identifier) pair that behaves like a
// workstation of its own. It owns its current directory and, per file it has open, one connection
// and one share of the file's lock file, both shared by all its handles of that file, and its
// one transaction.
#include <sys/types.h>

#include <array>
#include <compare>
#include <map>
#include <memory>
#include <string>

#include "platform/recmgr/FileLocks.h"
#include "platform/recmgr/RecordFile.h"
#include "platform/recmgr/Transaction.h"

namespace qn::recmgr {

struct ClientKey {
  pid_t process = 0;
  std::array<uint8_t, 16> id{};
  auto operator<=>(const ClientKey&) const = default;
};

class Client {
 public:
  Client(ClientKey key, std::string directory) : key_(key), directory_(std::move(directory)) {}

  const ClientKey& key() const { return key_; }
  const std::string& directory() const { return directory_; }
  void setDirectory(std::string directory) { directory_ = std::move(directory); }
  Transaction& transaction() { return transaction_; }

  // The client's share of the lock file of the file at `path` (a canonical path), and its
  // connection to the file, each opened on first use. An open takes the share and its open lock
  // before the connection, so the connection is to the file that stands at the path.
  Status locks(const std::string& path, std::shared_ptr<FileLocks>& locks);
  Status file(const std::string& path, std::shared_ptr<RecordFile>& file);

 private:
  ClientKey key_;
  std::string directory_;
  struct OpenedFile {
    std::weak_ptr<RecordFile> file;
    std::weak_ptr<FileLocks> locks;
  };
  std::map<std::string, OpenedFile> files_;  // alive while a handle (or the transaction) holds it
  Transaction transaction_;
};

}  // namespace qn::recmgr
