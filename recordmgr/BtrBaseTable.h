#pragma once
// TBtrBaseTable: what every cursor over a record-manager file needs, open or not: the client
// identifier its calls carry, the options of its table name (owner, layout), field conversion by
// the record manager's stored type, key-value comparison under an alternate collating sequence,
// and the memo kept in a record's variable tail.
//
// A field's LocalType is the record manager's stored type and LocalSize its stored size; values
// cross to the engine through the field-type converters.
#include <cstdint>

#include "recordmgr/BaseTable.h"
#include "recordmgr/DictionaryFieldRecord.h"
#include "recordmgr/TableNameOptions.h"

class TBtrBaseTable : public TBaseTable {
  QN_CLASS(TBtrBaseTable, TBaseTable)
 public:
  static constexpr uint16_t MemoSubType = 22;

  // clientId: the session's 16 bytes (nil: the default client); kept by reference.
  TBtrBaseTable(TBapiListItem* database, uint32_t shareMode, uint32_t openMode, const char* creationText,
                const char* tableName, TKorvoCollection* list, const uint8_t* clientId);

  const uint8_t* ClientId() const { return clientId_; }
  // The last field is a memo kept in the record's variable part.
  bool HasVariableTail() const;
  const AnsiString& OwnerName() const { return options_.OwnerName; }
  bool HasLayoutResource() const { return options_.HasLayoutResource; }
  void SetHasLayoutResource(bool value) { options_.HasLayoutResource = value; }
  const AnsiString& LayoutName() const { return options_.LayoutName; }

  // Takes the name's options; the abstract table keeps the plain name.
  void SetTableName(const char* name) override;

  void NativeToLocal(uint16_t localType, uint16_t localSize, bool& blank, void* destination, const void* source,
                     uint16_t fieldLength, int16_t units2) override;
  // A nil value clears the field.
  void LocalToNative(uint16_t localType, uint16_t localSize, void* field, const void* source, uint16_t fieldLength,
                     int16_t units2) override;
  // Text under the current key's alternate collating sequence compares translated; stored forms
  // whose bytes do not sort as their values (packed and text numbers, short floats, dates,
  // times) compare as values.
  int CompareField(uint16_t type, TFieldCacheItem* field, const void* a, const void* b, bool caseInsensitive,
                   uint16_t length) override;

  // Appends one dictionary field to the field cache as the converters present it, numbered
  // fieldNumber.
  void AddDictionaryField(const DictionaryFieldRecord& field, uint16_t fieldNumber);

  // The memo tail: fields of subtype 22 kept as zero-terminated text.
  void OpenBlob(void* record, uint16_t fieldNumber, uint32_t openMode) override;
  void GetBlobSize(void* record, uint16_t fieldNumber, uint32_t& size) override;
  // Ends with end of blob when fewer bytes than asked were left.
  void GetBlob(void* record, uint16_t fieldNumber, uint32_t offset, uint32_t length, void* destination,
               uint32_t& delivered) override;
  void PutBlob(void* record, uint16_t fieldNumber, uint32_t offset, uint32_t length, const void* source) override;

 protected:
  // A write's data length when the record ends in a memo: the fixed part and the memo's text.
  uint16_t TailDataLength(void* record);
  // The 265-byte collating sequence of the current key, or nil.
  virtual const uint8_t* CurrentCollation() const { return nullptr; }
  // After PutBlob: the memo's text now ends end bytes into the field (its terminating zero
  // counted when there is text). A cursor whose rows carry their length keeps it here.
  virtual void UpdateTailLength(void* record, TFieldCacheItem* field, uint32_t end) {}

 private:
  TFieldCacheItem* memoField(void* record, uint16_t fieldNumber, uint16_t failure);

  const uint8_t* clientId_;
  TableNameOptions options_;
};
