#include "datagrid/LocateRecord.h"

#include "datagrid/DateTextHelpers.h"
#include "datagrid/FieldControlTypes.h"
#include "framework/base/FloatText.h"
#include "framework/base/TextCase.h"
#include "framework/db/DataSet.h"
#include "framework/db/Field.h"
#include "framework/ui/Dialogs.h"
#include "framework/ui/RichTextToPlainText.h"
#include "framework/ui/Screen.h"

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

bool Scan(TDataSet& dataSet, bool fromStart, const RecordTest& test) {
  ControlsDisabled still(dataSet);
  if (fromStart) {
    dataSet.First();
    if (!dataSet.Eof() && test.Matches()) return true;
  }
  for (dataSet.Next(); !dataSet.Eof(); dataSet.Next())
    if (test.Matches()) return true;
  return false;
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
  HourglassCursor busy;
  BookmarkHeld start(*DataSet);
  if (Scan(*DataSet, FromStart, test)) {
    DataSet->Resync(rmCenter);
    return true;
  }
  start.Return();
  return false;
}
