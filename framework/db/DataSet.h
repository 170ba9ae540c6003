#pragma once
// TDataSet: the abstract dataset. It owns the state machine, the fields, and a window of record
// buffers that its data links look through; a descendant supplies the records by overriding the
// record-buffer protocol (allocate, GetRecord, bookmarks, field data, the Internal* operations).
// Promises: a failed operation leaves the state and the record buffers as they were (a post that
// raises stays in edit with the user's values); links see every scroll with the distance the
// window moved.
#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

#include "framework/base/Component.h"
#include "framework/base/Exception.h"
#include "framework/db/DbTypes.h"
#include "framework/db/FieldDefs.h"
#include "framework/db/Fields.h"
#include "framework/db/Variant.h"

class TDataSet;
class TDataSource;
class TStream;
class TDataLink;
class TField;

using TDataSetNotifyEvent = std::function<void(TDataSet* dataSet)>;
using TFilterRecordEvent = std::function<void(TDataSet* dataSet, bool& accept)>;
using TDataSetErrorEvent =
    std::function<void(TDataSet* dataSet, EDatabaseError& error, TDataAction& action)>;

class TDataSet : public TComponent {
  QN_PUBLISHED_CLASS(TDataSet, TComponent)
 public:
  explicit TDataSet(TComponent* owner = nullptr);
  ~TDataSet() override;
  TDataSet(const TDataSet&) = delete;
  TDataSet& operator=(const TDataSet&) = delete;

  // --- opening and state ---
  bool Active() const { return state_ != dsInactive; }
  void SetActive(bool value);
  void Open() { SetActive(true); }
  void Close() { SetActive(false); }
  TDataSetState State() const { return state_; }
  bool Modified() const { return modified_; }
  bool CanModify() const { return GetCanModify(); }
  bool IsEmpty() const { return Active() && recordCount_ == 0 && state_ != dsInsert; }
  void CheckActive() const;
  void CheckInactive() const;
  void CheckBrowseMode();
  bool AutoCalcFields() const { return autoCalcFields_; }
  void SetAutoCalcFields(bool value) { autoCalcFields_ = value; }

  // --- navigation ---
  void First();
  void Last();
  // One record on; while block reading, the next record of the block.
  void Next();
  void Prior() { MoveBy(-1); }
  int MoveBy(int distance);
  bool Bof() const { return bof_; }
  bool Eof() const { return eof_; }
  int RecNo() const { return GetRecNo(); }
  void SetRecNo(int value) { SetRecNoImpl(value); }
  int RecordCount() const { return GetRecordCount(); }
  // Reading many records without telling the controls: a size above 0 enters block-read state,
  // 0 leaves it.
  int BlockReadSize() const { return blockReadSize_; }
  virtual void SetBlockReadSize(int size);

  // --- editing ---
  void Edit();
  void Insert();
  void Append();
  void Post();
  void Cancel();
  void Delete();
  void Refresh();
  // Gives the fields, in field order, the values (Null clears), after putting the record into
  // edit state when it is not editing.
  void SetFields(const VariantArray& values);
  // Insert or Append, SetFields, Post: a new record in one call.
  void InsertRecord(const VariantArray& values);
  void AppendRecord(const VariantArray& values);
  // Lets the controls write their pending values into the record.
  void UpdateRecord();
  // Refills the window around the cursor's record: rmExact raises when it is gone, rmCenter
  // puts it in the middle row, otherwise it keeps the row it had.
  void Resync(TResyncMode mode);
  void UpdateCursorPos();
  void CursorPosChanged() { currentRecord_ = -1; }

  // --- bookmarks ---
  virtual TBookmark GetBookmark();
  void GotoBookmark(TBookmark bookmark);
  void FreeBookmark(TBookmark bookmark);
  virtual bool BookmarkValid(TBookmark bookmark);
  virtual int CompareBookmarks(TBookmark a, TBookmark b);
  TBookmarkStr Bookmark();
  void SetBookmark(const TBookmarkStr& bookmark);

  // --- searching ---
  // Moves to the first record whose keyFields (names joined by ';') hold values; false, and
  // no move, when none does. The base raises: a descendant that can search overrides it.
  virtual bool Locate(const AnsiString& keyFields, const VariantArray& values,
                      TLocateOptions options);
  // The value of resultField in the first record whose keyFields hold values, without moving;
  // Null when there is none.
  virtual Variant Lookup(const AnsiString& keyFields, const VariantArray& values,
                         const AnsiString& resultField);
  // Searches for a record the filter accepts (even while Filtered is off): FindFirst from the
  // start, FindNext and FindPrior from the current record, FindLast from the end.
  bool FindFirst() { return FindRecord(true, true); }
  bool FindNext() { return FindRecord(false, true); }
  bool FindPrior() { return FindRecord(false, false); }
  bool FindLast() { return FindRecord(true, false); }
  virtual bool FindRecord(bool restart, bool goForward);
  bool Found() const { return found_; }

  // --- filters ---
  const AnsiString& Filter() const { return filterText_; }
  virtual void SetFilter(const AnsiString& text) { filterText_ = text; }
  bool Filtered() const { return filtered_; }
  virtual void SetFiltered(bool value) { filtered_ = value; }
  TFilterOptions FilterOptions() const { return filterOptions_; }
  virtual void SetFilterOptions(TFilterOptions value) { filterOptions_ = value; }
  const TFilterRecordEvent& OnFilterRecord() const { return onFilterRecord_; }
  virtual void SetOnFilterRecord(const TFilterRecordEvent& handler) { onFilterRecord_ = handler; }

  // --- blobs ---
  // A stream over the blob field's data in the current record; the caller deletes it.
  // Writing needs edit or insert state. The base raises: descendants with blobs override it.
  virtual TStream* CreateBlobStream(TField* field, TBlobStreamMode mode);
  // The whole blob of field number fieldNo of the current record into buffer; its size.
  virtual int GetBlobFieldData(int fieldNo, std::vector<char>& buffer);

  // --- data-aware controls ---
  void DisableControls();
  void EnableControls();
  bool ControlsDisabled() const { return disableCount_ != 0; }

  // --- fields ---
  TFields& Fields() { return fields_; }
  int FieldCount() const { return fields_.Count(); }
  TFieldDefs& FieldDefs() { return fieldDefs_; }
  TField* FindField(const AnsiString& name) const { return fields_.FindField(name); }
  TField* FieldByName(const AnsiString& name) const;
  Variant FieldValue(const AnsiString& name) const;
  void GetFieldNames(std::vector<AnsiString>& names) const;
  // Field definitions of a closed dataset: read from the cursor when they are not up to date.
  void InitFieldDefs();
  bool DefaultFields() const { return defaultFields_; }

  // --- events ---
  TDataSetNotifyEvent BeforeOpen, AfterOpen, BeforeClose, AfterClose;
  TDataSetNotifyEvent BeforeInsert, AfterInsert, BeforeEdit, AfterEdit;
  TDataSetNotifyEvent BeforePost, AfterPost, BeforeCancel, AfterCancel;
  TDataSetNotifyEvent BeforeDelete, AfterDelete, BeforeScroll, AfterScroll;
  TDataSetNotifyEvent OnNewRecord, OnCalcFields;
  TDataSetErrorEvent OnEditError, OnPostError, OnDeleteError;

  // --- record-buffer protocol: what a descendant overrides ---
  virtual bool GetFieldData(TField* field, void* buffer) = 0;
  virtual void SetFieldData(TField* field, const void* buffer) = 0;
  // True when the active record was copied into buffer (false on an empty dataset or a record
  // that is not a stored one).
  virtual bool GetCurrentRecord(char* buffer) { return false; }
  virtual bool IsSequenced() const { return true; }
  // The master source of a detail dataset; nullptr for others.
  virtual TDataSource* GetDataSource() const { return nullptr; }
  // The active index's key fields: how many, and whether field is one of them.
  virtual int IndexFieldCount() const { return 0; }
  virtual bool GetIsIndexField(const TField* field) const { return false; }
  virtual int GetRecordCount() const { return -1; }
  // Sends event to the data sources (and does the dataset's own bookkeeping first).
  virtual void DataEvent(TDataEvent event, intptr_t info);

  // The buffer the fields read in the current state; nullptr when there is none.
  char* ActiveBuffer() const;
  char* CalcBuffer() const { return calcBuffer_; }
  int BookmarkSize() const { return bookmarkSize_; }
  int CalcFieldsSize() const { return calcFieldsSize_; }

 protected:
  // Closes without events while the whole object is still there; a descendant's destructor
  // calls CloseForDestruction too, for datasets that are plain variables.
  void BeforeDestruction() override;
  void CloseForDestruction();
  void DoBeforeScroll() { Notify(BeforeScroll); }
  virtual void BlockReadNext() { MoveBy(1); }
  void DoAfterScroll() { Notify(AfterScroll); }
  // Ends set-key state: commit keeps the edited key, otherwise the descendant restores it.
  virtual void PostKeyBuffer(bool commit);

  // Buffers.
  virtual char* AllocRecordBuffer() = 0;
  virtual void FreeRecordBuffer(char*& buffer) = 0;
  virtual void InitRecord(char* buffer);
  virtual void InternalInitRecord(char* buffer) = 0;
  virtual TGetResult GetRecord(char* buffer, TGetMode mode, bool doCheck) = 0;
  virtual int GetRecordSize() const { return 0; }
  virtual void ClearCalcFields(char* buffer) {}
  virtual void CalculateFields(char* buffer);
  virtual void GetCalcFields(char* buffer);

  // Cursor.
  virtual void OpenCursor(bool infoQuery);
  virtual void CloseCursor();
  virtual bool IsCursorOpen() const = 0;
  virtual void InternalOpen() = 0;
  virtual void InternalClose() = 0;
  virtual void InternalInitFieldDefs() = 0;
  virtual void InternalFirst() = 0;
  virtual void InternalLast() = 0;
  virtual void InternalGotoBookmark(TBookmark bookmark) = 0;
  virtual void InternalSetToRecord(char* buffer) = 0;
  virtual void InternalHandleException();

  // Editing.
  virtual void InternalEdit() {}
  virtual void InternalInsert() {}
  // Checks the required fields; a descendant writes the record after calling it.
  virtual void InternalPost();
  virtual void InternalCancel() {}
  virtual void InternalDelete() = 0;
  virtual void InternalRefresh() {}
  virtual void InternalAddRecord(const char* buffer, bool append) = 0;
  virtual bool GetCanModify() const { return true; }
  virtual void DoOnNewRecord();
  // The BeforePost event; a dataset adds its own checks after it. Raising refuses the post.
  virtual void DoBeforePost();
  // True when the record just deleted had no record after it and the dataset is to stand at its
  // end (Eof) on the record before; false keeps Eof as the window around that record says.
  virtual bool DeletedLastRecord() const { return false; }

  // Bookmarks inside record buffers.
  virtual TBookmarkFlag GetBookmarkFlag(const char* buffer) const = 0;
  virtual void SetBookmarkFlag(char* buffer, TBookmarkFlag flag) = 0;
  virtual void GetBookmarkData(const char* buffer, void* data) const = 0;
  virtual void SetBookmarkData(char* buffer, const void* data) = 0;

  // Record numbers.
  virtual int GetRecNo() const { return -1; }
  virtual void SetRecNoImpl(int value) {}

  // Field writes: CheckFieldWrite refuses a write the state or the field does not allow
  // and runs the field's validation; FieldWritten announces the stored value.
  void CheckFieldWrite(TField* field, const void* buffer);
  void FieldWritten(TField* field);

  // Fields.
  virtual void CreateFields();
  virtual void DestroyFields();
  // Numbers the data fields from the definitions and lays out the calculation area.
  virtual void BindFields(bool binding);
  virtual TField* CreateFieldFor(const TFieldDef& def);

  // The state machine.
  void SetState(TDataSetState value);
  // A temporary state (calculating, testing a filter, building a key) for the duration of one
  // operation: the controls hear nothing of it and Modified comes back as it was.
  TDataSetState SetTempState(TDataSetState value);
  void RestoreState(TDataSetState value);
  void SetModified(bool value) { modified_ = value; }
  void SetFound(bool value) { found_ = value; }
  // Whether the fields of the record readable in the current state hold values (compared as
  // Locate compares: loPartialKey on the last string field, loCaseInsensitive on strings).
  bool FieldsMatch(const std::vector<TField*>& fields, const VariantArray& values,
                   TLocateOptions options) const;
  std::vector<TField*> FieldList(const AnsiString& names) const;
  // Runs op, offering a database error to errorEvent: fail re-raises, abort raises EAbort,
  // retry runs op again.
  void CheckOperation(const std::function<void()>& op, const TDataSetErrorEvent& errorEvent);
  void SetBookmarkSize(int size) { bookmarkSize_ = size; }

  // The buffer window, for descendants that reach past the protocol (block reads, resync).
  int BufferCount() const { return bufferCount_; }
  int ActiveRecord() const { return activeRecord_; }
  int BufferedRecordCount() const { return recordCount_; }
  int CurrentRecord() const { return currentRecord_; }
  char* Buffer(int index) const { return buffers_[index]; }
  // The spare buffer past the filled ones: scratch space that no link shows.
  char* TempBuffer() const { return buffers_[recordCount_]; }
  void SetCurrentRecord(int index);
  void ClearBuffers();
  bool GetNextRecord();
  bool GetPriorRecord();
  int GetNextRecords();
  int GetPriorRecords();

  // Calculated fields: offsets within the calculation area of a buffer (a presence byte, then
  // the field's data), for descendants that keep that area after their record data.
  static bool ReadCalcField(const char* calcArea, const TField* field, void* dest);
  static void WriteCalcField(char* calcArea, const TField* field, const void* source);
  void SetCalcBuffer(char* buffer) { calcBuffer_ = buffer; }

 private:
  friend class TDataSource;
  friend class TDataLink;
  friend class TField;

  void AddDataSource(TDataSource* source);
  void RemoveDataSource(TDataSource* source);
  // Sizes the window to the largest buffer count any link asks for.
  void UpdateBufferCount();
  void SetBufferCount(int count);
  void SetActiveRecord(int index) { activeRecord_ = index; }
  void MoveBuffer(int from, int to);
  void ActivateBuffers();
  void BeginInsertAppend();
  void EndInsertAppend();
  void OpenCursorComplete();
  void DoInternalClose();
  void ShiftLinks(int by);
  void Notify(const TDataSetNotifyEvent& event) {
    if (event) event(this);
  }

  TFields fields_;
  TFieldDefs fieldDefs_;
  std::vector<TDataSource*> dataSources_;
  TDataSetState state_ = dsInactive;
  TDataSetState enableState_ = dsInactive;  // the state when controls were disabled
  TDataEvent enableEvent_ = deDataSetChange;  // what EnableControls announces
  std::vector<char*> buffers_;  // bufferCount_ + 1 buffers; the last filled one + 1 is spare
  int bufferCount_ = 0;
  int recordCount_ = 0;    // buffers holding records
  int activeRecord_ = 0;   // the buffer of the current record
  int currentRecord_ = -1; // the buffer the cursor stands on; -1 when unknown
  char* calcBuffer_ = nullptr;
  int bookmarkSize_ = 0;
  int calcFieldsSize_ = 0;
  bool hasCalcOrLookup_ = false;
  int disableCount_ = 0;
  std::vector<bool> savedModified_;  // Modified as it was when each temporary state began
  bool bof_ = true;
  bool eof_ = true;
  bool modified_ = false;
  bool autoCalcFields_ = true;
  bool defaultFields_ = false;
  bool found_ = false;
  int blockReadSize_ = 0;
  AnsiString filterText_;
  bool filtered_ = false;
  TFilterOptions filterOptions_ = 0;
  TFilterRecordEvent onFilterRecord_;
};
