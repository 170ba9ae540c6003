#include "platform/recmgr/Client.h"

namespace qn::recmgr {

Status Client::locks(const std::string& path, std::shared_ptr<FileLocks>& locks) {
  OpenedFile& opened = files_[path];
  if ((locks = opened.locks.lock())) return status::ok;
  std::unique_ptr<FileLocks> made;
  const Status s = FileLocks::open(path, made);
  if (s == status::ok) {
    opened.locks = locks = std::move(made);
  } else if (opened.file.expired()) {
    files_.erase(path);
  }
  return s;
}

Status Client::file(const std::string& path, std::shared_ptr<RecordFile>& file) {
  OpenedFile& opened = files_[path];
  if ((file = opened.file.lock())) return status::ok;
  std::unique_ptr<RecordFile> made;
  const Status s = RecordFile::open(path, made);
  if (s == status::ok) {
    opened.file = file = std::move(made);
  } else if (opened.locks.expired()) {
    files_.erase(path);
  }
  return s;
}

}  // namespace qn::recmgr
