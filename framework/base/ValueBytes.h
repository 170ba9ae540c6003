#pragma once
// Values of plain types copied to and from bytes in memory order: record buffers, field data
// and expression literals, none of which promise the type's alignment.
#include <algorithm>
#include <cstring>
#include <string>
#include <type_traits>

template <typename T>
concept PlainValue = std::is_trivially_copyable_v<T>;

template <PlainValue T>
T FromBytes(const void* at) {
  T value;
  std::memcpy(&value, at, sizeof value);
  return value;
}

// Bytes fewer than the type needs leave the rest of the value zero.
template <PlainValue T>
T FromBytes(const std::string& bytes) {
  T value{};
  std::memcpy(&value, bytes.data(), std::min(sizeof value, bytes.size()));
  return value;
}

template <PlainValue T>
void ToBytes(void* at, const T& value) {
  std::memcpy(at, &value, sizeof value);
}

template <PlainValue T>
std::string BytesOf(const T& value) {
  return std::string(reinterpret_cast<const char*>(&value), sizeof value);
}
