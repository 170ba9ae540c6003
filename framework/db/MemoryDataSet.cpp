#include "framework/db/MemoryDataSet.h"

#include <algorithm>
#include <cstring>

#include "framework/base/ClassRegistry.h"
#include "framework/base/FormatText.h"
#include "framework/base/UnitLifecycle.h"
#include "framework/base/TextCompare.h"
#include "framework/base/Stream.h"
#include "framework/base/ValueBytes.h"
#include "framework/db/Bcd.h"
#include "framework/db/BlobField.h"
#include "framework/db/DataSource.h"
#include "framework/db/DatabaseError.h"
#include "framework/db/Field.h"
#include "framework/db/DataSetFilter.h"
#include "framework/db/MasterDataLink.h"

namespace {

template <typename T>
int Order(T a, T b) {
  return a < b ? -1 : (b < a ? 1 : 0);
}

// Compares two stored values of field (each a presence byte, then the native data); a null
// sorts before any value.
int CompareStored(const TField* field, const char* a, const char* b, bool caseInsensitive) {
  if (!a[0] || !b[0]) return Order<int>(a[0] != 0, b[0] != 0);
  ++a;
  ++b;
  switch (field->DataType()) {
    case ftString:
    case ftFixedChar: {
      AnsiString x(a, strnlen(a, field->Size())), y(b, strnlen(b, field->Size()));
      return caseInsensitive ? CompareText(x, y) : CompareStr(x, y);
    }
    case ftSmallint:
    case ftBoolean: return Order(FromBytes<int16_t>(a), FromBytes<int16_t>(b));
    case ftWord: return Order(FromBytes<uint16_t>(a), FromBytes<uint16_t>(b));
    case ftInteger:
    case ftAutoInc:
    case ftDate:
    case ftTime: return Order(FromBytes<int32_t>(a), FromBytes<int32_t>(b));
    case ftLargeint: return Order(FromBytes<int64_t>(a), FromBytes<int64_t>(b));
    case ftFloat:
    case ftCurrency:
    case ftDateTime: return Order(FromBytes<double>(a), FromBytes<double>(b));
    case ftBCD:
      return Order(BcdToDouble(FromBytes<BcdValue>(a)), BcdToDouble(FromBytes<BcdValue>(b)));
    default: {
      int n = std::memcmp(a, b, field->DataSize());
      return Order(n, 0);
    }
  }
}

bool IsCalculated(const TField* field) {
  return field->FieldKind() == fkCalculated || field->FieldKind() == fkLookup;
}

UnitRegistration unit("framework/db/MemoryDataSet", {}, [] { RegisterClass<MemoryDataSet>(); });

}  // namespace

void MemoryDataSet::PublishProperties(PropertyPublisher<MemoryDataSet>& publish) {
  publish.String("IndexName", &MemoryDataSet::IndexName, &MemoryDataSet::SetIndexName);
  publish.String("IndexFieldNames", &MemoryDataSet::IndexFieldNames,
                 &MemoryDataSet::SetIndexFieldNames);
  publish.Object("MasterSource", &MemoryDataSet::MasterSource, &MemoryDataSet::SetMasterSource);
  publish.String("MasterFields", &MemoryDataSet::MasterFields, &MemoryDataSet::SetMasterFields);
  publish.Boolean("ReadOnly", &MemoryDataSet::ReadOnly, &MemoryDataSet::SetReadOnly);
}

MemoryDataSet::MemoryDataSet(TComponent* owner)
    : TDataSet(owner), masterLink_(std::make_unique<TMasterDataLink>(this)) {
  masterLink_->OnMasterChange = [this] { MasterChanged(); };
  masterLink_->OnMasterDisable = [this] { MasterDisabled(); };
}

MemoryDataSet::~MemoryDataSet() {
  CloseForDestruction();
}

void MemoryDataSet::SetReadOnly(bool value) {
  CheckInactive();
  readOnly_ = value;
}

void MemoryDataSet::EmptyDataSet() {
  if (Active()) CheckBrowseMode();
  rows_.clear();
  if (!Active()) return;
  RebuildView();
  First();
}

// ---------------------------------------------------------------- open and close

void MemoryDataSet::InternalOpen() {
  if (Fields().Count() == 0) CreateFields();
  BindFields(true);
  int offset = 0;
  for (TField* f : Fields()) {
    if (IsCalculated(f)) continue;
    f->SetOffset(offset);
    offset += 1 + f->DataSize();
  }
  // Records of another layout cannot be read with this one.
  if (offset != recordSize_) rows_.clear();
  recordSize_ = offset;
  bufferSize_ = recordSize_ + CalcFieldsSize() + 5;
  SetBookmarkSize(sizeof(int32_t));
  for (KeyBuffer& key : keys_) key = KeyBuffer{std::vector<char>(recordSize_), 0, false};
  appliedStart_ = appliedEnd_ = KeyBuffer{std::vector<char>(recordSize_), 0, false};
  rangeActive_ = false;
  ResolveIndex();
  filterBlock_.clear();
  if (!Filter().empty())
    filterBlock_ = filterexpr::ParseFilter(Filter(), FilterOptions(), FilterFieldsOf(*this));
  cursorOpen_ = true;
  if (masterLink_->Active() && !masterLink_->Fields().empty()) {
    VariantArray values;
    for (TField* f : masterLink_->Fields()) values.push_back(f->AsVariant());
    SetKeyFields(kRangeStart, values);
    appliedStart_ = appliedEnd_ = keys_[kRangeStart];
    rangeActive_ = true;
  }
  RebuildView();
  position_ = -1;
}

void MemoryDataSet::InternalClose() {
  cursorOpen_ = false;
  view_.clear();
  keyFields_.clear();
  BindFields(false);
  if (DefaultFields()) DestroyFields();
}

char* MemoryDataSet::AllocRecordBuffer() {
  char* b = new char[bufferSize_];
  std::memset(b, 0, bufferSize_);
  return b;
}

void MemoryDataSet::FreeRecordBuffer(char*& buffer) {
  bufferBlobs_.erase(buffer);
  delete[] buffer;
  buffer = nullptr;
}

void MemoryDataSet::InternalInitRecord(char* buffer) {
  std::memset(buffer, 0, recordSize_ + CalcFieldsSize());
  bufferBlobs_[buffer].clear();
}

void MemoryDataSet::ClearCalcFields(char* buffer) {
  std::memset(buffer + recordSize_, 0, CalcFieldsSize());
}

// ---------------------------------------------------------------- records and the cursor

TGetResult MemoryDataSet::GetRecord(char* buffer, TGetMode mode, bool doCheck) {
  int size = static_cast<int>(view_.size());
  switch (mode) {
    case gmCurrent:
      if (position_ < 0) return grBOF;
      if (position_ >= size) return grEOF;
      break;
    case gmNext:
      if (position_ >= size - 1) {
        position_ = size;
        return grEOF;
      }
      ++position_;
      break;
    case gmPrior:
      if (position_ <= 0) {
        position_ = -1;
        return grBOF;
      }
      --position_;
      break;
  }
  const Row& row = *view_[position_];
  std::memcpy(buffer, row.data.data(), recordSize_);
  bufferBlobs_[buffer] = row.blobs;
  ToBytes(buffer + recordSize_ + CalcFieldsSize(), row.id);
  SetBookmarkFlag(buffer, bfCurrent);
  GetCalcFields(buffer);
  return grOK;
}

bool MemoryDataSet::GetCurrentRecord(char* buffer) {
  if (IsEmpty() || GetBookmarkFlag(ActiveBuffer()) != bfCurrent) return false;
  UpdateCursorPos();
  if (position_ < 0 || position_ >= static_cast<int>(view_.size())) return false;
  std::memcpy(buffer, view_[position_]->data.data(), recordSize_);
  return true;
}

int MemoryDataSet::GetRecordCount() const {
  CheckActive();
  return static_cast<int>(view_.size());
}

int MemoryDataSet::GetRecNo() const {
  const char* buffer = State() == dsCalcFields ? CalcBuffer() : ActiveBuffer();
  if (!buffer || GetBookmarkFlag(buffer) != bfCurrent) return -1;
  int at = FindInView(BufferId(buffer));
  return at < 0 ? -1 : at + 1;
}

void MemoryDataSet::SetRecNoImpl(int value) {
  CheckBrowseMode();
  if (value < 1 || value > static_cast<int>(view_.size()) || value == GetRecNo()) return;
  DoBeforeScroll();
  position_ = value - 1;
  Resync(rmCenter);
  DoAfterScroll();
}

int32_t MemoryDataSet::BufferId(const char* buffer) const {
  return FromBytes<int32_t>(buffer + recordSize_ + CalcFieldsSize());
}

int MemoryDataSet::FindInView(int32_t id) const {
  for (size_t i = 0; i < view_.size(); ++i)
    if (view_[i]->id == id) return static_cast<int>(i);
  return -1;
}

// ---------------------------------------------------------------- bookmarks

TBookmarkFlag MemoryDataSet::GetBookmarkFlag(const char* buffer) const {
  return static_cast<TBookmarkFlag>(buffer[recordSize_ + CalcFieldsSize() + 4]);
}

void MemoryDataSet::SetBookmarkFlag(char* buffer, TBookmarkFlag flag) {
  buffer[recordSize_ + CalcFieldsSize() + 4] = static_cast<char>(flag);
}

void MemoryDataSet::GetBookmarkData(const char* buffer, void* data) const {
  std::memcpy(data, buffer + recordSize_ + CalcFieldsSize(), sizeof(int32_t));
}

void MemoryDataSet::SetBookmarkData(char* buffer, const void* data) {
  std::memcpy(buffer + recordSize_ + CalcFieldsSize(), data, sizeof(int32_t));
}

void MemoryDataSet::InternalGotoBookmark(TBookmark bookmark) {
  int at = FindInView(FromBytes<int32_t>(bookmark));
  if (at < 0) DatabaseError(dbtext::kRecordNotFound, this);
  position_ = at;
}

void MemoryDataSet::InternalSetToRecord(char* buffer) {
  int at = FindInView(BufferId(buffer));
  if (at >= 0) position_ = at;
}

bool MemoryDataSet::BookmarkValid(TBookmark bookmark) {
  return bookmark && cursorOpen_ && FindInView(FromBytes<int32_t>(bookmark)) >= 0;
}

int MemoryDataSet::CompareBookmarks(TBookmark a, TBookmark b) {
  if (!a || !b) return TDataSet::CompareBookmarks(a, b);
  int32_t ia = FromBytes<int32_t>(a), ib = FromBytes<int32_t>(b);
  int pa = FindInView(ia), pb = FindInView(ib);
  return pa >= 0 && pb >= 0 ? Order(pa, pb) : Order(ia, ib);
}

// ---------------------------------------------------------------- field data

char* MemoryDataSet::RecordBufferForState() const {
  switch (State()) {
    case dsBrowse:
    case dsEdit:
    case dsInsert:
    case dsNewValue: return ActiveBuffer();
    case dsCalcFields:
    case dsInternalCalc: return CalcBuffer();
    case dsSetKey: return const_cast<char*>(keys_[editingKey_].data.data());
    case dsFilter: return const_cast<char*>(filterRecord_);
    default: return nullptr;
  }
}

bool MemoryDataSet::GetFieldData(TField* field, void* buffer) {
  const char* record = RecordBufferForState();
  if (!record) return false;
  if (IsCalculated(field)) {
    // A stored record or a key has no calculated values (nor room for them).
    if (State() == dsFilter || State() == dsSetKey) return false;
    return ReadCalcField(record + recordSize_, field, buffer);
  }
  const char* at = record + field->Offset();
  if (!at[0]) return false;
  if (buffer) std::memcpy(buffer, at + 1, field->DataSize());
  return true;
}

void MemoryDataSet::SetFieldData(TField* field, const void* buffer) {
  CheckFieldWrite(field, buffer);
  char* record = RecordBufferForState();
  if (!record) DatabaseError(dbtext::kNotEditing, this);
  if (IsCalculated(field)) {
    WriteCalcField(record + recordSize_, field, buffer);
  } else {
    char* at = record + field->Offset();
    at[0] = buffer ? 1 : 0;
    // Clearing a blob field empties its data.
    if (field->IsBlob() && !buffer) bufferBlobs_[record].erase(field->Offset());
    if (buffer)
      std::memcpy(at + 1, buffer, field->DataSize());
    else
      std::memset(at + 1, 0, field->DataSize());
  }
  if (State() == dsSetKey) {
    int index = static_cast<int>(std::find(keyFields_.begin(), keyFields_.end(), field) -
                                 keyFields_.begin());
    KeyBuffer& key = keys_[editingKey_];
    key.fieldCount = std::max(key.fieldCount, index + 1);
  }
  FieldWritten(field);
}

// ---------------------------------------------------------------- blobs

// A stream over one blob of one record buffer. Reads see the blob as it was when the stream
// was made; writes go to the buffer's copy, announced when the stream goes.
class MemoryBlobStream : public TStream {
 public:
  MemoryBlobStream(MemoryDataSet& dataSet, TField* field, char* buffer, TBlobStreamMode mode)
      : dataSet_(dataSet), field_(field), buffer_(buffer), writable_(mode != bmRead) {
    if (!buffer_) return;
    MemoryDataSet::Blobs& blobs = dataSet_.bufferBlobs_[buffer_];
    auto it = blobs.find(field_->Offset());
    if (mode != bmWrite && it != blobs.end()) data_ = it->second;
    modified_ = mode == bmWrite;  // a write stream starts by emptying the blob
  }
  ~MemoryBlobStream() override {
    if (!modified_ || !buffer_) return;
    dataSet_.bufferBlobs_[buffer_][field_->Offset()] = data_;
    try {
      dataSet_.BlobWritten(field_, buffer_, data_.empty());
    } catch (...) {
      // A destructor cannot raise: the change stays, its notification is reported.
      dataSet_.InternalHandleException();
    }
  }

  int64_t Read(void* buffer, int64_t count) override {
    int64_t n = std::max<int64_t>(0, std::min<int64_t>(count, Size() - position_));
    if (n > 0) std::memcpy(buffer, data_.data() + position_, static_cast<size_t>(n));
    position_ += n;
    return n;
  }
  int64_t Write(const void* buffer, int64_t count) override {
    if (!writable_ || !buffer_ || count <= 0) return 0;
    if (position_ + count > Size()) data_.resize(static_cast<size_t>(position_ + count), '\0');
    std::memcpy(data_.data() + position_, buffer, static_cast<size_t>(count));
    position_ += count;
    modified_ = true;
    return count;
  }
  int64_t Seek(int64_t offset, TSeekOrigin origin) override {
    int64_t base = origin == soBeginning ? 0 : origin == soCurrent ? position_ : Size();
    position_ = std::max<int64_t>(0, base + offset);
    return position_;
  }
  int64_t Size() override { return static_cast<int64_t>(data_.size()); }
  void SetSize(int64_t size) override {
    if (!writable_) return;
    data_.resize(static_cast<size_t>(size), '\0');
    modified_ = true;
  }

 private:
  MemoryDataSet& dataSet_;
  TField* field_;
  char* buffer_;
  bool writable_;
  bool modified_ = false;
  std::string data_;
  int64_t position_ = 0;
};

TStream* MemoryDataSet::CreateBlobStream(TField* field, TBlobStreamMode mode) {
  if (State() == dsFilter)
    DatabaseError(Format(dbtext::kFieldInFilter, {field->DisplayName()}), this);
  if (mode != bmRead) {
    if (State() != dsEdit && State() != dsInsert) DatabaseError(dbtext::kNotEditing, this);
    if (field->ReadOnly())
      DatabaseError(Format(dbtext::kFieldReadOnly, {field->DisplayName()}), this);
  }
  return new MemoryBlobStream(*this, field, RecordBufferForState(), mode);
}

void MemoryDataSet::BlobWritten(TField* field, char* buffer, bool empty) {
  buffer[field->Offset()] = empty ? 0 : 1;
  if (auto* blob = dynamic_cast<TBlobField*>(field)) blob->SetModified(true);
  FieldWritten(field);
}

// ---------------------------------------------------------------- editing

void MemoryDataSet::CheckUnique(const std::vector<char>& data, int32_t ownId) const {
  if (!unique_) return;
  int count = static_cast<int>(keyFields_.size());
  for (const auto& row : rows_)
    if (row->id != ownId && CompareKeys(row->data.data(), data.data(), count) == 0)
      DatabaseError(dbtext::kDuplicateKey, this);
}

void MemoryDataSet::InternalPost() {
  TDataSet::InternalPost();
  char* buffer = ActiveBuffer();
  if (State() == dsInsert) {
    // An auto-increment field left empty gets the next number.
    for (TField* f : Fields()) {
      if (f->DataType() != ftAutoInc || !f->IsNull()) continue;
      int32_t next = 1;
      for (const auto& row : rows_) {
        const char* at = row->data.data() + f->Offset();
        if (at[0]) next = std::max(next, FromBytes<int32_t>(at + 1) + 1);
      }
      char* at = buffer + f->Offset();
      at[0] = 1;
      ToBytes(at + 1, next);
    }
  }
  std::vector<char> data(buffer, buffer + recordSize_);
  int32_t id;
  if (State() == dsEdit) {
    id = BufferId(buffer);
    CheckUnique(data, id);
    auto it = std::find_if(rows_.begin(), rows_.end(), [id](const auto& r) { return r->id == id; });
    if (it == rows_.end()) DatabaseError(dbtext::kRecordNotFound, this);
    (*it)->data = std::move(data);
    (*it)->blobs = bufferBlobs_[buffer];
  } else {
    CheckUnique(data, 0);
    // A record inserted (not appended) goes before the record it was inserted at.
    auto at = rows_.end();
    if (GetBookmarkFlag(buffer) == bfInserted) {
      int32_t before = BufferId(buffer);
      at = std::find_if(rows_.begin(), rows_.end(),
                        [before](const auto& r) { return r->id == before; });
    }
    id = nextId_++;
    rows_.insert(at, std::make_unique<Row>(Row{id, std::move(data), bufferBlobs_[buffer]}));
  }
  RebuildView();
  int found = FindInView(id);
  if (found >= 0) position_ = found;
  position_ = std::min(position_, static_cast<int>(view_.size()));
}

void MemoryDataSet::InternalDelete() {
  int32_t id = BufferId(ActiveBuffer());
  rows_.erase(std::remove_if(rows_.begin(), rows_.end(),
                             [id](const auto& r) { return r->id == id; }),
              rows_.end());
  RebuildView();
  // The cursor now stands on the record that followed.
  position_ = std::min(position_, static_cast<int>(view_.size()));
}

void MemoryDataSet::InternalAddRecord(const char* buffer, bool append) {
  std::vector<char> data(buffer, buffer + recordSize_);
  CheckUnique(data, 0);
  auto at = rows_.end();
  if (!append && position_ >= 0 && position_ < static_cast<int>(view_.size())) {
    const Row* current = view_[position_];
    at = std::find_if(rows_.begin(), rows_.end(),
                      [current](const auto& r) { return r.get() == current; });
  }
  int32_t id = nextId_++;
  auto blobs = bufferBlobs_.find(buffer);
  Blobs rowBlobs = blobs == bufferBlobs_.end() ? Blobs() : blobs->second;
  rows_.insert(at, std::make_unique<Row>(Row{id, std::move(data), std::move(rowBlobs)}));
  RebuildView();
  position_ = FindInView(id);
}

void MemoryDataSet::InternalRefresh() {
  int32_t id = position_ >= 0 && position_ < static_cast<int>(view_.size()) ? view_[position_]->id
                                                                           : 0;
  RebuildView();
  int found = FindInView(id);
  position_ = found >= 0 ? found : std::min(position_, static_cast<int>(view_.size()));
}

void MemoryDataSet::DoOnNewRecord() {
  // A new detail record belongs to the master's record.
  if (masterLink_->Active()) {
    const auto& master = masterLink_->Fields();
    for (size_t i = 0; i < master.size() && i < keyFields_.size(); ++i)
      keyFields_[i]->SetAsVariant(master[i]->AsVariant());
  }
  TDataSet::DoOnNewRecord();
}

// ---------------------------------------------------------------- indexes

TField* MemoryDataSet::IndexFields(int index) const {
  if (index < 0 || index >= IndexFieldCount()) DatabaseError(dbtext::kFieldIndexRange, this);
  return keyFields_[index];
}

bool MemoryDataSet::GetIsIndexField(const TField* field) const {
  return std::find(keyFields_.begin(), keyFields_.end(), field) != keyFields_.end();
}

void MemoryDataSet::SetIndex(const AnsiString& text, bool byFields) {
  if (Active()) CheckBrowseMode();
  if (text == indexText_ && byFields == byFields_) return;
  AnsiString oldText = indexText_;
  bool oldByFields = byFields_;
  indexText_ = text;
  byFields_ = byFields;
  if (!Active()) return;
  UpdateCursorPos();
  int32_t id = ActiveBuffer() && GetBookmarkFlag(ActiveBuffer()) == bfCurrent
                   ? BufferId(ActiveBuffer())
                   : 0;
  try {
    ResolveIndex();
  } catch (...) {
    indexText_ = oldText;
    byFields_ = oldByFields;
    ResolveIndex();
    throw;
  }
  rangeActive_ = false;
  RebuildView();
  if (masterLink_->Active() && !masterLink_->Fields().empty()) {
    MasterChanged();
    return;
  }
  int found = FindInView(id);
  if (found < 0) {
    First();
    return;
  }
  position_ = found;
  Resync(rmExact | rmCenter);
}

void MemoryDataSet::ResolveIndex() {
  keyFields_.clear();
  descending_.clear();
  caseInsensitive_ = unique_ = false;
  if (indexText_.empty()) return;
  const TIndexDef* def = nullptr;
  AnsiString fields = indexText_;
  if (byFields_) {
    def = indexDefs_.FindIndexForFields(indexText_);
    if (def && SplitFieldNames(def->Fields).size() != SplitFieldNames(indexText_).size())
      def = nullptr;
  } else {
    int at = indexDefs_.IndexOf(indexText_);
    if (at < 0) DatabaseError(Format(dbtext::kIndexNotFound, {indexText_}), this);
    def = &indexDefs_.Items(at);
    fields = def->Fields;
  }
  std::vector<AnsiString> descFields;
  if (def) {
    caseInsensitive_ = def->Options & ixCaseInsensitive;
    unique_ = def->Options & (ixUnique | ixPrimary);
    descFields = SplitFieldNames(def->DescFields);
  }
  for (const AnsiString& name : SplitFieldNames(fields)) {
    keyFields_.push_back(FieldByName(name));
    bool desc = def && (def->Options & ixDescending);
    for (const AnsiString& d : descFields) desc = desc || SameText(d, name);
    descending_.push_back(desc);
  }
}

int MemoryDataSet::CompareKeys(const char* a, const char* b, int count) const {
  count = std::min(count, static_cast<int>(keyFields_.size()));
  for (int i = 0; i < count; ++i) {
    const TField* f = keyFields_[i];
    int c = CompareStored(f, a + f->Offset(), b + f->Offset(), caseInsensitive_);
    if (c != 0) return descending_[i] ? -c : c;
  }
  return 0;
}

bool MemoryDataSet::InRange(const Row& row) const {
  if (!rangeActive_) return true;
  if (appliedStart_.fieldCount > 0) {
    int c = CompareKeys(row.data.data(), appliedStart_.data.data(), appliedStart_.fieldCount);
    if (c < 0 || (c == 0 && appliedStart_.exclusive)) return false;
  }
  if (appliedEnd_.fieldCount > 0) {
    int c = CompareKeys(row.data.data(), appliedEnd_.data.data(), appliedEnd_.fieldCount);
    if (c > 0 || (c == 0 && appliedEnd_.exclusive)) return false;
  }
  return true;
}

void MemoryDataSet::RebuildView() {
  view_.clear();
  for (const auto& row : rows_)
    if (InRange(*row) && (!Filtered() || FilterAccepts(*row))) view_.push_back(row.get());
  if (keyFields_.empty()) return;
  int count = static_cast<int>(keyFields_.size());
  std::stable_sort(view_.begin(), view_.end(), [this, count](const Row* a, const Row* b) {
    return CompareKeys(a->data.data(), b->data.data(), count) < 0;
  });
}

// ---------------------------------------------------------------- keys and ranges

void MemoryDataSet::EnterKeyState(KeyRole role, bool clear) {
  CheckBrowseMode();
  if (keyFields_.empty()) DatabaseError(dbtext::kNoActiveIndex, this);
  KeyBuffer& key = keys_[role];
  savedKey_ = key.data;
  if (clear) {
    std::fill(key.data.begin(), key.data.end(), 0);
    key.fieldCount = 0;
    key.exclusive = false;
  }
  editingKey_ = role;
  SetState(dsSetKey);
}

void MemoryDataSet::SetKey() { EnterKeyState(kLookup, true); }
void MemoryDataSet::EditKey() { EnterKeyState(kLookup, false); }
void MemoryDataSet::SetRangeStart() { EnterKeyState(kRangeStart, true); }
void MemoryDataSet::SetRangeEnd() { EnterKeyState(kRangeEnd, true); }
void MemoryDataSet::EditRangeStart() { EnterKeyState(kRangeStart, false); }
void MemoryDataSet::EditRangeEnd() { EnterKeyState(kRangeEnd, false); }

bool MemoryDataSet::KeyExclusive() const {
  return keys_[editingKey_].exclusive;
}

void MemoryDataSet::SetKeyExclusive(bool value) {
  if (State() != dsSetKey) DatabaseError(dbtext::kNotEditing, this);
  keys_[editingKey_].exclusive = value;
}

void MemoryDataSet::SetKeyFields(KeyRole role, const VariantArray& values) {
  if (keyFields_.empty()) DatabaseError(dbtext::kNoActiveIndex, this);
  if (values.size() > keyFields_.size()) DatabaseError(dbtext::kFieldIndexRange, this);
  KeyRole savedRole = editingKey_;
  TDataSetState saved = SetTempState(dsSetKey);
  editingKey_ = role;
  KeyBuffer& key = keys_[role];
  std::fill(key.data.begin(), key.data.end(), 0);
  key.exclusive = false;
  try {
    for (size_t i = 0; i < values.size(); ++i) keyFields_[i]->SetAsVariant(values[i]);
  } catch (...) {
    editingKey_ = savedRole;
    RestoreState(saved);
    throw;
  }
  key.fieldCount = static_cast<int>(values.size());
  editingKey_ = savedRole;
  RestoreState(saved);
}

void MemoryDataSet::PostKeyBuffer(bool commit) {
  if (!commit) keys_[editingKey_].data = savedKey_;
  TDataSet::PostKeyBuffer(commit);
}

int MemoryDataSet::SeekKey(const KeyBuffer& key, bool exclusive) const {
  int size = static_cast<int>(view_.size());
  for (int i = 0; i < size; ++i) {
    int c = CompareKeys(view_[i]->data.data(), key.data.data(), key.fieldCount);
    if (c > 0 || (c == 0 && !exclusive)) return i;
  }
  return size;
}

bool MemoryDataSet::GotoKey() {
  CheckBrowseMode();
  DoBeforeScroll();
  CursorPosChanged();
  const KeyBuffer& key = keys_[kLookup];
  int at = SeekKey(key, false);
  if (at >= static_cast<int>(view_.size()) ||
      CompareKeys(view_[at]->data.data(), key.data.data(), key.fieldCount) != 0)
    return false;
  position_ = at;
  Resync(rmExact | rmCenter);
  DoAfterScroll();
  return true;
}

void MemoryDataSet::GotoNearest() {
  CheckBrowseMode();
  DoBeforeScroll();
  CursorPosChanged();
  const KeyBuffer& key = keys_[kLookup];
  position_ = SeekKey(key, key.exclusive);
  Resync(rmCenter);
  DoAfterScroll();
}

bool MemoryDataSet::FindKey(const VariantArray& values) {
  CheckBrowseMode();
  SetKeyFields(kLookup, values);
  return GotoKey();
}

void MemoryDataSet::FindNearest(const VariantArray& values) {
  CheckBrowseMode();
  SetKeyFields(kLookup, values);
  GotoNearest();
}

void MemoryDataSet::ApplyRange() {
  CheckBrowseMode();
  const KeyBuffer& start = keys_[kRangeStart];
  const KeyBuffer& end = keys_[kRangeEnd];
  auto same = [](const KeyBuffer& a, const KeyBuffer& b) {
    return a.data == b.data && a.fieldCount == b.fieldCount && a.exclusive == b.exclusive;
  };
  if (rangeActive_ && same(start, appliedStart_) && same(end, appliedEnd_)) return;
  appliedStart_ = start;
  appliedEnd_ = end;
  rangeActive_ = true;
  RebuildView();
  First();
}

void MemoryDataSet::CancelRange() {
  CheckBrowseMode();
  if (!rangeActive_) return;
  UpdateCursorPos();
  int32_t id = position_ >= 0 && position_ < static_cast<int>(view_.size()) ? view_[position_]->id
                                                                           : 0;
  rangeActive_ = false;
  RebuildView();
  int found = FindInView(id);
  position_ = found >= 0 ? found : -1;
  Resync(0);
}

void MemoryDataSet::SetRange(const VariantArray& startValues, const VariantArray& endValues) {
  CheckBrowseMode();
  SetKeyFields(kRangeStart, startValues);
  SetKeyFields(kRangeEnd, endValues);
  ApplyRange();
}

// ---------------------------------------------------------------- master and detail

TDataSource* MemoryDataSet::MasterSource() const {
  return masterLink_->DataSource();
}

void MemoryDataSet::SetMasterSource(TDataSource* source) {
  // The source's dataset must not already follow this one, through any chain of masters.
  for (TDataSet* d = source ? source->DataSet() : nullptr; d;) {
    if (d == this) DatabaseError(dbtext::kCircularDataLink, this);
    TDataSource* master = d->GetDataSource();
    d = master ? master->DataSet() : nullptr;
  }
  masterLink_->SetDataSource(source);
}

AnsiString MemoryDataSet::MasterFields() const {
  return masterLink_->FieldNames();
}

void MemoryDataSet::SetMasterFields(const AnsiString& names) {
  masterLink_->SetFieldNames(names);
}

void MemoryDataSet::MasterChanged() {
  CheckBrowseMode();
  VariantArray values;
  for (TField* f : masterLink_->Fields()) values.push_back(f->AsVariant());
  SetKeyFields(kRangeStart, values);
  keys_[kRangeEnd] = keys_[kRangeStart];
  ApplyRange();
}

void MemoryDataSet::MasterDisabled() {
  CancelRange();
}

// ---------------------------------------------------------------- filters and searching

bool MemoryDataSet::FilterAccepts(const Row& row) {
  bool accept = true;
  const char* savedRecord = filterRecord_;
  filterRecord_ = row.data.data();
  TDataSetState saved = SetTempState(dsFilter);
  if (OnFilterRecord()) {
    try {
      OnFilterRecord()(this, accept);
    } catch (...) {
      // The handler's failure is reported; the record stands as the handler left Accept.
      InternalHandleException();
    }
  }
  if (accept && !filterBlock_.empty()) {
    DataSetFilterRecord record(*this);
    accept = filterexpr::EvaluateFilter(filterBlock_, record);
  }
  RestoreState(saved);
  filterRecord_ = savedRecord;
  return accept;
}

void MemoryDataSet::FilterChanged() {
  if (!Active()) return;
  RebuildView();
  First();
}

void MemoryDataSet::SetFilter(const AnsiString& text) {
  if (Active()) {
    CheckBrowseMode();
    filterBlock_ = text.empty() ? std::vector<uint8_t>()
                                : filterexpr::ParseFilter(text, FilterOptions(),
                                                          FilterFieldsOf(*this));
  }
  TDataSet::SetFilter(text);
  if (Filtered()) FilterChanged();
}

void MemoryDataSet::SetFilterOptions(TFilterOptions value) {
  if (Active()) {
    CheckBrowseMode();
    if (!Filter().empty())
      filterBlock_ = filterexpr::ParseFilter(Filter(), value, FilterFieldsOf(*this));
  }
  TDataSet::SetFilterOptions(value);
  if (Filtered()) FilterChanged();
}

void MemoryDataSet::SetFiltered(bool value) {
  if (Active()) CheckBrowseMode();
  bool changed = value != Filtered();
  TDataSet::SetFiltered(value);
  if (changed) FilterChanged();
}

void MemoryDataSet::SetOnFilterRecord(const TFilterRecordEvent& handler) {
  if (Active()) CheckBrowseMode();
  TDataSet::SetOnFilterRecord(handler);
  if (Filtered()) FilterChanged();
}

int MemoryDataSet::LocateRecord(const AnsiString& keyFields, const VariantArray& values,
                                TLocateOptions options) {
  std::vector<TField*> fields = FieldList(keyFields);
  const char* savedRecord = filterRecord_;
  TDataSetState saved = SetTempState(dsFilter);
  int found = -1;
  try {
    for (size_t i = 0; i < view_.size() && found < 0; ++i) {
      filterRecord_ = view_[i]->data.data();
      if (FieldsMatch(fields, values, options)) found = static_cast<int>(i);
    }
  } catch (...) {
    RestoreState(saved);
    filterRecord_ = savedRecord;
    throw;
  }
  RestoreState(saved);
  filterRecord_ = savedRecord;
  return found;
}

bool MemoryDataSet::Locate(const AnsiString& keyFields, const VariantArray& values,
                           TLocateOptions options) {
  CheckBrowseMode();
  DoBeforeScroll();
  int at = LocateRecord(keyFields, values, options);
  SetFound(at >= 0);
  if (at < 0) return false;
  CursorPosChanged();
  position_ = at;
  Resync(rmExact | rmCenter);
  DoAfterScroll();
  return true;
}

Variant MemoryDataSet::Lookup(const AnsiString& keyFields, const VariantArray& values,
                              const AnsiString& resultField) {
  CheckActive();
  int at = LocateRecord(keyFields, values, 0);
  if (at < 0) return {};
  TField* field = FieldByName(resultField);
  // The record with its blobs (and calculated values), read as in a calculation.
  std::vector<char> scratch(bufferSize_, '\0');
  std::memcpy(scratch.data(), view_[at]->data.data(), recordSize_);
  bufferBlobs_[scratch.data()] = view_[at]->blobs;
  char* savedCalc = CalcBuffer();
  Variant result;
  try {
    // Only a calculated result needs the calculation: a lookup field into this same dataset
    // would otherwise look itself up without end.
    if (IsCalculated(field)) GetCalcFields(scratch.data());
    SetCalcBuffer(scratch.data());
    TDataSetState saved = SetTempState(dsCalcFields);
    try {
      result = field->AsVariant();
    } catch (...) {
      RestoreState(saved);
      throw;
    }
    RestoreState(saved);
  } catch (...) {
    SetCalcBuffer(savedCalc);
    bufferBlobs_.erase(scratch.data());
    throw;
  }
  SetCalcBuffer(savedCalc);
  bufferBlobs_.erase(scratch.data());
  return result;
}

bool MemoryDataSet::FindRecord(bool restart, bool goForward) {
  CheckBrowseMode();
  DoBeforeScroll();
  SetFound(false);
  UpdateCursorPos();
  CursorPosChanged();
  int size = static_cast<int>(view_.size());
  int step = goForward ? 1 : -1;
  int i = restart ? (goForward ? 0 : size - 1) : position_ + step;
  for (; i >= 0 && i < size; i += step) {
    if (!FilterAccepts(*view_[i])) continue;
    position_ = i;
    Resync(rmExact | rmCenter);
    SetFound(true);
    DoAfterScroll();
    return true;
  }
  return false;
}
