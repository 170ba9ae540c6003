// Reads in key order, in physical order, by position, and the current position.
#include <string>

#include "platform/recmgr/LittleEndian.h"
#include "platform/recmgr/OperationCodes.h"
#include "platform/recmgr/Operations.h"

namespace qn::recmgr {
namespace {

KeySeek seekOf(uint16_t operation) {
  switch (operation) {
    case op::getNext: return KeySeek::next;
    case op::getPrevious: return KeySeek::previous;
    case op::getGreater: return KeySeek::greater;
    case op::getGreaterOrEqual: return KeySeek::greaterOrEqual;
    case op::getLess: return KeySeek::less;
    case op::getLessOrEqual: return KeySeek::lessOrEqual;
    case op::getFirst: return KeySeek::first;
    case op::getLast: return KeySeek::last;
    default: return KeySeek::equal;
  }
}

PhysicalStep stepOf(uint16_t operation) {
  switch (operation) {
    case op::stepFirst: return PhysicalStep::first;
    case op::stepLast: return PhysicalStep::last;
    case op::stepPrevious: return PhysicalStep::previous;
    default: return PhysicalStep::next;
  }
}

}  // namespace

// Remembered from the last read or write in that path (still valid after a delete), else looked
// up from the record.
Status Operations::placeIn(Handle& handle, const KeySpec& key, std::string& image, int64_t& stamp) {
  Cursor& cursor = handle.cursor;
  if (cursor.position == 0) return status::invalidPositioning;
  if (cursor.keyColumn != key.column || !cursor.image) {
    if (cursor.removed) return status::invalidPositioning;
    StoredRecord current;
    const Status s = handle.file->readAt(cursor.position, &key, current);
    if (s == status::layoutChanged) return s;
    if (s != status::ok || !current.image) return status::invalidPositioning;
    cursor.moveTo(cursor.position, &key, current.image, current.stamp);
  }
  image = *cursor.image;
  stamp = cursor.stamp;
  return status::ok;
}

Status Operations::missingKey(Handle& handle) {
  uint32_t count = 0;
  const Status s = handle.file->recordCount(count);
  return s == status::layoutChanged ? s : status::invalidKeyNumber;
}

Status Operations::deliver(Handle& handle, Call& call, const StoredRecord& record, const KeySpec* key, Lock lock) {
  if (Status s = lockRecord(handle, record.position, lock); s != status::ok) return s;
  handle.cursor.moveTo(record.position, key, record.image, record.stamp);
  if (key) call.returnKey(KeyEncoding::keyValue(*key, record.bytes));
  return call.returnData(record.bytes);
}

std::optional<Status> Operations::stepReadAhead(Handle& handle, Call& call, const KeySpec* key, bool forward) {
  const StoredRecord* record = nullptr;
  switch (handle.readAhead.step(*handle.file, handle.cursor, key ? key->column : 0, forward, record)) {
    case ReadAhead::Found::record: return deliver(handle, call, *record, key, Lock::none);
    case ReadAhead::Found::end: return status::endOfFile;
    case ReadAhead::Found::unknown: break;
  }
  return std::nullopt;
}

template <typename Read>
Status Operations::readAheadFrom(Handle& handle, Call& call, const KeySpec* key, bool forward, Read read) {
  ReadAhead& ahead = handle.readAhead;
  const uint32_t limit = ahead.start(handle.cursor, key ? key->column : 0, forward);
  if (Status s = read(limit, ahead.batch()); s != status::ok) {
    ahead.drop();
    return s;
  }
  return deliver(handle, call, ahead.took(), key, Lock::none);
}

Status Operations::searchAround(Handle& handle, Call& call, const KeySpec& key, const std::string& image) {
  ReadAhead& ahead = handle.readAhead;
  const ReadAhead::AroundLengths lengths = ahead.startAround();
  Status s = handle.file->searchAround(key, image, lengths.before, lengths.from, ahead.batch(), ahead.behind());
  if (s == status::ok && ahead.batch().records.front().image != image) s = status::keyNotFound;
  if (s != status::ok) {
    ahead.drop();
    return s == status::endOfFile ? status::keyNotFound : s;
  }
  return deliver(handle, call, ahead.tookAround(key.column), &key, Lock::none);
}

Status Operations::readByKey(Handle& handle, Call& call, uint16_t operation, Lock lock) {
  RecordFile& file = *handle.file;
  const KeySpec* key = file.spec().key(call.keyNumber);
  if (!key) return missingKey(handle);
  const KeySeek how = seekOf(operation);
  const bool walk = how == KeySeek::next || how == KeySeek::previous;
  // Locked reads take their lock on what SQLite answers at that moment, as ever.
  const bool ahead = walk && lock == Lock::none && handle.readAhead.enabled();
  if (ahead)
    if (std::optional<Status> s = stepReadAhead(handle, call, key, how == KeySeek::next)) return *s;
  std::string image;
  int64_t stamp = 0;
  if (walk) {
    if (Status s = placeIn(handle, *key, image, stamp); s != status::ok) return s;
  } else if (how != KeySeek::first && how != KeySeek::last) {
    std::string value(key->length(), '\0');
    if (call.key) value.assign(reinterpret_cast<const char*>(call.key), key->length());
    image = file.encoding().fromKeyValue(*key, reinterpret_cast<const uint8_t*>(value.data()));
  }
  if (how == KeySeek::equal && lock == Lock::none && handle.readAhead.searchReadsAround() && file.readsAhead())
    return searchAround(handle, call, *key, image);
  if (ahead && file.readsAhead())
    return readAheadFrom(handle, call, key, how == KeySeek::next, [&](uint32_t limit, ReadBatch& batch) {
      return file.seekAhead(*key, how, image, stamp, limit, batch);
    });
  StoredRecord record;
  if (Status s = file.seek(*key, how, image, stamp, record); s != status::ok) return s;
  return deliver(handle, call, record, key, lock);
}

Status Operations::step(Handle& handle, Call& call, uint16_t operation, Lock lock) {
  const PhysicalStep how = stepOf(operation);
  const bool walk = how == PhysicalStep::next || how == PhysicalStep::previous;
  if (walk && handle.cursor.position == 0) return status::invalidPositioning;
  const bool ahead = walk && lock == Lock::none && handle.readAhead.enabled();
  const bool forward = how == PhysicalStep::next;
  if (ahead)
    if (std::optional<Status> s = stepReadAhead(handle, call, nullptr, forward)) return *s;
  if (ahead && handle.file->readsAhead())
    return readAheadFrom(handle, call, nullptr, forward, [&](uint32_t limit, ReadBatch& batch) {
      return handle.file->stepAhead(how, handle.cursor.position, limit, batch);
    });
  StoredRecord record;
  if (Status s = handle.file->step(how, handle.cursor.position, record); s != status::ok) return s;
  return deliver(handle, call, record, nullptr, lock);
}

Status Operations::getDirect(Handle& handle, Call& call, Lock lock) {
  if (call.dataCapacity() < 4) return status::bufferTooShort;
  const FileSpec& spec = handle.file->spec();
  const KeySpec* key = spec.key(call.keyNumber);
  if (!key && !spec.keys.empty()) return missingKey(handle);
  const uint32_t position = readU32(call.data);
  if (position == 0) return status::invalidRecordAddress;
  if (lock == Lock::none)
    if (const StoredRecord* ahead = handle.readAhead.find(*handle.file, position, key ? key->column : 0))
      return deliver(handle, call, *ahead, key, Lock::none);
  StoredRecord record;
  if (Status s = handle.file->readAt(position, key, record); s != status::ok) return s;
  return deliver(handle, call, record, key, lock);
}

Status Operations::getPosition(Handle& handle, Call& call) {
  if (!handle.cursor.hasRecord()) return status::invalidPositioning;
  uint8_t answer[4];
  writeU32(answer, handle.cursor.position);
  return call.returnData({reinterpret_cast<const char*>(answer), sizeof answer});
}

}  // namespace qn::recmgr
