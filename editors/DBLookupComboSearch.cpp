// The lookup combo's incremental search: the step the timer (or a key release) runs, the search
// of one field of the lookup table, the switch to the display field's index of the library's
// table, and the completion of the typed text with the matching record's.
#include <algorithm>

#include "datagrid/DcEngineHelpers.h"
#include "datagrid/DcTable.h"
#include "datagrid/FieldTextTests.h"
#include "datagrid/InputHelpers.h"
#include "datagrid/Intl.h"
#include "datagrid/LocateText.h"
#include "editors/DBLookupCombo.h"
#include "framework/base/StringUtils.h"
#include "framework/base/TextCompare.h"
#include "framework/ui/Beep.h"
#include "framework/db/DataSet.h"
#include "framework/db/Field.h"
#include "framework/db/StringField.h"
#include "framework/ui/IntervalTimer.h"
#include "framework/ui/Screen.h"
#include "framework/ui/VirtualKeys.h"

namespace {

// After a deletion the next search runs but does not complete the text.
constexpr const char* kNoCompletion = "~~~~";

AnsiString upper(AnsiString text) {
  for (char& c : text) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  return text;
}

}  // namespace

void TdcDBCustomLookupCombo::PerformSearch() {
  lastSearched_.clear();
  SearchStep();
}

void TdcDBCustomLookupCombo::SearchStep() {
  timer_->SetEnabled(false);
  const AnsiString text = Text();
  TDataSet* table = LookupTable();
  TField* display = grid_->DisplayField();
  if (text == lastSearched_ || !table || !table->Active() || !display) return;
  auto* indexed = dynamic_cast<TdcTable*>(table);
  bool found;
  if (!indexed) {
    if (!seqSearchOptions_.Contains(ssoEnabled)) return;
    const AnsiString value = TypingMode() ? text : LookupValue();
    found = Search(display, value, dropped_ || searchingBeforeDrop_, seqSearchOptions_.Contains(ssoCaseSensitive));
    if (!found && dropped_ && display == grid_->KeyField()) {
      found_ = false;
      grid_->SetValues("", DisplayValue());
      return;
    }
    textAtSearch_ = text;
    grid_->SetDisplayValue(display->AsString());
  } else {
    found = SearchIndexed(indexed, text);
  }
  found_ = found;
  const AnsiString shown = DisplayValue();
  grid_->TakeRecordValues();
  grid_->SetDisplayValue(shown);
  if (!dropped_) grid_->SetChosenRow(-1);
  if (found && showMatchText_ && lastSearched_ != kNoCompletion) CompleteMatch();
  lastSearched_ = Text();
  if (!dropped_) RestoreIndex();
}

bool TdcDBCustomLookupCombo::Search(TField* Field, const AnsiString& Value, bool Partial, bool CaseSensitive) {
  if (Field->AsString() == Value) {
    grid_->Invalidate();
    return true;
  }
  AnsiString value = Value;
  if (dynamic_cast<TStringField*>(Field) && Field->Size() > 0 && static_cast<int>(value.size()) > Field->Size())
    value.resize(Field->Size());
  if (value.empty() || !IsValidFieldValueText(Field, value)) {
    grid_->Invalidate();
    return false;
  }
  TDataSet* table = LookupTable();
  const int match = Partial ? mtPartialMatchStart : mtExactMatch;
  if (!dcIntlDefaults->UseLocateMethodForSearch) return LocateFieldValue(table, value, Field->FieldName(), CaseSensitive, match);
  // A calculated value has no column to search: the records are read and compared.
  if (IsCalculatedOrLookupField(Field)) return LocateFieldValue(table, value, Field->FieldName(), false, match);
  TLocateOptions options = 0;
  if (Partial) options |= loPartialKey;
  if (!CaseSensitive) options |= loCaseInsensitive;
  HourglassCursor busy;
  return table->Locate(Field->FieldName(), {Variant(value)}, options);
}

bool TdcDBCustomLookupCombo::SearchIndexed(TdcTable* Table, const AnsiString& Text) {
  TField* display = grid_->DisplayField();
  if (indexSwitched_) {
    if (!Text.empty() && IsValidFieldValueText(display, Text)) Table->FindNearest({Variant(Text)});
    return upper(display->AsString()).compare(0, Text.size(), upper(Text)) == 0;
  }
  int position = -1;
  const int keys = std::min(Table->IndexFieldCount(), 3);
  for (int i = 0; i < keys && position < 0; ++i)
    if (Table->GetIndexField(i) == display) position = i;
  if (position < 0)
    return TdcTableLocateValue(Table, Text, display->FieldName(), seqSearchOptions_.Contains(ssoCaseSensitive),
                               dropped_ ? mtPartialMatchStart : mtExactMatch);
  if (dropped_) return Table->FindNearestIncremental(Text, position);
  std::vector<AnsiString> values;
  for (int i = 0; i < position; ++i) values.push_back(Table->GetIndexField(i)->AsString());
  values.push_back(Text);
  return FindKeyValues(Table, values);
}

bool TdcDBCustomLookupCombo::SetUpDisplayIndex() {
  auto* table = dynamic_cast<TdcTable*>(LookupTable());
  TField* display = grid_->DisplayField();
  if (!orderByDisplay_ || !table || !table->Active() || !display) return false;
  if (indexSwitched_) return true;
  AnsiString name;
  if (!table->IndexForFields(display->FieldName(), false, name, false)) return false;
  if (SameText(name, table->IndexName())) return false;
  savedIndexName_ = table->IndexName();
  table->SetIndexName(name);
  indexSwitched_ = true;
  return true;
}

void TdcDBCustomLookupCombo::RestoreIndex() {
  if (!indexSwitched_) return;
  indexSwitched_ = false;
  auto* table = dynamic_cast<TdcTable*>(LookupTable());
  if (table && table->Active()) table->SetIndexName(savedIndexName_);
}

void TdcDBCustomLookupCombo::CompleteMatch() {
  const AnsiString text = Text();
  const int start = SelStart();
  const AnsiString prefix = start < 1 ? text : text.substr(0, start);
  SetText(grid_->DisplayField()->AsString());
  markModified();
  SetSelStart(static_cast<int>(prefix.size()));
  SetSelLength(static_cast<int>(Text().size() - prefix.size()));
  if (!dropped_) grid_->SetChosenRow(0);
}

// ---- typing ----

void TdcDBCustomLookupCombo::KeyPress(char& Key) {
  // Enter and Tab never reach the text; Escape did its work on the key going down.
  if (Key == '\r' || Key == '\t' || Key == 27) {
    Key = 0;
    return;
  }
  const unsigned char code = static_cast<unsigned char>(Key);
  if (code <= 31 && Key != '\b') {
    TCustomEdit::KeyPress(Key);
    return;
  }
  if (Key != '\b') {
    TField* field = link_.Field();
    if (field && !field->IsValidChar(code) && !(TypingMode() && (autoDropDown_ || showMatchText_))) {
      Beep();
      Key = 0;
      return;
    }
  }
  if (!BeginEdit()) {
    Key = 0;
    return;
  }
  if (dropped_) {
    const AnsiString text = Text();
    AnsiString typed;
    if (Key == '\b')
      typed = SelLength() > 0 ? text.substr(0, SelStart()) + text.substr(SelStart() + SelLength())
              : SelStart() > 0 ? text.substr(0, SelStart() - 1) + text.substr(SelStart())
                               : text;
    else
      typed = text.substr(0, SelStart()) + Key + text.substr(SelStart() + SelLength());
    // Enabling a running timer would start its interval anew: the burst is searched once.
    if ((typed != lastSearched_ || lastSearched_.size() == 1) && !timer_->Enabled()) timer_->SetEnabled(true);
  }
  TCustomEdit::KeyPress(Key);
}

void TdcDBCustomLookupCombo::KeyUp(WORD& Key, TShiftState Shift) {
  TCustomEdit::KeyUp(Key, Shift);
  if (dropped_ && allowClearKey_ && (Key == VK_BACK || Key == VK_DELETE) && Text().empty()) {
    // The text was deleted to nothing: no value is left.
    grid_->SetValues("", "");
    grid_->Invalidate();
  }
  if (dropped_ || Key == 0 || !IsTextEditKey(Key)) return;
  if (link_.Editing()) link_.Modified();
  if (Text() == lastSearched_ && lastSearched_.size() != 1) return;
  bool deletion = false;
  if (showMatchText_ && (Key == VK_BACK || Key == VK_DELETE)) {
    if (style_ == csDropDownList && !allowClearKey_) {
      Key = 0;
      return;
    }
    deletion = true;
  }
  if (!autoDropDown_ && showMatchText_ && style_ == csDropDown && !Text().empty() && !deletion) {
    SetUpDisplayIndex();
    searchingBeforeDrop_ = true;
    SearchStep();
    searchingBeforeDrop_ = false;
  } else if (autoDropDown_ && !Text().empty()) {
    SetUpDisplayIndex();
    searchingBeforeDrop_ = true;
    try {
      SearchStep();
      DropDown();
    } catch (...) {
      searchingBeforeDrop_ = false;
      throw;
    }
    searchingBeforeDrop_ = false;
  }
}
