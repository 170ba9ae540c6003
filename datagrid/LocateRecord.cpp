#include "datagrid/LocateRecord.h"

#include <optional>
#include <vector>

#include "datagrid/DateTextHelpers.h"
#include "datagrid/DcTable.h"
#include "datagrid/FieldControlTypes.h"
#include "framework/base/FloatText.h"
#include "framework/base/TextCompare.h"
#include "framework/base/TextCase.h"
#include "framework/db/DataSet.h"
#include "framework/db/Field.h"
#include "framework/ui/Dialogs.h"
#include "framework/ui/RichTextToPlainText.h"
#include "framework/ui/Screen.h"
#include "recordmgr/Table.h"

namespace {

// A memo's value is compared through a buffer of this many bytes, its terminator included.
constexpr int kMemoValueBuffer = 256;

bool IsNumeric(TFieldType type) { return type == ftFloat || type == ftCurrency || type == ftBCD; }

class RecordTest {
 public:
  RecordTest(TField& field, const AnsiString& value, int matchType, bool caseSensitive)
      : field_(field), matchType_(matchType), caseSensitive_(caseSensitive),
        memo_(field.DataType() == ftMemo),
        richText_(memo_ && IsRichEditField(&field, true)),
        value_(memo_ ? value.substr(0, kMemoValueBuffer - 1) : value) {
    numeric_ = !memo_ && matchType == mtExactMatch && IsNumeric(field.DataType()) && !value.empty();
    if (numeric_) validNumber_ = IsFloatText(value) && TryStrToFloat(value, number_);
  }

  // Whether the dataset's current record matches.
  bool Matches() const {
    if (numeric_) return validNumber_ && !field_.IsNull() && field_.AsFloat() == number_;
    AnsiString text = richText_ ? qn::ui::RichTextToPlainText(field_.AsString()) : field_.AsString();
    return TextMatches(text, value_, matchType_, caseSensitive_);
  }

 private:
  TField& field_;
  const int matchType_;
  const bool caseSensitive_;
  const bool memo_, richText_;
  const AnsiString value_;
  bool numeric_ = false, validNumber_ = false;
  double number_ = 0;
};

// Controls stay still while the scan moves through records, and come back however it ends.
class ControlsDisabled {
 public:
  explicit ControlsDisabled(TDataSet& dataSet) : dataSet_(dataSet) { dataSet_.DisableControls(); }
  ~ControlsDisabled() { dataSet_.EnableControls(); }
  ControlsDisabled(const ControlsDisabled&) = delete;
  ControlsDisabled& operator=(const ControlsDisabled&) = delete;

 private:
  TDataSet& dataSet_;
};

class BookmarkHeld {
 public:
  explicit BookmarkHeld(TDataSet& dataSet) : dataSet_(dataSet), bookmark_(dataSet.GetBookmark()) {}
  ~BookmarkHeld() { dataSet_.FreeBookmark(bookmark_); }
  BookmarkHeld(const BookmarkHeld&) = delete;
  BookmarkHeld& operator=(const BookmarkHeld&) = delete;
  void Return() {
    if (bookmark_) dataSet_.GotoBookmark(bookmark_);
  }

 private:
  TDataSet& dataSet_;
  TBookmark bookmark_;
};

// With stopAtMismatch the records come in the searched field's order, so the matches stand
// together and the first record after them ends the search.
bool Scan(TDataSet& dataSet, bool fromStart, const RecordTest& test, bool stopAtMismatch) {
  ControlsDisabled still(dataSet);
  if (fromStart) {
    dataSet.First();
    if (!dataSet.Eof() && test.Matches()) return true;
  }
  for (dataSet.Next(); !dataSet.Eof(); dataSet.Next()) {
    if (test.Matches()) return true;
    if (stopAtMismatch) return false;
  }
  return false;
}

// Whether the table's active index orders its records by field first, and if so whether that
// index ignores case.
std::optional<bool> IndexLeadsWith(TttTable& table, const TField& field) {
  table.IndexDefs().SetUpdated(false);
  const TIndexDef* active = table.ChosenIndexDef();
  if (!active) return std::nullopt;
  const std::vector<AnsiString> keyFields = SplitFieldNames(active->Fields);
  if (keyFields.empty() || !table.FindField(keyFields.front()) || !SameText(keyFields.front(), field.FieldName()))
    return std::nullopt;
  return (active->Options & ixCaseInsensitive) != 0;
}

// What a search on a table's leading index field settles without reading records one by one.
struct KeySearch {
  std::optional<bool> answer;   // set when the key search decided
  bool stopAtMismatch = false;  // otherwise: how the scan that follows ends
};

// The first record whose key is at or after value, when it matches; otherwise the table stays.
// Nearest rather than equal, so that an index of more fields finds by its first field alone.
bool FindByKey(TttTable& table, const RecordTest& test, const AnsiString& value) {
  BookmarkHeld start(table);
  table.FindNearest({Variant(value)});
  if (!table.Eof() && test.Matches()) return true;
  start.Return();
  return false;
}

// value is already upper-cased unless caseSensitive.
KeySearch SearchByKey(TttTable& table, TField& field, const RecordTest& test, bool fromStart, bool caseSensitive,
                      int matchType, const AnsiString& value) {
  const std::optional<bool> ignoresCase = IndexLeadsWith(table, field);
  if (!ignoresCase) return {};
  const bool isString = field.DataType() == ftString;
  // A string index answers a search only when it compares with the search's regard to case.
  const bool caseAgrees = *ignoresCase != caseSensitive;
  const AnsiString current = caseSensitive ? field.AsString() : AnsiUpperCase(field.AsString());
  if (matchType == mtExactMatch && field.DataType() != ftBoolean && (current != value || fromStart) &&
      (!isString || caseAgrees))
    return {FindByKey(table, test, value), false};
  if (matchType != mtPartialMatchStart || !isString || !caseAgrees) return {};
  if (!fromStart && test.Matches()) return {std::nullopt, true};
  // The records after the current one sort at or after its text: none can start with a value
  // that sorts before it.
  if (!fromStart && value < current) return {false, true};
  return {FindByKey(table, test, value), true};
}

// The record-manager table whose active index may answer a search: any the program opens, but
// not the library's table opened through a query, whose records come in the query's order.
TttTable* KeyedTable(TDataSet* dataSet) {
  auto* table = dynamic_cast<TttTable*>(dataSet);
  if (const auto* dc = dynamic_cast<TdcTable*>(table); dc && dc->HasQuery()) return nullptr;
  return table;
}

}  // namespace

bool LocateRecord(bool FromStart, TDataSet* DataSet, const AnsiString& FieldName,
                  bool CaseSensitive, int MatchType, const AnsiString& Value) {
  DataSet->CheckBrowseMode();
  TField* field = DataSet->FindField(FieldName);
  if (!field) {
    MessageDlg("Field " + FieldName + " not found.", mtWarning, {mbOK}, 0);
    return false;
  }
  const RecordTest test(*field, CaseSensitive ? Value : AnsiUpperCase(Value), MatchType,
                        CaseSensitive);
  KeySearch byKey;
  if (TttTable* table = KeyedTable(DataSet); table && field->DataType() != ftMemo)
    byKey = SearchByKey(*table, *field, test, FromStart, CaseSensitive, MatchType,
                        CaseSensitive ? Value : AnsiUpperCase(Value));
  if (byKey.answer) return *byKey.answer;
  HourglassCursor busy;
  BookmarkHeld start(*DataSet);
  if (Scan(*DataSet, FromStart, test, byKey.stopAtMismatch)) {
    // Moving inside the records a control holds leaves the cursor elsewhere; the re-read
    // around the found record starts from the cursor.
    DataSet->UpdateCursorPos();
    DataSet->Resync(rmCenter);
    return true;
  }
  start.Return();
  return false;
}
