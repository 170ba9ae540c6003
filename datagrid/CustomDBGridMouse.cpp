// The data grid's mouse: presses that move to a record and column, titles pressed and clicked as
// buttons, multi-select presses, and scrolling while the mouse holds a cell beyond the rows.
#include <cstdlib>

#include "datagrid/CustomDBGrid.h"
#include "datagrid/FieldControlTypes.h"
#include "datagrid/StringHelpers.h"
#include "framework/db/DataSet.h"
#include "framework/db/Field.h"
#include "framework/ui/IntervalTimer.h"

namespace {

// Within this the mouse has not dragged the title.
bool stayedPut(TPoint from, int X, int Y) { return std::abs(X - from.X) <= 2 && std::abs(Y - from.Y) < 3; }

}  // namespace

void TdcCustomDBGrid::DoTitleButtonClick(const AnsiString& FieldName) {
  if (OnTitleButtonClick) OnTitleButtonClick(this, FieldName);
}

void TdcCustomDBGrid::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
  // The double click has had its handler; the press is nothing more.
  if (Button == mbLeft && Shift.Contains(ssDouble)) return;
  const auto cell = cellAtPoint({X, Y});
  if (!cell || (dbOptions_.Contains(dgColumnResize) && columnSizeHit({X, Y}) >= 0)) {
    if (cell) UpdateData();
    TCustomGrid::MouseDown(Button, Shift, X, Y);
    return;
  }
  if (cell->row < titleOffset_) {
    const bool movable = ComponentState().Contains(csDesigning) || dbOptions_.Contains(dgColumnResize);
    pressTitle(*cell, X, Y);
    if (movable && cell->column < FixedCols()) {
      TCustomGrid::MouseDown(Button, Shift, X, Y);
      return;
    }
    // The loop lasts while the button is down; a press made by code has none to wait for.
    if (movable && Button == mbLeft && cell->column >= indicatorOffset_ && ControlState().Contains(csLButtonDown))
      runColumnDrag(*cell, X, Y);
    TControl::MouseDown(Button, Shift, X, Y);
    return;
  }
  if (cell->column >= indicatorOffset_ && linkActive()) {
    pressDataCell(*cell, Shift);
    pressForMultiSelect(*cell, Shift, Button);
    if (Button == mbLeft) {
      selectingByMouse_ = true;
      gridTimer()->SetEnabled(true);
    }
  }
  if (Window()) Window()->repaint();
  TControl::MouseDown(Button, Shift, X, Y);
}

void TdcCustomDBGrid::pressTitle(GridCoord cell, int X, int Y) {
  if (!titleButtons_ || ComponentState().Contains(csDesigning) || cell.column < indicatorOffset_) return;
  pressedTitle_ = cell;
  titlePressPoint_ = {X, Y};
  repaintCell(cell.column, cell.row);
}

void TdcCustomDBGrid::pressDataCell(GridCoord cell, TShiftState Shift) {
  if (cell.column == Col() && cell.row == Row()) {
    TField* field = GetFields(cell.column - indicatorOffset_);
    const bool memo = field && field->DataType() == ftMemo;
    if (!HasCellControl(cell.column - indicatorOffset_) && !memo && !Shift.Contains(ssDouble)) showCellEditor();
    return;
  }
  const GridCoord before{Col(), Row()};
  const int rows = cell.row - Row();
  if (rows != 0) tabMove_ = true;
  suppressCellChanged_ = true;
  const auto restore = [this] {
    suppressCellChanged_ = false;
    tabMove_ = false;
  };
  try {
    if (cell.column >= FixedCols()) SetSelectedIndex(cell.column - indicatorOffset_);
    if (rows != 0) dataSet()->MoveBy(rows);
  } catch (...) {
    restore();
    throw;
  }
  restore();
  if (GridCoord{Col(), Row()} != before) DoCellChanged();
}

void TdcCustomDBGrid::pressForMultiSelect(GridCoord cell, TShiftState Shift, TMouseButton Button) {
  if (!dbOptions_.Contains(dgMultiSelect)) return;
  TField* field = GetFields(cell.column - indicatorOffset_);
  if (field && field->Calculated() && StrEqualNoCase(field->FieldName(), "selected") &&
      StrEqualNoCase(GetControlType(field).Type, "CheckBox"))
    return;
  const bool ctrl = Shift.Contains(ssCtrl);
  const bool shift = Shift.Contains(ssShift);
  const bool autoUnselect = multiSelectOptions_.Contains(msoAutoUnselect);
  anchorReplaced_ = false;
  if (ctrl || shift) {
    if (ActiveRecordMarked()) UnselectRecord();
    else SelectRecord();
  } else if (Button == mbLeft && autoUnselect) {
    UnselectAll();
    SelectRecord();
  }
  if (multiSelectOptions_.Contains(msoShiftSelect) && (shift || ctrl || autoUnselect)) {
    TDataSet* ds = dataSet();
    ds->CheckBrowseMode();
    if (!anchorReplaced_) shiftAnchor_ = ds->Bookmark();
  }
}

void TdcCustomDBGrid::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
  selectingByMouse_ = false;
  const bool dragged = ColumnDragStarted();
  if (dragged && Button == mbLeft) dropColumn(X, Y);
  TCustomGrid::MouseUp(Button, Shift, X, Y);
  if (pressedTitle_.column < 0) return;
  const GridCoord pressed = pressedTitle_;
  pressedTitle_ = {-1, -1};
  repaintCell(pressed.column, pressed.row);
  const auto cell = cellAtPoint({X, Y});
  if (!dragged && cell && *cell == pressed && X >= 0 && stayedPut(titlePressPoint_, X, Y)) {
    TField* field = GetFields(pressed.column - indicatorOffset_);
    DoTitleButtonClick(field ? field->FieldName() : AnsiString());
  }
}

void TdcCustomDBGrid::timerTick() {
  if (!selectingByMouse_ || !linkActive()) return;
  TDataSet* ds = dataSet();
  const TRect client = ClientRect();
  const int rowsTop = cellBounds(indicatorOffset_, titleOffset_).Top;
  const TRect lastRow = cellBounds(indicatorOffset_, titleOffset_ + std::max(0, visibleRows_ - 1));
  if (mouseAt_.Y < rowsTop) ds->MoveBy(-(link_->ActiveRecord() + 1));
  else if (mouseAt_.Y >= client.Bottom || (!lastRow.IsEmpty() && mouseAt_.Y >= lastRow.Bottom))
    ds->MoveBy(link_->RecordCount() - link_->ActiveRecord());
  if (mouseAt_.X < cellBounds(firstScrollColumn(), Row()).Left && SelectedIndex() > FixedCols() - indicatorOffset_)
    SetSelectedIndex(SelectedIndex() - 1);
  else if (mouseAt_.X >= client.Right)
    SetSelectedIndex(SelectedIndex() + 1);
}
