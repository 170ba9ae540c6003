#include "platform/recmgr/Client.h"

namespace qn::recmgr {

Status Client::file(const std::string& path, std::shared_ptr<RecordFile>& file, std::shared_ptr<FileLocks>& locks) {
  OpenedFile& opened = files_[path];
  file = opened.file.lock();
  locks = opened.locks.lock();
  Status s = status::ok;
  if (!file) {
    std::unique_ptr<RecordFile> made;
    if ((s = RecordFile::open(path, made)) == status::ok) opened.file = file = std::move(made);
  }
  if (!locks && s == status::ok) {
    std::unique_ptr<FileLocks> made;
    if ((s = FileLocks::open(path, made)) == status::ok) opened.locks = locks = std::move(made);
  }
  if (s != status::ok && !file && !locks) files_.erase(path);
  return s;
}

}  // namespace qn::recmgr
