// Insert, update and delete through a handle.
#include <cstring>

#include "platform/recmgr/BusyWait.h"
#include "platform/recmgr/Operations.h"

namespace qn::recmgr {
namespace {

// The written record becomes current in key path `keyNumber` (when the file has that key).
void placeAfterWrite(Handle& handle, const WrittenRecord& written, int keyNumber) {
  const std::vector<KeySpec>& keys = handle.file->spec().keys;
  for (size_t i = 0; i < keys.size(); ++i) {
    if (keys[i].number == keyNumber) {
      handle.cursor.moveTo(written.position, &keys[i], written.images[i], written.stamps[i]);
      return;
    }
  }
  handle.cursor.moveTo(written.position, nullptr, std::nullopt, 0);
}

}  // namespace

Status Operations::insert(Handle& handle, Call& call) {
  if (handle.mode == OpenMode::readOnly) return status::readOnlyOpen;
  const FileSpec& spec = handle.file->spec();
  if (call.dataCapacity() < spec.recordLength) return status::bufferTooShort;
  if (Status s = mayWrite(handle, 0); s != status::ok) return s;
  std::string record(call.dataBytes());
  WrittenRecord written;
  WriteWait wait(handle.file->connection(), handle.locks.file());
  if (Status s = handle.file->insert(record, written); s != status::ok) return s;
  // Of the caller's buffer only the auto-increment fields change.
  for (const KeySpec& k : spec.keys) {
    if (!k.autoIncrement()) continue;
    const SegmentSpec& seg = k.segments.front();
    std::memcpy(call.data + seg.position - 1, record.data() + seg.position - 1, seg.length);
  }
  placeAfterWrite(handle, written, call.keyNumber);
  return status::ok;
}

Status Operations::update(Handle& handle, Call& call) {
  if (!handle.cursor.hasRecord()) return status::invalidPositioning;
  if (handle.mode == OpenMode::readOnly) return status::readOnlyOpen;
  if (call.dataCapacity() < handle.file->spec().recordLength) return status::bufferTooShort;
  const uint32_t position = handle.cursor.position;
  if (Status s = mayWrite(handle, position); s != status::ok) return s;
  WrittenRecord written;
  WriteWait wait(handle.file->connection(), handle.locks.file());
  if (Status s = handle.file->update(position, std::string(call.dataBytes()), written); s != status::ok) return s;
  handle.locks.releaseAfterWrite(position);
  placeAfterWrite(handle, written, call.keyNumber);
  return status::ok;
}

Status Operations::remove(Handle& handle, Call& call) {
  Cursor& cursor = handle.cursor;
  if (!cursor.hasRecord()) return status::invalidPositioning;
  if (handle.mode == OpenMode::readOnly) return status::readOnlyOpen;
  if (Status s = mayWrite(handle, cursor.position); s != status::ok) return s;
  // Next and previous continue from the deleted record's place: keep it in the call's key path.
  if (const KeySpec* key = handle.file->spec().key(call.keyNumber); key && cursor.keyColumn != key->column) {
    StoredRecord current;
    if (handle.file->readAt(cursor.position, key, current) == status::ok)
      cursor.moveTo(cursor.position, key, current.image, current.stamp);
  }
  WriteWait wait(handle.file->connection(), handle.locks.file());
  if (Status s = handle.file->remove(cursor.position); s != status::ok) return s;
  handle.locks.releaseAfterWrite(cursor.position);
  cursor.removed = true;
  return status::ok;
}

}  // namespace qn::recmgr
