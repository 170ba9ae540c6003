#include "datagrid/DcEngineHelpers.h"

#include <cctype>

#include "datagrid/ControlsHeld.h"
#include "datagrid/DcTable.h"
#include "datagrid/FieldTextTests.h"
#include "datagrid/Intl.h"
#include "datagrid/LocateRecord.h"
#include "datagrid/LocateText.h"
#include "framework/base/FloatText.h"
#include "framework/base/TextCase.h"
#include "framework/base/TextCompare.h"
#include "framework/db/Field.h"
#include "framework/ui/Dialogs.h"
#include "framework/ui/Screen.h"

namespace {

bool IsIntegerType(TFieldType type) {
  return type == ftSmallint || type == ftInteger || type == ftWord || type == ftAutoInc;
}

bool IsTextLike(TFieldType type) { return type == ftString || type == ftFixedChar || type == ftWideString; }

AnsiString TableTitle(const TdcTable& table) { return "Table " + (table.Name().empty() ? table.TableName() : table.Name()); }

void Warn(const AnsiString& text) { MessageDlg(text, mtWarning, {mbOK}, 0); }

// Raises and lowers a table's lookup-search counter around a search.
class SearchCounted {
 public:
  explicit SearchCounted(TdcTable& table) : table_(table) { ++table_.LookupSearchCount; }
  ~SearchCounted() { --table_.LookupSearchCount; }
  SearchCounted(const SearchCounted&) = delete;
  SearchCounted& operator=(const SearchCounted&) = delete;

 private:
  TdcTable& table_;
};

// The current record's texts of the key fields before KeyIndex, then value.
VariantArray LeadingValues(TdcTable& table, int keyIndex, const AnsiString& value) {
  VariantArray values;
  for (int i = 0; i < keyIndex; ++i) values.push_back(Variant(table.GetIndexField(i)->AsString()));
  values.push_back(Variant(value));
  return values;
}

bool ActiveIndexIgnoresCase(TdcTable& table) {
  const TIndexDef* active = table.ChosenIndexDef();
  return active && (active->Options & ixCaseInsensitive) != 0;
}

bool ActiveIndexDescending(TdcTable& table) {
  const TIndexDef* active = table.ChosenIndexDef();
  return active && (active->Options & ixDescending) != 0;
}

void NarrowTo(TdcTable& table, TField& field, int keyIndex, const AnsiString& value) {
  HourglassCursor busy;
  ControlsHeld still(table);
  if (value.empty()) return table.CancelSearchRange();
  VariantArray low = LeadingValues(table, keyIndex, value);
  VariantArray high = low;
  if (IsTextLike(field.DataType())) {
    AnsiString padded = value;
    if (static_cast<int>(padded.size()) < field.Size())
      padded.append(static_cast<size_t>(field.Size()) - padded.size(), static_cast<char>(table.NarrowSearchUpperChar));
    high.back() = Variant(padded);
    if (ActiveIndexDescending(table)) std::swap(low, high);
  }
  table.SetRange(low, high);
}

}  // namespace

bool IncrementalFind(TDataSet* Table, const AnsiString& Value, int KeyIndex) {
  auto* table = dynamic_cast<TTable*>(Table);
  if (!table) return false;
  auto* dc = dynamic_cast<TdcTable*>(table);
  if (!dc) {
    Warn(enginehelper_texts::kTTableNotSupported);
    return false;
  }
  const int keyCount = dc->IndexFieldCount();
  if (keyCount == 0) {
    Warn(TableTitle(*dc) + enginehelper_texts::kIndexNotFound);
    return false;
  }
  const int keyIndex = std::clamp(KeyIndex, 0, keyCount - 1);
  TField& field = *dc->GetIndexField(keyIndex);
  if (!IsValidFieldText(&field, Value)) return false;
  if (dc->NarrowSearch) {
    NarrowTo(*dc, field, keyIndex, Value);
  } else if (dc->IsSQLBased() && dc->SyncSQLByRange && !dc->MasterSource()) {
    if (Value.empty()) {
      dc->CancelSearchRange();
    } else {
      const VariantArray values = LeadingValues(*dc, std::min(keyIndex, 3), Value);
      dc->SetRange(values, values);
    }
  } else if (Value.empty() && (!dcIntlDefaults || dcIntlDefaults->UseLocateMethodForSearch)) {
    dc->First();
  } else {
    // The searched fields are the active index's leading ones, so the nearest key answers what a
    // partial locate would, in one keyed read. The key of an index without case holds its texts
    // upper-cased, and the key search compares the searched text as it is given.
    const AnsiString key = ActiveIndexIgnoresCase(*dc) ? AnsiUpperCase(Value) : Value;
    dc->FindNearest(LeadingValues(*dc, std::min(keyIndex, 3), key));
  }
  // Cancelling a search range may reopen the table, which makes its fields anew.
  return !dc->IsEmpty() && IncrementalMatch(*dc->GetIndexField(keyIndex), Value);
}

bool IncrementalMatch(TField& Field, const AnsiString& Value) {
  const AnsiString text = Field.AsString();
  if (Value.empty()) return text.empty();
  const TFieldType type = Field.DataType();
  if (IsIntegerType(type)) return text == Value;
  if (type == ftFloat || type == ftCurrency) {
    double number = 0;
    return !Field.IsNull() && TryStrToFloat(Value, number) && Field.AsFloat() == number;
  }
  return AnsiUpperCase(text).starts_with(AnsiUpperCase(Value));
}

void SwitchIndexKeepingPosition(TdcTable* Table, const TIndexDef& IndexDef) {
  if (SameText(Table->IndexName(), IndexDef.Name)) return;
  if (!Table->IsSQLBased() || !Table->SyncSQLByRange) return Table->SetIndexName(IndexDef.Name);
  HourglassCursor busy;
  VariantArray start;
  for (const AnsiString& name : SplitFieldNames(IndexDef.Fields))
    if (TField* field = Table->FindField(name)) start.push_back(Variant(field->AsString()));
  Table->Close();
  Table->SetIndexName(IndexDef.Name);
  Table->Open();
  Table->SetRange(start, {});
}

bool LocateFieldValue(TDataSet* DataSet, const AnsiString& Value, const AnsiString& FieldName, bool CaseSensitive,
                      int MatchType) {
  if (TField* field = DataSet->FindField(FieldName); field && !DataSet->IsEmpty()) {
    const AnsiString text = field->AsString();
    if (CaseSensitive ? text == Value : SameText(text, Value)) return true;
  }
  return LocateRecord(true, DataSet, FieldName, CaseSensitive, MatchType, Value);
}

bool TdcTableLocateValue(TdcTable* Table, const AnsiString& Value, const AnsiString& FieldName, bool CaseSensitive,
                         int MatchType) {
  SearchCounted counted(*Table);
  return LocateFieldValue(Table, Value, FieldName, CaseSensitive, MatchType);
}

bool FindKeyValues(TdcTable* Table, const std::vector<AnsiString>& Values) {
  const int keyCount = Table->IndexFieldCount();
  if (keyCount == 0) {
    Warn(TableTitle(*Table) + enginehelper_texts::kIndexNotFound);
    return false;
  }
  if (static_cast<int>(Values.size()) > keyCount) {
    Warn(TableTitle(*Table) + enginehelper_texts::kTooManyValues + Table->IndexName());
    return false;
  }
  for (size_t i = 0; i < Values.size(); ++i)
    if (!IsValidFieldValueText(Table->GetIndexField(static_cast<int>(i)), Values[i])) return false;
  SearchCounted counted(*Table);
  auto currentMatches = [&] {
    if (Table->IsEmpty()) return false;
    for (size_t i = 0; i < Values.size(); ++i)
      if (LowerCase(Table->GetIndexField(static_cast<int>(i))->AsString()) != LowerCase(Values[i])) return false;
    return true;
  };
  VariantArray keys;
  for (const AnsiString& value : Values) keys.push_back(Variant(value));
  if (!Table->IsSQLBased() || !Table->SyncSQLByRange) {
    if (Table->NarrowSearch) Table->CancelSearchRange();
    if (currentMatches()) return true;
    return Table->FindKey(keys);
  }
  if (currentMatches()) return true;
  if (Values.empty() || Values.front().empty()) {
    if (Table->LookupPositioning) return false;
    Table->CancelSearchRange();
    return false;
  }
  Table->SetRange(keys, keys);
  return currentMatches();
}

bool FieldsMapToIndex(TDataSet* DataSet, const AnsiString& FieldNames, bool CaseSensitive) {
  auto* table = dynamic_cast<TttBDEDataset*>(DataSet);
  if (!table) return false;
  std::vector<TField*> fields;
  for (const AnsiString& name : SplitFieldNames(FieldNames)) {
    TField* field = DataSet->FindField(name);
    if (!field) return false;
    fields.push_back(field);
  }
  return !fields.empty() && table->MapsToIndex(fields, !CaseSensitive);
}

AnsiString ScanFilterToken(const AnsiString& Text, int& Pos) {
  const int length = static_cast<int>(Text.size());
  if (Pos <= 0) return {};
  while (Pos <= length && (Text[Pos - 1] == ' ' || Text[Pos - 1] == '\t')) ++Pos;
  if (Pos > length) return {};
  const char first = Text[Pos - 1];
  if (first == '"' || first == '\'') {
    int end = Pos + 1;
    while (end <= length && Text[end - 1] != first) ++end;
    const AnsiString token = Text.substr(static_cast<size_t>(Pos - 1), static_cast<size_t>(std::min(end, length) - Pos + 1));
    Pos = end + 1;
    return token;
  }
  auto inRun = [](char c) {
    return c == '$' || c == '.' || c == '_' || std::isdigit(static_cast<unsigned char>(c)) || (c >= 'A' && c <= 'Z');
  };
  int end = Pos;
  while (end <= length && inRun(Text[end - 1])) ++end;
  if (end == Pos) ++end;  // one character of anything else is a token of its own
  const AnsiString token = Text.substr(static_cast<size_t>(Pos - 1), static_cast<size_t>(end - Pos));
  Pos = end;
  return token;
}
