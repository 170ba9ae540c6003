#include "recordmgr/FieldCache.h"

#include <algorithm>
#include <cstring>

#include "framework/base/TextCompare.h"
#include "recordmgr/BaseTable.h"
#include "recordmgr/EngineError.h"

namespace {

constexpr int16_t kIndicatorSet = -1;
constexpr int16_t kIndicatorClear = 0;
// The changed flag lies this far behind the null indicator.
constexpr size_t kChangedFlagDistance = 4;

void writeIndicator(uint8_t* place, bool set) {
  const int16_t value = set ? kIndicatorSet : kIndicatorClear;
  std::memcpy(place, &value, sizeof value);
}

}  // namespace

TFieldCacheItem::TFieldCacheItem(TCollection* cache, uint16_t localSize, uint16_t localType, uint16_t fieldNumber,
                                 const FieldDescriptor& descriptor)
    : TCollectionItem(cache), descriptor_(descriptor) {
  descriptor_.FieldNumber = fieldNumber;
  descriptor_.LocalType = localType;
  descriptor_.LocalSize = localSize;
}

void TFieldCacheItem::PublishProperties(PropertyPublisher<TFieldCacheItem>& publish) {
  using Self = TFieldCacheItem;
  publish.Integer("FieldNumber", &Self::FieldNumber, &Self::SetFieldNumber)
      .String("FieldName", &Self::FieldName, &Self::SetFieldName)
      .Integer("FieldType", &Self::FieldType, &Self::SetFieldType)
      .Integer("FieldSubType", &Self::FieldSubType, &Self::SetFieldSubType)
      .Integer("FieldUnits1", &Self::FieldUnits1, &Self::SetFieldUnits1)
      .Integer("FieldUnits2", &Self::FieldUnits2, &Self::SetFieldUnits2)
      .Integer("FieldLength", &Self::FieldLength, &Self::SetFieldLength)
      .Integer("LocalType", &Self::LocalType, &Self::SetLocalType)
      .Integer("LocalSize", &Self::LocalSize, &Self::SetLocalSize);
}

AnsiString TFieldCacheItem::FieldName() const {
  return AnsiString(descriptor_.FieldName, strnlen(descriptor_.FieldName, FieldDescriptor::NameSize));
}

void TFieldCacheItem::SetFieldName(const AnsiString& value) {
  std::memset(descriptor_.FieldName, 0, FieldDescriptor::NameSize);
  std::memcpy(descriptor_.FieldName, value.data(), std::min(value.size(), FieldDescriptor::NameSize - 1));
}

void TFieldCacheItem::SetRecord(void* record) {
  record_ = static_cast<uint8_t*>(record);
  fieldData_ = record_ ? record_ + descriptor_.Offset : nullptr;
  nullIndicator_ = record_ && descriptor_.NullOffset != 0 ? record_ + descriptor_.NullOffset : nullptr;
}

bool TFieldCacheItem::IsBlank() const {
  if (!nullIndicator_) return false;
  int16_t value = 0;
  std::memcpy(&value, nullIndicator_, sizeof value);
  return value == kIndicatorSet;
}

void TFieldCacheItem::SetBlank(bool blank) {
  if (nullIndicator_) writeIndicator(nullIndicator_, blank);
}

void TFieldCacheItem::SetChanged(bool changed) {
  if (nullIndicator_) writeIndicator(nullIndicator_ + kChangedFlagDistance, changed);
}

TKorvoFieldCache::TKorvoFieldCache(TBaseTable* cursor)
    : TCollection(nullptr, [](TCollection* cache) -> TCollectionItem* {
        return new TFieldCacheItem(cache, 0, 0, static_cast<uint16_t>(cache->Count() + 1), FieldDescriptor{});
      }),
      cursor_(cursor) {}

TFieldCacheItem* TKorvoFieldCache::GetFieldItem(int fieldNumber) {
  if (fieldNumber <= 0) RaiseEngineError(DBIERR_INVALIDRECSTRUCT);
  if (fieldNumber > Count() && !cursor_) RaiseEngineError(DBIERR_INVALIDRECSTRUCT);
  while (Count() < fieldNumber) {
    const auto number = static_cast<uint16_t>(Count() + 1);
    uint16_t localSize = 0;
    uint16_t localType = 0;
    FieldDescriptor descriptor{};
    cursor_->DescribeField(number, 0, localSize, localType, descriptor);
    new TFieldCacheItem(this, localSize, localType, number, descriptor);
  }
  return Item(fieldNumber - 1);
}

void TKorvoFieldCache::SetRecordPointers(void* record) {
  for (int i = 0; i < Count(); ++i) {
    TFieldCacheItem* item = Item(i);
    item->SetRecord(record);
    item->SetChanged(false);
    item->SetBlank(true);
  }
}

uint16_t TKorvoFieldCache::FieldNumberByName(const AnsiString& name) const {
  for (int i = 0; i < Count(); ++i)
    if (SameText(Item(i)->FieldName(), name)) return Item(i)->FieldNumber();
  return 0;
}
