// The record-manager cursor's keys: their description from the file's statistics, key searches
// with unspecified segments filled, index descriptions, and adding and dropping keys.
#include <algorithm>
#include <cfloat>
#include <cstdio>
#include <cstring>
#include <limits>
#include <string>

#include "framework/base/TextCase.h"
#include "framework/base/ValueBytes.h"
#include "recordmgr/BtrTable.h"
#include "recordmgr/BtrieveError.h"
#include "recordmgr/EngineError.h"
#include "recordmgr/LittleEndianBytes.h"
#include "recordmgr/ShortStringUtils.h"

namespace {

constexpr size_t kFirstSpecAt = 16;
constexpr size_t kSpecSize = 16;
constexpr size_t kKeyCountAt = 4;
constexpr uint16_t kDuplicates = 0x01;
constexpr uint16_t kModifiable = 0x02;
constexpr uint16_t kSegmentFollows = 0x10;
constexpr uint16_t kAltCollation = 0x20;
constexpr uint16_t kDescending = 0x40;
constexpr uint16_t kCaseInsensitive = 0x400;
constexpr int16_t kKeyNotFound = 4;

// Extended types of key segments.
constexpr uint8_t kInteger = 1;
constexpr uint8_t kFloat = 2;
constexpr uint8_t kDecimal = 5;
constexpr uint8_t kMoney = 6;
constexpr uint8_t kLogical = 7;
constexpr uint8_t kLengthString = 10;
constexpr uint8_t kZeroString = 11;
constexpr uint8_t kAutoIncrement = 15;
constexpr size_t kCollationTableAt = 9;

// A text byte of a key segment as the record manager orders it: through the key's collating
// sequence when the segment names one, else folded to upper case when the segment ignores case.
// Other segments, and a length-prefixed string's length byte, keep their bytes.
uint8_t orderedByte(uint8_t type, uint16_t flags, const uint8_t* collation, size_t offsetInSegment, uint8_t byte) {
  const bool text = type == 0 || type == kLogical || type == kZeroString ||
                    (type == kLengthString && offsetInSegment != 0);
  if (!text) return byte;
  if ((flags & kAltCollation) && collation) return collation[kCollationTableAt + byte];
  if (flags & kCaseInsensitive) return static_cast<uint8_t>(qn::ansiUpperChar(static_cast<char>(byte)));
  return byte;
}

// Fills a segment with the lowest or the highest value of its type and length.
void fillExtreme(uint8_t* place, uint8_t type, uint16_t length, bool lowest) {
  switch (type) {
    case kInteger:
    case kAutoIncrement:
      switch (length) {
        case 1: place[0] = lowest ? 0x80 : 0x7F; return;
        case 2: ToBytes<uint16_t>(place, lowest ? 0x8000 : 0x7FFF); return;
        case 4: ToBytes<uint32_t>(place, lowest ? 0x80000001u : 0x7FFFFFFFu); return;
        case 8:
          ToBytes<int64_t>(place, lowest ? std::numeric_limits<int64_t>::min() : std::numeric_limits<int64_t>::max());
          return;
        default: break;
      }
      break;
    case kFloat:
      if (length == 4) return ToBytes<float>(place, lowest ? -FLT_MAX : FLT_MAX);
      if (length == 8) return ToBytes<double>(place, lowest ? -DBL_MAX : DBL_MAX);
      break;
    case kDecimal:
    case kMoney:
      // Nines in every digit; the last nibble is the sign, 0xD negative.
      if (length == 0) return;
      std::memset(place, 0x99, length);
      place[length - 1] = lowest ? 0x9D : 0x9F;
      return;
    default: break;  // unsigned integers and the byte-ordered types
  }
  std::memset(place, lowest ? 0x00 : 0xFF, length);
}

}  // namespace

std::vector<TBtrTable::Segment> TBtrTable::keySegments(int key) {
  std::vector<Segment> segments;
  btr_->Stat();
  const uint8_t* stat = btr_->StatBuffer;
  const int keyCount = ReadU16(stat + kKeyCountAt);
  int current = 0;
  for (size_t at = kFirstSpecAt; at + kSpecSize <= TWinBtr::StatBufferSize && current < keyCount && current <= key;
       at += kSpecSize) {
    const uint16_t flags = ReadU16(stat + at + 4);
    if (current == key) segments.push_back({ReadU16(stat + at), ReadU16(stat + at + 2), flags, stat[at + 10]});
    if (!(flags & kSegmentFollows)) ++current;
  }
  return segments;
}

// A segment is carried by the field that starts at its offset, else by the field it starts inside;
// none raises invalid index descriptor naming the table.
TFieldCacheItem* TBtrTable::segmentCarrier(uint16_t offset, bool& inside) {
  inside = false;
  for (int f = 0; f < FieldCache()->Count(); ++f)
    if (FieldCache()->Item(f)->Descriptor().Offset == offset) return FieldCache()->Item(f);
  for (int f = 0; f < FieldCache()->Count(); ++f) {
    const FieldDescriptor& field = FieldCache()->Item(f)->Descriptor();
    if (field.Offset < offset && offset < field.Offset + field.FieldLength) {
      inside = true;
      return FieldCache()->Item(f);
    }
  }
  RaiseEngineErrorText(DBIERR_INVALIDIDXDESC, AnsiString("Table: ") + GetTableName());
}

// The comparison length of each key field is its segment's own.
void TBtrTable::DescribeCurrentKey() {
  key_ = KeyDescription{};
  segments_.clear();
  if (FieldCache()->Count() == 0 || btr_->KeyCountSafe() == 0) return;
  std::vector<Segment> segments = keySegments(btr_->KeyNumber);
  if (segments.size() > KeyDescription::MaxFields) segments.resize(KeyDescription::MaxFields);
  for (size_t i = 0; i < segments.size(); ++i) {
    const uint16_t offset = static_cast<uint16_t>(segments[i].position - 1);
    bool inside = false;
    TFieldCacheItem* carrier = segmentCarrier(offset, inside);
    KeySegment& segment = key_.Segments[i];
    segment.Override = carrier->Descriptor().Offset != offset || carrier->LocalSize() != segments[i].length;
    segment.SubstituteLocalType = carrier->LocalType();
    segment.SubstituteLength = segments[i].length;
    segment.Descending = (segments[i].flags & kDescending) != 0;
    // A collating sequence takes the place of the case folding.
    segment.CaseInsensitive = (segments[i].flags & (kCaseInsensitive | kAltCollation)) == kCaseInsensitive;
    key_.FieldNumbers[i] = carrier->FieldNumber();
    key_.KeySize = static_cast<uint16_t>(key_.KeySize + segments[i].length);
  }
  key_.FieldCount = static_cast<uint16_t>(segments.size());
  segments_ = std::move(segments);
}

// The given part of the key (fieldCount fields, the last cut to length; both 0: all of it) is
// copied from the key value or the record; the rest of every segment gets the lowest value of
// its type when the search goes forward over an ascending segment or backward (or for
// equality) over a descending one, else the highest.
uint16_t TBtrTable::buildKey(uint16_t condition, bool directKey, const void* source, uint16_t length,
                             uint16_t fieldCount, uint8_t* key) {
  std::memset(key, 0, TWinBtr::KeyBufferSize);
  const auto* from = static_cast<const uint8_t*>(CheckParam(source));
  if (segments_.empty()) {
    const uint16_t size = length != 0 ? std::min<uint16_t>(length, TWinBtr::KeyBufferSize) : TWinBtr::KeyBufferSize;
    std::memcpy(key, from, size);
    return TWinBtr::KeyBufferSize;
  }
  size_t given = 0;
  size_t total = 0;
  for (size_t i = 0; i < segments_.size(); ++i) {
    const size_t segmentLength = segments_[i].length;
    if (fieldCount == 0 || i + 1 < fieldCount) {
      given += segmentLength;
    } else if (i + 1 == fieldCount) {
      given += length != 0 ? std::min<size_t>(length, segmentLength) : segmentLength;
    }
    total += segmentLength;
  }
  if (fieldCount == 0 && length != 0) given = std::min<size_t>(length, total);
  total = std::min<size_t>(total, TWinBtr::KeyBufferSize - 1);

  const bool forward = condition == scAtOrAfter || condition == scAfter;
  size_t at = 0;
  for (const Segment& segment : segments_) {
    if (at >= total) break;
    const size_t size = std::min<size_t>(segment.length, total - at);
    const bool descending = (segment.flags & kDescending) != 0;
    fillExtreme(key + at, segment.type, static_cast<uint16_t>(size), forward != descending);
    if (at < given) {
      const size_t copied = std::min(size, given - at);
      std::memcpy(key + at, directKey ? from + at : from + segment.position - 1, copied);
    }
    at += size;
  }
  key[total] = 0;
  return static_cast<uint16_t>(total);
}

void TBtrTable::SearchKey(uint16_t condition, bool directKey, void* record, const void* key, uint16_t length,
                          uint16_t fieldCount) {
  uint8_t value[TWinBtr::KeyBufferSize];
  const uint16_t size = buildKey(condition, directKey, key ? key : record, length, fieldCount, value);
  readInto(record);
  withTableName([&] { btr_->GetByKey(SearchOperation(condition), value, size, static_cast<uint8_t>(btr_->KeyNumber)); });
  state_ = csOnRecord;
}

void TBtrTable::ExtractKeyFields(const void* record, void* key, uint16_t& keyLength, uint16_t length,
                                 uint16_t fieldCount) {
  const auto* from = static_cast<const uint8_t*>(CheckParam(record));
  auto* to = static_cast<uint8_t*>(CheckParam(key));
  keyLength = 0;
  const size_t fields = fieldCount == 0 ? segments_.size() : std::min<size_t>(fieldCount, segments_.size());
  for (size_t i = 0; i < fields; ++i) {
    uint16_t size = segments_[i].length;
    if (i + 1 == fields && length != 0 && fieldCount != 0) size = std::min(size, length);
    if (keyLength + size > TWinBtr::KeyBufferSize) break;
    std::memcpy(to + keyLength, from + segments_[i].position - 1, size);
    keyLength = static_cast<uint16_t>(keyLength + size);
  }
}

// A find on part of the key is a get-greater-or-equal whose record must match that part.
void TBtrTable::GetRecordForKey(bool directKey, uint16_t fieldCount, uint16_t length, const void* key, void* record) {
  const bool partial = (fieldCount != 0 && fieldCount < segments_.size()) || length != 0;
  uint8_t value[TWinBtr::KeyBufferSize];
  const uint16_t size = buildKey(scAtOrAfter, directKey, directKey ? key : record, length, fieldCount, value);
  btr_->ClearKey(size);
  const uint8_t* found = readInto(record);
  try {
    withTableName([&] {
      btr_->GetByKey(SearchOperation(partial ? scAtOrAfter : scEqual), value, size, static_cast<uint8_t>(btr_->KeyNumber));
    });
  } catch (const EKorvoEOFError&) {
    RaiseBtrieveErrorWithKey(kKeyNotFound, GetTableName());
  }
  state_ = csOnRecord;
  if (!partial) return;
  uint8_t foundKey[TWinBtr::KeyBufferSize];
  uint16_t compared = 0;
  if (fieldCount == 0) {
    ExtractKeyFields(found, foundKey, compared, 0, 0);
    compared = std::min(compared, length);
  } else {
    ExtractKeyFields(found, foundKey, compared, length, fieldCount);
  }
  if (!keyPartsEqual(foundKey, value, compared)) RaiseBtrieveErrorWithKey(kKeyNotFound, GetTableName());
}

// The record manager found the record by its own key order, so the part asked for matches only
// when it is equal in that order too (a case-insensitive "KL" matches "Kleiner").
bool TBtrTable::keyPartsEqual(const uint8_t* a, const uint8_t* b, size_t length) const {
  const uint8_t* collation = CurrentCollation();
  size_t at = 0;
  for (const Segment& segment : segments_) {
    for (size_t i = 0; i < segment.length && at < length; ++i, ++at)
      if (orderedByte(segment.type, segment.flags, collation, i, a[at]) !=
          orderedByte(segment.type, segment.flags, collation, i, b[at]))
        return false;
  }
  return std::memcmp(a + at, b + at, length - at) == 0;
}

void TBtrTable::GetIndexDesc(uint16_t number, IndexDescriptor& descriptor) {
  std::memset(&descriptor, 0, sizeof descriptor);
  const std::vector<Segment> segments = keySegments(number);
  if (segments.empty()) RaiseEngineError(DBIERR_NOSUCHINDEX);
  char head[16];
  std::snprintf(head, sizeof head, "%2d - ", number);
  std::string name = head;
  bool unique = true;
  bool caseInsensitive = false;
  for (size_t i = 0; i < segments.size() && i < IndexDescriptor::MaxKeyFields; ++i) {
    const uint16_t offset = static_cast<uint16_t>(segments[i].position - 1);
    bool inside = false;
    TFieldCacheItem* carrier = segmentCarrier(offset, inside);
    if (i > 0) name += "+";
    if (inside) name += ">";
    name += carrier->FieldName();
    descriptor.KeyFields[i] = carrier->FieldNumber();
    descriptor.FieldDescending[i] = (segments[i].flags & kDescending) ? 1 : 0;
    descriptor.KeyLength = static_cast<uint16_t>(descriptor.KeyLength + segments[i].length);
    descriptor.KeyFieldCount = static_cast<uint16_t>(i + 1);
    if (segments[i].flags & kDuplicates) unique = false;
    if (segments[i].flags & kCaseInsensitive) caseInsensitive = true;
  }
  CopyTextZ(descriptor.Name, name, sizeof descriptor.Name - 1);
  descriptor.IndexId = number;
  descriptor.Unique = unique ? 1 : 0;
  descriptor.Maintained = 1;
  descriptor.CaseInsensitive = caseInsensitive ? 1 : 0;
}

void TBtrTable::AddIndex(const IndexDescriptor& descriptor, const char*) {
  const size_t count = std::min<size_t>(descriptor.KeyFieldCount, IndexDescriptor::MaxKeyFields);
  if (count == 0) RaiseEngineError(DBIERR_INVALIDPARAM);
  std::vector<uint8_t> spec(count * kSpecSize, 0);
  for (size_t i = 0; i < count; ++i) {
    TFieldCacheItem* field = FieldCache()->GetFieldItem(descriptor.KeyFields[i]);
    uint8_t* segment = spec.data() + i * kSpecSize;
    uint16_t flags = kModifiable;
    if (i + 1 < count) flags |= kSegmentFollows;
    if (!descriptor.Unique) flags |= kDuplicates;
    if (descriptor.Descending || descriptor.FieldDescending[i]) flags |= kDescending;
    if (descriptor.CaseInsensitive) flags |= kCaseInsensitive;
    WriteU16(segment, static_cast<uint16_t>(field->Descriptor().Offset + 1));
    WriteU16(segment + 2, field->LocalSize());
    WriteU16(segment + 4, flags);
    segment[10] = static_cast<uint8_t>(field->LocalType());
  }
  withTableName([&] { btr_->CreateIndex(spec.data(), static_cast<uint16_t>(count), descriptor.IndexId); });
}

// The cursor keeps its key; keys above the dropped one move down a number.
void TBtrTable::DeleteIndex(const char* indexName, const char*, uint16_t indexNumber) {
  const uint16_t key = indexName && *indexName ? IndexNameToKeyNumber(indexName) : indexNumber;
  const int8_t current = btr_->KeyNumber;
  withTableName([&] { btr_->DropIndex(static_cast<uint8_t>(key)); });
  btr_->KeyNumber = current == key ? 0 : static_cast<int8_t>(current > key ? current - 1 : current);
  DescribeCurrentKey();
}
