#pragma once
// TttBDEDataset: the framework dataset whose records come from an engine cursor, reached only
// through the engine facade. It lays the cursor's records into the framework's record buffers,
// makes the field definitions of the cursor's field descriptors, and writes, deletes and
// positions through the cursor. It keeps no record of its own beyond the buffers the framework
// asks for.
//
// The binding supplies the engine object and the default session; a descendant supplies the
// cursor (CreateHandle). The binding's destructor closes the dataset (CloseForDestruction) while
// its Engine is still there to close the cursor.
//
// Decisions where the dataset differs from the plainest reading of its design:
// - Before an edit, a post of an edit and a delete, the cursor is set on the row's bookmark and
//   the row counts as found only when the cursor's bookmark there is that bookmark. When the
//   cursor fell back to another record (another workstation deleted the row), edit and post
//   raise no current record (8709) and change nothing, and a delete does nothing: taken
//   literally they would change or delete the neighbouring record.
// - The cursor properties name no count of validity checks and the cursors here keep none, so no
//   field becomes required through them; hidden fields are never asked for.
// - A block begins with the active record: the cursor steps back one record before the first
//   block is read, as a block read goes on after the cursor's record. The cursors here take the
//   "between records" property (0x50014) as a step past the record they are on, so it is not set.
//   Calculated values of a block record are worked out in the spare buffer, as a block record has
//   no room for them.
// - After a delete the dataset stands on the record that followed in the range, or at its end
//   (Eof) when there was none, as a cursor between records would otherwise fall back to the
//   record before.
// - A record buffer's blob cache is filled only by blob streams; GetBlobFieldData serves the
//   active buffer's cached blob and reads the cursor otherwise.
#include <cstdint>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "recordmgr/FrameworkBDEDataSet.h"
#include "recordmgr/CursorProperties.h"
#include "recordmgr/DataSetUpdateObject.h"
#include "recordmgr/FieldDescriptor.h"
#include "recordmgr/IndexDescriptor.h"

class TBaseTable;
class TFilterListItem;
class TttSession;
class TVirtEng;

QN_EXCEPTION(ENoResultSet, EDatabaseError)

namespace dataset_texts {
inline constexpr const char* kNoResultSet = "Error creating cursor handle";
}  // namespace dataset_texts

class TttBDEDataset : public TBDEDataSet {
  QN_CLASS(TttBDEDataset, TBDEDataSet)
 public:
  static constexpr uint32_t PropertyMakeCrack = 0x50014;
  static constexpr uint16_t LockForWrite = 1;
  static constexpr int BlockBufferSize = 24576;

  explicit TttBDEDataset(TComponent* owner);
  ~TttBDEDataset() override;

  // --- Supplied by the binding ---
  virtual TVirtEng* Engine() = 0;
  virtual TttSession* DefaultSession() = 0;

  TBaseTable* Handle() const { return handle_; }
  int RecordSize() const { return recordSize_; }
  bool CanModifyCursor() const { return canModify_; }
  bool RecordNumbersSupported() const { return recordNumbers_; }
  // The cursor's descriptor of a physical field (1-based); nullptr for another number.
  const FieldDescriptor* Descriptor(int fieldNo) const;

  // --- The framework's dataset protocol ---
  bool GetFieldData(TField* field, void* buffer) override;
  void SetFieldData(TField* field, const void* buffer) override;
  bool GetCurrentRecord(char* buffer) override;
  int GetRecordCount() const override;
  bool IsSequenced() const override;
  bool BookmarkValid(TBookmark bookmark) override;
  int CompareBookmarks(TBookmark a, TBookmark b) override;
  int GetBlobFieldData(int fieldNo, std::vector<char>& buffer) override;
  void DataEvent(TDataEvent event, intptr_t info) override;
  void SetBlockReadSize(int size) override;
  TStream* CreateBlobStream(TField* field, TBlobStreamMode mode) override;

  // --- Blobs ---
  // The record buffer fields read and write in the current state; nullptr when there is none.
  char* RecordBufferForState() const { return recordBufferForState(); }
  char* ActiveRecordBuffer() const { return ActiveBuffer(); }
  // The whole blob of a buffer's field, once a stream has read it in order; empty otherwise.
  // Refilling or freeing the buffer forgets it.
  std::string& BlobCache(const char* buffer, int fieldNo) { return blobCaches_[buffer][fieldNo]; }
  void ClearBlobCache(const char* buffer, int fieldNo);

  // --- Cached updates ---
  bool CachedUpdates() const { return cachedUpdates_; }
  // On an open dataset the cursor is put under a cache table, or taken back from it.
  void SetCachedUpdates(bool value);
  // Raises "Not in cached update mode" unless CachedUpdates.
  void CheckCachedUpdates() const;

  // --- The update object ---
  TTDataSetUpdateObject* UpdateObject() const { return updateObject_; }
  // Links the object to this dataset alone: a dataset it served before lets it go.
  void SetUpdateObject(TTDataSetUpdateObject* value);
  // The application's own handler of each cached change.
  std::function<void(TDataSet*, TUpdateKind, TUpdateAction&)> OnUpdateRecord;
  // Cached changes go through a handler or an update object rather than the cursor.
  bool UpdatesApplyElsewhere() const { return cachedUpdates_ && (OnUpdateRecord || updateObject_); }

  // --- Filters and searching ---
  void SetFilter(const AnsiString& text) override;
  void SetFilterOptions(TFilterOptions value) override;
  void SetFiltered(bool value) override;
  void SetOnFilterRecord(const TFilterRecordEvent& handler) override;
  bool FindRecord(bool restart, bool goForward) override;
  bool Locate(const AnsiString& keyFields, const VariantArray& values, TLocateOptions options) override;
  Variant Lookup(const AnsiString& keyFields, const VariantArray& values, const AnsiString& resultField) override;

  // Runs the handler on a record the cursor's filter offers, the fields reading that record
  // meanwhile; whether it accepts the record. What the handler raises goes to the application's
  // handler and leaves the record taken or left as the handler had decided.
  bool FilterRecordWith(void* record, const TFilterRecordEvent& handler);

  // --- The active index and its key fields ---
  int IndexFieldCount() const override;
  bool GetIsIndexField(const TField* field) const override;
  // Key field i of the active index: "Field index out of range" outside the key, "Cannot access
  // index field '%s'" when the dataset has no field object for it.
  TField* GetIndexField(int index) const;
  void SetIndexField(int index, const Variant& value);
  // Whether the fields are the leading key fields of the active index, in order, compared with
  // the index's own case option.
  bool MapsToIndex(const std::vector<TField*>& fields, bool caseInsensitive) const;

  // The six key buffers through which keys and ranges are built from field values.
  enum KeyBufferRole { kbLookupKey, kbRangeStart, kbRangeEnd, kbCurrentRangeStart, kbCurrentRangeEnd, kbSavedKey };
  static constexpr int KeyBufferCount = 6;
#pragma pack(push, 1)
  struct KeyBufferHeader {
    uint8_t Modified;
    uint8_t Exclusive;
    uint8_t Spare[2];
    uint16_t FieldCount;
    uint16_t Spare2;
  };
#pragma pack(pop)
  static_assert(sizeof(KeyBufferHeader) == 8);

 protected:
  void Notification(TComponent* component, TOperation operation) override;
  // The cursor of the dataset; nil when there is none.
  virtual TBaseTable* CreateHandle() { return nullptr; }
  virtual void DestroyHandle();
  virtual void PrepareCursor() {}

  void OpenCursor(bool infoQuery) override;
  void CloseCursor() override;
  bool IsCursorOpen() const override { return handle_ != nullptr; }
  void InternalOpen() override;
  void InternalClose() override;
  void InternalInitFieldDefs() override;

  char* AllocRecordBuffer() override;
  void FreeRecordBuffer(char*& buffer) override;
  void InternalInitRecord(char* buffer) override;
  void InitRecord(char* buffer) override;
  TGetResult GetRecord(char* buffer, TGetMode mode, bool doCheck) override;
  int GetRecordSize() const override { return recordSize_; }
  void ClearCalcFields(char* buffer) override;

  void InternalFirst() override;
  void InternalLast() override;
  void InternalGotoBookmark(TBookmark bookmark) override;
  void InternalSetToRecord(char* buffer) override;
  void InternalEdit() override;
  void InternalInsert() override;
  void InternalPost() override;
  void InternalCancel() override;
  void InternalDelete() override;
  void InternalRefresh() override;
  void InternalAddRecord(const char* buffer, bool append) override;
  void InternalHandleException() override;
  bool GetCanModify() const override { return canModify_ || UpdatesApplyElsewhere(); }
  bool DeletedLastRecord() const override { return deletedLast_; }

  TBookmarkFlag GetBookmarkFlag(const char* buffer) const override;
  void SetBookmarkFlag(char* buffer, TBookmarkFlag flag) override;
  void GetBookmarkData(const char* buffer, void* data) const override;
  void SetBookmarkData(char* buffer, const void* data) override;

  int GetRecNo() const override;
  void SetRecNoImpl(int value) override;
  void BlockReadNext() override;

  // Raises the status as the engine's error unless it is 0.
  void Check(uint16_t status);

  // The engine's number of the cursor's active index, whose description the key buffers use.
  virtual uint16_t ActiveIndexNumber() const { return 0; }
  // Switches the open cursor to another index, keeping its record where it can.
  void ActivateIndex(const char* indexName, const char* tagName);
  KeyBufferHeader& KeyHeader(KeyBufferRole role);
  // The record part of a key buffer.
  char* KeyRecord(KeyBufferRole role);
  // Fills the key buffer's leading key fields with the values.
  void SetKeyFields(KeyBufferRole role, const VariantArray& values);
  void PostKeyBuffer(bool commit) override;
  // Enters set-key state on the key buffer (blanked when clear), keeping a copy for Cancel.
  void EditKeyBuffer(KeyBufferRole role, bool clear);
  // The range start and end become the master's values of the leading key fields.
  void SetLinkRanges(const std::vector<TField*>& masterFields);
  // Puts the range start and end on the cursor; false when they are the range it has already.
  bool ApplyCursorRange();
  // False when the cursor had no range.
  bool ClearCursorRange();
  // The key buffer's record in the engine's key form; false when the engine cannot make it.
  bool ExtractKeyOf(KeyBufferRole role, std::vector<char>& key);
  uint16_t KeyLength() const { return indexDesc_.KeyLength; }
  virtual void DestroyLookupCursor() {}
  // A read-only cursor on an index of the fields; nil when no index serves them.
  virtual TBaseTable* GetLookupCursor(const AnsiString& fieldNames, bool caseInsensitive) { return nullptr; }
  // Finds the record with the values in the spare buffer; synchronise moves the cursor onto it.
  bool LocateRecord(const AnsiString& keyFields, const VariantArray& values, TLocateOptions options,
                    bool synchronise);

 private:
  // The record information behind the calculated fields of every buffer.
  struct RecordInfo {
    int32_t RecordNumber;
    uint8_t UpdateStatus;
    uint8_t BookmarkFlag;
    uint8_t Spare[2];
  };

  void readCursorProperties();
  void addFieldDefs(const std::vector<FieldDescriptor>& descriptors);
  RecordInfo info(const char* buffer) const;
  void setInfo(char* buffer, const RecordInfo& record);
  // The record buffer fields read and write in the current state; nullptr when there is none.
  char* recordBufferForState() const;
  // Sets the cursor on the buffer's record; false when the cursor fell back to another one.
  bool positionOn(const char* buffer);
  // Holds the engine's value of a field of the descriptor's local size, whatever the field's.
  std::vector<char>& scratchFor(const TField* field);
  void stepBackOneRecord();
  void readIndexDescription();
  // Filters: the text filter of Filter and FilterOptions, the callback filter of OnFilterRecord.
  TFilterListItem* addTextFilter(const AnsiString& text, TFilterOptions options, uint16_t priority);
  TFilterListItem* addCallbackFilter();
  void createFilters();
  void activateFilters();
  void deactivateFilters();
  void changeFilter(TFilterListItem*& slot, TFilterListItem* replacement);
  static int16_t filterCallback(uintptr_t clientData, void* record, int32_t reserved);
  void allocateKeyBuffers();
  void initKeyBuffer(KeyBufferRole role);

  TBaseTable* handle_ = nullptr;
  std::vector<FieldDescriptor> descriptors_;
  int recordSize_ = 0;
  int recordInfoOffset_ = 0;
  int bookmarkOffset_ = 0;
  int recordBufferSize_ = 0;
  bool canModify_ = false;
  bool recordNumbers_ = false;
  std::vector<char> scratch_;
  // Block reading: records of recordSize_ bytes each.
  std::vector<char> block_;
  int blockCapacity_ = 0;
  int blockCount_ = 0;
  int blockIndex_ = 0;
  int blockTotal_ = 0;
  bool deletedLast_ = false;
  std::map<const char*, std::map<int, std::string>> blobCaches_;
  TTDataSetUpdateObject* updateObject_ = nullptr;
  bool cachedUpdates_ = false;
  TFilterListItem* textFilter_ = nullptr;
  TFilterListItem* callbackFilter_ = nullptr;
  char* filterBuffer_ = nullptr;
  // Key buffers: an 8-byte header, then a record.
  std::vector<char> keyBuffers_[KeyBufferCount];
  int currentKey_ = -1;
  IndexDescriptor indexDesc_{};
};
