// The grid's keys, wheel and mouse.
#include <algorithm>

#include "framework/ui/CustomGrid.h"
#include "framework/ui/Focus.h"
#include "framework/ui/FormBase.h"
#include "framework/ui/InplaceEdit.h"
#include "framework/ui/IntervalTimer.h"
#include "framework/ui/VirtualKeys.h"

TWantedKeys TCustomGrid::WantedKeys() const {
  TWantedKeys keys{wkArrows};
  if (options_.Contains(gridTabs)) keys.Include(wkTab);
  if (options_.Contains(gridEditing)) {
    keys.Include(wkReturn);
    keys.Include(wkEscape);
  }
  return keys;
}

void TCustomGrid::pageMove(int direction) {
  const int page = std::max(1, fullyVisibleRows());
  const int maxFirst = rows_.maxFirstScroll(ClientRect().Height(), lineWidth_);
  const int first = std::clamp(rows_.firstScroll() + direction * page, fixedRowCount(), std::max(fixedRowCount(), maxFirst));
  setFirstScrollRow(first);
  moveCurrentCell(current_.column, current_.row + direction * page, true);
}

void TCustomGrid::tabMove(bool Forward) {
  const int step = Forward ? 1 : -1;
  for (int c = current_.column + step; c >= FixedCols() && c < columnCount(); c += step)
    if (columnTakesTab(c)) {
      moveCurrentCell(c, current_.row, true);
      return;
    }
  leaveGrid(Forward);
}

void TCustomGrid::leaveGrid(bool Forward) {
  FormBase* form = GetParentForm(this);
  if (!form) return;
  TWinControl* next = this;
  for (;;) {
    next = form->FindNextControl(next, Forward, true);
    if (!next || next == this) return;
    if (!ContainsControl(next)) break;
  }
  qn::ui::moveFocus(next);
}

void TCustomGrid::KeyDown(WORD& Key, TShiftState Shift) {
  SelfPaintedControl::KeyDown(Key, Shift);
  if (Key == 0 || Shift.Contains(ssAlt)) return;
  const bool ctrl = Shift.Contains(ssCtrl);
  const bool rowSelect = options_.Contains(gridRowSelect);
  const int column = current_.column;
  const int row = current_.row;
  switch (Key) {
    case VK_UP: moveCurrentCell(column, row - 1, true); break;
    case VK_DOWN: moveCurrentCell(column, row + 1, true); break;
    case VK_LEFT:
      if (rowSelect) setFirstScrollColumn(firstScrollColumn() - 1);
      else moveCurrentCell(ctrl ? FixedCols() : column - 1, row, true);
      break;
    case VK_RIGHT:
      if (rowSelect) setFirstScrollColumn(firstScrollColumn() + 1);
      else moveCurrentCell(ctrl ? columnCount() - 1 : column + 1, row, true);
      break;
    case VK_PRIOR: pageMove(-1); break;
    case VK_NEXT: pageMove(1); break;
    case VK_HOME: moveCurrentCell(FixedCols(), ctrl ? fixedRowCount() : row, true); break;
    case VK_END: moveCurrentCell(columnCount() - 1, ctrl ? rowCount() - 1 : row, true); break;
    case VK_TAB:
      if (!options_.Contains(gridTabs) || ctrl) return;
      tabMove(!Shift.Contains(ssShift));
      break;
    case VK_F2:
      if (!cellEditorShown() && showCellEditor()) editor_->SetSelStart(static_cast<int>(editor_->Text().size()));
      break;
    case VK_RETURN:
      if (!options_.Contains(gridEditing)) return;
      if (!cellEditorShown()) {
        showCellEditor();
      } else {
        storeCellEditor();
        if (options_.Contains(gridAlwaysShowEditor)) editor_->SelectAll();
        else hideCellEditor();
      }
      break;
    case VK_ESCAPE:
      if (!cellEditorShown()) return;
      editor_->SetText(cellEditText(editing_.column, editing_.row));
      if (options_.Contains(gridAlwaysShowEditor)) editor_->SelectAll();
      else hideCellEditor();
      break;
    default: return;
  }
  Key = 0;
}

void TCustomGrid::KeyPress(char& Key) {
  SelfPaintedControl::KeyPress(Key);
  const auto byte = static_cast<unsigned char>(Key);
  if (byte < 32 || byte == 127 || cellEditorShown() || !cellEditAcceptsKey(Key)) return;
  // A typed character opens the editor and becomes its text.
  const char typed = Key;
  Key = 0;
  if (!showCellEditor()) return;
  editor_->SelectAll();
  editor_->SetSelText(AnsiString(1, typed));
}

bool TCustomGrid::cellEditorKey(WORD& Key, TShiftState Shift) {
  switch (Key) {
    case VK_UP:
    case VK_DOWN:
    case VK_PRIOR:
    case VK_NEXT:
    case VK_TAB:
    case VK_RETURN:
    case VK_ESCAPE:
      break;
    case VK_HOME:
    case VK_END:
      if (!Shift.Contains(ssCtrl)) return false;
      break;
    default:
      return false;
  }
  KeyDown(Key, Shift);
  return true;
}

bool TCustomGrid::MouseWheel(TShiftState, int WheelDelta, TPoint) {
  const int steps = WheelDelta / 120;
  if (steps == 0) return false;
  // Turning the wheel away from the user moves up, as the arrow key does.
  moveCurrentCell(current_.column, current_.row - steps, true);
  return true;
}

void TCustomGrid::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
  const TPoint at{X, Y};
  lastMouse_ = at;
  if (Button == mbLeft && ClientRect().Contains(at)) {
    const int sizing = options_.Contains(gridColumnSizing) ? columnSizeHit(at) : -1;
    const auto cell = cellAtPoint(at);
    if (sizing >= 0) {
      storeCellEditor();
      mouseState_ = GridMouseState::sizingColumn;
      sizingColumn_ = sizing;
      sizingStartX_ = X;
      sizingStartWidth_ = columns_.size(sizing);
    } else if (cell && cell->row < fixedRowCount() && cell->column >= FixedCols() && options_.Contains(gridColumnMoving)) {
      mouseState_ = GridMouseState::movingColumn;
      movingColumn_ = cell->column;
    } else if (cell && cell->row >= fixedRowCount() && cell->column >= FixedCols()) {
      if (*cell == current_ && !Shift.Contains(ssDouble)) {
        if (!cellEditorShown() && options_.Contains(gridEditing)) showCellEditor();
      } else {
        moveCurrentCell(cell->column, cell->row, true);
      }
      mouseState_ = GridMouseState::selecting;
      timer_->SetEnabled(true);
    }
  }
  SelfPaintedControl::MouseDown(Button, Shift, X, Y);
}

void TCustomGrid::MouseMove(TShiftState Shift, int X, int Y) {
  lastMouse_ = {X, Y};
  switch (mouseState_) {
    case GridMouseState::sizingColumn: {
      // The width follows the mouse; the change is announced once, at the release.
      const int width = std::max(0, sizingStartWidth_ + X - sizingStartX_);
      if (width != columns_.size(sizingColumn_)) {
        columns_.setSize(sizingColumn_, width);
        layoutScrollBars();
        Invalidate();
        placeCellEditor();
      }
      break;
    }
    case GridMouseState::selecting:
      if (const auto cell = cellAtPoint({X, Y}); cell && cell->row >= fixedRowCount() && cell->column >= FixedCols())
        moveCurrentCell(cell->column, cell->row, true);
      break;
    case GridMouseState::normal:
      SetCursor(options_.Contains(gridColumnSizing) && columnSizeHit({X, Y}) >= 0 ? crHSplit : crDefault);
      break;
    case GridMouseState::movingColumn:
      break;
  }
  SelfPaintedControl::MouseMove(Shift, X, Y);
}

void TCustomGrid::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
  const GridMouseState state = std::exchange(mouseState_, GridMouseState::normal);
  timer_->SetEnabled(false);
  if (state == GridMouseState::sizingColumn && columns_.size(sizingColumn_) != sizingStartWidth_) columnWidthsChanged();
  if (state == GridMouseState::movingColumn) {
    const auto cell = cellAtPoint({X, std::min(Y, ClientRect().Bottom - 1)});
    int target = cell ? cell->column : X < columns_.fixedExtent(lineWidth_) ? FixedCols() : columnCount() - 1;
    target = std::clamp(target, FixedCols(), columnCount() - 1);
    if (target != movingColumn_) moveColumnTo(movingColumn_, target);
  }
  SelfPaintedControl::MouseUp(Button, Shift, X, Y);
}

void TCustomGrid::timerTick() {
  if (mouseState_ != GridMouseState::selecting) return;
  const TRect client = ClientRect();
  int column = current_.column;
  int row = current_.row;
  if (lastMouse_.X < columns_.fixedExtent(lineWidth_)) --column;
  else if (lastMouse_.X >= client.Right) ++column;
  if (lastMouse_.Y < rows_.fixedExtent(lineWidth_)) --row;
  else if (lastMouse_.Y >= client.Bottom) ++row;
  if (column != current_.column || row != current_.row) moveCurrentCell(column, row, true);
}
