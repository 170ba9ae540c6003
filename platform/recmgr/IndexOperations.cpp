// Create index and drop index through a handle.
#include "platform/recmgr/Operations.h"

namespace qn::recmgr {
namespace {

constexpr uint8_t assignNumber = 0x80;

}  // namespace

Status Operations::createIndex(Handle& handle, Call& call) {
  if (handle.mode == OpenMode::readOnly) return status::readOnlyOpen;
  const uint16_t length = call.dataCapacity();
  if (length == 0 || length % segmentSpecSize != 0) return status::invalidKeyDefinition;
  // One key: every segment but the last says another follows.
  std::vector<SegmentSpec> segments;
  for (size_t offset = 0; offset < length; offset += segmentSpecSize) {
    segments.push_back(SegmentSpec::read(call.data + offset));
    if (segments.back().has(segmentFlag::segmented) != (offset + segmentSpecSize < length))
      return status::invalidKeyDefinition;
  }
  const auto keyNumber = static_cast<uint8_t>(call.keyNumber);
  std::optional<uint8_t> number;
  if (keyNumber & assignNumber) number = static_cast<uint8_t>(keyNumber & ~assignNumber);
  return handle.file->addKey(std::move(segments), number);
}

Status Operations::dropIndex(Handle& handle, Call& call) {
  if (handle.mode == OpenMode::readOnly) return status::readOnlyOpen;
  if (call.keyNumber < 0) return status::invalidKeyNumber;
  return handle.file->dropKey(static_cast<uint8_t>(call.keyNumber));
}

}  // namespace qn::recmgr
