#include "framework/db/DataSet.h"

#include <algorithm>
#include <cstring>

#include "framework/base/Exception.h"
#include "framework/base/FormatText.h"
#include "framework/base/Stream.h"
#include "framework/base/TextCompare.h"
#include "framework/db/DataLink.h"
#include "framework/db/DataSource.h"
#include "framework/db/DatabaseError.h"
#include "framework/db/Field.h"
#include "framework/db/FieldFactory.h"
#include "framework/db/ForEachStillListed.h"
#include "framework/db/IndexDefs.h"

void TDataSet::PublishProperties(PropertyPublisher<TDataSet>& publish) {
  publish.Boolean("Active", &TDataSet::Active, &TDataSet::SetActive);
  publish.Boolean("AutoCalcFields", &TDataSet::AutoCalcFields, &TDataSet::SetAutoCalcFields);
  publish.String("Filter", &TDataSet::Filter, &TDataSet::SetFilter);
  publish.Boolean("Filtered", &TDataSet::Filtered, &TDataSet::SetFiltered);
  publish.Event("OnFilterRecord", &TDataSet::OnFilterRecord, &TDataSet::SetOnFilterRecord);
  publish.Event("BeforeOpen", &TDataSet::BeforeOpen, &TDataSet::BeforeOpen);
  publish.Event("AfterOpen", &TDataSet::AfterOpen, &TDataSet::AfterOpen);
  publish.Event("BeforeClose", &TDataSet::BeforeClose, &TDataSet::BeforeClose);
  publish.Event("AfterClose", &TDataSet::AfterClose, &TDataSet::AfterClose);
  publish.Event("BeforeInsert", &TDataSet::BeforeInsert, &TDataSet::BeforeInsert);
  publish.Event("AfterInsert", &TDataSet::AfterInsert, &TDataSet::AfterInsert);
  publish.Event("BeforeEdit", &TDataSet::BeforeEdit, &TDataSet::BeforeEdit);
  publish.Event("AfterEdit", &TDataSet::AfterEdit, &TDataSet::AfterEdit);
  publish.Event("BeforePost", &TDataSet::BeforePost, &TDataSet::BeforePost);
  publish.Event("AfterPost", &TDataSet::AfterPost, &TDataSet::AfterPost);
  publish.Event("BeforeCancel", &TDataSet::BeforeCancel, &TDataSet::BeforeCancel);
  publish.Event("AfterCancel", &TDataSet::AfterCancel, &TDataSet::AfterCancel);
  publish.Event("BeforeDelete", &TDataSet::BeforeDelete, &TDataSet::BeforeDelete);
  publish.Event("AfterDelete", &TDataSet::AfterDelete, &TDataSet::AfterDelete);
  publish.Event("BeforeScroll", &TDataSet::BeforeScroll, &TDataSet::BeforeScroll);
  publish.Event("AfterScroll", &TDataSet::AfterScroll, &TDataSet::AfterScroll);
  publish.Event("OnNewRecord", &TDataSet::OnNewRecord, &TDataSet::OnNewRecord);
  publish.Event("OnCalcFields", &TDataSet::OnCalcFields, &TDataSet::OnCalcFields);
  publish.Event("OnEditError", &TDataSet::OnEditError, &TDataSet::OnEditError);
  publish.Event("OnPostError", &TDataSet::OnPostError, &TDataSet::OnPostError);
  publish.Event("OnDeleteError", &TDataSet::OnDeleteError, &TDataSet::OnDeleteError);
}

TDataSet::TDataSet(TComponent* owner) : TComponent(owner) {}

void TDataSet::BeforeDestruction() {
  TComponent::BeforeDestruction();
  CloseForDestruction();
}

void TDataSet::CloseForDestruction() {
  if (!Active()) return;
  SetState(dsInactive);
  DoInternalClose();
}

TDataSet::~TDataSet() {
  ForEachStillListed(dataSources_, [](TDataSource* source) { source->SetDataSet(nullptr); });
  DestroyFields();
  for (TField* f : std::vector<TField*>(fields_.begin(), fields_.end())) f->dataSet_ = nullptr;
}

// ---------------------------------------------------------------- state

void TDataSet::CheckActive() const {
  if (!Active()) DatabaseError(dbtext::kDataSetClosed, this);
}

void TDataSet::CheckInactive() const {
  if (Active()) DatabaseError(dbtext::kDataSetOpen, this);
}

void TDataSet::SetState(TDataSetState value) {
  if (state_ == value) return;
  state_ = value;
  modified_ = false;
  DataEvent(deUpdateState, 0);
}

TDataSetState TDataSet::SetTempState(TDataSetState value) {
  TDataSetState old = state_;
  state_ = value;
  ++disableCount_;
  savedModified_.push_back(modified_);
  return old;
}

void TDataSet::RestoreState(TDataSetState value) {
  state_ = value;
  --disableCount_;
  modified_ = savedModified_.back();
  savedModified_.pop_back();
}

void TDataSet::CheckOperation(const std::function<void()>& op,
                              const TDataSetErrorEvent& errorEvent) {
  for (;;) {
    try {
      UpdateCursorPos();
      op();
      return;
    } catch (EDatabaseError& e) {
      TDataAction action = daFail;
      if (errorEvent) errorEvent(this, e, action);
      if (action == daFail) throw;
      if (action == daAbort) Abort();
    }
  }
}

// ---------------------------------------------------------------- open and close

void TDataSet::SetActive(bool value) {
  if (value == Active()) return;
  if (value) {
    Notify(BeforeOpen);
    try {
      OpenCursor(false);
    } catch (...) {
      if (IsCursorOpen()) CloseCursor();
      throw;
    }
    OpenCursorComplete();
    Notify(AfterOpen);
    if (!IsEmpty()) Notify(AfterScroll);
  } else {
    Notify(BeforeClose);
    SetState(dsInactive);
    DoInternalClose();
    Notify(AfterClose);
  }
}

void TDataSet::OpenCursor(bool infoQuery) {
  if (infoQuery)
    InternalInitFieldDefs();
  else
    InternalOpen();
}

void TDataSet::CloseCursor() {
  InternalClose();
}

void TDataSet::OpenCursorComplete() {
  try {
    bof_ = true;
    eof_ = true;
    state_ = dsBrowse;  // announced below, once the window is filled
    UpdateBufferCount();
    InternalFirst();
    recordCount_ = 0;
    activeRecord_ = 0;
    currentRecord_ = -1;
    if (GetNextRecord()) GetNextRecords();
    bof_ = true;
    eof_ = recordCount_ == 0;
  } catch (...) {
    state_ = dsInactive;
    DoInternalClose();
    throw;
  }
  state_ = dsInactive;
  SetState(dsBrowse);
}

void TDataSet::DoInternalClose() {
  if (IsCursorOpen()) CloseCursor();
  SetBufferCount(0);
  recordCount_ = 0;
  activeRecord_ = 0;
  currentRecord_ = -1;
  bof_ = eof_ = true;
}

void TDataSet::InitFieldDefs() {
  if (IsCursorOpen())
    InternalInitFieldDefs();
  else {
    OpenCursor(true);
    CloseCursor();
  }
}

// ---------------------------------------------------------------- fields

TField* TDataSet::FieldByName(const AnsiString& name) const {
  TField* f = FindField(name);
  if (!f) DatabaseError(Format(dbtext::kFieldNotFound, {name}), this);
  return f;
}

Variant TDataSet::FieldValue(const AnsiString& name) const {
  return FieldByName(name)->AsVariant();
}

void TDataSet::GetFieldNames(std::vector<AnsiString>& names) const {
  names.clear();
  for (TField* f : fields_) names.push_back(f->FieldName());
}

TField* TDataSet::CreateFieldFor(const TFieldDef& def) {
  return CreateFieldOfType(def, this);
}

void TDataSet::CreateFields() {
  defaultFields_ = true;
  for (int i = 0; i < fieldDefs_.Count(); ++i) {
    const TFieldDef& def = fieldDefs_.Items(i);
    // A definition no field class serves (a structure, an unknown type) stays a definition.
    if ((def.Attributes & faHiddenCol) || !HasFieldClass(def.DataType)) continue;
    TField* f = CreateFieldFor(def);
    f->SetDataSet(this);
  }
}

void TDataSet::DestroyFields() {
  // Only the fields the dataset made for itself; persistent fields belong to their owner.
  for (TField* f : std::vector<TField*>(fields_.begin(), fields_.end()))
    if (f->Owner() == this) delete f;
  defaultFields_ = false;
}

void TDataSet::BindFields(bool binding) {
  calcFieldsSize_ = 0;
  hasCalcOrLookup_ = false;
  for (TField* f : fields_) {
    if (binding && (f->FieldKind() == fkCalculated || f->FieldKind() == fkLookup)) {
      hasCalcOrLookup_ = true;
      f->SetOffset(calcFieldsSize_);
      calcFieldsSize_ += f->DataSize() + 1;
    }
    if (!binding) {
      if (f->FieldKind() == fkData) f->SetFieldNo(0);
      continue;
    }
    if (f->FieldKind() != fkData) continue;
    int def = fieldDefs_.IndexOf(f->FieldName());
    if (def < 0) DatabaseError(Format(dbtext::kFieldNotFound, {f->DisplayName()}), this);
    f->SetFieldNo(fieldDefs_.Items(def).FieldNo);
  }
}

bool TDataSet::ReadCalcField(const char* calcArea, const TField* field, void* dest) {
  const char* at = calcArea + field->Offset();
  if (!at[0]) return false;
  if (dest) std::memcpy(dest, at + 1, field->DataSize());
  return true;
}

void TDataSet::WriteCalcField(char* calcArea, const TField* field, const void* source) {
  char* at = calcArea + field->Offset();
  at[0] = source ? 1 : 0;
  if (source)
    std::memcpy(at + 1, source, field->DataSize());
  else
    std::memset(at + 1, 0, field->DataSize());
}

void TDataSet::GetCalcFields(char* buffer) {
  if (!hasCalcOrLookup_ && !OnCalcFields) return;
  TDataSetState saved = SetTempState(dsCalcFields);
  char* savedCalc = calcBuffer_;
  try {
    calcBuffer_ = buffer;
    ClearCalcFields(buffer);
    CalculateFields(buffer);
  } catch (...) {
    calcBuffer_ = savedCalc;
    RestoreState(saved);
    throw;
  }
  calcBuffer_ = savedCalc;
  RestoreState(saved);
}

void TDataSet::CalculateFields(char* buffer) {
  for (TField* f : fields_) {
    if (f->FieldKind() != fkLookup || !f->LookupDataSet() || !f->LookupDataSet()->Active())
      continue;
    VariantArray keys;
    for (TField* key : FieldList(f->KeyFields())) keys.push_back(key->AsVariant());
    f->SetAsVariant(f->LookupDataSet()->Lookup(f->LookupKeyFields(), keys,
                                                f->LookupResultField()));
  }
  Notify(OnCalcFields);
}

std::vector<TField*> TDataSet::FieldList(const AnsiString& names) const {
  std::vector<TField*> list;
  for (const AnsiString& name : SplitFieldNames(names)) list.push_back(FieldByName(name));
  return list;
}

bool TDataSet::FieldsMatch(const std::vector<TField*>& fields, const VariantArray& values,
                           TLocateOptions options) const {
  if (fields.size() != values.size()) return false;
  for (size_t i = 0; i < fields.size(); ++i) {
    TField* f = fields[i];
    const Variant& want = values[i];
    if (want.IsNull() || f->IsNull()) {
      if (want.IsNull() != f->IsNull()) return false;
      continue;
    }
    TFieldType t = f->DataType();
    if (t != ftString && t != ftFixedChar && t != ftMemo) {
      if (!(f->AsVariant() == want)) return false;
      continue;
    }
    AnsiString have = f->AsString();
    AnsiString wanted = want.AsString();
    if ((options & loPartialKey) && i + 1 == fields.size()) have = have.substr(0, wanted.size());
    if ((options & loCaseInsensitive) ? !AnsiSameText(have, wanted) : have != wanted) return false;
  }
  return true;
}

bool TDataSet::Locate(const AnsiString&, const VariantArray&, TLocateOptions) {
  DatabaseError("Operation not supported", this);
}

Variant TDataSet::Lookup(const AnsiString&, const VariantArray&, const AnsiString&) {
  DatabaseError("Operation not supported", this);
}

bool TDataSet::FindRecord(bool, bool) {
  DatabaseError("Operation not supported", this);
}

TStream* TDataSet::CreateBlobStream(TField*, TBlobStreamMode) {
  DatabaseError("Operation not supported", this);
}

int TDataSet::GetBlobFieldData(int fieldNo, std::vector<char>& buffer) {
  TField* field = nullptr;
  for (TField* f : fields_)
    if (f->FieldNo() == fieldNo) field = f;
  if (!field) return 0;
  std::unique_ptr<TStream> stream(CreateBlobStream(field, bmRead));
  int64_t size = stream->Size();
  buffer.resize(static_cast<size_t>(size));
  stream->SetPosition(0);
  return static_cast<int>(stream->Read(buffer.data(), size));
}

void TDataSet::CheckFieldWrite(TField* field, const void* buffer) {
  bool calculated = field->FieldKind() == fkCalculated || field->FieldKind() == fkLookup;
  switch (state_) {
    case dsEdit:
    case dsInsert:
    case dsFilter:
    case dsNewValue:
    case dsInternalCalc: break;
    case dsCalcFields:
      if (!calculated) DatabaseError(dbtext::kNotEditing, this);
      break;
    case dsSetKey:
      if (calculated || (IndexFieldCount() > 0 && !GetIsIndexField(field)))
        DatabaseError(Format(dbtext::kNotIndexed, {field->DisplayName()}), this);
      break;
    default: DatabaseError(dbtext::kNotEditing, this);
  }
  if (!calculated && field->ReadOnly() && state_ != dsSetKey && state_ != dsFilter)
    DatabaseError(Format(dbtext::kFieldReadOnly, {field->DisplayName()}), this);
  if (state_ != dsSetKey && state_ != dsCalcFields) field->Validate(buffer);
}

void TDataSet::FieldWritten(TField* field) {
  if (state_ != dsCalcFields && state_ != dsFilter && state_ != dsNewValue)
    DataEvent(deFieldChange, reinterpret_cast<intptr_t>(field));
}

// ---------------------------------------------------------------- the buffer window

char* TDataSet::ActiveBuffer() const {
  return recordCount_ > 0 || state_ == dsInsert ? buffers_[activeRecord_] : nullptr;
}

void TDataSet::SetBufferCount(int count) {
  if (count == bufferCount_) return;
  // Keep the current record in the window when it shrinks: drop buffers from the top.
  if (count > 0 && activeRecord_ >= count) {
    int drop = activeRecord_ - count + 1;
    for (int i = 0; i < drop; ++i) MoveBuffer(0, recordCount_);
    recordCount_ -= drop;
    activeRecord_ -= drop;
    if (currentRecord_ >= 0) currentRecord_ = currentRecord_ >= drop ? currentRecord_ - drop : -1;
    ShiftLinks(-drop);
  }
  int newSize = count > 0 ? count + 1 : 0;
  while (static_cast<int>(buffers_.size()) > newSize) {
    char* b = buffers_.back();
    buffers_.pop_back();
    FreeRecordBuffer(b);
    if (currentRecord_ >= static_cast<int>(buffers_.size())) currentRecord_ = -1;
  }
  while (static_cast<int>(buffers_.size()) < newSize) buffers_.push_back(AllocRecordBuffer());
  bufferCount_ = count;
  recordCount_ = std::min(recordCount_, count);
  if (Active() && count > 0 && recordCount_ > 0) {
    GetNextRecords();
    // At the end of the data a taller window fills upwards.
    int added = GetPriorRecords();
    activeRecord_ += added;
    ShiftLinks(added);
  }
}

void TDataSet::UpdateBufferCount() {
  if (!Active()) return;
  int wanted = 1;
  for (TDataSource* source : dataSources_)
    for (TDataLink* link : source->dataLinks_) wanted = std::max(wanted, link->BufferCount());
  SetBufferCount(wanted);
}

void TDataSet::ShiftLinks(int by) {
  if (by == 0) return;
  for (TDataSource* source : dataSources_)
    for (TDataLink* link : source->dataLinks_) link->firstRecord_ += by;
}

void TDataSet::MoveBuffer(int from, int to) {
  if (from == to) return;
  char* b = buffers_[from];
  buffers_.erase(buffers_.begin() + from);
  buffers_.insert(buffers_.begin() + to, b);
}

void TDataSet::ClearBuffers() {
  recordCount_ = 0;
  activeRecord_ = 0;
  currentRecord_ = -1;
  bof_ = eof_ = false;
}

void TDataSet::ActivateBuffers() {
  recordCount_ = 1;
  activeRecord_ = 0;
  currentRecord_ = 0;
  bof_ = eof_ = false;
}

void TDataSet::SetCurrentRecord(int index) {
  if (currentRecord_ == index) return;
  char* buffer = buffers_[index];
  switch (GetBookmarkFlag(buffer)) {
    case bfCurrent:
    case bfInserted: InternalSetToRecord(buffer); break;
    case bfBOF: InternalFirst(); break;
    case bfEOF: InternalLast(); break;
  }
  currentRecord_ = index;
}

void TDataSet::UpdateCursorPos() {
  if (recordCount_ > 0) SetCurrentRecord(activeRecord_);
}

bool TDataSet::GetNextRecord() {
  TGetMode mode = gmNext;
  if (recordCount_ > 0) {
    SetCurrentRecord(recordCount_ - 1);
    // A record being inserted sets the cursor on the record it goes before: that one follows.
    if (GetBookmarkFlag(buffers_[recordCount_ - 1]) == bfInserted) mode = gmCurrent;
  }
  bool ok = GetRecord(buffers_[recordCount_], mode, true) == grOK;
  if (!ok) {
    CursorPosChanged();
    return false;
  }
  if (recordCount_ == 0)
    ActivateBuffers();
  else if (recordCount_ < bufferCount_)
    ++recordCount_;
  else
    MoveBuffer(0, recordCount_);
  currentRecord_ = recordCount_ - 1;
  return true;
}

bool TDataSet::GetPriorRecord() {
  if (recordCount_ > 0) SetCurrentRecord(0);
  bool ok = GetRecord(buffers_[recordCount_], gmPrior, true) == grOK;
  if (!ok) {
    CursorPosChanged();
    return false;
  }
  if (recordCount_ == 0) {
    ActivateBuffers();
  } else {
    MoveBuffer(recordCount_, 0);
    if (recordCount_ < bufferCount_) ++recordCount_;
  }
  currentRecord_ = 0;
  return true;
}

int TDataSet::GetNextRecords() {
  int n = 0;
  while (recordCount_ < bufferCount_ && GetNextRecord()) ++n;
  return n;
}

int TDataSet::GetPriorRecords() {
  int n = 0;
  while (recordCount_ < bufferCount_ && GetPriorRecord()) ++n;
  return n;
}

void TDataSet::Resync(TResyncMode mode) {
  if (mode & rmExact) {
    CursorPosChanged();
    if (GetRecord(buffers_[recordCount_], gmCurrent, true) != grOK)
      DatabaseError(dbtext::kRecordNotFound, this);
  } else if (GetRecord(buffers_[recordCount_], gmCurrent, false) != grOK &&
             GetRecord(buffers_[recordCount_], gmNext, false) != grOK &&
             GetRecord(buffers_[recordCount_], gmPrior, false) != grOK) {
    ClearBuffers();
    bof_ = eof_ = true;
    DataEvent(deDataSetChange, 0);
    return;
  }
  // The current record becomes buffer 0; records before it fill in up to the row it held
  // (or the middle of the window), then the records after it.
  int oldActive = activeRecord_;
  MoveBuffer(recordCount_, 0);
  ActivateBuffers();
  int wanted = (mode & rmCenter) ? (bufferCount_ - 1) / 2 : oldActive;
  int before = 0;
  while (before < wanted && GetPriorRecord()) ++before;
  activeRecord_ = before;
  GetNextRecords();
  DataEvent(deDataSetChange, 0);
}

// ---------------------------------------------------------------- navigation

void TDataSet::First() {
  CheckBrowseMode();
  Notify(BeforeScroll);
  ClearBuffers();
  try {
    InternalFirst();
    GetNextRecord();
    GetNextRecords();
  } catch (...) {
    bof_ = true;
    eof_ = recordCount_ == 0;
    DataEvent(deDataSetChange, 0);
    throw;
  }
  bof_ = true;
  eof_ = recordCount_ == 0;
  DataEvent(deDataSetChange, 0);
  Notify(AfterScroll);
}

void TDataSet::Last() {
  CheckBrowseMode();
  Notify(BeforeScroll);
  ClearBuffers();
  try {
    InternalLast();
    GetPriorRecord();
    GetPriorRecords();
  } catch (...) {
    eof_ = true;
    bof_ = recordCount_ == 0;
    activeRecord_ = std::max(0, recordCount_ - 1);
    DataEvent(deDataSetChange, 0);
    throw;
  }
  eof_ = true;
  bof_ = recordCount_ == 0;
  activeRecord_ = std::max(0, recordCount_ - 1);
  DataEvent(deDataSetChange, 0);
  Notify(AfterScroll);
}

void TDataSet::Next() {
  if (blockReadSize_ > 0)
    BlockReadNext();
  else
    MoveBy(1);
}

void TDataSet::SetBlockReadSize(int size) {
  if (size > 0) {
    CheckActive();
    if (state_ != dsBlockRead) CheckBrowseMode();
    SetState(dsBlockRead);
  } else if (state_ == dsBlockRead) {
    // The controls heard nothing while the block was read: they catch up at once.
    SetState(dsBrowse);
    DataEvent(deDataSetChange, 0);
  }
  blockReadSize_ = size > 0 ? size : 0;
}

int TDataSet::MoveBy(int distance) {
  CheckBrowseMode();
  int moved = 0;
  Notify(BeforeScroll);
  if ((distance > 0 && !eof_) || (distance < 0 && !bof_)) {
    bof_ = eof_ = false;
    int scroll = 0;  // how far buffer 0 moved through the data
    try {
      while (distance > 0) {
        if (activeRecord_ < recordCount_ - 1) {
          ++activeRecord_;
        } else {
          bool full = recordCount_ >= bufferCount_;
          if (!GetNextRecord()) {
            eof_ = true;
            break;
          }
          if (full) ++scroll;
          activeRecord_ = recordCount_ - 1;
        }
        --distance;
        ++moved;
      }
      while (distance < 0) {
        if (activeRecord_ > 0) {
          --activeRecord_;
        } else {
          if (!GetPriorRecord()) {
            bof_ = true;
            break;
          }
          --scroll;
          activeRecord_ = 0;
        }
        ++distance;
        --moved;
      }
    } catch (...) {
      DataEvent(deDataSetScroll, scroll);
      throw;
    }
    DataEvent(deDataSetScroll, scroll);
    Notify(AfterScroll);
  }
  return moved;
}

// ---------------------------------------------------------------- editing

void TDataSet::CheckBrowseMode() {
  CheckActive();
  DataEvent(deCheckBrowseMode, 0);
  switch (state_) {
    case dsEdit:
    case dsInsert:
      UpdateRecord();
      if (modified_)
        Post();
      else
        Cancel();
      break;
    case dsSetKey: Post(); break;
    default: break;
  }
}

void TDataSet::UpdateRecord() {
  if (!IsEditState(state_)) DatabaseError(dbtext::kNotEditing, this);
  DataEvent(deUpdateRecord, 0);
}

void TDataSet::Edit() {
  if (state_ == dsEdit || state_ == dsInsert) return;
  if (recordCount_ == 0) {
    Insert();
    return;
  }
  CheckBrowseMode();
  if (!CanModify()) DatabaseError(dbtext::kDataSetReadOnly, this);
  Notify(BeforeEdit);
  CheckOperation([this] { InternalEdit(); }, OnEditError);
  GetCalcFields(ActiveBuffer());
  SetState(dsEdit);
  DataEvent(deRecordChange, 0);
  Notify(AfterEdit);
}

void TDataSet::BeginInsertAppend() {
  CheckBrowseMode();
  if (!CanModify()) DatabaseError(dbtext::kDataSetReadOnly, this);
  Notify(BeforeInsert);
}

void TDataSet::EndInsertAppend() {
  SetState(dsInsert);
  try {
    DoOnNewRecord();
  } catch (...) {
    UpdateCursorPos();
    SetState(dsBrowse);
    Resync(0);
    throw;
  }
  modified_ = false;
  DataEvent(deDataSetChange, 0);
  Notify(AfterInsert);
}

void TDataSet::Insert() {
  BeginInsertAppend();
  // The new record takes the active row; the rows below move down, the last one falling out
  // of a full window. It remembers the record it was inserted before.
  std::vector<char> before(bookmarkSize_);
  bool onRecord = recordCount_ > 0;
  if (onRecord) GetBookmarkData(buffers_[activeRecord_], before.data());
  MoveBuffer(recordCount_, activeRecord_);
  char* buffer = buffers_[activeRecord_];
  InitRecord(buffer);
  if (!onRecord)
    SetBookmarkFlag(buffer, bfBOF);
  else
    SetBookmarkData(buffer, before.data());
  if (recordCount_ < bufferCount_) ++recordCount_;
  if (currentRecord_ >= activeRecord_) ++currentRecord_;
  if (currentRecord_ >= recordCount_) currentRecord_ = -1;
  InternalInsert();
  EndInsertAppend();
}

void TDataSet::Append() {
  BeginInsertAppend();
  ClearBuffers();
  char* buffer = buffers_[0];
  InitRecord(buffer);
  SetBookmarkFlag(buffer, bfEOF);
  recordCount_ = 1;
  bof_ = false;
  // The last records of the data fill the window above the new one.
  int before = GetPriorRecords();
  activeRecord_ = before;
  eof_ = true;
  InternalLast();
  currentRecord_ = -1;
  EndInsertAppend();
}

void TDataSet::InitRecord(char* buffer) {
  InternalInitRecord(buffer);
  ClearCalcFields(buffer);
  SetBookmarkFlag(buffer, bfInserted);
}

void TDataSet::DoOnNewRecord() {
  Notify(OnNewRecord);
}

void TDataSet::DoBeforePost() { Notify(BeforePost); }

void TDataSet::InternalPost() {
  for (TField* f : fields_) {
    if (f->Required() && !f->ReadOnly() && f->FieldKind() == fkData && f->IsNull()) {
      f->FocusControl();
      DatabaseError(Format(dbtext::kFieldRequired, {f->DisplayName()}), this);
    }
  }
}

void TDataSet::Post() {
  UpdateRecord();
  if (state_ == dsEdit || state_ == dsInsert) {
    DataEvent(deCheckBrowseMode, 0);
    DoBeforePost();
    CheckOperation([this] { InternalPost(); }, OnPostError);
    SetState(dsBrowse);
    Resync(0);
    Notify(AfterPost);
  } else if (state_ == dsSetKey) {
    PostKeyBuffer(true);
  }
}

void TDataSet::PostKeyBuffer(bool commit) {
  DataEvent(deCheckBrowseMode, 0);
  SetState(dsBrowse);
  DataEvent(deDataSetChange, 0);
}

void TDataSet::Cancel() {
  if (state_ == dsEdit || state_ == dsInsert) {
    DataEvent(deCheckBrowseMode, 0);
    Notify(BeforeCancel);
    UpdateCursorPos();
    if (state_ == dsEdit) InternalCancel();
    SetState(dsBrowse);
    Resync(0);
    Notify(AfterCancel);
  } else if (state_ == dsSetKey) {
    PostKeyBuffer(false);
  }
}

void TDataSet::Delete() {
  CheckActive();
  if (state_ == dsInsert || state_ == dsSetKey) {
    Cancel();
    return;
  }
  if (recordCount_ == 0) DatabaseError(dbtext::kDataSetEmpty, this);
  DataEvent(deCheckBrowseMode, 0);
  Notify(BeforeDelete);
  Notify(BeforeScroll);
  CheckOperation([this] { InternalDelete(); }, OnDeleteError);
  SetState(dsBrowse);
  Resync(0);
  if (recordCount_ > 0 && DeletedLastRecord()) eof_ = true;
  Notify(AfterDelete);
  Notify(AfterScroll);
}

void TDataSet::SetFields(const VariantArray& values) {
  if (state_ != dsEdit && state_ != dsInsert) Edit();
  int count = std::min(static_cast<int>(values.size()), fields_.Count());
  for (int i = 0; i < count; ++i) fields_[i]->SetAsVariant(values[i]);
}

void TDataSet::InsertRecord(const VariantArray& values) {
  Insert();
  SetFields(values);
  Post();
}

void TDataSet::AppendRecord(const VariantArray& values) {
  Append();
  SetFields(values);
  Post();
}

void TDataSet::Refresh() {
  CheckBrowseMode();
  UpdateCursorPos();
  InternalRefresh();
  Resync(0);
}

void TDataSet::InternalHandleException() {}

// ---------------------------------------------------------------- bookmarks

TBookmark TDataSet::GetBookmark() {
  if (bookmarkSize_ == 0 || !ActiveBuffer() || GetBookmarkFlag(ActiveBuffer()) != bfCurrent)
    return nullptr;
  TBookmark b = new char[bookmarkSize_];
  GetBookmarkData(ActiveBuffer(), b);
  return b;
}

void TDataSet::FreeBookmark(TBookmark bookmark) {
  delete[] bookmark;
}

void TDataSet::GotoBookmark(TBookmark bookmark) {
  if (!bookmark) return;
  CheckBrowseMode();
  Notify(BeforeScroll);
  InternalGotoBookmark(bookmark);
  Resync(rmExact | rmCenter);
  Notify(AfterScroll);
}

bool TDataSet::BookmarkValid(TBookmark bookmark) {
  return false;
}

int TDataSet::CompareBookmarks(TBookmark a, TBookmark b) {
  // A missing bookmark sorts after any real one.
  if (!a && !b) return 0;
  if (!a) return 1;
  if (!b) return -1;
  return 0;
}

TBookmarkStr TDataSet::Bookmark() {
  TBookmark b = GetBookmark();
  if (!b) return {};
  TBookmarkStr s(b, bookmarkSize_);
  FreeBookmark(b);
  return s;
}

void TDataSet::SetBookmark(const TBookmarkStr& bookmark) {
  if (bookmark.empty()) return;
  std::vector<char> b(bookmark.begin(), bookmark.end());
  GotoBookmark(b.data());
}

// ---------------------------------------------------------------- controls and events

void TDataSet::DisableControls() {
  if (disableCount_++ == 0) {
    enableState_ = state_;
    enableEvent_ = deDataSetChange;
  }
}

void TDataSet::EnableControls() {
  if (disableCount_ == 0 || --disableCount_ != 0) return;
  if (enableState_ != state_) DataEvent(deUpdateState, 0);
  if (enableState_ != dsInactive && state_ != dsInactive) DataEvent(enableEvent_, 0);
}

void TDataSet::AddDataSource(TDataSource* source) {
  dataSources_.push_back(source);
  UpdateBufferCount();
}

void TDataSet::RemoveDataSource(TDataSource* source) {
  dataSources_.erase(std::remove(dataSources_.begin(), dataSources_.end(), source),
                     dataSources_.end());
  UpdateBufferCount();
}

void TDataSet::DataEvent(TDataEvent event, intptr_t info) {
  if (event == deFieldChange) {
    auto* field = reinterpret_cast<TField*>(info);
    if (field->FieldKind() == fkData || field->FieldKind() == fkInternalCalc) modified_ = true;
    if (state_ != dsSetKey && autoCalcFields_ && (hasCalcOrLookup_ || OnCalcFields))
      GetCalcFields(ActiveBuffer());
    if (state_ == dsEdit || state_ == dsInsert) field->Change();
  }
  if (ControlsDisabled() || state_ == dsBlockRead) {
    // The controls learn of this when they are enabled again; a closing dataset still
    // tells them at once, so that they let go of its buffers, and whatever state it is in by
    // then is news to them.
    if (event == deLayoutChange) enableEvent_ = deLayoutChange;
    if (!(event == deUpdateState && state_ == dsInactive)) return;
    enableState_ = dsInactive;
  }
  ForEachStillListed(dataSources_, [&](TDataSource* source) { source->DataEvent(event, info); });
}
