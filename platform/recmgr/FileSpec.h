#pragma once
// A record file's layout: record length, page size, flags, keys made of 16-byte segment
// specifications, and alternate collating sequences. Reads the create specification, checks it,
// and writes the statistics answer, all in the little-endian byte layouts callers exchange.
#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "platform/recmgr/Statuses.h"

namespace qn::recmgr {

enum class KeyType : uint8_t {
  string = 0,
  integer = 1,
  floating = 2,
  date = 3,
  time = 4,
  decimal = 5,
  logical = 7,
  lstring = 10,
  zstring = 11,
  unsignedBinary = 14,
  autoIncrement = 15,
};

namespace segmentFlag {
inline constexpr uint16_t duplicates = 0x01;
inline constexpr uint16_t modifiable = 0x02;
inline constexpr uint16_t binary = 0x04;
inline constexpr uint16_t nullKey = 0x08;
inline constexpr uint16_t segmented = 0x10;  // another segment of the same key follows
inline constexpr uint16_t alternateCollation = 0x20;
inline constexpr uint16_t descending = 0x40;
inline constexpr uint16_t extendedType = 0x100;
inline constexpr uint16_t caseInsensitive = 0x400;
}  // namespace segmentFlag

namespace fileFlag {
inline constexpr uint16_t variableLength = 0x01;
inline constexpr uint16_t keyOnly = 0x10;
}  // namespace fileFlag

inline constexpr size_t segmentSpecSize = 16;
inline constexpr size_t statHeaderSize = 16;
inline constexpr size_t collatingSequenceSize = 265;
inline constexpr uint8_t collatingSignature = 0xAC;
inline constexpr uint16_t minPageSize = 512;
inline constexpr uint16_t maxPageSize = 4096;
inline constexpr size_t maxKeyLength = 255;

struct SegmentSpec {
  uint16_t position = 0;  // 1-based byte offset in the record
  uint16_t length = 0;
  uint16_t flags = 0;
  uint32_t uniqueValues = 0;
  uint8_t type = 0;  // KeyType, always honoured
  uint8_t nullValue = 0;
  uint16_t column = 0;  // storage only (the reserved bytes 12-13): names the key's SQLite column
  uint8_t keyNumber = 0;
  uint8_t collation = 0;  // index of the alternate collating sequence

  static SegmentSpec read(const uint8_t* bytes);
  // Writes the 16 bytes; the column is written only for storage, never to callers.
  void write(uint8_t* bytes, bool withColumn) const;
  KeyType keyType() const { return static_cast<KeyType>(type); }
  bool has(uint16_t flag) const { return (flags & flag) != 0; }
};

struct KeySpec {
  uint8_t number = 0;
  uint16_t column = 0;
  std::vector<SegmentSpec> segments;

  // Key-level flags are those of the first segment.
  bool duplicates() const;
  bool modifiable() const;
  bool nullable() const;
  // A key made of one auto-increment segment: unique whatever its flags.
  bool autoIncrement() const;
  bool unique() const { return !duplicates() || autoIncrement(); }
  // Bytes of the key value in a key buffer: the segments' lengths summed.
  size_t length() const;
};

struct CollatingSequence {
  std::array<uint8_t, 8> name{};
  std::array<uint8_t, 256> table{};
};

struct FileSpec {
  uint16_t recordLength = 0;
  uint16_t pageSize = 4096;
  uint16_t fileFlags = 0;
  std::vector<KeySpec> keys;  // ascending key numbers, possibly with gaps
  std::vector<CollatingSequence> collatingSequences;

  const KeySpec* key(int number) const;
  bool variableLength() const { return (fileFlags & fileFlag::variableLength) != 0; }
  size_t segmentCount() const;
};

// Reads a create specification: the statistics header, `number of keys` keys of segment
// specifications, then the collating sequences the segments name. Keys whose segments carry a
// key number (byte 14) take it; the others take the lowest free numbers in order.
// Answers 22 for less than a header, 29 for a specification that runs out or contradicts itself.
Status parseCreateSpecification(const uint8_t* data, size_t length, FileSpec& spec);

// Checks what any file must satisfy: 24 for a page size outside 512-4096, 29 for segments that
// leave the record, a length the type cannot have, an unknown type, a missing collating sequence,
// an auto-increment key of several segments, a key longer than a key buffer, repeated numbers.
Status validate(const FileSpec& spec);

// The statistics answer: header, every segment in key order, then the collating sequences.
std::vector<uint8_t> statAnswer(const FileSpec& spec, uint32_t recordCount);

// The storage form of the keys: their segments, columns included, in key order.
std::vector<uint8_t> storedKeys(const FileSpec& spec);
// Reads the storage form back; false when the bytes do not make whole keys.
bool readStoredKeys(const uint8_t* data, size_t length, std::vector<KeySpec>& keys);

std::vector<uint8_t> storedCollatingSequences(const FileSpec& spec);
bool readStoredCollatingSequences(const uint8_t* data, size_t length, std::vector<CollatingSequence>& sequences);

}  // namespace qn::recmgr
