#include "platform/recmgr/Call.h"

#include <cstring>

namespace qn::recmgr {

Status Call::returnData(std::string_view answer) const {
  const uint16_t capacity = dataCapacity();
  if (answer.size() > capacity) {
    if (capacity) std::memcpy(data, answer.data(), capacity);
    return status::bufferTooShort;
  }
  if (!answer.empty()) std::memcpy(data, answer.data(), answer.size());
  if (dataLength) *dataLength = static_cast<uint16_t>(answer.size());
  return status::ok;
}

void Call::returnKey(std::string_view keyValue) const {
  if (key && !keyValue.empty()) std::memcpy(key, keyValue.data(), keyValue.size());
}

std::optional<std::string> Call::keyText() const {
  if (!key) return std::nullopt;
  // Byte by byte: the text may end at the very end of the caller's buffer.
  for (size_t n = 0; n <= maxPathLength; ++n)
    if (key[n] == 0) return std::string(reinterpret_cast<const char*>(key), n);
  return std::nullopt;
}

}  // namespace qn::recmgr
