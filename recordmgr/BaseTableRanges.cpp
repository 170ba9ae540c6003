// The key range of a cursor: a low and a high bound on the current index, tested on every record
// the cursor positions on.
#include <algorithm>
#include <cstring>
#include <vector>

#include "recordmgr/BaseTable.h"
#include "recordmgr/EngineError.h"

namespace {

constexpr size_t kScratchFieldSize = 256;

}  // namespace

void TBaseTable::SetRange(bool keyItself, uint16_t lowFieldCount, uint16_t lowLength, const void* lowKey,
                          bool lowInclusive, uint16_t highFieldCount, uint16_t highLength, const void* highKey,
                          bool highInclusive) {
  ResetRange();
  auto fill = [&](RangeSide& side, uint16_t fieldCount, uint16_t length, const void* key, bool inclusive) {
    side = RangeSide{};
    side.KeyItself = keyItself;
    side.Active = key != nullptr;
    side.FieldCount = fieldCount;
    side.Length = length;
    side.Inclusive = inclusive;
    side.WholeKey = fieldCount == 0 && length == 0;
    if (keyItself)
      fillKeySide(side, key);
    else
      side.Key = key;
  };
  fill(lowRange_, lowFieldCount, lowLength, lowKey, lowInclusive);
  fill(highRange_, highFieldCount, highLength, highKey, highInclusive);
  ApplyRange(lowRange_.Active, highRange_.Active);
}

// Each key field of the copy is converted as the driver converts a stored value; one that comes
// out blank does not bound the range.
void TBaseTable::fillKeySide(RangeSide& side, const void* key) {
  const size_t keySize = std::min<size_t>(key_.KeySize, RangeSide::KeyCopySize);
  if (key) std::memcpy(side.KeyCopy, key, keySize);
  side.Key = side.KeyCopy;
  if (side.FieldCount != 0) return;
  const uint16_t fieldCount = std::min<uint16_t>(key_.FieldCount, KeyDescription::MaxFields);
  side.FieldCount = fieldCount;
  size_t position = 0;
  for (uint16_t field = 0; field < fieldCount; ++field) {
    TFieldCacheItem* item = fieldCache_->GetFieldItem(key_.FieldNumbers[field]);
    const KeySegment& segment = key_.Segments[field];
    const size_t size = segment.Override ? segment.SubstituteLength : item->LocalSize();
    std::vector<uint8_t> value(std::max<size_t>(size, item->FieldLength()), 0);
    if (position < RangeSide::KeyCopySize)
      std::memcpy(value.data(), side.KeyCopy + position, std::min(size, RangeSide::KeyCopySize - position));
    std::vector<uint8_t> local(std::max<size_t>({kScratchFieldSize, item->FieldLength() + 1u, item->LocalSize()}));
    bool blank = false;
    NativeToLocal(item->LocalType(), item->LocalSize(), blank, local.data(), value.data(), item->FieldLength(),
                  item->FieldUnits2());
    if (blank) --side.FieldCount;
    position += size;
  }
  if (side.FieldCount == 0) side.Active = false;
}

void TBaseTable::ResetRange() {
  lowRange_.Active = false;
  highRange_.Active = false;
  rangeSameShape_ = false;
}

void TBaseTable::ApplyRange(bool lowActive, bool highActive) {
  lowRange_.Active = lowActive;
  highRange_.Active = highActive;
  for (RangeSide* side : {&lowRange_, &highRange_}) {
    if (!side->Active || side->KeyItself) continue;
    try {
      uint16_t keyLength = 0;
      ExtractKeyFields(side->Key, side->KeyCopy, keyLength, side->Length, side->FieldCount);
    } catch (const EKorvoEngineError&) {
      side->Active = false;
    }
  }
  rangeSameShape_ = lowRange_.Active && highRange_.Active && lowRange_.FieldCount == highRange_.FieldCount &&
                    lowRange_.Length == highRange_.Length;
}

void TBaseTable::CheckRange(const void* record) {
  if (!lowRange_.Active && !highRange_.Active) return;
  CheckParam(record);
  uint8_t key[RangeSide::KeyCopySize] = {};
  uint16_t keyLength = 0;
  int result = 0;
  if (lowRange_.Active) {
    ExtractKeyFields(record, key, keyLength, lowRange_.Length, lowRange_.FieldCount);
    CompareKeys(key, lowRange_.KeyCopy, result, lowRange_.Length, lowRange_.FieldCount);
    if (result < 0 || (result == 0 && !lowRange_.Inclusive)) RaiseEngineBOF();
  }
  if (highRange_.Active) {
    if (!rangeSameShape_) ExtractKeyFields(record, key, keyLength, highRange_.Length, highRange_.FieldCount);
    CompareKeys(key, highRange_.KeyCopy, result, highRange_.Length, highRange_.FieldCount);
    if (result > 0 || (result == 0 && !highRange_.Inclusive)) RaiseEngineEOF();
  }
}
