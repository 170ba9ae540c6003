// Open, close, create, statistics and unlock.
#include <algorithm>

#include "platform/recmgr/FilePath.h"
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

  // Another client's exclusive open, or ours meeting another client's open (in this process;
  // other processes show theirs through the lock file).
  Status conflict = status::ok;
  handles_.forEach([&](Handle& h) {
    if (h.client == &client || h.file->path() != path) return;
    if (h.mode == OpenMode::exclusive) {
      conflict = status::fileLocked;
    } else if (mode == OpenMode::exclusive && conflict == status::ok) {
      conflict = status::incompatibleMode;
    }
  });
  if (conflict != status::ok) return conflict;

  std::shared_ptr<RecordFile> file;
  if (Status s = client.file(path, file); s != status::ok) return s;
  std::string_view owner = call.dataBytes();
  owner = owner.substr(0, std::min(owner.size(), owner.find('\0')));
  if (!file->owner().empty() && owner != file->owner()) return status::invalidOwner;
  handles_.add(client, std::move(file), mode, call.positionBlock);
  return status::ok;
}

Status Operations::close(Handle& handle) {
  handles_.remove(handle);
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
  // Never delete a file someone has open (other processes: the lock file).
  if (replace && clients_.anyHasOpen(path)) return status::fileLocked;
  return RecordFile::create(path, spec, {}, replace);
}

Status Operations::stat(Handle& handle, Call& call) {
  uint32_t count = 0;
  if (Status s = handle.file->recordCount(count); s != status::ok) return s;
  const std::vector<uint8_t> answer = statAnswer(handle.file->spec(), count);
  return call.returnData({reinterpret_cast<const char*>(answer.data()), answer.size()});
}

// Record locks are not taken yet, so there is never anything to release; unlocking nothing
// answers 0.
Status Operations::unlock(Handle&, Call&) { return status::ok; }

}  // namespace qn::recmgr
