// The active index of TttBDEDataset, its key buffers and the cursor's key range.
#include <cstring>

#include "framework/base/FormatText.h"
#include "framework/db/DatabaseError.h"
#include "framework/db/Field.h"
#include "recordmgr/BDEDataset.h"
#include "recordmgr/DatabaseEngineError.h"
#include "recordmgr/EngineCodes.h"
#include "recordmgr/VirtEng.h"

namespace {

constexpr const char* kIndexFieldAccess = "Cannot access index field '%s'";
constexpr const char* kExpressionIndexKey = "Cannot use array of Field values with Expression Indices";

}  // namespace

// ---------------------------------------------------------------- the index description

void TttBDEDataset::readIndexDescription() {
  IndexDescriptor description{};
  // A cursor that cannot describe its index keeps the description it had.
  if (Engine()->GetIndexDesc(handle_, ActiveIndexNumber(), description) == 0) indexDesc_ = description;
}

int TttBDEDataset::IndexFieldCount() const { return indexDesc_.Expression ? 0 : indexDesc_.KeyFieldCount; }

bool TttBDEDataset::GetIsIndexField(const TField* field) const {
  for (int i = 0; i < IndexFieldCount(); ++i)
    if (indexDesc_.KeyFields[i] == field->FieldNo()) return true;
  return false;
}

TField* TttBDEDataset::GetIndexField(int index) const {
  if (index < 0 || index >= IndexFieldCount()) DatabaseError(dbtext::kFieldIndexRange, this);
  const int fieldNo = indexDesc_.KeyFields[index];
  auto* self = const_cast<TttBDEDataset*>(this);
  for (int i = 0; i < self->Fields().Count(); ++i)
    if (self->Fields()[i]->FieldNo() == fieldNo) return self->Fields()[i];
  AnsiString name;
  for (int i = 0; i < self->FieldDefs().Count(); ++i)
    if (self->FieldDefs().Items(i).FieldNo == fieldNo) name = self->FieldDefs().Items(i).Name;
  DatabaseError(Format(kIndexFieldAccess, {name}), this);
}

void TttBDEDataset::SetIndexField(int index, const Variant& value) { GetIndexField(index)->SetAsVariant(value); }

bool TttBDEDataset::MapsToIndex(const std::vector<TField*>& fields, bool caseInsensitive) const {
  if ((indexDesc_.CaseInsensitive != 0) != caseInsensitive) return false;
  if (static_cast<int>(fields.size()) > IndexFieldCount()) return false;
  for (size_t i = 0; i < fields.size(); ++i)
    if (fields[i]->FieldNo() != indexDesc_.KeyFields[i]) return false;
  return true;
}

void TttBDEDataset::ActivateIndex(const char* indexName, const char* tagName) {
  ClearCursorRange();
  UpdateCursorPos();
  uint16_t status = Engine()->SwitchToIndex(handle_, indexName, tagName, 0, true);
  if (status == DBIERR_NOCURRREC) status = Engine()->SwitchToIndex(handle_, indexName, tagName, 0, false);
  Check(status);
  CursorPosChanged();
  // The record layout and the bookmark size do not depend on the index: the buffers stay.
  indexDesc_ = IndexDescriptor{};
  readIndexDescription();
}

// ---------------------------------------------------------------- key buffers

void TttBDEDataset::allocateKeyBuffers() {
  for (std::vector<char>& buffer : keyBuffers_) buffer.assign(sizeof(KeyBufferHeader) + recordSize_, '\0');
  for (int role = 0; role < KeyBufferCount; ++role) initKeyBuffer(static_cast<KeyBufferRole>(role));
}

void TttBDEDataset::initKeyBuffer(KeyBufferRole role) {
  std::fill(keyBuffers_[role].begin(), keyBuffers_[role].end(), '\0');
  Check(Engine()->InitRecord(handle_, KeyRecord(role)));
}

TttBDEDataset::KeyBufferHeader& TttBDEDataset::KeyHeader(KeyBufferRole role) {
  return *reinterpret_cast<KeyBufferHeader*>(keyBuffers_[role].data());
}

char* TttBDEDataset::KeyRecord(KeyBufferRole role) { return keyBuffers_[role].data() + sizeof(KeyBufferHeader); }

void TttBDEDataset::SetKeyFields(KeyBufferRole role, const VariantArray& values) {
  if (indexDesc_.Expression) DatabaseError(kExpressionIndexKey, this);
  if (indexDesc_.KeyFieldCount == 0) DatabaseError(dbtext::kNoActiveIndex, this);
  const TDataSetState saved = SetTempState(dsSetKey);
  try {
    initKeyBuffer(role);
    currentKey_ = role;
    for (size_t i = 0; i < values.size(); ++i) SetIndexField(static_cast<int>(i), values[i]);
    KeyHeader(role).FieldCount = static_cast<uint16_t>(values.size());
    KeyHeader(role).Modified = Modified() ? 1 : 0;
  } catch (...) {
    RestoreState(saved);
    throw;
  }
  RestoreState(saved);
}

void TttBDEDataset::PostKeyBuffer(bool commit) {
  DataEvent(deCheckBrowseMode, 0);
  if (currentKey_ >= 0) {
    if (commit)
      KeyHeader(static_cast<KeyBufferRole>(currentKey_)).Modified = Modified() ? 1 : 0;
    else
      keyBuffers_[currentKey_] = keyBuffers_[kbSavedKey];
  }
  SetState(dsBrowse);
  DataEvent(deDataSetChange, 0);
}

void TttBDEDataset::EditKeyBuffer(KeyBufferRole role, bool clear) {
  CheckBrowseMode();
  keyBuffers_[kbSavedKey] = keyBuffers_[role];
  if (clear) initKeyBuffer(role);
  currentKey_ = role;
  SetState(dsSetKey);
  DataEvent(deDataSetChange, 0);
}

void TttBDEDataset::SetLinkRanges(const std::vector<TField*>& masterFields) {
  const TDataSetState saved = SetTempState(dsSetKey);
  try {
    initKeyBuffer(kbRangeStart);
    currentKey_ = kbRangeStart;
    KeyHeader(kbRangeStart).Modified = 1;
    for (size_t i = 0; i < masterFields.size(); ++i)
      GetIndexField(static_cast<int>(i))->SetAsVariant(masterFields[i]->AsVariant());
    KeyHeader(kbRangeStart).FieldCount = static_cast<uint16_t>(masterFields.size());
  } catch (...) {
    RestoreState(saved);
    throw;
  }
  RestoreState(saved);
  keyBuffers_[kbRangeEnd] = keyBuffers_[kbRangeStart];
}

bool TttBDEDataset::ExtractKeyOf(KeyBufferRole role, std::vector<char>& key) {
  key.assign(std::max<size_t>(indexDesc_.KeyLength, 1), '\0');
  return Engine()->ExtractKey(handle_, KeyRecord(role), key.data()) == 0;
}

// ---------------------------------------------------------------- ranges

bool TttBDEDataset::ApplyCursorRange() {
  if (keyBuffers_[kbRangeStart] == keyBuffers_[kbCurrentRangeStart] &&
      keyBuffers_[kbRangeEnd] == keyBuffers_[kbCurrentRangeEnd])
    return false;
  const KeyBufferHeader& start = KeyHeader(kbRangeStart);
  const KeyBufferHeader& end = KeyHeader(kbRangeEnd);
  std::vector<char> startKey, endKey;
  bool asKeys = true;
  if (start.Modified) asKeys = ExtractKeyOf(kbRangeStart, startKey) && asKeys;
  if (end.Modified) asKeys = ExtractKeyOf(kbRangeEnd, endKey) && asKeys;
  const void* low = nullptr;
  const void* high = nullptr;
  if (start.Modified) low = asKeys ? static_cast<const void*>(startKey.data()) : KeyRecord(kbRangeStart);
  if (end.Modified) high = asKeys ? static_cast<const void*>(endKey.data()) : KeyRecord(kbRangeEnd);
  Check(Engine()->SetRange(handle_, asKeys, start.FieldCount, 0, low, start.Exclusive != 1, end.FieldCount, 0, high,
                           end.Exclusive != 1));
  keyBuffers_[kbCurrentRangeStart] = keyBuffers_[kbRangeStart];
  keyBuffers_[kbCurrentRangeEnd] = keyBuffers_[kbRangeEnd];
  DestroyLookupCursor();
  return true;
}

bool TttBDEDataset::ClearCursorRange() {
  if (!KeyHeader(kbCurrentRangeStart).Modified && !KeyHeader(kbCurrentRangeEnd).Modified) return false;
  Check(Engine()->ResetRange(handle_));
  initKeyBuffer(kbCurrentRangeStart);
  initKeyBuffer(kbCurrentRangeEnd);
  DestroyLookupCursor();
  return true;
}
