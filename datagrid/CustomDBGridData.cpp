// The data side of the data-aware grid: following the dataset through the link's notifications,
// the record-position scroll bar, moving by records and columns, and the editing questions.
#include <algorithm>
#include <cstdlib>

#include "datagrid/CustomDBGrid.h"
#include "datagrid/DcInplaceEdit.h"
#include "datagrid/ExtensionLines.h"
#include "datagrid/ExtensionProperties.h"
#include "framework/db/DataSet.h"
#include "framework/db/DataSource.h"
#include "framework/db/Field.h"
#include "framework/ui/Beep.h"
#include "framework/ui/BitmapImage.h"
#include "framework/ui/HandlerCall.h"

using qn::ui::callHandler;

namespace {

constexpr const char* kInvalidInputValue = "Invalid input value.  Use escape key to abandon changes";

}  // namespace

bool TdcCustomDBGrid::browsing() const { return linkActive() && dataSet()->State() == dsBrowse; }

bool TdcCustomDBGrid::editingState() const {
  return linkActive() && (dataSet()->State() == dsEdit || dataSet()->State() == dsInsert);
}

// ---- what the link reports ----

void TdcCustomDBGrid::LinkActive(bool Value) {
  if (!Value) hideCellEditor();
  LayoutColumns();
  updateVerticalScrollBar();
  rowBookmark_.clear();
  footerBookmark_.clear();
  if (!Value) {
    lastEnteredColumn_ = -1;
    return;
  }
  if (!hasWindow()) {
    colEnterPending_ = true;
  } else if (Col() != lastEnteredColumn_) {
    ColEnter();
  }
  footerDirty_ = true;
}

void TdcCustomDBGrid::UpdateLayout() {
  if (!hasWindow()) return;
  UpdateFooter();
  if (browsing()) HideCustomControl();
  UpdateRowCount();
  updateVerticalScrollBar();
  UpdateActive();
  if (cellEditorShown()) refreshCellEditor();
  Invalidate();
  CheckRowChanged();
}

void TdcCustomDBGrid::UpdateActive() {
  if (!linkActive() || !hasWindow() || inRowCount_) return;
  int row = link_->ActiveRecord() + titleOffset_;
  if (row != Row() && !dbOptions_.Contains(dgAlwaysShowEditor)) hideCellEditor();
  if (row >= rowCount()) {
    UpdateRowCount();
    row = rowCount() - 1;
  }
  moveCurrentCell(Col(), row, false);
  invalidateEditorIfStale();
}

void TdcCustomDBGrid::invalidateEditorIfStale() {
  TField* field = SelectedField();
  if (cellEditorShown() && field && field->Text() != editText_) refreshCellEditor();
}

void TdcCustomDBGrid::invalidateRow(int Row) {
  if (Row >= 0 && Row < rowCount()) repaintRow(Row);
}

void TdcCustomDBGrid::Scroll(int Distance) {
  if (!hasWindow()) return;
  const int oldRow = Row();
  UpdateActive();
  invalidateRow(oldRow);
  invalidateRow(Row());
  updateVerticalScrollBar();
  const bool editorWasShown = cellEditorShown();
  if (Distance != 0) {
    HideCustomControl();
    const bool showAgain = dbOptions_.Contains(dgAlwaysShowEditor) && !HasCellControl(SelectedIndex()) && !tabMove_;
    if (std::abs(Distance) > visibleRows_) {
      Invalidate();
      if (showAgain && !editorWasShown) showCellEditor();
      return;
    }
    const TRect first = cellBounds(std::max(indicatorOffset_, firstScrollColumn()), titleOffset_);
    const TRect client = ClientRect();
    scrollCells({first.Left, first.Top, client.Right, client.Bottom}, 0, -Distance * rowPitch());
    if (indicatorOffset_) {
      if (lastIndicatedRow_ >= 0) invalidateRow(lastIndicatedRow_);
      repaintCell(0, Row());
    }
    if (showAgain && !cellEditorShown()) showCellEditor();
  }
  if (!tabMove_ && Visible() && Window()->isVisible()) Window()->repaint();
  if (Distance != 0) DoTopRowChanged();
  CheckRowChanged();
}

bool TdcCustomDBGrid::replaceBookmark(TDataSet* ds, TBookmarkStr& remembered) {
  TBookmarkStr current = ds->Bookmark();
  const bool differs = remembered.empty() || current.empty() ||
                       ds->CompareBookmarks(remembered.data(), current.data()) != 0;
  remembered = std::move(current);
  return differs;
}

void TdcCustomDBGrid::CheckRowChanged() {
  TDataSet* ds = dataSet();
  if (!ds || !ds->Active()) return;
  bool rowChanged = false;
  if (OnRowChanged || OnCellChanged || OnUpdateFooter) {
    rowChanged = replaceBookmark(ds, rowBookmark_);
    if (rowChanged) DoRowChanged();
  }
  if (colEnterPending_ && hasWindow()) {
    colEnterPending_ = false;
    suppressCellChanged_ = rowChanged;
    ColEnter();
    suppressCellChanged_ = false;
    DoUpdateFooter();
  }
}

void TdcCustomDBGrid::UpdateFooter() {
  if (!OnUpdateFooter || !hasWindow() || !browsing()) return;
  TDataSet* ds = dataSet();
  if (!footerDirty_) {
    auto* master = dynamic_cast<TDataSource*>(GetDataSourceOf(ds));
    if (!master) master = dynamic_cast<TDataSource*>(GetMasterSource(ds));
    if (master && master->DataSet() && master->DataSet()->Active())
      footerDirty_ = replaceBookmark(master->DataSet(), footerBookmark_);
    if (!rowBookmark_.empty() && !ds->BookmarkValid(rowBookmark_.data())) footerDirty_ = true;
  }
  if (footerDirty_) DoUpdateFooter();
  footerDirty_ = false;
}

void TdcCustomDBGrid::editingChanged() {
  if (indicatorOffset_ && lastIndicatedRow_ >= 0) invalidateRow(lastIndicatedRow_);
  if (editingState()) footerDirty_ = true;
}

void TdcCustomDBGrid::recordChanged(TField* Field) {
  if (!hasWindow()) return;
  bool shown = false;
  for (int i = 0; i < GetFieldCount() && Field; ++i)
    if (GetFields(i) == Field) {
      repaintCell(i + indicatorOffset_, Row());
      shown = true;
    }
  if (!Field || shown) invalidateRow(Row());
  // The editor's own text counts: a reset must take back what was typed even when the field kept
  // its value.
  TField* selected = SelectedField();
  if ((!Field || Field == selected) && cellEditorShown() && selected && selected->Text() != cellEditor()->Text())
    refreshCellEditor();
  else
    invalidateEditorIfStale();
}

void TdcCustomDBGrid::writeEditText() {
  if (TField* field = SelectedField()) field->SetText(editText_);
}

void TdcCustomDBGrid::takeEditorText() {
  if (cellEditorShown()) storeCellEditor();
}

void TdcCustomDBGrid::UpdateData() {
  if (linkActive()) link_->UpdateRecord();
}

void TdcCustomDBGrid::ColExit() { callHandler(OnColExit, this); }

AnsiString TdcCustomDBGrid::GetCellText(TField* Field) { return Field->DisplayText(); }

void TdcCustomDBGrid::DoTopRowChanged() { callHandler(OnTopRowChanged, this); }

void TdcCustomDBGrid::DoRowChanged() {
  callHandler(OnRowChanged, this);
  DoCellChanged();
}

void TdcCustomDBGrid::DoCellChanged() {
  if (!suppressCellChanged_) callHandler(OnCellChanged, this);
}

void TdcCustomDBGrid::DoFieldChanged(TField* Field) { callHandler(OnFieldChanged, this, Field); }

void TdcCustomDBGrid::DoUpdateFooter() { callHandler(OnUpdateFooter, this); }

void TdcCustomDBGrid::ColEnter() {
  lastEnteredColumn_ = Col();
  callHandler(OnColEnter, this);
  DoCellChanged();
}

// ---- the record-position scroll bar ----

void TdcCustomDBGrid::updateVerticalScrollBar() {
  if (!hasWindow()) return;
  if (!showVertScrollBar_ || !linkActive()) {
    setVerticalScrollRange(0, 0);
    return;
  }
  TDataSet* ds = dataSet();
  int position;
  if (ds->IsSequenced()) {
    setVerticalScrollRange(0, 200);
    if (ds->Bof()) position = 0;
    else if (ds->Eof()) position = 200;
    else position = (ds->RecNo() - 1) * 200 / (std::max(2, ds->RecordCount()) - 1);
  } else {
    setVerticalScrollRange(0, 4);
    position = ds->Bof() ? 0 : ds->Eof() ? 4 : 2;
  }
  if (position != verticalScrollPosition()) setVerticalScrollPosition(position);
}

void TdcCustomDBGrid::VerticalScroll(ScrollAction Action, int Position) {
  if (CanFocus() && !Focused()) SetFocus();
  if (!linkActive()) return;
  TDataSet* ds = dataSet();
  switch (Action) {
    case ScrollAction::lineUp:
      PriorRecord();
      break;
    case ScrollAction::lineDown:
      NextRecord();
      break;
    case ScrollAction::pageUp:
      ds->MoveBy(-visibleRows_);
      break;
    case ScrollAction::pageDown:
      ds->MoveBy(visibleRows_);
      break;
    case ScrollAction::top:
      ds->First();
      break;
    case ScrollAction::bottom:
      ds->Last();
      break;
    case ScrollAction::thumbPosition:
      if (!ds->IsSequenced()) {
        if (Position == 0) ds->First();
        else if (Position == 1) ds->MoveBy(-visibleRows_);
        else if (Position == 3) ds->MoveBy(visibleRows_);
        else if (Position == 4) ds->Last();
      } else if (Position == 0) {
        ds->First();
      } else if (Position == 200) {
        ds->Last();
      } else {
        ds->CheckBrowseMode();
        ds->SetRecNo(ds->RecordCount() * Position / 200 + 1);
        ds->UpdateCursorPos();
        ds->Resync(0);
      }
      break;
    case ScrollAction::thumbTrack:
      break;
  }
}

void TdcCustomDBGrid::NextRecord() {
  if (!linkActive()) return;
  TDataSet* ds = dataSet();
  const bool inserting = ds->State() == dsInsert;
  if (inserting && !ds->Modified() && !link_->Modified()) {
    if (!link_->Eof()) ds->Cancel();
    return;
  }
  if (link_->Eof() && link_->ActiveRecord() < link_->RecordCount() - 1 && !inserting) {
    link_->SetActiveRecord(link_->ActiveRecord() + 1);
    UpdateActive();
    return;
  }
  ds->Next();
}

void TdcCustomDBGrid::PriorRecord() {
  if (!linkActive()) return;
  TDataSet* ds = dataSet();
  if (ds->State() == dsInsert && link_->Eof() && !ds->Modified() && !link_->Modified()) {
    ds->Cancel();
    return;
  }
  if (link_->Bof() && link_->ActiveRecord() > 0) {
    link_->SetActiveRecord(link_->ActiveRecord() - 1);
    UpdateActive();
    return;
  }
  ds->Prior();
}

// ---- columns ----

bool TdcCustomDBGrid::editorTextRefused() {
  auto* editor = dynamic_cast<TdcInplaceEdit*>(cellEditor());
  if (!editor || !cellEditorShown() || !editor->MaskActive() || !link_->Modified() || editor->TextPassesMask())
    return false;
  editor->SelectAll();
  link_->Modified(true);
  TDataSet* ds = dataSet();
  if (const TdcInvalidValueEvent invalid = GetOnInvalidValue(ds)) {
    invalid(ds, SelectedField());
    return true;
  }
  Beep();
  throw EInvalidOperation(kInvalidInputValue);
}

void TdcCustomDBGrid::SetSelectedIndex(int Index) {
  if (editorTextRefused()) return;
  UpdateData();
  Index = std::clamp(Index, 0, std::max(0, GetFieldCount() - 1));
  const int target = std::max(Index + indicatorOffset_, FixedCols());
  if (target == Col() || target >= columnCount()) return;
  if (!inColExit_) {
    const int before = Col();
    inColExit_ = true;
    try {
      ColExit();
    } catch (...) {
      inColExit_ = false;
      throw;
    }
    inColExit_ = false;
    if (Col() != before) return;
  }
  hideCellEditor();
  moveCurrentCell(target, Row(), true);
  if (dbOptions_.Contains(dgAlwaysShowEditor) && !HasCellControl(target - indicatorOffset_)) {
    HideCustomControl();
    showCellEditor();
  }
  ColEnter();
}

void TdcCustomDBGrid::columnMoved(int FromIndex, int ToIndex) {
  const int from = FromIndex - indicatorOffset_, to = ToIndex - indicatorOffset_;
  if (!useTFields_) {
    selected_.Move(from, to);
    LayoutColumns();
  } else if (linkActive() && GetFieldCount() > 0) {
    TField* moving = GetFields(from);
    TField* target = GetFields(to);
    if (moving && target) moving->SetIndex(target->Index());
  }
  invalidateArea(GetFooterRect());
  callHandler(OnColumnMoved, this, from, to);
}

void TdcCustomDBGrid::SetColWidths(int Index, int Width) {
  sizing_ = true;
  try {
    setColumnWidth(Index, Width);
  } catch (...) {
    sizing_ = false;
    throw;
  }
  sizing_ = false;
}

void TdcCustomDBGrid::columnWidthsChanged() {
  if (inLayout_ || sizing_ || !linkActive() || !hasWindow()) return;
  int changed = -1;
  for (int i = indicatorOffset_; i < columnCount() && changed < 0; ++i)
    if (i >= static_cast<int>(laidWidths_.size()) || columnWidth(i) != laidWidths_[i]) changed = i - indicatorOffset_;
  const int zero = textWidthIn(Font(), "0");
  if (useTFields_) {
    // Each new width re-lays the grid, so every width is read before the first is written.
    std::vector<std::pair<TField*, int>> widths;
    for (int i = 0; i < GetFieldCount(); ++i)
      widths.emplace_back(GetFields(i), (columnWidth(i + indicatorOffset_) + zero / 2 - 3) / zero);
    for (auto [field, characters] : widths) field->SetDisplayWidth(characters);
  } else {
    for (int i = 0; i < selected_.Count() && i + indicatorOffset_ < columnCount(); ++i) {
      const std::vector<AnsiString> tokens = SplitLine(selected_.Strings(i), '\t');
      const int characters = (columnWidth(i + indicatorOffset_) + zero / 2 - 3) / zero;
      AnsiString line = tokens.front() + '\t' + std::to_string(characters) + '\t' + (tokens.size() >= 3 ? tokens[2] : AnsiString());
      if (tokens.size() >= 4) line += '\t' + tokens[3];
      selected_.SetStrings(i, line);
    }
  }
  LayoutColumns();
  if (changed >= 0) callHandler(OnColWidthChanged, this, changed);
}

void TdcCustomDBGrid::scrollOriginChanged() {
  TCustomGrid::scrollOriginChanged();
  if (firstScrollColumn() == leftColumn_) return;
  leftColumn_ = firstScrollColumn();
  callHandler(OnLeftColChanged, this, leftColumn_);
  if (dbOptions_.Contains(dgShowFooter)) {
    TRect footer = GetFooterRect();
    invalidateArea({footer.Left - 1, footer.Top - 1, footer.Right + 1, footer.Bottom + 1});
  }
  const int last = std::min(columnCount() - 1, firstScrollColumn() + fullyVisibleColumns() - 1);
  const TRect edge = cellBounds(last, titleOffset_);
  if (!edge.IsEmpty()) invalidateArea({edge.Right - 1, 0, edge.Right + 1, ClientRect().Bottom});
}

// ---- editing ----

bool TdcCustomDBGrid::CanEdit() {
  TDataSet* ds = dataSet();
  if (!ds || !linkActive()) return false;
  if (ds->Bof() && ds->Eof() && !keyOptions_.Contains(dgAllowInsert)) return false;
  if (readOnly_ || link_->ReadOnly() || GetFieldCount() == 0) return false;
  TField* field = SelectedField();
  if (!field) return false;
  if (!field->CanModify() && !(editCalculated_ && field->Calculated() && !field->ReadOnly())) return false;
  if (readOnlyFlag(SelectedIndex())) return false;
  link_->Edit();
  const bool editing = link_->Editing();
  if (editing) link_->Modified(true);
  return editing;
}

bool TdcCustomDBGrid::cellEditAcceptsKey(char Key) {
  TField* field = SelectedField();
  return linkActive() && GetFieldCount() > 0 && field && field->IsValidChar(static_cast<unsigned char>(Key));
}

TInplaceEdit* TdcCustomDBGrid::makeCellEditor() { return new TdcInplaceEdit(this); }

AnsiString TdcCustomDBGrid::cellEditText(int ACol, int) {
  TField* field = GetFields(ACol - indicatorOffset_);
  if (auto* editor = dynamic_cast<TdcInplaceEdit*>(cellEditor())) editor->ReadFieldPicture(field);
  editText_ = field ? field->Text() : AnsiString();
  return editText_;
}

void TdcCustomDBGrid::storeCellEditText(int, int, const AnsiString& Value) { editText_ = Value; }

AnsiString TdcCustomDBGrid::cellEditMask(int ACol, int) {
  TField* field = GetFields(ACol - indicatorOffset_);
  return field ? field->EditMask() : AnsiString();
}

int TdcCustomDBGrid::cellEditMaxLength() {
  TField* field = SelectedField();
  return field && field->DataType() == ftString ? field->Size() : 0;
}

void TdcCustomDBGrid::DoExit() {
  if (linkActive()) {
    TDataSet* ds = dataSet();
    if (dbOptions_.Contains(dgCancelOnExit) && ds->State() == dsInsert && !ds->Modified() && !link_->Modified())
      ds->Cancel();
    else
      UpdateData();
  }
  TCustomGrid::DoExit();
}
