#pragma once
// TBaseCacheTable: cached updates over a cursor. It reads through to the cursor underneath and
// keeps every insertion, modification and deletion in its cache (a TMemTable) until they are
// applied to that cursor or cancelled; reads show the cached version of a record and hide the
// records the update-record-types mask leaves out. Everything else goes to the cursor
// underneath unchanged.
//
// Decisions where it differs from the plainest reading of its design:
// - Cached records keep the underlying cursor's whole record buffer (null indicators included),
//   so that applying them writes whole records.
// - Deleting without a record buffer caches the record read from the cursor underneath, so that
//   the deleted record can be shown with its data.
#include <cstdint>
#include <vector>

#include "recordmgr/BaseTable.h"
#include "recordmgr/MemTable.h"

class TBaseCacheTable : public TBaseTable {
  QN_CLASS(TBaseCacheTable, TBaseTable)
 public:
  // Bits of the update-record-types mask.
  static constexpr uint8_t ShowModified = 0x01;
  static constexpr uint8_t ShowInserted = 0x02;
  static constexpr uint8_t ShowDeleted = 0x04;
  static constexpr uint8_t ShowUnmodified = 0x08;

  // Over the cursor underneath, with its owner, modes, table name and list. Use CreateCursor.
  explicit TBaseCacheTable(TBaseTable* underlying);

  TBaseTable* Underlying() const { return underlying_; }
  TMemTable* Cache() const { return cache_; }
  uint8_t Mask() const { return mask_; }
  bool IgnoreCachedData() const { return ignoreCachedData_; }

  // Property 3 (low word): the mask (1 byte); 4: the ignore-cached-data flag (1 byte); 5: the
  // number of cached records (4 bytes); any other is the cursor underneath's.
  void GetProperty(uint32_t property, void* buffer, uint16_t& length, uint16_t bufferSize) override;
  void SetProperty(uint32_t property, uint32_t value) override;
  void CheckProperty(uint32_t property, bool flag) override { underlying_->CheckProperty(property, flag); }

  // The cache, with the fields, bookmark size and table name of the cursor underneath.
  void DoOpen() override;
  void DoClose() override;

  // Whether the record just read is shown. A shown record with a cached entry takes the cached
  // data (unless the ignore-cached-data flag is set) and its properties.
  virtual bool RecordVisible(void* record, void* properties);

  void FirstInRange() override;
  void LastInRange() override;
  void GetNextRecord(uint16_t lock, void* record, void* properties) override;
  void GetPriorRecord(uint16_t lock, void* record, void* properties) override;
  // A hidden record is no current record (8709).
  void GetRecord(uint16_t lock, void* record, void* properties) override;
  void InsertRecord(uint16_t lock, void* record) override { cache_->InsertRecord(lock, record); }
  void AppendRecord(void* record) override { cache_->AppendRecord(record); }
  void ModifyRecord(void* record, bool releaseLock) override;
  void DeleteRecord(void* record) override;
  // A cache table keeps to the index it was made on: no such index (9997).
  void SwitchToIndex(const char* indexName, const char* tagName, uint16_t indexNumber, bool keepCurrent) override;
  void BeginCachedUpdates(TBaseTable*& cursor) override;
  // cursor receives the cursor underneath; the cache table is freed.
  void EndCachedUpdates(TBaseTable*& cursor) override;
  void ApplyCachedUpdates(uint16_t command) override;
  void GetCacheTable(TBaseTable*& cache) override { cache = cache_; }

  // --- Forwarded to the cursor underneath ---
  void* GetRecordBuffer() override { return underlying_->GetRecordBuffer(); }
  void SetRecordBuffer(void* record) override { underlying_->SetRecordBuffer(record); }
  const char* GetTableName() override { return underlying_->GetTableName(); }
  const char* GetFullTableName() override { return underlying_->GetFullTableName(); }
  void CheckRange(const void* record) override { underlying_->CheckRange(record); }
  uint16_t GetRecordSize() override { return underlying_->GetRecordSize(); }
  uint16_t GetRecordBufferSize() override { return underlying_->GetRecordBufferSize(); }
  uint16_t GetBookmarkSize() override { return underlying_->GetBookmarkSize(); }
  void FindFieldByPosition(uint16_t position, uint16_t length, FieldDescriptor& descriptor) override {
    underlying_->FindFieldByPosition(position, length, descriptor);
  }
  void NativeToLocal(uint16_t localType, uint16_t localSize, bool& blank, void* destination, const void* source,
                     uint16_t fieldLength, int16_t units2) override {
    underlying_->NativeToLocal(localType, localSize, blank, destination, source, fieldLength, units2);
  }
  void LocalToNative(uint16_t localType, uint16_t localSize, void* field, const void* source, uint16_t fieldLength,
                     int16_t units2) override {
    underlying_->LocalToNative(localType, localSize, field, source, fieldLength, units2);
  }
  int CompareField(uint16_t type, TFieldCacheItem* field, const void* a, const void* b, bool caseInsensitive,
                   uint16_t length) override {
    return underlying_->CompareField(type, field, a, b, caseInsensitive, length);
  }
  void GetFieldValue(TFieldCacheItem* field, void* record, bool& blank, void* destination) override {
    underlying_->GetFieldValue(field, record, blank, destination);
  }
  void PutFieldValue(TFieldCacheItem* field, void* record, const void* source) override {
    underlying_->PutFieldValue(field, record, source);
  }
  bool HasFieldStatus() override { return underlying_->HasFieldStatus(); }
  void GetRecordLayoutSize(uint16_t& fieldCount, uint16_t& size) override {
    underlying_->GetRecordLayoutSize(fieldCount, size);
  }
  void DescribeField(uint16_t fieldNumber, uint16_t reserved, uint16_t& localSize, uint16_t& localType,
                     FieldDescriptor& descriptor) override {
    underlying_->DescribeField(fieldNumber, reserved, localSize, localType, descriptor);
  }
  void GetFieldDescs(FieldDescriptor* descriptors) override { underlying_->GetFieldDescs(descriptors); }
  void SetToBegin() override { underlying_->SetToBegin(); }
  void SetToEnd() override { underlying_->SetToEnd(); }
  void GetBookmark(void* bookmark) override { underlying_->GetBookmark(bookmark); }
  void SetToBookmark(const void* bookmark) override { underlying_->SetToBookmark(bookmark); }
  void ReadAtBookmark(const void* bookmark, uint16_t lock, void* record) override {
    underlying_->ReadAtBookmark(bookmark, lock, record);
  }
  const void* BookmarkKey(const void* bookmark) override { return underlying_->BookmarkKey(bookmark); }
  void CompareBookmarks(const void* bookmark1, const void* bookmark2, int& result) override {
    underlying_->CompareBookmarks(bookmark1, bookmark2, result);
  }
  void RereadCurrent(uint16_t lock, void* record) override { underlying_->RereadCurrent(lock, record); }
  void GetRecordForKey(bool directKey, uint16_t fieldCount, uint16_t length, const void* key, void* record) override {
    underlying_->GetRecordForKey(directKey, fieldCount, length, key, record);
  }
  void ReleaseLocks() override { underlying_->ReleaseLocks(); }
  void ReleaseRecordLock(bool all) override { underlying_->ReleaseRecordLock(all); }
  void InitRecord(void* record) override { underlying_->InitRecord(record); }
  void GetSequenceNumber(uint32_t& number) override { underlying_->GetSequenceNumber(number); }
  void SetToSequenceNumber(uint32_t number) override { underlying_->SetToSequenceNumber(number); }
  void GetCursorProps(CursorProperties& properties) override { underlying_->GetCursorProps(properties); }
  void GetExactRecordCount(uint32_t& count) override { underlying_->GetExactRecordCount(count); }
  void GetRecordCount(uint32_t& count) override { underlying_->GetRecordCount(count); }
  void CompareKeys(const void* key1, const void* key2, int& result, uint16_t length, uint16_t fieldCount) override {
    underlying_->CompareKeys(key1, key2, result, length, fieldCount);
  }
  void ResolveIndexName(const char* name, uint16_t& indexNumber, char* resolvedName) override {
    underlying_->ResolveIndexName(name, indexNumber, resolvedName);
  }
  void SetToKey(uint16_t searchType, bool directKey, uint16_t fieldCount, uint16_t length, const void* key) override {
    underlying_->SetToKey(searchType, directKey, fieldCount, length, key);
  }
  void SearchKey(uint16_t condition, bool directKey, void* record, const void* key, uint16_t length,
                 uint16_t fieldCount) override {
    underlying_->SearchKey(condition, directKey, record, key, length, fieldCount);
  }
  void ExtractKey(const void* record, void* key) override { underlying_->ExtractKey(record, key); }
  void ExtractKeyFields(const void* record, void* key, uint16_t& keyLength, uint16_t length,
                        uint16_t fieldCount) override {
    underlying_->ExtractKeyFields(record, key, keyLength, length, fieldCount);
  }
  void GetIndexDesc(uint16_t number, IndexDescriptor& descriptor) override {
    underlying_->GetIndexDesc(number, descriptor);
  }
  void GetIndexDescs(IndexDescriptor* descriptors) override { underlying_->GetIndexDescs(descriptors); }
  void AddIndex(const IndexDescriptor& descriptor, const char* keyExpression) override {
    underlying_->AddIndex(descriptor, keyExpression);
  }
  void DeleteIndex(const char* indexName, const char* tagName, uint16_t indexNumber) override {
    underlying_->DeleteIndex(indexName, tagName, indexNumber);
  }
  void OpenBlob(void* record, uint16_t fieldNumber, uint32_t openMode) override {
    underlying_->OpenBlob(record, fieldNumber, openMode);
  }
  void GetBlobSize(void* record, uint16_t fieldNumber, uint32_t& size) override {
    underlying_->GetBlobSize(record, fieldNumber, size);
  }
  void GetBlob(void* record, uint16_t fieldNumber, uint32_t offset, uint32_t length, void* destination,
               uint32_t& delivered) override {
    underlying_->GetBlob(record, fieldNumber, offset, length, destination, delivered);
  }
  void PutBlob(void* record, uint16_t fieldNumber, uint32_t offset, uint32_t length, const void* source) override {
    underlying_->PutBlob(record, fieldNumber, offset, length, source);
  }
  void TruncateBlob(void* record, uint16_t fieldNumber, uint32_t length) override {
    underlying_->TruncateBlob(record, fieldNumber, length);
  }
  void FreeBlob(void* record, uint16_t fieldNumber) override { underlying_->FreeBlob(record, fieldNumber); }
  void GetField(uint16_t fieldNumber, void* record, bool& blank, void* destination) override {
    underlying_->GetField(fieldNumber, record, blank, destination);
  }
  void PutField(uint16_t fieldNumber, void* record, const void* value) override {
    underlying_->PutField(fieldNumber, record, value);
  }
  void VerifyField(uint16_t fieldNumber, void* value, bool& blank) override {
    underlying_->VerifyField(fieldNumber, value, blank);
  }
  void SetRange(bool keyItself, uint16_t lowFieldCount, uint16_t lowLength, const void* lowKey, bool lowInclusive,
                uint16_t highFieldCount, uint16_t highLength, const void* highKey, bool highInclusive) override {
    underlying_->SetRange(keyItself, lowFieldCount, lowLength, lowKey, lowInclusive, highFieldCount, highLength,
                          highKey, highInclusive);
  }
  void ResetRange() override { underlying_->ResetRange(); }
  void AddFilter(uintptr_t clientData, uint16_t priority, bool canAbort, const void* expression,
                 FilterCallback callback, TFilterListItem*& filter) override {
    underlying_->AddFilter(clientData, priority, canAbort, expression, callback, filter);
  }
  void DropFilter(TFilterListItem* filter) override { underlying_->DropFilter(filter); }
  void ActivateFilter(TFilterListItem* filter) override { underlying_->ActivateFilter(filter); }
  void DeactivateFilter(TFilterListItem* filter) override { underlying_->DeactivateFilter(filter); }
  TFilterListItem* RecheckFilters() override { return underlying_->RecheckFilters(); }
  void GetFilterInfo(TFilterListItem* filter, FilterInfo& info) override { underlying_->GetFilterInfo(filter, info); }
  bool AcceptsRecord(const void* record) override { return underlying_->AcceptsRecord(record); }

 private:
  TBaseCacheTable(TBaseTable* underlying, const CursorProperties& properties);
  // The cursor underneath's bookmark of its current record.
  const void* underlyingBookmark();

  TBaseTable* underlying_;
  TMemTable* cache_ = nullptr;
  uint8_t mask_ = ShowModified | ShowInserted | ShowUnmodified;
  bool ignoreCachedData_ = false;
  std::vector<uint8_t> bookmark_;
};
