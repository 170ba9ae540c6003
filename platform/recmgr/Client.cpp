#include "platform/recmgr/Client.h"

namespace qn::recmgr {

Status Client::file(const std::string& path, std::shared_ptr<RecordFile>& file) {
  auto it = files_.find(path);
  if (it != files_.end()) {
    if ((file = it->second.lock())) return status::ok;
    files_.erase(it);
  }
  std::unique_ptr<RecordFile> opened;
  if (Status s = RecordFile::open(path, opened); s != status::ok) return s;
  file = std::move(opened);
  files_[path] = file;
  return status::ok;
}

bool Client::hasOpen(const std::string& path) const {
  auto it = files_.find(path);
  return it != files_.end() && !it->second.expired();
}

}  // namespace qn::recmgr
