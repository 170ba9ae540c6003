#include "platform/recmgr/FileSpec.h"

#include <algorithm>
#include <set>

#include "platform/recmgr/LittleEndian.h"

namespace qn::recmgr {

SegmentSpec SegmentSpec::read(const uint8_t* b) {
  SegmentSpec s;
  s.position = readU16(b);
  s.length = readU16(b + 2);
  s.flags = readU16(b + 4);
  s.uniqueValues = readU32(b + 6);
  s.type = b[10];
  s.nullValue = b[11];
  s.column = readU16(b + 12);
  s.keyNumber = b[14];
  s.collation = b[15];
  return s;
}

void SegmentSpec::write(uint8_t* b, bool withColumn) const {
  writeU16(b, position);
  writeU16(b + 2, length);
  writeU16(b + 4, flags);
  writeU32(b + 6, uniqueValues);
  b[10] = type;
  b[11] = nullValue;
  writeU16(b + 12, withColumn ? column : 0);
  b[14] = keyNumber;
  b[15] = collation;
}

bool KeySpec::duplicates() const { return segments.front().has(segmentFlag::duplicates); }
bool KeySpec::modifiable() const { return segments.front().has(segmentFlag::modifiable); }
bool KeySpec::nullable() const { return segments.front().has(segmentFlag::nullKey); }
bool KeySpec::autoIncrement() const {
  return segments.size() == 1 && segments.front().keyType() == KeyType::autoIncrement;
}
size_t KeySpec::length() const {
  size_t n = 0;
  for (const SegmentSpec& s : segments) n += s.length;
  return n;
}

const KeySpec* FileSpec::key(int number) const {
  for (const KeySpec& k : keys)
    if (k.number == number) return &k;
  return nullptr;
}

size_t FileSpec::segmentCount() const {
  size_t n = 0;
  for (const KeySpec& k : keys) n += k.segments.size();
  return n;
}

namespace {

// Segments from `data` until `keyCount` keys are complete (or, with keyCount < 0, until the
// bytes end on a key boundary). Returns the bytes used, or 0 when the keys do not complete.
size_t readKeys(const uint8_t* data, size_t length, int keyCount, std::vector<KeySpec>& keys) {
  size_t used = 0;
  KeySpec current;
  while (keyCount < 0 ? used < length : static_cast<int>(keys.size()) < keyCount) {
    if (used + segmentSpecSize > length) return 0;
    SegmentSpec s = SegmentSpec::read(data + used);
    used += segmentSpecSize;
    current.segments.push_back(s);
    if (!s.has(segmentFlag::segmented)) {
      current.number = current.segments.front().keyNumber;
      current.column = current.segments.front().column;
      keys.push_back(std::move(current));
      current = KeySpec();
    }
  }
  return current.segments.empty() ? used : 0;
}

bool validLength(KeyType type, uint16_t length) {
  switch (type) {
    case KeyType::integer:
    case KeyType::unsignedBinary:
    case KeyType::autoIncrement:
      return length == 1 || length == 2 || length == 4 || length == 8;
    case KeyType::floating:
      return length == 4 || length == 8;
    case KeyType::date:
    case KeyType::time:
      return length == 4;
    case KeyType::logical:
      return length == 1 || length == 2;
    case KeyType::decimal:
    case KeyType::string:
    case KeyType::lstring:
    case KeyType::zstring:
      return length >= 1;
  }
  return false;  // a type this engine does not order
}

int collatingSequencesNamed(const std::vector<KeySpec>& keys) {
  int count = 0;
  for (const KeySpec& k : keys)
    for (const SegmentSpec& s : k.segments)
      if (s.has(segmentFlag::alternateCollation)) count = std::max(count, s.collation + 1);
  return count;
}

void readCollatingSequence(const uint8_t* b, CollatingSequence& c) {
  std::copy(b + 1, b + 9, c.name.begin());
  std::copy(b + 9, b + collatingSequenceSize, c.table.begin());
}

void writeCollatingSequence(const CollatingSequence& c, uint8_t* b) {
  b[0] = collatingSignature;
  std::copy(c.name.begin(), c.name.end(), b + 1);
  std::copy(c.table.begin(), c.table.end(), b + 9);
}

}  // namespace

Status parseCreateSpecification(const uint8_t* data, size_t length, FileSpec& spec) {
  if (length < statHeaderSize) return status::bufferTooShort;
  spec = FileSpec();
  spec.recordLength = readU16(data);
  spec.pageSize = readU16(data + 2);
  const int keyCount = readU16(data + 4);
  spec.fileFlags = readU16(data + 10);

  std::vector<KeySpec> keys;
  size_t used = readKeys(data + statHeaderSize, length - statHeaderSize, keyCount, keys);
  if (keyCount > 0 && used == 0) return status::invalidKeyDefinition;
  size_t offset = statHeaderSize + used;

  const int sequences = collatingSequencesNamed(keys);
  for (int i = 0; i < sequences; ++i) {
    if (offset + collatingSequenceSize > length || data[offset] != collatingSignature)
      return status::invalidKeyDefinition;
    CollatingSequence c;
    readCollatingSequence(data + offset, c);
    spec.collatingSequences.push_back(c);
    offset += collatingSequenceSize;
  }

  // Explicit numbers first, then the lowest free numbers in the order the keys came.
  std::set<int> taken;
  for (const KeySpec& k : keys)
    if (k.number != 0 && !taken.insert(k.number).second) return status::invalidKeyDefinition;
  int next = 0;
  uint16_t column = 1;
  for (KeySpec& k : keys) {
    if (k.number == 0) {
      while (taken.count(next)) ++next;
      k.number = static_cast<uint8_t>(next);
      taken.insert(next);
    }
    k.column = column++;
    for (SegmentSpec& s : k.segments) {
      s.keyNumber = k.number;
      s.column = k.column;
      s.uniqueValues = 0;
    }
  }
  std::sort(keys.begin(), keys.end(), [](const KeySpec& a, const KeySpec& b) { return a.number < b.number; });
  spec.keys = std::move(keys);
  return validate(spec);
}

Status validate(const FileSpec& spec) {
  if (spec.pageSize < minPageSize || spec.pageSize > maxPageSize) return status::pageSizeError;
  if (spec.recordLength == 0) return status::invalidKeyDefinition;
  std::set<int> numbers;
  std::set<int> columns;
  for (const KeySpec& k : spec.keys) {
    if (k.segments.empty() || !numbers.insert(k.number).second || k.column == 0 || !columns.insert(k.column).second)
      return status::invalidKeyDefinition;
    if (k.length() > maxKeyLength) return status::invalidKeyDefinition;
    for (size_t i = 0; i < k.segments.size(); ++i) {
      const SegmentSpec& s = k.segments[i];
      if (s.position == 0 || s.length == 0 || s.position + s.length - 1 > spec.recordLength)
        return status::invalidKeyDefinition;
      if (!validLength(s.keyType(), s.length)) return status::invalidKeyDefinition;
      if (s.keyType() == KeyType::autoIncrement && k.segments.size() != 1) return status::invalidKeyDefinition;
      if (s.has(segmentFlag::alternateCollation) && s.collation >= spec.collatingSequences.size())
        return status::invalidKeyDefinition;
      if (s.has(segmentFlag::segmented) != (i + 1 < k.segments.size())) return status::invalidKeyDefinition;
    }
  }
  return status::ok;
}

std::vector<uint8_t> statAnswer(const FileSpec& spec, uint32_t recordCount) {
  std::vector<uint8_t> out(statHeaderSize + spec.segmentCount() * segmentSpecSize +
                           spec.collatingSequences.size() * collatingSequenceSize);
  writeU16(out.data(), spec.recordLength);
  writeU16(out.data() + 2, spec.pageSize);
  writeU16(out.data() + 4, static_cast<uint16_t>(spec.keys.size()));
  writeU32(out.data() + 6, recordCount);
  writeU16(out.data() + 10, spec.fileFlags);
  uint8_t* p = out.data() + statHeaderSize;
  for (const KeySpec& k : spec.keys)
    for (const SegmentSpec& s : k.segments) {
      s.write(p, false);
      p += segmentSpecSize;
    }
  for (const CollatingSequence& c : spec.collatingSequences) {
    writeCollatingSequence(c, p);
    p += collatingSequenceSize;
  }
  return out;
}

std::vector<uint8_t> storedKeys(const FileSpec& spec) {
  std::vector<uint8_t> out(spec.segmentCount() * segmentSpecSize);
  uint8_t* p = out.data();
  for (const KeySpec& k : spec.keys)
    for (const SegmentSpec& s : k.segments) {
      s.write(p, true);
      p += segmentSpecSize;
    }
  return out;
}

bool readStoredKeys(const uint8_t* data, size_t length, std::vector<KeySpec>& keys) {
  keys.clear();
  if (length % segmentSpecSize != 0) return false;
  return length == 0 || readKeys(data, length, -1, keys) == length;
}

std::vector<uint8_t> storedCollatingSequences(const FileSpec& spec) {
  std::vector<uint8_t> out(spec.collatingSequences.size() * collatingSequenceSize);
  for (size_t i = 0; i < spec.collatingSequences.size(); ++i)
    writeCollatingSequence(spec.collatingSequences[i], out.data() + i * collatingSequenceSize);
  return out;
}

bool readStoredCollatingSequences(const uint8_t* data, size_t length, std::vector<CollatingSequence>& sequences) {
  sequences.clear();
  if (length % collatingSequenceSize != 0) return false;
  for (size_t off = 0; off < length; off += collatingSequenceSize) {
    if (data[off] != collatingSignature) return false;
    CollatingSequence c;
    readCollatingSequence(data + off, c);
    sequences.push_back(c);
  }
  return true;
}

}  // namespace qn::recmgr
