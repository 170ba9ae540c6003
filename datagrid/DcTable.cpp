#include "datagrid/DcTable.h"

#include "datagrid/ControlsHeld.h"
#include "datagrid/CursorFilters.h"
#include "datagrid/DcEngineHelpers.h"
#include "datagrid/Intl.h"
#include "datagrid/SelectedLists.h"
#include "datagrid/StringHelpers.h"
#include "framework/base/ClassRegistry.h"
#include "framework/base/StringUtils.h"
#include "framework/base/TextCase.h"
#include "framework/base/TextCompare.h"
#include "framework/base/UnitLifecycle.h"
#include "framework/db/DataSource.h"
#include "framework/db/Field.h"
#include "framework/ui/Dialogs.h"
#include "framework/ui/Screen.h"
#include "recordmgr/Database.h"
#include "recordmgr/StatementCursor.h"

namespace {

UnitRegistration unit("datagrid/DcTable", {"recordmgr/FrameworkTable"}, [] { RegisterClass<TdcTable>(); });

// The characters trimmed from the end of a filter line.
CharSet BlankSet() {
  CharSet set;
  for (int c = 0; c <= ' '; ++c) set.set(static_cast<size_t>(c));
  return set;
}

AnsiString FirstWord(const AnsiString& line) {
  int pos = 1;
  return StrScanToken(line, pos, stoSkipBlanks, CharSet());
}

}  // namespace

void TdcTable::PublishProperties(PropertyPublisher<TdcTable>& publish) {
  PublishExtensionProperties(publish);
  publish.StringList("dcFilter", &TdcTable::dcFilter, &TdcTable::SetdcFilter);
  publish.StringList("Query", &TdcTable::Query, &TdcTable::SetQuery);
  publish.String("TableName", &TdcTable::TableName, &TdcTable::SetTableName);
  publish.String("DatabaseName", &TdcTable::DatabaseName, &TdcTable::SetDatabaseName);
  publish.String("IndexName", &TdcTable::IndexName, &TdcTable::SetIndexName);
  publish.String("IndexFieldNames", &TdcTable::IndexFieldNames, &TdcTable::SetIndexFieldNames);
  publish.Object("MasterSource", &TdcTable::MasterSource, &TdcTable::SetMasterSource);
  publish.Boolean("SyncSQLByRange", &TdcTable::SyncSQLByRange, &TdcTable::SyncSQLByRange);
  publish.Boolean("NarrowSearch", &TdcTable::NarrowSearch, &TdcTable::NarrowSearch);
  publish.Integer("NarrowSearchUpperChar", &TdcTable::NarrowSearchUpperChar, &TdcTable::NarrowSearchUpperChar);
}

TdcTable::TdcTable(TComponent* owner) : DcExtendedSteps<TTable>(owner) {}

// ---------------------------------------------------------------- table or query

void TdcTable::SetTableName(const AnsiString& value) {
  if (!value.empty() && HasQuery()) {
    Close();
    query_.Clear();
  }
  TTable::SetTableName(value);
}

void TdcTable::SetQuery(TStrings* value) {
  Close();
  if (value) query_.Assign(*value);
  if (!HasQuery()) return;
  TTable::SetTableName("");
  SetIndexFieldNames("");
  SetMasterSource(nullptr);
  SetMasterFields("");
}

TBaseTable* TdcTable::CreateHandle() {
  openedByQuery_ = HasQuery();
  if (!openedByQuery_) return DcExtendedSteps<TTable>::CreateHandle();
  language_ = SameText(FirstWord(query_.Strings(0)), "query") ? qlSQL : qlQBE;
  AnsiString text;
  for (int i = 0; i < query_.Count(); ++i) text += (i ? (language_ == qlSQL ? " " : "\r\n") : "") + query_.Strings(i);
  // The word only names the language: the statement is what follows it.
  if (language_ == qlSQL) text = TrimLeft(text).substr(5);
  HourglassCursor busy;
  return RunStatementCursor(*this, language_, text, statement_);
}

void TdcTable::DestroyHandle() {
  DcExtendedSteps<TTable>::DestroyHandle();
  ReleaseStatement(*this, statement_);
  dcFilterHandle_ = nullptr;
}

// The text filter goes on before the record filter, as the cursor is prepared.
void TdcTable::PrepareCursor() {
  TTable::PrepareCursor();
  if (!dcFilterText().empty()) applydcFilter(true);
  extension_.CursorPrepared();
}

bool TdcTable::IsSQLBased() const { return Database() && Database()->IsSQLBased(); }


bool TdcTable::IsSequenced() const { return dcFilterText().empty() && DcExtendedSteps<TTable>::IsSequenced(); }

// ---------------------------------------------------------------- dcFilter

AnsiString TdcTable::dcFilterText() const {
  AnsiString text;
  bool first = true;
  for (int i = 0; i < dcFilter_.Count(); ++i) {
    AnsiString line = dcFilter_.Strings(i);
    StrTrimTrailingChars(line, BlankSet());
    if (line.empty()) continue;
    text += first ? line : " AND (" + line + ")";
    first = false;
  }
  return text;
}

void TdcTable::SetdcFilter(TStrings* value) {
  if (value) dcFilter_.Assign(*value);
  if (!Active()) return;
  if (!applydcFilter(false)) ShowMessage(dctable_texts::kFailToSetFilter);
}

bool TdcTable::applydcFilter(bool force) { return ApplyFilterExpression(dcFilterText(), this, dcFilterHandle_, force); }

// ---------------------------------------------------------------- indexes

bool TdcTable::IndexForFields(const AnsiString& Fields, bool CaseSensitive, AnsiString& IndexName, bool ExactLength) {
  TIndexDefs& defs = IndexDefs();
  if (defs.Count() == 0 || SameText(defs.Items(0).Name, Name() + "Index0")) defs.SetUpdated(false);
  UpdateIndexDefs();
  const AnsiString wanted = UpperCase(Fields);
  for (int i = 0; i < defs.Count(); ++i) {
    const TIndexDef& def = defs.Items(i);
    const AnsiString fields = UpperCase(def.Fields);
    if (!fields.starts_with(wanted)) continue;
    const bool caseInsensitive = (def.Options & ixCaseInsensitive) != 0;
    if (caseInsensitive == CaseSensitive) continue;
    const bool fits = ExactLength ? fields.size() == wanted.size()
                                  : fields.size() == wanted.size() || fields[wanted.size()] == ';';
    if (!fits) continue;
    IndexName = def.Name;
    return true;
  }
  return false;
}

AnsiString TdcTable::IndexNameForFields(const AnsiString& Fields) {
  AnsiString name;
  for (const auto& [caseSensitive, exact] : {std::pair{false, true}, {true, true}, {false, false}, {true, false}})
    if (IndexForFields(Fields, caseSensitive, name, exact)) return name;
  return "?";
}

AnsiString TdcTable::FirstIndexField() {
  const std::vector<AnsiString> byFields = SplitFieldNames(IndexFieldNames());
  if (!byFields.empty()) return byFields.front();
  UpdateIndexDefs();
  const AnsiString name = IndexName().empty() ? AnsiString("PrimaryKey") : IndexName();
  int index = IndexDefs().IndexOf(name);
  if (index < 0 && IndexName().empty() && IndexDefs().Count() > 0) index = 0;
  if (index < 0) return {};
  const std::vector<AnsiString> fields = SplitFieldNames(IndexDefs().Items(index).Fields);
  return fields.empty() ? AnsiString() : fields.front();
}

bool TdcTable::SelectIndexForFields(const AnsiString& Fields) {
  if (Fields.empty() || HasQuery()) return false;
  const std::vector<AnsiString> wanted = SplitFieldNames(Fields);
  if (wanted.empty()) return false;
  if (!MasterSource() && SameText(FirstIndexField(), wanted.front())) return true;
  AnsiString search = Fields;
  if (MasterSource() && !LookupSwitch) search = MasterFields() + ";" + wanted.front();
  AnsiString name;
  {
    ++LookupSearchCount;
    name = IndexNameForFields(search);
    --LookupSearchCount;
  }
  if (name == "?") return false;
  if (SameText(name, IndexName())) return true;
  const int index = IndexDefs().IndexOf(name);
  if (index < 0) return false;
  SwitchIndexKeepingPosition(this, IndexDefs().Items(index));
  return true;
}

void TdcTable::SetIndexFromSelected(TStrings* Selected) {
  if (!Selected || Selected->Count() == 0) return;
  int pos = 1;
  SelectIndexForFields(StrGetToken(Selected->Strings(0), "\t", pos));
}

// ---------------------------------------------------------------- ranges and searches

void TdcTable::SetKeyRange(const VariantArray& Values, int HighIndex) {
  CheckBrowseMode();
  VariantArray values(Values.begin(), Values.begin() + std::min<size_t>(Values.size(), HighIndex + 1));
  SetRange(values, values);
}

void TdcTable::RangeToRecordOf(TDataSet* OtherTable) {
  HourglassCursor busy;
  ControlsHeld still(*this);
  VariantArray values;
  for (int i = 0; i < IndexFieldCount(); ++i) {
    TField* other = OtherTable->FindField(GetIndexField(i)->FieldName());
    if (!other) break;
    values.push_back(Variant(other->AsString()));
  }
  SetRange(values, values);
}

void TdcTable::CancelSearchRange() {
  if (IsSQLBased() && dcIntlDefaults && dcIntlDefaults->ReopenTableOnCancelRange) {
    StringList layout;
    BuildSelectedFromFields(this, layout);
    Close();
    Open();
    ApplySelectedToFields(this, layout);
    return;
  }
  CancelRange();
}

bool TdcTable::FindNearestIncremental(const AnsiString& Value, int KeyIndex) {
  ++LookupSearchCount;
  try {
    const bool found = IncrementalFind(this, Value, KeyIndex);
    --LookupSearchCount;
    return found;
  } catch (...) {
    --LookupSearchCount;
    throw;
  }
}
