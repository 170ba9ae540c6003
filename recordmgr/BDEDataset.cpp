#include "recordmgr/BDEDataset.h"

#include <algorithm>
#include <cstring>
#include <memory>

#include "framework/base/ApplicationHooks.h"
#include "framework/db/BlobField.h"
#include "framework/db/DatabaseError.h"
#include "framework/db/Field.h"
#include "recordmgr/BlobStream.h"
#include "recordmgr/DataSetUpdateObject.h"
#include "recordmgr/DatabaseEngineError.h"
#include "recordmgr/DatasetFieldTypes.h"
#include "recordmgr/EngineCodes.h"
#include "recordmgr/RecordProperties.h"
#include "recordmgr/VirtEng.h"

namespace {

constexpr uint16_t kNotFoundCategory = 34;  // 8705 to 8715: BOF, EOF, no current record ...
constexpr uint16_t kNotComparable = 2;
constexpr uint32_t kRightsReadOnly = 1;
// The carried descriptor entries: validity-check flag (32 bits), rights (32 bits), calculated
// flag (16 bits).
constexpr size_t kRightsAt = 4;
constexpr size_t kCalculatedAt = 8;

template <typename T>
T carried(const FieldDescriptor& d, size_t at) {
  T value;
  std::memcpy(&value, d.Carried + at, sizeof value);
  return value;
}

bool IsCalculated(const TField* field) {
  return field->FieldKind() == fkCalculated || field->FieldKind() == fkLookup;
}

}  // namespace

TttBDEDataset::TttBDEDataset(TComponent* owner) : TBDEDataSet(owner) {}

TttBDEDataset::~TttBDEDataset() = default;

void TttBDEDataset::Check(uint16_t status) { CheckEngineStatus(*Engine(), status); }

const FieldDescriptor* TttBDEDataset::Descriptor(int fieldNo) const {
  for (const FieldDescriptor& d : descriptors_)
    if (d.FieldNumber == fieldNo) return &d;
  return nullptr;
}

// ---------------------------------------------------------------- opening and closing

void TttBDEDataset::OpenCursor(bool infoQuery) {
  handle_ = CreateHandle();
  if (!handle_) throw ENoResultSet(dataset_texts::kNoResultSet);
  if (cachedUpdates_ && !infoQuery) {
    const uint16_t status = Engine()->BeginCachedUpdates(handle_);
    if (status != 0) {
      Engine()->CloseCursor(handle_);
      handle_ = nullptr;
      Check(status);
    }
  }
  TDataSet::OpenCursor(infoQuery);
}

void TttBDEDataset::CloseCursor() {
  TDataSet::CloseCursor();
  if (handle_) DestroyHandle();
  handle_ = nullptr;
}

void TttBDEDataset::DestroyHandle() {
  Engine()->ReleaseRecordLock(handle_, false);
  // Closing a cache table leaves its cursor open: the cursor comes back first.
  if (cachedUpdates_) Check(Engine()->EndCachedUpdates(handle_));
  Check(Engine()->CloseCursor(handle_));
}

void TttBDEDataset::readCursorProperties() {
  CursorProperties properties{};
  Check(Engine()->GetCursorProps(handle_, properties));
  recordSize_ = properties.RecordBufferSize;
  SetBookmarkSize(properties.BookmarkSize);
  const auto* bytes = reinterpret_cast<const uint8_t*>(&properties);
  recordNumbers_ = bytes[offsetof(CursorProperties, SequenceNumbers)] == 1;
  uint16_t word393 = 0;
  std::memcpy(&word393, bytes + 393, sizeof word393);
  canModify_ = properties.OpenMode == 0 && word393 == 0;
}

void TttBDEDataset::InternalOpen() {
  readCursorProperties();
  InternalInitFieldDefs();
  if (Fields().Count() == 0) CreateFields();
  BindFields(true);
  recordInfoOffset_ = recordSize_ + CalcFieldsSize();
  bookmarkOffset_ = recordInfoOffset_ + static_cast<int>(sizeof(RecordInfo));
  recordBufferSize_ = bookmarkOffset_ + BookmarkSize();
  allocateKeyBuffers();
  readIndexDescription();
  createFilters();
  Check(Engine()->SetToBegin(handle_));
  PrepareCursor();
}

void TttBDEDataset::InternalClose() {
  BindFields(false);
  if (DefaultFields()) DestroyFields();
  descriptors_.clear();
  for (std::vector<char>& buffer : keyBuffers_) buffer.clear();
  currentKey_ = -1;
  indexDesc_ = IndexDescriptor{};
  // The cursor took its filters with it.
  textFilter_ = callbackFilter_ = nullptr;
}

void TttBDEDataset::InternalInitFieldDefs() {
  CursorProperties properties{};
  Check(Engine()->GetCursorProps(handle_, properties));
  std::vector<FieldDescriptor> descriptors(properties.FieldCount);
  if (!descriptors.empty()) Check(Engine()->GetFieldDescs(handle_, descriptors.data()));
  addFieldDefs(descriptors);
  descriptors_ = std::move(descriptors);
}

void TttBDEDataset::addFieldDefs(const std::vector<FieldDescriptor>& descriptors) {
  TFieldDefs& defs = FieldDefs();
  defs.Clear();
  auto taken = [&](const AnsiString& name) { return defs.IndexOf(name) >= 0; };
  for (size_t i = 0; i < descriptors.size(); ++i) {
    const FieldDescriptor& d = descriptors[i];
    const DatasetFieldType type = DatasetFieldTypeOf(d);
    const AnsiString name(d.FieldName, strnlen(d.FieldName, FieldDescriptor::NameSize));
    TFieldDef& def = defs.Add(UniqueFieldDefName(name, taken), type.Type, type.Size);
    def.Precision = type.Precision;
    def.FieldNo = d.FieldNumber;
    if (carried<uint32_t>(d, kRightsAt) == kRightsReadOnly) def.Attributes |= faReadonly;
    if (type.Unnamed) def.Attributes |= faUnNamed;
    def.InternalCalcField = carried<uint16_t>(d, kCalculatedAt) != 0;
    // An array's element follows it and is known by the array's name.
    if (type.Type == ftArray && i + 1 < descriptors.size()) {
      const FieldDescriptor& element = descriptors[++i];
      const DatasetFieldType elementType = DatasetFieldTypeOf(element);
      TFieldDef& child = defs.Add(ArrayElementName(def.Name), elementType.Type, elementType.Size);
      child.FieldNo = element.FieldNumber;
    }
  }
  defs.SetUpdated(true);
}

// ---------------------------------------------------------------- record buffers

char* TttBDEDataset::AllocRecordBuffer() {
  char* buffer = new char[static_cast<size_t>(recordBufferSize_)];
  std::memset(buffer, 0, static_cast<size_t>(recordBufferSize_));
  return buffer;
}

void TttBDEDataset::FreeRecordBuffer(char*& buffer) {
  blobCaches_.erase(buffer);
  delete[] buffer;
  buffer = nullptr;
}

TttBDEDataset::RecordInfo TttBDEDataset::info(const char* buffer) const {
  RecordInfo record;
  std::memcpy(&record, buffer + recordInfoOffset_, sizeof record);
  return record;
}

void TttBDEDataset::setInfo(char* buffer, const RecordInfo& record) {
  std::memcpy(buffer + recordInfoOffset_, &record, sizeof record);
}

void TttBDEDataset::InternalInitRecord(char* buffer) { Check(Engine()->InitRecord(handle_, buffer)); }

void TttBDEDataset::InitRecord(char* buffer) {
  blobCaches_.erase(buffer);
  TDataSet::InitRecord(buffer);
  setInfo(buffer, RecordInfo{-1, rusInserted, bfInserted, {}});
}

void TttBDEDataset::ClearCalcFields(char* buffer) {
  std::memset(buffer + recordSize_, 0, static_cast<size_t>(CalcFieldsSize()));
}

TGetResult TttBDEDataset::GetRecord(char* buffer, TGetMode mode, bool doCheck) {
  RecordProperties properties{};
  uint16_t status = 0;
  switch (mode) {
    case gmCurrent: status = Engine()->GetRecord(handle_, 0, buffer, &properties); break;
    case gmNext: status = Engine()->GetNextRecord(handle_, 0, buffer, &properties); break;
    case gmPrior: status = Engine()->GetPriorRecord(handle_, 0, buffer, &properties); break;
  }
  if (status == DBIERR_BOF) return grBOF;
  if (status == DBIERR_EOF) return grEOF;
  if (status != 0) {
    if (doCheck) Check(status);
    return grError;
  }
  blobCaches_.erase(buffer);
  setInfo(buffer, RecordInfo{-1, static_cast<uint8_t>(properties.UpdateStatus), bfCurrent, {}});
  GetCalcFields(buffer);
  Check(Engine()->GetBookmark(handle_, buffer + bookmarkOffset_));
  return grOK;
}

bool TttBDEDataset::GetCurrentRecord(char* buffer) {
  if (IsEmpty() || GetBookmarkFlag(ActiveBuffer()) != bfCurrent) return false;
  UpdateCursorPos();
  return Engine()->GetRecord(handle_, 0, buffer, nullptr) == 0;
}

int TttBDEDataset::GetRecordCount() const {
  CheckActive();
  uint32_t count = 0;
  TVirtEng* engine = const_cast<TttBDEDataset*>(this)->Engine();
  if (engine->GetRecordCount(handle_, count) == 0 || engine->GetExactRecordCount(handle_, count) == 0)
    return static_cast<int>(count);
  return -1;
}

int TttBDEDataset::GetRecNo() const {
  const char* buffer = State() == dsCalcFields ? CalcBuffer() : ActiveBuffer();
  return buffer ? info(buffer).RecordNumber : -1;
}

void TttBDEDataset::SetRecNoImpl(int value) {
  CheckBrowseMode();
  if (!recordNumbers_ || value == GetRecNo()) return;
  if (Engine()->SetToSequenceNumber(handle_, static_cast<uint32_t>(value)) == 0) Resync(rmCenter);
}

bool TttBDEDataset::IsSequenced() const { return recordNumbers_ && !Filtered(); }

// ---------------------------------------------------------------- navigation and bookmarks

void TttBDEDataset::InternalFirst() { Check(Engine()->SetToBegin(handle_)); }

void TttBDEDataset::InternalLast() { Check(Engine()->SetToEnd(handle_)); }

void TttBDEDataset::InternalGotoBookmark(TBookmark bookmark) { Check(Engine()->SetToBookmark(handle_, bookmark)); }

void TttBDEDataset::InternalSetToRecord(char* buffer) { InternalGotoBookmark(buffer + bookmarkOffset_); }

bool TttBDEDataset::positionOn(const char* buffer) {
  const char* wanted = buffer + bookmarkOffset_;
  Check(Engine()->SetToBookmark(handle_, wanted));
  std::vector<char> reached(static_cast<size_t>(BookmarkSize()));
  Check(Engine()->GetBookmark(handle_, reached.data()));
  CursorPosChanged();
  return std::memcmp(reached.data(), wanted, reached.size()) == 0;
}

TBookmarkFlag TttBDEDataset::GetBookmarkFlag(const char* buffer) const {
  return static_cast<TBookmarkFlag>(info(buffer).BookmarkFlag);
}

void TttBDEDataset::SetBookmarkFlag(char* buffer, TBookmarkFlag flag) {
  RecordInfo record = info(buffer);
  record.BookmarkFlag = static_cast<uint8_t>(flag);
  setInfo(buffer, record);
}

void TttBDEDataset::GetBookmarkData(const char* buffer, void* data) const {
  std::memcpy(data, buffer + bookmarkOffset_, static_cast<size_t>(BookmarkSize()));
}

void TttBDEDataset::SetBookmarkData(char* buffer, const void* data) {
  std::memcpy(buffer + bookmarkOffset_, data, static_cast<size_t>(BookmarkSize()));
}

int TttBDEDataset::CompareBookmarks(TBookmark a, TBookmark b) {
  if (!a || !b) return TDataSet::CompareBookmarks(a, b);
  int result = 0;
  Check(Engine()->CompareBookmarks(handle_, a, b, result));
  return result == kNotComparable ? 0 : result;
}

bool TttBDEDataset::BookmarkValid(TBookmark bookmark) {
  if (!handle_ || !bookmark) return false;
  CursorPosChanged();
  return Engine()->SetToBookmark(handle_, bookmark) == 0 &&
         Engine()->GetRecord(handle_, 0, TempBuffer(), nullptr) == 0;
}

// ---------------------------------------------------------------- editing

void TttBDEDataset::InternalEdit() {
  char* buffer = ActiveBuffer();
  if (!positionOn(buffer)) RaiseDatabaseEngineError(*Engine(), DBIERR_NOCURRREC);
  Check(Engine()->GetRecord(handle_, LockForWrite, buffer, nullptr));
}

void TttBDEDataset::InternalInsert() {
  Engine()->SetProperty(handle_, PropertyMakeCrack, 1);
  CursorPosChanged();
}

void TttBDEDataset::InternalPost() {
  TDataSet::InternalPost();
  char* buffer = ActiveBuffer();
  if (State() == dsEdit) {
    if (!positionOn(buffer)) RaiseDatabaseEngineError(*Engine(), DBIERR_NOCURRREC);
    Check(Engine()->ModifyRecord(handle_, buffer, true));
  } else {
    Check(Engine()->InsertRecord(handle_, 0, buffer));
  }
}

void TttBDEDataset::InternalCancel() {
  if (State() == dsEdit) Engine()->ReleaseRecordLock(handle_, false);
}

void TttBDEDataset::InternalDelete() {
  deletedLast_ = false;
  char* buffer = ActiveBuffer();
  // The row is gone already when the cursor cannot find it: there is nothing left to delete.
  if (!positionOn(buffer)) return;
  const uint16_t status = Engine()->DeleteRecord(handle_, buffer);
  if (status != 0 && status / 256 != kNotFoundCategory) Check(status);
  // Stepping on now keeps the cursor off the record before, which it would fall back to.
  deletedLast_ = Engine()->GetNextRecord(handle_, 0, TempBuffer(), nullptr) == DBIERR_EOF;
  CursorPosChanged();
}

void TttBDEDataset::InternalRefresh() { Check(Engine()->ForceReread(handle_)); }

void TttBDEDataset::InternalAddRecord(const char* buffer, bool append) {
  void* record = const_cast<char*>(buffer);
  Check(append ? Engine()->AppendRecord(handle_, record) : Engine()->InsertRecord(handle_, 0, record));
}

void TttBDEDataset::InternalHandleException() { HandleApplicationException(this); }

// ---------------------------------------------------------------- field data

char* TttBDEDataset::recordBufferForState() const {
  switch (State()) {
    case dsBrowse:
    case dsEdit:
    case dsInsert:
    case dsNewValue: return ActiveBuffer();
    case dsCalcFields:
    case dsInternalCalc: return CalcBuffer();
    case dsFilter: return filterBuffer_;
    case dsSetKey:
      return currentKey_ >= 0 ? const_cast<char*>(keyBuffers_[currentKey_].data()) + sizeof(KeyBufferHeader)
                              : nullptr;
    case dsBlockRead:
      return blockIndex_ < blockCount_ ? const_cast<char*>(block_.data()) + recordSize_ * blockIndex_ : nullptr;
    default: return nullptr;
  }
}

std::vector<char>& TttBDEDataset::scratchFor(const TField* field) {
  const FieldDescriptor* d = Descriptor(field->FieldNo());
  const size_t size = std::max<size_t>(static_cast<size_t>(field->DataSize()), d ? d->LocalSize : 0);
  scratch_.assign(size + 1, '\0');
  return scratch_;
}

bool TttBDEDataset::GetFieldData(TField* field, void* buffer) {
  if (IsCalculated(field)) {
    // A block record has no room for calculated values: they stand in the spare buffer.
    char* record = State() == dsBlockRead ? TempBuffer() : recordBufferForState();
    return record && ReadCalcField(record + recordSize_, field, buffer);
  }
  char* record = recordBufferForState();
  if (!record || field->FieldNo() <= 0) return false;
  bool blank = true;
  if (!buffer) {
    Check(Engine()->GetField(handle_, static_cast<uint16_t>(field->FieldNo()), record, nullptr, blank));
    return !blank;
  }
  std::vector<char>& value = scratchFor(field);
  Check(Engine()->GetField(handle_, static_cast<uint16_t>(field->FieldNo()), record, value.data(), blank));
  if (blank) return false;
  std::memcpy(buffer, value.data(), static_cast<size_t>(field->DataSize()));
  return true;
}

void TttBDEDataset::SetFieldData(TField* field, const void* buffer) {
  CheckFieldWrite(field, buffer);
  char* record = recordBufferForState();
  if (!record) DatabaseError(dbtext::kNotEditing, this);
  if (IsCalculated(field)) {
    WriteCalcField(record + recordSize_, field, buffer);
  } else if (field->FieldKind() != fkInternalCalc) {
    const void* value = nullptr;
    if (buffer) {
      std::vector<char>& copy = scratchFor(field);
      std::memcpy(copy.data(), buffer, static_cast<size_t>(field->DataSize()));
      value = copy.data();
    }
    Check(Engine()->PutField(handle_, static_cast<uint16_t>(field->FieldNo()), record, value));
  }
  FieldWritten(field);
}

int TttBDEDataset::GetBlobFieldData(int fieldNo, std::vector<char>& buffer) {
  char* record = recordBufferForState();
  if (record == ActiveBuffer()) {
    auto entries = blobCaches_.find(record);
    if (entries != blobCaches_.end()) {
      auto cached = entries->second.find(fieldNo);
      if (cached != entries->second.end() && !cached->second.empty()) {
        const std::string& blob = cached->second;
        if (buffer.size() < blob.size()) buffer.resize(blob.size());
        std::memcpy(buffer.data(), blob.data(), blob.size());
        return static_cast<int>(blob.size());
      }
    }
  }
  const auto number = static_cast<uint16_t>(fieldNo);
  const bool report = State() != dsBlockRead;
  uint32_t delivered = 0;
  uint16_t status = Engine()->OpenBlob(handle_, record, number, 0);
  if (status == 0) {
    uint32_t size = 0;
    status = Engine()->GetBlobSize(handle_, record, number, size);
    if (status == 0 && size != 0) {
      if (buffer.size() < size) buffer.resize(size + size / 4);
      status = Engine()->GetBlob(handle_, record, number, 0, size, buffer.data(), delivered);
    }
    Engine()->FreeBlob(handle_, record, number);
  }
  if (status != 0) {
    if (report) Check(status);
    return 0;
  }
  return static_cast<int>(delivered);
}

void TttBDEDataset::ClearBlobCache(const char* buffer, int fieldNo) {
  auto entries = blobCaches_.find(buffer);
  if (entries != blobCaches_.end()) entries->second.erase(fieldNo);
}

TStream* TttBDEDataset::CreateBlobStream(TField* field, TBlobStreamMode mode) {
  auto stream = std::make_unique<TttBlobStream>(field, mode);
  stream->Open();
  return stream.release();
}

void TttBDEDataset::SetUpdateObject(TTDataSetUpdateObject* value) {
  if (value == updateObject_) return;
  if (updateObject_) {
    updateObject_->RemoveFreeNotification(this);
    if (updateObject_->GetDataSet() == this) updateObject_->SetDataSet(nullptr);
  }
  updateObject_ = value;
  if (!value) return;
  value->FreeNotification(this);
  if (auto* previous = dynamic_cast<TttBDEDataset*>(value->GetDataSet()); previous && previous != this)
    previous->SetUpdateObject(nullptr);
  value->SetDataSet(this);
}

void TttBDEDataset::Notification(TComponent* component, TOperation operation) {
  TDataSet::Notification(component, operation);
  if (operation == opRemove && component == updateObject_) updateObject_ = nullptr;
}

void TttBDEDataset::DataEvent(TDataEvent event, intptr_t info) {
  if (event == deParentScroll) First();
  // A blob written through a stream belongs to the record it was written in: once that record
  // is posted, cancelled or left, the field reads the engine's blob again.
  if (event == deDataSetChange || event == deDataSetScroll || event == deRecordChange)
    for (TField* field : Fields())
      if (auto* blob = dynamic_cast<TBlobField*>(field)) blob->SetModified(false);
  TDataSet::DataEvent(event, info);
}

// ---------------------------------------------------------------- block reading

void TttBDEDataset::SetBlockReadSize(int size) {
  if (size == BlockReadSize()) return;
  if (size < 1) {
    TDataSet::SetBlockReadSize(size);
    CursorPosChanged();
    Resync(0);
    return;
  }
  CheckActive();
  CheckBrowseMode();
  stepBackOneRecord();
  if (block_.empty()) block_.assign(BlockBufferSize, '\0');
  blockCapacity_ = std::max(1, std::min(size, BlockBufferSize / std::max(recordSize_, 1)));
  blockIndex_ = blockCount_ = blockCapacity_;
  blockTotal_ = 0;
  TDataSet::SetBlockReadSize(size);
  BlockReadNext();
}

void TttBDEDataset::stepBackOneRecord() {
  if (IsEmpty()) {
    Check(Engine()->SetToBegin(handle_));
  } else {
    InternalSetToRecord(ActiveBuffer());
    if (GetRecord(TempBuffer(), gmPrior, true) != grOK) Check(Engine()->SetToBegin(handle_));
  }
  CursorPosChanged();
}

void TttBDEDataset::BlockReadNext() {
  if (blockIndex_ + 1 < blockCount_) {
    ++blockIndex_;
  } else if (blockCount_ < blockCapacity_) {
    Last();
    return;
  } else {
    auto count = static_cast<uint32_t>(blockCapacity_);
    const uint16_t status = Engine()->ReadBlock(handle_, count, block_.data());
    if (status != 0 && status != DBIERR_EOF) Check(status);
    blockCount_ = static_cast<int>(count);
    blockTotal_ += blockCount_;
    blockIndex_ = 0;
    if (blockCount_ == 0) {
      Last();
      return;
    }
  }
  if (CalcFieldsSize() > 0 || OnCalcFields) {
    std::memcpy(TempBuffer(), block_.data() + recordSize_ * blockIndex_, static_cast<size_t>(recordSize_));
    GetCalcFields(TempBuffer());
  }
  TDataSet::DataEvent(deDataSetScroll, 0);
}
