#include "recordmgr/Table.h"

#include <cctype>
#include <cstring>

#include "framework/base/TextCompare.h"
#include "framework/db/DataSource.h"
#include "framework/db/DatabaseError.h"
#include "framework/db/Field.h"
#include "framework/db/MasterDataLink.h"
#include "recordmgr/Sessions.h"
#include "recordmgr/EngineCodes.h"
#include "recordmgr/VirtEng.h"

namespace {

constexpr size_t kIndexNameSize = 127;
constexpr size_t kTagNameSize = 31;
constexpr uint16_t kGreaterOrEqual = 2;
constexpr uint16_t kGreater = 1;

bool StartsWithNumber(const AnsiString& name) {
  const size_t at = name.find_first_not_of(' ');
  return at != AnsiString::npos && std::isdigit(static_cast<unsigned char>(name[at]));
}

uint16_t LeadingNumber(const AnsiString& name) {
  size_t at = 0;
  while (at < name.size() && name[at] == ' ') ++at;
  uint16_t number = 0;
  while (at < name.size() && std::isdigit(static_cast<unsigned char>(name[at])))
    number = static_cast<uint16_t>(number * 10 + (name[at++] - '0'));
  return number;
}

AnsiString TextOf(const char* text, size_t size) { return AnsiString(text, strnlen(text, size)); }

}  // namespace

TttTable::TttTable(TComponent* owner, TttSessionlist& list)
    : TttDBDataset(owner, list), masterLink_(std::make_unique<TMasterDataLink>(this)) {
  masterLink_->OnMasterChange = [this] { masterChanged(); };
  masterLink_->OnMasterDisable = [this] { masterDisabled(); };
}

TttTable::~TttTable() = default;

void TttTable::SetTableName(const AnsiString& value) {
  if (value == tableName_) return;
  CheckInactive();
  tableName_ = value;
  DataEvent(dePropertyChange, 0);
}

void TttTable::SetReadOnly(bool value) {
  CheckInactive();
  readOnly_ = value;
}

void TttTable::SetExclusive(bool value) {
  CheckInactive();
  exclusive_ = value;
}

void TttTable::SetDefaultIndex(bool value) {
  CheckInactive();
  defaultIndex_ = value;
}

void TttTable::DataEvent(TDataEvent event, intptr_t info) {
  if (event == dePropertyChange) indexDefs_.SetUpdated(false);
  TttDBDataset::DataEvent(event, info);
}

// ---------------------------------------------------------------- the cursor

TBaseTable* TttTable::CreateHandle() {
  if (tableName_.empty()) DatabaseError(table_texts::kMissingTableName, this);
  indexDefs_.SetUpdated(false);
  const ResolvedIndex index = resolveIndex(indexText_, byFields_);
  uint32_t openMode = readOnly_ || UpdatesApplyElsewhere() ? 1 : 0;
  const uint32_t shareMode = exclusive_ ? 1 : 0;
  const uint16_t indexId = defaultIndex_ ? 0 : 0xFFFF;
  TBaseTable* cursor = nullptr;
  for (;;) {
    const uint16_t status = Engine()->OpenTable(DBHandle(), tableName_.c_str(), nullptr, index.Name.c_str(),
                                                index.Tag.c_str(), indexId, openMode, shareMode, 0, false, nullptr,
                                                cursor);
    if (status == TableReadOnly && openMode == 0) {
      openMode = 1;
      continue;
    }
    if (status == NotSufficientTableRights && DBSession()->GetPassword()) continue;
    Check(status);
    break;
  }
  activeIndexNumber_ = LeadingNumber(index.Name);
  return cursor;
}

void TttTable::DestroyHandle() {
  DestroyLookupCursor();
  TttDBDataset::DestroyHandle();
}

void TttTable::PrepareCursor() { checkMasterRange(); }

// ---------------------------------------------------------------- indexes

TttTable::ResolvedIndex TttTable::resolveIndex(const AnsiString& text, bool byFields) {
  ResolvedIndex index;
  if (text.empty()) return index;
  if (byFields) {
    UpdateIndexDefs();
    index.Name = indexDefs_.GetIndexForFields(text, false).Name;
  } else {
    index.Name = text;
  }
  if (index.Name.size() > kIndexNameSize) index.Name.resize(kIndexNameSize);
  if (index.Tag.size() > kTagNameSize) index.Tag.resize(kTagNameSize);
  return index;
}

void TttTable::setIndex(const AnsiString& text, bool byFields) {
  if (Active()) CheckBrowseMode();
  if (text == indexText_ && byFields == byFields_) return;
  if (Active()) {
    const ResolvedIndex index = resolveIndex(text, byFields);
    const uint16_t previous = activeIndexNumber_;
    activeIndexNumber_ = LeadingNumber(index.Name);
    try {
      ActivateIndex(index.Name.c_str(), index.Tag.c_str());
    } catch (...) {
      activeIndexNumber_ = previous;
      throw;
    }
    checkMasterRange();
  }
  indexText_ = text;
  byFields_ = byFields;
  if (Active()) Resync(0);
}

void TttTable::UpdateIndexDefs() {
  if (indexDefs_.Updated()) return;
  if (Handle()) {
    readIndexDefs(Handle());
    return;
  }
  // A closed table is opened for the moment to read its indexes.
  const bool held = SetDBFlag(5, true);
  TBaseTable* cursor = nullptr;
  try {
    Check(Engine()->OpenTable(DBHandle(), tableName_.c_str(), nullptr, "", "", 0, 1, 0, 0, false, nullptr, cursor));
    readIndexDefs(cursor);
  } catch (...) {
    if (cursor) Engine()->CloseCursor(cursor);
    SetDBFlag(5, held);
    throw;
  }
  Engine()->CloseCursor(cursor);
  SetDBFlag(5, held);
}

const TIndexDef* TttTable::ChosenIndexDef() {
  if (indexText_.empty()) return nullptr;
  UpdateIndexDefs();
  const AnsiString name = resolveIndex(indexText_, byFields_).Name;
  if (const int named = indexDefs_.IndexOf(name); named >= 0) return &indexDefs_.Items(named);
  if (!StartsWithNumber(name)) return nullptr;
  for (int i = 0; i < indexDefs_.Count(); ++i) {
    const TIndexDef& def = indexDefs_.Items(i);
    if (StartsWithNumber(def.Name) && LeadingNumber(def.Name) == LeadingNumber(name)) return &def;
  }
  return nullptr;
}

void TttTable::readIndexDefs(TBaseTable* cursor) {
  CursorProperties properties{};
  Check(Engine()->GetCursorProps(cursor, properties));
  std::vector<IndexDescriptor> descriptions(properties.IndexCount);
  if (!descriptions.empty()) Check(Engine()->GetIndexDescs(cursor, descriptions.data()));
  std::vector<FieldDescriptor> fields(properties.FieldCount);
  if (!fields.empty()) Check(Engine()->GetFieldDescs(cursor, fields.data()));
  auto fieldName = [&](uint16_t number) {
    for (const FieldDescriptor& f : fields)
      if (f.FieldNumber == number) return TextOf(f.FieldName, FieldDescriptor::NameSize);
    return AnsiString();
  };
  indexDefs_.Clear();
  for (const IndexDescriptor& d : descriptions) {
    TIndexOptions options = 0;
    if (d.Primary) options |= ixPrimary;
    if (d.Unique) options |= ixUnique;
    if (d.Descending) options |= ixDescending;
    if (d.CaseInsensitive) options |= ixCaseInsensitive;
    if (!d.Maintained) options |= ixNonMaintained;
    if (d.Expression) options |= ixExpression;
    AnsiString keyFields, descending;
    if (d.Expression) {
      keyFields = TextOf(d.KeyExpression, sizeof d.KeyExpression);
    } else {
      for (uint16_t i = 0; i < d.KeyFieldCount && i < IndexDescriptor::MaxKeyFields; ++i) {
        const AnsiString name = fieldName(d.KeyFields[i]);
        keyFields += (keyFields.empty() ? "" : ";") + name;
        if (d.FieldDescending[i]) descending += (descending.empty() ? "" : ";") + name;
      }
      if (d.Descending && descending == keyFields) descending.clear();
    }
    TIndexDef& def = indexDefs_.Add(TextOf(d.Name, sizeof d.Name), keyFields, options);
    def.DescFields = descending;
  }
  indexDefs_.SetUpdated(true);
}

// ---------------------------------------------------------------- key searches

bool TttTable::FindKey(const VariantArray& values) {
  CheckBrowseMode();
  SetKeyFields(kbLookupKey, values);
  return GotoKey();
}

void TttTable::FindNearest(const VariantArray& values) {
  CheckBrowseMode();
  SetKeyFields(kbLookupKey, values);
  GotoNearest();
}

void TttTable::SetKey() { EditKeyBuffer(kbLookupKey, true); }

void TttTable::EditKey() { EditKeyBuffer(kbLookupKey, false); }

bool TttTable::GotoKey() {
  CheckBrowseMode();
  DoBeforeScroll();
  CursorPosChanged();
  std::vector<char> key;
  const bool asKey = ExtractKeyOf(kbLookupKey, key);
  const void* search = asKey ? static_cast<const void*>(key.data()) : KeyRecord(kbLookupKey);
  const uint16_t fieldCount = KeyHeader(kbLookupKey).FieldCount;
  const bool found = Filtered() ? findShownKey(asKey, fieldCount, search)
                                : Engine()->GetRecordForKey(Handle(), asKey, fieldCount, 0, search, nullptr) == 0;
  if (!found) return false;
  DoAfterScroll();
  Resync(rmExact | rmCenter);
  return true;
}

// The record manager's key search passes the filters by, so a filtered table takes the first record
// it shows at or after the key, and keeps it only when that record has the key: the records of one
// key lie together, so a key search from the shown record then lands on the same first record as
// the search did.
bool TttTable::findShownKey(bool asKey, uint16_t fieldCount, const void* search) {
  const size_t size = static_cast<size_t>(RecordSize());
  std::vector<char> first(size), shown(size), firstOfShown(size);
  if (Engine()->GetRecordForKey(Handle(), asKey, fieldCount, 0, search, first.data()) != 0) return false;
  // The search for a place passes the hidden records over and stands on the first one shown.
  auto toFirstShown = [&] {
    return Engine()->SetToKey(Handle(), kGreaterOrEqual, asKey, fieldCount, 0, search) == 0 &&
           Engine()->GetRecord(Handle(), 0, shown.data(), nullptr) == 0;
  };
  if (!toFirstShown()) return false;
  if (std::memcmp(first.data(), shown.data(), size) == 0) return true;
  firstOfShown = shown;
  if (Engine()->GetRecordForKey(Handle(), false, fieldCount, 0, firstOfShown.data(), firstOfShown.data()) != 0 ||
      std::memcmp(first.data(), firstOfShown.data(), size) != 0)
    return false;
  return toFirstShown();
}

void TttTable::GotoNearest() {
  CheckBrowseMode();
  CursorPosChanged();
  std::vector<char> key;
  const bool asKey = ExtractKeyOf(kbLookupKey, key);
  const void* search = asKey ? static_cast<const void*>(key.data()) : KeyRecord(kbLookupKey);
  const KeyBufferHeader& header = KeyHeader(kbLookupKey);
  Check(Engine()->SetToKey(Handle(), header.Exclusive ? kGreater : kGreaterOrEqual, asKey, header.FieldCount, 0,
                           search));
  Resync(rmCenter);
}

// ---------------------------------------------------------------- ranges

void TttTable::SetRange(const VariantArray& startValues, const VariantArray& endValues) {
  CheckBrowseMode();
  SetKeyFields(kbRangeStart, startValues);
  SetKeyFields(kbRangeEnd, endValues);
  ApplyRange();
}

void TttTable::ApplyRange() {
  CheckBrowseMode();
  if (ApplyCursorRange()) First();
}

void TttTable::CancelRange() {
  CheckBrowseMode();
  UpdateCursorPos();
  if (ClearCursorRange()) Resync(0);
}

void TttTable::GotoCurrent(TttTable& other) {
  CheckBrowseMode();
  other.CheckBrowseMode();
  if (!SameText(DatabaseName(), other.DatabaseName()) || !SameText(tableName_, other.tableName_))
    throw ETableIncompatible(table_texts::kIncompatibleTables);
  other.UpdateCursorPos();
  Check(Engine()->SetToCursor(Handle(), other.Handle()));
  DoBeforeScroll();
  Resync(rmExact | rmCenter);
  DoAfterScroll();
}

// ---------------------------------------------------------------- master and detail

TDataSource* TttTable::MasterSource() const { return masterLink_->DataSource(); }

void TttTable::SetMasterSource(TDataSource* source) {
  for (TDataSet* d = source ? source->DataSet() : nullptr; d;) {
    if (d == this) DatabaseError(dbtext::kCircularDataLink, this);
    TDataSource* master = d->GetDataSource();
    d = master ? master->DataSet() : nullptr;
  }
  masterLink_->SetDataSource(source);
}

AnsiString TttTable::MasterFields() const { return masterLink_->FieldNames(); }

void TttTable::SetMasterFields(const AnsiString& names) { masterLink_->SetFieldNames(names); }

void TttTable::checkMasterRange() {
  if (masterLink_->Active() && !masterLink_->Fields().empty()) {
    SetLinkRanges(masterLink_->Fields());
    ApplyCursorRange();
  }
}

void TttTable::masterChanged() {
  CheckBrowseMode();
  SetLinkRanges(masterLink_->Fields());
  ApplyRange();
}

void TttTable::masterDisabled() { CancelRange(); }

void TttTable::DoOnNewRecord() {
  if (masterLink_->Active())
    for (size_t i = 0; i < masterLink_->Fields().size(); ++i)
      GetIndexField(static_cast<int>(i))->SetAsVariant(masterLink_->Fields()[i]->AsVariant());
  TttDBDataset::DoOnNewRecord();
}
