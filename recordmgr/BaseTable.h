#pragma once
// TBaseTable: the driver-independent cursor. One open table (or list) with a current position,
// an optional key range, filters and a cache of field descriptors. It navigates over a driver's
// four primitives (MoveFirst, MoveLast, MoveNext, MovePrior) through the range and filter check,
// reads and writes fields through the field cache and its null indicators, compares keys by
// logical type, keeps bookmarks as keys, counts records by reading and empties a table. Whatever
// touches a file is a driver's: a driver derives from it and supplies the primitives and what
// else it offers; what nobody supplies answers not supported (12289).
//
// Cursors are created through CreateCursor, which runs the construction steps that depend on the
// driver (its table-name parsing, driver area, DoOpen) once the object is whole. Every failure is
// an EKorvoEngineError; the boundary errors (EKorvoBOFError, EKorvoEOFError) leave the record
// buffer holding the last record read.
//
// Decisions where this cursor differs from the plainest reading of its design:
// - CompareField orders two Booleans false before true (-1, 0, 1) instead of answering only
//   "equal" or "different": a range over a Boolean key must not let a false record pass a true
//   low bound, and filters such as Flag < True must agree with the in-memory dataset's evaluator.
// - ReadBlock and WriteBlock refuse (invalid parameter) a block whose size in bytes reaches
//   65,536 before touching a record, as the buffer offset is kept in 16 bits and would wrap onto
//   the start of the caller's buffer.
// - A read under a lock first puts the cursor on the record it moved to, then re-reads it locked;
//   re-reading while still "not positioned" or "between records" would refuse the record or move
//   on past it.
// - Counting and key searches read into buffers of their own; the driver gets back its previous
//   record buffer afterwards, never one that has been freed.
#include <cstdint>
#include <utility>

#include "recordmgr/BapiListItem.h"
#include "recordmgr/CursorProperties.h"
#include "recordmgr/FieldCache.h"
#include "recordmgr/FilterListItem.h"
#include "recordmgr/IndexDescriptor.h"
#include "recordmgr/KorvoCollection.h"

// Positions of a cursor.
enum CursorState : uint8_t {
  csOpen = 0,          // open, not positioned
  csOnRecord = 1,
  csAtBeginning = 2,   // before the first record
  csAtEnd = 3,         // after the last record
  csBetween = 4,       // between records; the next read moves forward
  csClosed = 5,
};

// The direction of the last move.
enum CursorDirection : uint8_t { cdForward = 1, cdBackward = 2 };

// Conditions of a key search (SearchKey).
enum SearchConditionKind : uint16_t {
  scEqual = 0,
  scAtOrAfter = 1,
  scAfter = 2,
  scBefore = 3,
  scAtOrBefore = 4,
};

// One side (low or high bound) of a key range.
struct RangeSide {
  static constexpr int KeyCopySize = 256;

  bool KeyItself = false;  // the key is given in key form, else a record buffer whose key counts
  bool Active = false;
  uint16_t FieldCount = 0;  // key fields taking part
  uint16_t Length = 0;      // length of the last, partial key field (0: whole field)
  const void* Key = nullptr;  // KeyCopy, or the record buffer given
  bool Inclusive = false;
  bool WholeKey = false;  // neither a field count nor a length was given
  uint8_t KeyCopy[KeyCopySize] = {};
};

// How one key field takes part in key comparisons of the current index.
struct KeySegment {
  bool Override = false;  // compare with the substitute type and length below
  uint16_t SubstituteLocalType = 0;
  uint16_t SubstituteLength = 0;
  bool Descending = false;
  bool CaseInsensitive = false;  // text compares upper-cased, as the record manager orders it
};

// The current index's key, set by the driver when it switches index.
struct KeyDescription {
  static constexpr int MaxFields = IndexDescriptor::MaxKeyFields;

  uint16_t FieldCount = 0;
  uint16_t KeySize = 0;
  uint16_t FieldNumbers[MaxFields] = {};  // in key order
  KeySegment Segments[MaxFields] = {};
};

class TBaseTable : public TBapiListItem {
  QN_CLASS(TBaseTable, TBapiListItem)
 public:
  static constexpr int TextSize = 260;  // table name, full table name, creation text
  static constexpr uint32_t ExclusiveMode = 1;  // share mode of a table open exclusively

  // State closed, the modes stored, the creation text copied, the field cache and filter list
  // made. Use CreateCursor, which completes the construction.
  TBaseTable(TBapiListItem* database, uint32_t shareMode, uint32_t openMode, const char* creationText,
             const char* tableName, TKorvoCollection* list);
  ~TBaseTable() override;  // frees the filters, the field cache and the driver area

  // What the constructor leaves to the driver's overrides: SetTableName, the driver area of
  // DriverDataSize bytes, DoOpen. Called once, by CreateCursor.
  void CompleteCreation();

  // --- The cursor's fields, for the engine and the drivers ---
  uint8_t State() const { return state_; }
  uint8_t Direction() const { return direction_; }
  uint32_t ShareMode() const { return shareMode_; }
  uint32_t OpenMode() const { return openMode_; }
  const char* CreationText() const { return creationText_; }
  TKorvoFieldCache* FieldCache() const { return fieldCache_; }
  TKorvoCollection* FilterList() const { return filterList_; }
  uint8_t* DriverData() const { return driverData_; }
  KeyDescription& Key() { return key_; }
  RangeSide& LowRange() { return lowRange_; }
  RangeSide& HighRange() { return highRange_; }
  // Both sides active with equal field counts and lengths: one key extraction serves both tests.
  bool RangeSameShape() const { return rangeSameShape_; }
  bool FiltersActive() const { return filtersActive_; }
  bool ForceRereadSet() const { return forceReread_; }

  // --- Virtual operations, in the engine's order ---
  // Property 0 (low 16 bits): the 16-bit value 20; 1: nothing (length 0); 5: a 32-bit 0; any
  // other is not supported.
  void GetProperty(uint32_t property, void* buffer, uint16_t& length, uint16_t bufferSize) override;
  // Property 20 (low 16 bits) puts the cursor between records, reading forward next.
  void SetProperty(uint32_t property, uint32_t value) override;
  // Properties 0 and 1 are not supported when the flag is false.
  void CheckProperty(uint32_t property, bool flag) override;

  // A positive size makes CompleteCreation allocate a zeroed driver area of that many bytes.
  virtual uint32_t DriverDataSize() { return 0; }
  virtual void* GetRecordBuffer() { return recordBuffer_; }
  // The buffer the driver reads into.
  virtual void SetRecordBuffer(void* record) { recordBuffer_ = static_cast<uint8_t*>(record); }
  virtual void* GetInitRecord() { return initRecord_; }
  virtual void SetInitRecord(void* record) { initRecord_ = static_cast<uint8_t*>(record); }
  virtual const char* GetTableName() { return tableName_; }
  // Copies up to 260 characters; nil is ignored.
  virtual void SetTableName(const char* name);
  virtual const char* GetFullTableName() { return fullTableName_; }
  // Without leading and trailing blanks, at most 255 characters.
  virtual void SetFullTableName(const char* name);
  // Raises beginning of file for a record before the low bound, end of file for one after the
  // high bound; nothing without an active side.
  virtual void CheckRange(const void* record);
  virtual uint16_t GetRecordSize() { return recordSize_; }
  // The record size; with field status 8 bytes more per field and one more.
  virtual uint16_t GetRecordBufferSize();
  virtual uint16_t GetBookmarkSize() { return 256; }
  // The descriptor of the field starting at a 1-based byte position: the one of that length, else
  // the last one starting there; LocalSize in its last word. None: invalid record structure with
  // "Table: " and the table name.
  virtual void FindFieldByPosition(uint16_t position, uint16_t length, FieldDescriptor& descriptor);
  virtual uint16_t SearchCondition(bool inclusive, bool forward);
  virtual void DoOpen() {}
  virtual void DoClose() {}
  // The driver's primitives; here a table without records.
  virtual void MoveFirst();
  virtual void MoveLast();
  virtual void MoveNext();
  virtual void MovePrior();
  // Converts a stored value (source, fieldLength bytes) into the local type at destination;
  // blank may be set when the stored value means "no value". The base converts nothing.
  virtual void NativeToLocal(uint16_t localType, uint16_t localSize, bool& blank, void* destination,
                             const void* source, uint16_t fieldLength, int16_t units2);
  // Converts a local value (nil: no value) into the field's place. The base converts nothing.
  virtual void LocalToNative(uint16_t localType, uint16_t localSize, void* field, const void* source,
                             uint16_t fieldLength, int16_t units2) {}
  // -1, 0 or 1 for value b against value a, by logical type over length bytes.
  virtual int CompareField(uint16_t type, TFieldCacheItem* field, const void* a, const void* b, bool caseInsensitive,
                           uint16_t length);
  virtual void GetFieldValue(TFieldCacheItem* field, void* record, bool& blank, void* destination);
  virtual void PutFieldValue(TFieldCacheItem* field, void* record, const void* source);
  // Whether records carry a null indicator and changed flag per field.
  virtual bool HasFieldStatus() { return false; }
  // The number of fields (none: invalid record structure) and the largest offset + length,
  // computed once.
  virtual void GetRecordLayoutSize(uint16_t& fieldCount, uint16_t& size);
  virtual void Activate() { state_ = csOpen; }
  virtual void Deactivate() { state_ = csClosed; }
  // A second cursor on the same table, opened through the owning database (invalid parameter when
  // the owner is none) with this cursor's open and share modes and creation text.
  virtual void CloneCursor(bool readOnly, bool unidirectional, TBaseTable*& cursor);
  virtual void DescribeField(uint16_t fieldNumber, uint16_t reserved, uint16_t& localSize, uint16_t& localType,
                             FieldDescriptor& descriptor);
  // Every cached field's descriptor, LocalSize in its last word.
  virtual void GetFieldDescs(FieldDescriptor* descriptors);
  virtual void SetToBegin() { state_ = csAtBeginning; }
  virtual void SetToEnd() { state_ = csAtEnd; }
  // Positions the destination on this cursor's record.
  virtual void SetToCursor(TBaseTable* destination);
  virtual void GetBookmark(void* bookmark);
  virtual void SetToBookmark(const void* bookmark);
  virtual void ReadAtBookmark(const void* bookmark, uint16_t lock, void* record);
  // The key inside a bookmark; the bookmark itself here.
  virtual const void* BookmarkKey(const void* bookmark) { return bookmark; }
  // -1, 0 or 1: the keys of two bookmarks compared over the whole current key.
  virtual void CompareBookmarks(const void* bookmark1, const void* bookmark2, int& result);
  virtual void FirstInRange();
  virtual void LastInRange();
  // Fills the properties of the record just read. The base fills nothing.
  virtual void FillRecordProps(void* properties) {}
  virtual void GetNextRecord(uint16_t lock, void* record, void* properties);
  virtual void GetPriorRecord(uint16_t lock, void* record, void* properties);
  virtual void RereadCurrent(uint16_t lock, void* record);
  virtual void GetRecord(uint16_t lock, void* record, void* properties);
  virtual void GetRelativeRecord(int32_t count, uint16_t lock, void* properties, void* record);
  virtual void GetRecordForKey(bool directKey, uint16_t fieldCount, uint16_t length, const void* key, void* record);
  virtual void GetValidityCheckDesc(uint16_t number, void* descriptor);
  virtual void ReleaseLocks() {}
  virtual void ReleaseRecordLock(bool all) { ReleaseLocks(); }
  // Zeroes the record buffer; with field status every field becomes blank and unchanged.
  virtual void InitRecord(void* record);
  virtual void InsertRecord(uint16_t lock, void* record) {}
  virtual void AppendRecord(void* record) { InsertRecord(0, record); }
  virtual void ModifyRecord(void* record, bool releaseLock) {}
  virtual void DeleteRecord(void* record) {}
  // Reads up to count records forward into consecutive record buffers; count becomes the number
  // read. An error (end of file at the end of the table) passes on after it.
  virtual void ReadBlock(uint32_t& count, void* buffer);
  // Inserts count records from consecutive record buffers; count becomes the number inserted.
  virtual void WriteBlock(uint32_t& count, void* buffer);
  virtual void GetSequenceNumber(uint32_t& number);
  virtual void SetToSequenceNumber(uint32_t number);
  virtual void GetCursorProps(CursorProperties& properties);
  // Counts by reading from the beginning; the cursor returns to its record when it had one.
  virtual void GetExactRecordCount(uint32_t& count);
  virtual void GetRecordCount(uint32_t& count) { GetExactRecordCount(count); }
  virtual void ForceReread() { forceReread_ = true; }
  virtual void ForceRecordReread(void* record);
  // The sign of key1 against key2 (nil: the current record buffer), over fieldCount key fields
  // with the last one cut to length; both 0: the whole current key.
  virtual void CompareKeys(const void* key1, const void* key2, int& result, uint16_t length, uint16_t fieldCount);
  // An index name is taken as it is; a list of field names, each preceded by "@", finds the index
  // whose key holds exactly those fields in that order.
  virtual void ResolveIndexName(const char* name, uint16_t& indexNumber, char* resolvedName);
  virtual void SwitchToIndex(const char* indexName, const char* tagName, uint16_t indexNumber, bool keepCurrent);
  // Search type 1: after the key; 2: at or after it; any other: equal.
  virtual void SetToKey(uint16_t searchType, bool directKey, uint16_t fieldCount, uint16_t length, const void* key);
  virtual void SearchKey(uint16_t condition, bool directKey, void* record, const void* key, uint16_t length,
                         uint16_t fieldCount);
  virtual void ExtractKey(const void* record, void* key);
  virtual void ExtractKeyFields(const void* record, void* key, uint16_t& keyLength, uint16_t length,
                                uint16_t fieldCount);
  virtual void GetIndexDesc(uint16_t number, IndexDescriptor& descriptor);
  // One descriptor per index the cursor properties count.
  virtual void GetIndexDescs(IndexDescriptor* descriptors);
  // Deletes from the first record in range until the driver refuses, then counts; passes are
  // repeated while records remain, at most 4 more times.
  virtual void DeleteAllRecords();
  // DeleteAllRecords with the table open exclusively; the cursor ends in the state and share mode
  // it had.
  virtual void EmptyTable();
  virtual void AddIndex(const IndexDescriptor& descriptor, const char* keyExpression);
  virtual void DeleteIndex(const char* indexName, const char* tagName, uint16_t indexNumber);
  // A cache table over this cursor: it reads through to this cursor and keeps every change until
  // the changes are applied or cancelled.
  virtual void BeginCachedUpdates(TBaseTable*& cursor);
  // The cache table's: cursor receives the cursor under it, and the cache table is freed.
  virtual void EndCachedUpdates(TBaseTable*& cursor);
  // The cache table's: 0 forgets the applied changes, 1 cancels all, 2 the current record's, 3
  // applies them.
  virtual void ApplyCachedUpdates(uint16_t command);
  virtual void GetCacheTable(TBaseTable*& cache);
  virtual void OpenBlob(void* record, uint16_t fieldNumber, uint32_t openMode);
  virtual void GetBlobSize(void* record, uint16_t fieldNumber, uint32_t& size);
  virtual void GetBlob(void* record, uint16_t fieldNumber, uint32_t offset, uint32_t length, void* destination,
                       uint32_t& delivered);
  virtual void PutBlob(void* record, uint16_t fieldNumber, uint32_t offset, uint32_t length, const void* source);
  virtual void TruncateBlob(void* record, uint16_t fieldNumber, uint32_t length);
  virtual void FreeBlob(void* record, uint16_t fieldNumber) {}
  // Without a destination only blank is answered.
  virtual void GetField(uint16_t fieldNumber, void* record, bool& blank, void* destination);
  // nil marks the field blank; either way it is marked changed.
  virtual void PutField(uint16_t fieldNumber, void* record, const void* value);
  virtual void VerifyField(uint16_t fieldNumber, void* value, bool& blank);

  // --- Ranges ---
  // Sets both sides (nil key: that side inactive) after resetting the range. A key in key form
  // is copied; with field count 0 it takes the key's field count less one for each blank key
  // field, and none left makes the side inactive. A side given as a record has its key
  // extracted by ApplyRange.
  virtual void SetRange(bool keyItself, uint16_t lowFieldCount, uint16_t lowLength, const void* lowKey,
                        bool lowInclusive, uint16_t highFieldCount, uint16_t highLength, const void* highKey,
                        bool highInclusive);
  virtual void ResetRange();
  // Stores the sides' active flags and extracts the key of each active side given as a record;
  // a side whose key cannot be extracted becomes inactive.
  void ApplyRange(bool lowActive, bool highActive);

  // --- Filters ---
  // A new filter, inactive, at the end of the list. A damaged expression raises invalid parameter
  // and adds nothing.
  virtual void AddFilter(uintptr_t clientData, uint16_t priority, bool canAbort, const void* expression,
                         FilterCallback callback, TFilterListItem*& filter);
  // nil frees every filter; a filter not in the list is left alone.
  virtual void DropFilter(TFilterListItem* filter);
  // nil: every filter. A filter not in the list raises no such filter (10050).
  virtual void ActivateFilter(TFilterListItem* filter);
  virtual void DeactivateFilter(TFilterListItem* filter);
  // Whether any filter is active, kept in the filters-active flag; the first active filter.
  virtual TFilterListItem* RecheckFilters();
  // nil: the first filter's, or all zeros without filters; a filter not in the list raises no such
  // filter (10050).
  virtual void GetFilterInfo(TFilterListItem* filter, FilterInfo& info);
  // Whether every active filter, in list order, accepts the record.
  virtual bool AcceptsRecord(const void* record);

 protected:
  // Before any destructor runs: DoClose, while the driver's part still stands.
  void BeforeDestruction() override;

  // The range and filter check after a move: out of range raises; a record the active filters
  // reject is passed over in the direction of the move.
  void CheckPosition(void* record);

  uint16_t recordSize_ = 0;
  uint8_t* recordBuffer_ = nullptr;
  uint8_t state_ = csClosed;
  uint8_t direction_ = cdForward;
  RangeSide lowRange_;
  RangeSide highRange_;
  bool rangeSameShape_ = false;
  TKorvoCollection* filterList_;
  bool filtersActive_ = false;
  uint32_t openMode_;
  uint32_t shareMode_;
  uint8_t* driverData_ = nullptr;
  KeyDescription key_;
  uint16_t layoutSize_ = 0;  // 0 until GetRecordLayoutSize computed it
  TKorvoFieldCache* fieldCache_;
  bool forceReread_ = false;
  char creationText_[TextSize + 1] = {};
  char tableName_[TextSize + 1] = {};
  char fullTableName_[TextSize + 1] = {};
  uint8_t* initRecord_ = nullptr;

 private:
  // The side's key copy from key form; blank key fields lower an unstated field count.
  void fillKeySide(RangeSide& side, const void* key);
  // The index of the filter in the list; no such filter (10050) when it is not there.
  int filterIndex(TFilterListItem* filter) const;

  AnsiString pendingTableName_;  // given to the constructor, set by CompleteCreation
  bool pendingTableNameGiven_ = false;
};

// Creates a cursor of class Cursor and completes its construction; a cursor whose completion
// fails is freed and the error passes on.
template <class Cursor, class... Args>
Cursor* CreateCursor(Args&&... args) {
  auto* cursor = new Cursor(std::forward<Args>(args)...);
  try {
    cursor->CompleteCreation();
  } catch (...) {
    delete cursor;
    throw;
  }
  return cursor;
}
