#include "datagrid/IncrementalSearch.h"

#include "datagrid/DcEngineHelpers.h"
#include "datagrid/DcTable.h"
#include "datagrid/ExtensionProperties.h"
#include "datagrid/FieldPictureMasks.h"
#include "datagrid/FieldTextTests.h"
#include "datagrid/InputHelpers.h"
#include "datagrid/Intl.h"
#include "datagrid/LocateText.h"
#include "datagrid/PictureKeyPress.h"
#include "framework/base/ClassRegistry.h"
#include "framework/base/TextCompare.h"
#include "framework/base/UnitLifecycle.h"
#include "framework/db/DataSource.h"
#include "framework/db/Field.h"
#include "framework/ui/Dialogs.h"
#include "framework/ui/IntervalTimer.h"
#include "framework/ui/Screen.h"
#include "framework/ui/VirtualKeys.h"
#include "recordmgr/Database.h"
#include "recordmgr/Table.h"

namespace {

UnitRegistration unit("datagrid/IncrementalSearch", {}, [] { RegisterClass<TdcIncrementalSearch>(); });

void Warn(const AnsiString& text) { MessageDlg(text, mtWarning, {mbOK}, 0); }

// A table of a database that is not SQL-based answers quickly. The record manager's databases
// are SQL-based in the framework's sense: their driver is not the standard one.
bool IsLocalTable(TDataSet& dataSet) {
  auto* table = dynamic_cast<TttDBDataset*>(&dataSet);
  return table && dataSet.Active() && !(table->Database() && table->Database()->IsSQLBased());
}

}  // namespace

void TdcIncrementalSearch::PublishProperties(PropertyPublisher<TdcIncrementalSearch>& publish) {
  publish.Object("DataSource", &TdcIncrementalSearch::DataSource, &TdcIncrementalSearch::SetDataSource);
  publish.String("SearchField", &TdcIncrementalSearch::SearchField, &TdcIncrementalSearch::SearchField);
  publish.Boolean("ShowMatchText", &TdcIncrementalSearch::ShowMatchText, &TdcIncrementalSearch::ShowMatchText);
  publish.String("PictureMask", &TdcIncrementalSearch::PictureMask, &TdcIncrementalSearch::PictureMask);
  publish.Boolean("PictureMaskAutoFill", &TdcIncrementalSearch::PictureMaskAutoFill,
                  &TdcIncrementalSearch::PictureMaskAutoFill);
  publish.Boolean("PictureMaskFromField", &TdcIncrementalSearch::PictureMaskFromField,
                  &TdcIncrementalSearch::PictureMaskFromField);
  publish.Event("OnAfterSearch", &TdcIncrementalSearch::OnAfterSearch, &TdcIncrementalSearch::OnAfterSearch);
}

TdcIncrementalSearch::TdcIncrementalSearch(TComponent* AOwner) : TEdit(AOwner), timer_(new IntervalTimer(this)) {
  timer_->SetEnabled(false);
  timer_->SetInterval(SearchDelay);
  timer_->OnTimer = [this](TObject*) { timerFired(); };
}

TdcIncrementalSearch::~TdcIncrementalSearch() { link_.SetDataSource(nullptr); }

void TdcIncrementalSearch::Clear() {
  SetText("");
  lastSearched_.clear();
}

void TdcIncrementalSearch::KeyUp(WORD& Key, TShiftState Shift) {
  TEdit::KeyUp(Key, Shift);
  if (Text() == lastSearched_ || !IsTextEditKey(Key)) return;
  if (ShowMatchText && (Key == VK_BACK || Key == VK_DELETE)) {
    auto* table = dynamic_cast<TdcTable*>(link_.DataSet());
    if (table && table->NarrowSearch && Text().empty() && table->Active()) table->CancelSearchRange();
    return;
  }
  restartTimer();
}

void TdcIncrementalSearch::restartTimer() {
  if (!link_.DataSource()) return Warn(incrementalsearch_texts::kNoDataSource + Name());
  TDataSet* dataSet = link_.DataSet();
  if (!dataSet) return Warn(incrementalsearch_texts::kNoDataSet);
  if (IsLocalTable(*dataSet)) timer_->SetInterval(LocalSearchDelay);
  timer_->SetEnabled(false);
  timer_->SetEnabled(true);
}

void TdcIncrementalSearch::timerFired() {
  timer_->SetEnabled(false);
  if (Text() == lastSearched_) return;
  const AnsiString typed = Text();
  search();
  lastSearched_ = typed;
}

TField* TdcIncrementalSearch::searchedField(TDataSet& dataSet) {
  if (!SearchField.empty()) return dataSet.FindField(SearchField);
  auto* table = dynamic_cast<TttBDEDataset*>(&dataSet);
  if (table && table->IndexFieldCount() > 0) return table->GetIndexField(0);
  return dataSet.FieldCount() > 0 ? dataSet.Fields()[0] : nullptr;
}

bool TdcIncrementalSearch::searchTable(TTable& table, const AnsiString& text, TField*& field) {
  if (table.IndexFieldCount() == 0)
    return field && LocateFieldValue(&table, text, field->FieldName(), false, mtPartialMatchStart);
  int keyIndex = 0;
  for (int i = 0; i < table.IndexFieldCount(); ++i)
    if (!SearchField.empty() && SameText(table.GetIndexField(i)->FieldName(), SearchField)) keyIndex = i;
  field = table.GetIndexField(keyIndex);
  return IncrementalFind(&table, text, keyIndex);
}

// A query tries the dataset's Locate with the case of the index its field maps to, and locates
// by value when none serves or Locate finds nothing.
bool TdcIncrementalSearch::searchQuery(TDataSet& query, const AnsiString& text, TField& field) {
  const bool editableDetail = query.CanModify() && GetMasterSource(&query);
  if (!editableDetail) {
    for (bool caseSensitive : {false, true}) {
      if (!FieldsMapToIndex(&query, field.FieldName(), caseSensitive)) continue;
      const TLocateOptions options = loPartialKey | (caseSensitive ? 0u : unsigned{loCaseInsensitive});
      if (query.Locate(field.FieldName(), {Variant(text)}, options)) return true;
      break;
    }
  }
  return LocateFieldValue(&query, text, field.FieldName(), false, mtPartialMatchStart);
}

void TdcIncrementalSearch::search() {
  TDataSet* dataSet = link_.DataSet();
  if (!dataSet || !dataSet->Active()) return;
  const AnsiString text = Text();
  TField* field = searchedField(*dataSet);
  bool found = false;
  const bool useLocate = !dcIntlDefaults || dcIntlDefaults->UseLocateMethodForSearch;
  if (auto* table = dynamic_cast<TTable*>(dataSet)) {
    found = searchTable(*table, text, field);
  } else if (field && IsValidFieldValueText(field, text)) {
    HourglassCursor busy;
    if (!useLocate)
      found = LocateFieldValue(dataSet, text, field->FieldName(), false, mtPartialMatchStart);
    else if (dataSet->InheritsFrom("TdcQuery"))
      found = searchQuery(*dataSet, text, *field);
    else
      found = dataSet->Locate(field->FieldName(), {Variant(text)}, loPartialKey | loCaseInsensitive);
  }
  if (OnAfterSearch) OnAfterSearch(this, found);
  if (!found || !ShowMatchText || !field) return;
  const AnsiString value = field->AsString();
  SetText(value);
  SetSelStart(static_cast<int>(text.size()));
  SetSelLength(static_cast<int>(value.size()) - static_cast<int>(text.size()));
}

void TdcIncrementalSearch::KeyPress(char& Key) {
  if (Key != 0) {
    if (!PictureMask.empty()) {
      ApplyPictureOnKeyPress(*this, PictureMask, PictureMaskAutoFill, Key);
    } else if (PictureMaskFromField && link_.DataSet()) {
      if (TField* field = searchedField(*link_.DataSet())) {
        const FieldPictureMask mask = GetFieldPictureMask(link_.DataSet(), field->FieldName());
        if (!mask.Mask.empty()) ApplyPictureOnKeyPress(*this, mask.Mask, mask.AutoFill, Key);
      }
    }
  }
  TEdit::KeyPress(Key);
}
