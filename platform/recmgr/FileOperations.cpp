// Open, close, create, statistics and unlock.
#include <algorithm>

#include "platform/recmgr/Client.h"
#include "platform/recmgr/FilePath.h"
#include "platform/recmgr/LittleEndian.h"
#include "platform/recmgr/Operations.h"

namespace qn::recmgr {
namespace {

bool modeOf(int8_t keyNumber, OpenMode& mode) {
  switch (keyNumber) {
    case 0:   // normal
    case -1:  // accelerated
    case -3:  // verify
      mode = OpenMode::normal;
      return true;
    case -2:
      mode = OpenMode::readOnly;
      return true;
    case -4:
      mode = OpenMode::exclusive;
      return true;
    default:
      return false;
  }
}

}  // namespace

Status Operations::open(Client& client, Call& call) {
  OpenMode mode;
  if (!modeOf(call.keyNumber, mode) || !call.positionBlock) return status::invalidOperation;
  const std::optional<std::string> name = call.keyText();
  if (!name) return status::invalidFileName;
  std::string path;
  if (Status s = resolveFilePath(client.directory(), *name, path); s != status::ok) return s;

  // Nothing is made beside a file that is not there, not even its lock file.
  if (Status s = RecordFile::locate(path); s != status::ok) return s;
  std::shared_ptr<FileLocks> locks;
  if (Status s = client.locks(path, locks); s != status::ok) return s;
  // Every client and process sees the others' opens in the lock file. The open lock comes before
  // the file is read: a replace of the file cannot land between the two.
  const bool exclusive = mode == OpenMode::exclusive;
  if (Status s = locks->addHandle(exclusive); s != status::ok) return s;
  std::shared_ptr<RecordFile> file;
  Status s = client.file(path, file);
  std::string_view owner = call.dataBytes();
  owner = owner.substr(0, std::min(owner.size(), owner.find('\0')));
  if (s == status::ok && !file->owner().empty() && owner != file->owner()) s = status::invalidOwner;
  if (s != status::ok) {
    locks->removeHandle(exclusive);
    return s;
  }
  handles_.add(client, std::move(file), mode, call.positionBlock).locks.adopt(std::move(locks), exclusive);
  return status::ok;
}

Status Operations::close(Handle& handle) {
  Client& client = *handle.client;
  handles_.remove(handle);
  client.transaction().letGoOfClosedFiles();
  return status::ok;
}

Status Operations::create(Client& client, Call& call) {
  FileSpec spec;
  if (!call.data) return status::bufferTooShort;
  if (Status s = parseCreateSpecification(call.data, call.dataCapacity(), spec); s != status::ok) return s;
  const std::optional<std::string> name = call.keyText();
  if (!name) return status::invalidFileName;
  std::string path;
  if (Status s = resolveFilePath(client.directory(), *name, path); s != status::ok) return s;
  const bool replace = call.keyNumber != -1;
  if (!replace) return RecordFile::create(path, spec, {}, false);
  // Never delete a file any client or process has open: hold it exclusively while replacing. A
  // transaction that has written the file keeps it open even when its handles are closed.
  std::unique_ptr<FileLocks> claim;
  if (Status s = FileLocks::open(path, claim); s != status::ok) return s;
  if (claim->addHandle(true) != status::ok) return status::fileLocked;
  if (claim->transactionByOther()) {
    claim->removeHandle(true);
    return status::fileLocked;
  }
  const Status s = RecordFile::create(path, spec, {}, true);
  claim->removeHandle(true);
  return s;
}

Status Operations::stat(Handle& handle, Call& call) {
  uint32_t count = 0;
  if (Status s = handle.file->recordCount(count); s != status::ok) return s;
  const std::vector<uint8_t> answer = statAnswer(handle.file->spec(), count);
  return call.returnData({reinterpret_cast<const char*>(answer.data()), answer.size()});
}

Status Operations::unlock(Handle& handle, Call& call) {
  constexpr int8_t allMultiple = -2, single = -1;
  if (call.keyNumber == allMultiple) {
    handle.locks.releaseMultiple();
  } else if (call.keyNumber == single || call.dataCapacity() < 4) {
    handle.locks.releaseSingle();
  } else {
    handle.locks.releasePosition(readU32(call.data));
  }
  return status::ok;  // also when nothing was locked
}

}  // namespace qn::recmgr
