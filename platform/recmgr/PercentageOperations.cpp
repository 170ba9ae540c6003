// Get by percentage and find percentage: ranks in a key path or in physical order, scaled to
// 0..10000 in integer arithmetic, so that going to a rank and reading it back agree.
#include "platform/recmgr/LittleEndian.h"
#include "platform/recmgr/Operations.h"

namespace qn::recmgr {
namespace {

constexpr uint64_t scale = 10000;
constexpr int8_t physicalOrder = -1;

}  // namespace

Status Operations::getByPercentage(Handle& handle, Call& call, Lock lock) {
  if (call.dataCapacity() < 4) return status::bufferTooShort;
  const KeySpec* key = nullptr;
  if (call.keyNumber != physicalOrder && !(key = handle.file->spec().key(call.keyNumber))) return missingKey(handle);
  const uint64_t percent = std::min<uint64_t>(readU32(call.data), scale);
  uint32_t entries = 0;
  if (Status s = handle.file->count(key, entries); s != status::ok) return s;
  if (entries == 0) return status::endOfFile;
  // The record at rank max(0, ceil(P * N / 10000) - 1).
  const uint64_t ceiling = (percent * entries + scale - 1) / scale;
  const uint32_t rank = ceiling == 0 ? 0 : static_cast<uint32_t>(ceiling - 1);
  StoredRecord record;
  if (Status s = handle.file->readAtRank(key, rank, record); s != status::ok) return s;
  return deliver(handle, call, record, key, lock);
}

Status Operations::findPercentage(Handle& handle, Call& call) {
  if (call.dataCapacity() < 4) return status::bufferTooShort;
  uint32_t rank = 0, entries = 0;
  if (call.keyNumber == physicalOrder) {
    if (Status s = handle.file->rankOf(readU32(call.data), rank); s != status::ok) return s;
    if (Status s = handle.file->count(nullptr, entries); s != status::ok) return s;
  } else {
    const KeySpec* key = handle.file->spec().key(call.keyNumber);
    if (!key) return missingKey(handle);
    if (!handle.cursor.hasRecord()) return status::invalidPositioning;
    std::string image;
    int64_t stamp = 0;
    if (Status s = placeIn(handle, *key, image, stamp); s != status::ok) return s;
    if (Status s = handle.file->rankOf(*key, image, stamp, rank); s != status::ok) return s;
    if (Status s = handle.file->count(key, entries); s != status::ok) return s;
  }
  // ceil(r * 10000 / N)
  const uint32_t percent = entries == 0 ? 0 : static_cast<uint32_t>((rank * scale + entries - 1) / entries);
  uint8_t answer[4];
  writeU32(answer, percent);
  return call.returnData({reinterpret_cast<const char*>(answer), sizeof answer});
}

}  // namespace qn::recmgr
