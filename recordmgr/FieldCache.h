#pragma once
// TKorvoFieldCache: a cursor's field descriptors, fetched from its driver on first use and kept;
// TFieldCacheItem: one of them, pointed at the record being worked on, with access to the field's
// null indicator and changed flag in that record.
#include <cstdint>

#include "framework/base/Collection.h"
#include "framework/base/PublishedProperties.h"
#include "recordmgr/FieldDescriptor.h"

class TBaseTable;
class TKorvoFieldCache;

class TFieldCacheItem : public TCollectionItem {
  QN_PUBLISHED_CLASS(TFieldCacheItem, TCollectionItem)
 public:
  // Joins the cache at its end with a copy of the descriptor, then the three values given.
  TFieldCacheItem(TCollection* cache, uint16_t localSize, uint16_t localType, uint16_t fieldNumber,
                  const FieldDescriptor& descriptor);

  const FieldDescriptor& Descriptor() const { return descriptor_; }

  uint16_t FieldNumber() const { return descriptor_.FieldNumber; }
  void SetFieldNumber(uint16_t value) { descriptor_.FieldNumber = value; }
  AnsiString FieldName() const;
  // Keeps the first 31 characters.
  void SetFieldName(const AnsiString& value);
  uint16_t FieldType() const { return descriptor_.FieldType; }
  void SetFieldType(uint16_t value) { descriptor_.FieldType = value; }
  uint16_t FieldSubType() const { return descriptor_.FieldSubType; }
  void SetFieldSubType(uint16_t value) { descriptor_.FieldSubType = value; }
  int16_t FieldUnits1() const { return descriptor_.FieldUnits1; }
  void SetFieldUnits1(int16_t value) { descriptor_.FieldUnits1 = value; }
  int16_t FieldUnits2() const { return descriptor_.FieldUnits2; }
  void SetFieldUnits2(int16_t value) { descriptor_.FieldUnits2 = value; }
  uint16_t FieldLength() const { return descriptor_.FieldLength; }
  void SetFieldLength(uint16_t value) { descriptor_.FieldLength = value; }
  uint16_t LocalType() const { return descriptor_.LocalType; }
  void SetLocalType(uint16_t value) { descriptor_.LocalType = value; }
  uint16_t LocalSize() const { return descriptor_.LocalSize; }
  void SetLocalSize(uint16_t value) { descriptor_.LocalSize = value; }

  // Points the item at a record buffer (nullptr: at none).
  void SetRecord(void* record);
  uint8_t* Record() const { return record_; }
  // The field's place in the record; nullptr when the item points at none.
  uint8_t* FieldData() const { return fieldData_; }
  // True when the field has a null indicator in the record and it says blank.
  bool IsBlank() const;
  // Both write only where the field has a null indicator.
  void SetBlank(bool blank);
  void SetChanged(bool changed);

 private:
  FieldDescriptor descriptor_;
  uint8_t* record_ = nullptr;
  uint8_t* fieldData_ = nullptr;
  uint8_t* nullIndicator_ = nullptr;
};

class TKorvoFieldCache : public TCollection {
  QN_CLASS(TKorvoFieldCache, TCollection)
 public:
  // Without a cursor the cache holds only what is put into it.
  explicit TKorvoFieldCache(TBaseTable* cursor);

  TBaseTable* Cursor() const { return cursor_; }
  TFieldCacheItem* Item(int index) const { return static_cast<TFieldCacheItem*>(Items(index)); }
  // The item of a 1-based field number. A field not yet cached is described by the cursor's
  // driver, together with the fields before it that are missing, so that an item's position
  // always follows its number. A number of 0 or less (or a field without a cursor to describe
  // it) raises invalid record structure (10003).
  TFieldCacheItem* GetFieldItem(int fieldNumber);
  // Points every item at the record, clears its changed flag and marks it blank.
  void SetRecordPointers(void* record);
  // The number of the first field of that name, compared without case; 0 when none.
  uint16_t FieldNumberByName(const AnsiString& name) const;

 private:
  TBaseTable* cursor_;
};
