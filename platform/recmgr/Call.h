#pragma once
// One call of the record manager as the entry points receive it, and the rules for handing
// results back: a buffer is written only by the operations that own it, never past the length
// the caller gave, and a nil buffer with length 0 is valid.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "platform/recmgr/Statuses.h"

namespace qn::recmgr {

inline constexpr size_t positionBlockSize = 128;
inline constexpr size_t clientIdSize = 16;
inline constexpr size_t maxPathLength = 255;  // a path and its terminating zero fill a key buffer

struct Call {
  uint16_t operation = 0;
  uint8_t* positionBlock = nullptr;
  uint8_t* data = nullptr;
  uint16_t* dataLength = nullptr;
  uint8_t* key = nullptr;
  int8_t keyNumber = 0;
  const uint8_t* clientId = nullptr;  // nil: the default client

  // What the caller's data buffer can hold (0 for a nil buffer or length).
  uint16_t dataCapacity() const { return data && dataLength ? *dataLength : 0; }
  std::string_view dataBytes() const { return {reinterpret_cast<const char*>(data), dataCapacity()}; }

  // Writes an answer (a record, statistics, a position) into the data buffer. An answer longer
  // than the buffer fills it and answers 22 with the length left as given; otherwise the length
  // becomes the answer's.
  Status returnData(std::string_view answer) const;
  // Writes a key value into the key buffer, exactly the key's length.
  void returnKey(std::string_view keyValue) const;
  // The zero-terminated text in the key buffer, when it ends within a key buffer's length.
  std::optional<std::string> keyText() const;
};

}  // namespace qn::recmgr
