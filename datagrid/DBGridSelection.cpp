// The published grid's selection of records: bookmarks of the selected records, the marks of the
// visible rows, and selecting one record, all of them or a range from the shift anchor.
#include <algorithm>

#include "datagrid/DBGrid.h"
#include "framework/db/DataSet.h"

namespace {

int compare(TDataSet* ds, TBookmarkStr a, TBookmarkStr b) { return ds->CompareBookmarks(a.data(), b.data()); }

}  // namespace

int TdcDBGrid::selectionIndex(const TBookmarkStr& Bookmark) {
  TDataSet* ds = DataLink().DataSet();
  for (size_t i = 0; i < selection_.size(); ++i)
    if (compare(ds, selection_[i], Bookmark) == 0) return static_cast<int>(i);
  return -1;
}

bool TdcDBGrid::CurrentRecordSelected() {
  TDataSet* ds = DataLink().DataSet();
  if (!ds || !ds->Active() || selection_.empty() || ds->State() == dsEdit || ds->State() == dsInsert) return false;
  return selectionIndex(ds->Bookmark()) >= 0;
}

bool TdcDBGrid::acceptSelection(bool Selecting) {
  bool accept = true;
  if (OnMultiSelectRecord) OnMultiSelectRecord(this, Selecting, accept);
  return accept;
}

void TdcDBGrid::invalidateCurrentRow() {
  if (hasWindow() && Row() < rowCount()) repaintRow(Row());
}

void TdcDBGrid::SelectRecord() {
  TDataSet* ds = DataLink().DataSet();
  if (!ds || !ds->Active()) return;
  ds->CheckBrowseMode();
  RefreshSelectedMarks();
  if (CurrentRecordSelected() || !acceptSelection(true)) return;
  selection_.push_back(ds->Bookmark());
  invalidateCurrentRow();
}

void TdcDBGrid::UnselectRecord() {
  if (!CurrentRecordSelected() || !acceptSelection(false)) return;
  selection_.erase(selection_.begin() + selectionIndex(DataLink().DataSet()->Bookmark()));
  invalidateCurrentRow();
}

void TdcDBGrid::UnselectAll() {
  selection_.clear();
  Invalidate();
  rowMarks_.assign(static_cast<size_t>(VisibleRowCount()), 'F');
}

void TdcDBGrid::SelectAll() {
  TDataSet* ds = DataLink().DataSet();
  selection_.clear();
  if (!ds || !ds->Active()) return;
  const TBookmarkStr here = ds->Bookmark();
  ds->DisableControls();
  try {
    for (ds->First(); !ds->Eof(); ds->Next()) selection_.push_back(ds->Bookmark());
    ds->SetBookmark(here);
  } catch (...) {
    ds->EnableControls();
    throw;
  }
  ds->EnableControls();
  Invalidate();
}

void TdcDBGrid::RefreshSelectedMarks() {
  rowMarks_.assign(static_cast<size_t>(VisibleRowCount()), 'F');
  if (selection_.empty() || !DataLink().Active()) return;
  const int active = DataLink().ActiveRecord();
  const int rows = std::min(VisibleRowCount(), DataLink().RecordCount());
  try {
    for (int row = 0; row < rows; ++row) {
      DataLink().SetActiveRecord(row);
      rowMarks_[static_cast<size_t>(row)] = CurrentRecordSelected() ? 'T' : 'F';
    }
  } catch (...) {
    DataLink().SetActiveRecord(active);
    throw;
  }
  DataLink().SetActiveRecord(active);
}

bool TdcDBGrid::HighlightCell(int DataCol, int DataRow, GridCellStates State, const AnsiString& Text) {
  if (!DBOptions().Contains(dgMultiSelect)) return TdcCustomDBGrid::HighlightCell(DataCol, DataRow, State, Text);
  return DataRow >= 0 && DataRow < static_cast<int>(rowMarks_.size()) && rowMarks_[static_cast<size_t>(DataRow)] == 'T';
}

void TdcDBGrid::removeSelectedBetween(const TBookmarkStr& From, const TBookmarkStr& To) {
  TDataSet* ds = DataLink().DataSet();
  std::erase_if(selection_, [&](const TBookmarkStr& b) { return compare(ds, b, From) >= 0 && compare(ds, b, To) <= 0; });
}

void TdcDBGrid::addRecordsUpTo(const TBookmarkStr& Last) {
  TDataSet* ds = DataLink().DataSet();
  for (;;) {
    TBookmarkStr here = ds->Bookmark();
    selection_.push_back(here);
    if (compare(ds, here, Last) >= 0) return;
    ds->Next();
    if (ds->Eof()) return;
  }
}

void TdcDBGrid::selectRange(const TBookmarkStr& Anchor) {
  TDataSet* ds = DataLink().DataSet();
  const TBookmarkStr here = ds->Bookmark();
  const int screenRow = DataLink().ActiveRecord();
  ds->DisableControls();
  try {
    try {
      if (compare(ds, here, Anchor) < 0) {
        removeSelectedBetween(here, Anchor);
        addRecordsUpTo(Anchor);
      } else {
        ds->SetBookmark(Anchor);
        removeSelectedBetween(Anchor, here);
        addRecordsUpTo(here);
      }
    } catch (const std::exception&) {
      // The walk ends where it failed; what it gathered stays selected.
    }
    ds->SetBookmark(here);
  } catch (...) {
    ds->EnableControls();
    throw;
  }
  ds->EnableControls();
  keepScreenRow(screenRow);
  Invalidate();
}

// Going back to a bookmark centres its record; the user's row goes back to where it was on the
// screen by running past the window's edge and returning.
void TdcDBGrid::keepScreenRow(int ScreenRow) {
  TDataSet* ds = DataLink().DataSet();
  const int now = DataLink().ActiveRecord();
  if (now == ScreenRow) return;
  const int away = now > ScreenRow ? DataLink().BufferCount() - 1 - ScreenRow : -ScreenRow;
  const int moved = ds->MoveBy(away);
  ds->MoveBy(-moved);
}
