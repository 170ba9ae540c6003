#pragma once
// MemoryDataSet: a dataset whose records live in memory, for tests of everything built on
// datasets. Define FieldDefs (and IndexDefs), open, and use it like a table: an active index
// by name or by field names orders the records, ranges restrict them, key searches find them,
// and a master source makes it a detail. Records stay while the dataset is closed; EmptyDataSet
// removes them. A bookmark is a record's number, never reused, so it outlives deletes of others.
#include <cstdint>
#include <map>
#include <memory>
#include <unordered_map>
#include <vector>

#include "framework/db/DataSet.h"
#include "framework/db/IndexDefs.h"

class TMasterDataLink;

class MemoryDataSet : public TDataSet {
  QN_PUBLISHED_CLASS(MemoryDataSet, TDataSet)
 public:
  explicit MemoryDataSet(TComponent* owner = nullptr);
  ~MemoryDataSet() override;

  void EmptyDataSet();
  bool ReadOnly() const { return readOnly_; }
  void SetReadOnly(bool value);

  // --- indexes ---
  TIndexDefs& IndexDefs() { return indexDefs_; }
  AnsiString IndexName() const { return byFields_ ? AnsiString() : indexText_; }
  void SetIndexName(const AnsiString& name) { SetIndex(name, false); }
  AnsiString IndexFieldNames() const { return byFields_ ? indexText_ : AnsiString(); }
  void SetIndexFieldNames(const AnsiString& names) { SetIndex(names, !names.empty()); }
  int IndexFieldCount() const override { return static_cast<int>(keyFields_.size()); }
  TField* IndexFields(int index) const;
  bool GetIsIndexField(const TField* field) const override;

  // --- key search: a key is edited in set-key state, then searched for ---
  void SetKey();
  void EditKey();
  bool GotoKey();
  void GotoNearest();
  bool FindKey(const VariantArray& values);
  void FindNearest(const VariantArray& values);
  // The next key search (or the range end being edited) looks past equal keys.
  bool KeyExclusive() const;
  void SetKeyExclusive(bool value);

  // --- ranges on the active index ---
  void SetRangeStart();
  void SetRangeEnd();
  void EditRangeStart();
  void EditRangeEnd();
  void ApplyRange();
  void CancelRange();
  void SetRange(const VariantArray& startValues, const VariantArray& endValues);

  // --- master and detail ---
  TDataSource* MasterSource() const;
  // Raises "Circular datalinks are not allowed" when source already follows this dataset.
  void SetMasterSource(TDataSource* source);
  AnsiString MasterFields() const;
  void SetMasterFields(const AnsiString& names);
  TDataSource* GetDataSource() const override { return MasterSource(); }

  // --- searching and filters ---
  bool Locate(const AnsiString& keyFields, const VariantArray& values,
              TLocateOptions options) override;
  Variant Lookup(const AnsiString& keyFields, const VariantArray& values,
                 const AnsiString& resultField) override;
  bool FindRecord(bool restart, bool goForward) override;
  // Refused texts raise before anything changes.
  void SetFilter(const AnsiString& text) override;
  void SetFiltered(bool value) override;
  void SetFilterOptions(TFilterOptions value) override;
  void SetOnFilterRecord(const TFilterRecordEvent& handler) override;

  // --- the record-buffer protocol ---
  bool GetFieldData(TField* field, void* buffer) override;
  void SetFieldData(TField* field, const void* buffer) override;
  bool GetCurrentRecord(char* buffer) override;
  int GetRecordCount() const override;
  TStream* CreateBlobStream(TField* field, TBlobStreamMode mode) override;
  bool BookmarkValid(TBookmark bookmark) override;
  int CompareBookmarks(TBookmark a, TBookmark b) override;

 protected:
  char* AllocRecordBuffer() override;
  void FreeRecordBuffer(char*& buffer) override;
  void InternalInitRecord(char* buffer) override;
  TGetResult GetRecord(char* buffer, TGetMode mode, bool doCheck) override;
  int GetRecordSize() const override { return recordSize_; }
  void ClearCalcFields(char* buffer) override;
  bool IsCursorOpen() const override { return cursorOpen_; }
  void InternalOpen() override;
  void InternalClose() override;
  void InternalInitFieldDefs() override {}
  void InternalFirst() override { position_ = -1; }
  void InternalLast() override { position_ = static_cast<int>(view_.size()); }
  void InternalGotoBookmark(TBookmark bookmark) override;
  void InternalSetToRecord(char* buffer) override;
  void InternalPost() override;
  void InternalDelete() override;
  void InternalRefresh() override;
  void InternalAddRecord(const char* buffer, bool append) override;
  bool GetCanModify() const override { return !readOnly_; }
  void DoOnNewRecord() override;
  void PostKeyBuffer(bool commit) override;
  TBookmarkFlag GetBookmarkFlag(const char* buffer) const override;
  void SetBookmarkFlag(char* buffer, TBookmarkFlag flag) override;
  void GetBookmarkData(const char* buffer, void* data) const override;
  void SetBookmarkData(char* buffer, const void* data) override;
  int GetRecNo() const override;
  void SetRecNoImpl(int value) override;

 private:
  // Blob data by the blob field's offset.
  using Blobs = std::map<int, std::string>;
  struct Row {
    int32_t id;
    std::vector<char> data;  // recordSize_ bytes: per data field a presence byte, then its data
    Blobs blobs;
  };
  friend class MemoryBlobStream;
  // A key being edited or applied: a record-format buffer and how many key fields it sets.
  struct KeyBuffer {
    std::vector<char> data;
    int fieldCount = 0;
    bool exclusive = false;
  };
  enum KeyRole { kLookup, kRangeStart, kRangeEnd, kKeyRoles };

  void SetIndex(const AnsiString& text, bool byFields);
  void ResolveIndex();
  // Rebuilds the ordered, range-restricted list of records the cursor walks.
  void RebuildView();
  // Compares a and b (record-format) on the first count key fields of the active index.
  int CompareKeys(const char* a, const char* b, int count) const;
  bool InRange(const Row& row) const;
  int FindInView(int32_t id) const;
  // Positions the cursor on the view's first record not below key (above it when exclusive).
  int SeekKey(const KeyBuffer& key, bool exclusive) const;
  void CheckUnique(const std::vector<char>& data, int32_t ownId) const;
  void EnterKeyState(KeyRole role, bool clear);
  void SetKeyFields(KeyRole role, const VariantArray& values);
  void MasterChanged();
  void MasterDisabled();
  char* RecordBufferForState() const;
  // A blob stream wrote into buffer's blob of field.
  void BlobWritten(TField* field, char* buffer, bool empty);
  // Whether the filter (text and event) accepts row, whether or not Filtered is on.
  bool FilterAccepts(const Row& row);
  // The first record of the view from `from` in direction step whose fields hold values.
  int LocateRecord(const AnsiString& keyFields, const VariantArray& values,
                   TLocateOptions options);
  // Re-reads the records after the filter changed, from the first.
  void FilterChanged();
  int32_t BufferId(const char* buffer) const;

  TIndexDefs indexDefs_;
  AnsiString indexText_;
  bool byFields_ = false;
  std::vector<TField*> keyFields_;
  std::vector<bool> descending_;
  bool caseInsensitive_ = false;
  bool unique_ = false;

  std::vector<std::unique_ptr<Row>> rows_;  // in the order they were added
  std::vector<Row*> view_;
  int position_ = -1;  // in view_: -1 before the first, view_.size() after the last
  int32_t nextId_ = 1;
  int recordSize_ = 0;
  int bufferSize_ = 0;
  bool cursorOpen_ = false;
  bool readOnly_ = false;

  KeyBuffer keys_[kKeyRoles];
  KeyBuffer appliedStart_, appliedEnd_;
  bool rangeActive_ = false;
  KeyRole editingKey_ = kLookup;
  std::vector<char> savedKey_;  // the key as it was when set-key state began

  std::unique_ptr<TMasterDataLink> masterLink_;
  std::vector<uint8_t> filterBlock_;  // the compiled Filter text; empty for none
  const char* filterRecord_ = nullptr;  // the record under test in filter state
  // The blobs of the records in the window's buffers (edits stay here until posted).
  std::unordered_map<const char*, Blobs> bufferBlobs_;
};
