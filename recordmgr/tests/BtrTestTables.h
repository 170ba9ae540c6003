#pragma once
// Record-manager cursors on files a test makes: the fields are given as dictionary field
// definitions, as the database gives them to a table opened from the dictionary.
#include <cstdint>
#include <functional>
#include <memory>
#include <utility>
#include <string>
#include <vector>

#include "recordmgr/BtrTable.h"

namespace btrtest {

struct TestField {
  const char* name;
  uint16_t offset;  // 0-based
  uint16_t size;
  uint8_t storedType;  // 0 string, 1 integer, 5 decimal ...
  uint8_t decimals = 0;
};

// A cursor on path with those fields, opened (share and open mode as given) in key path index.
std::unique_ptr<TBtrTable> openTable(const std::string& path, const std::vector<TestField>& fields,
                                     const char* index = "0", uint32_t shareMode = 0, uint32_t openMode = 0,
                                     const uint8_t* clientId = nullptr);

// Inserts a record of the table's record size whose bytes the builder fills.
void insert(TBtrTable& table, const std::vector<uint8_t>& record);

// Little-endian bytes of a value placed into a record.
template <typename T>
void place(std::vector<uint8_t>& record, size_t offset, T value) {
  for (size_t i = 0; i < sizeof value; ++i) record[offset + i] = static_cast<uint8_t>(static_cast<uint64_t>(value) >> (8 * i));
}
void placeText(std::vector<uint8_t>& record, size_t offset, const std::string& text);

int32_t int32At(const void* record, size_t offset);

// The record-manager status an action fails with (9 for the end of file, -1 for another engine
// error, 0 when it does not fail) and the failure's key text.
std::pair<int, std::string> failureOf(const std::function<void()>& action);
inline int statusOf(const std::function<void()>& action) { return failureOf(action).first; }
std::string textAt(const void* record, size_t offset, size_t size);

}  // namespace btrtest
