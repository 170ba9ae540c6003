// The data grid's mouse: titles pressed and clicked as buttons.
#include <cstdlib>

#include "datagrid/CustomDBGrid.h"
#include "framework/db/Field.h"

namespace {

// Within this the mouse has not dragged the title.
bool stayedPut(TPoint from, int X, int Y) { return std::abs(X - from.X) <= 2 && std::abs(Y - from.Y) < 3; }

}  // namespace

void TdcCustomDBGrid::DoTitleButtonClick(const AnsiString& FieldName) {
  if (OnTitleButtonClick) OnTitleButtonClick(this, FieldName);
}

void TdcCustomDBGrid::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
  const auto cell = cellAtPoint({X, Y});
  if (titleButtons_ && Button == mbLeft && !ComponentState().Contains(csDesigning) && cell && cell->row < titleOffset_ &&
      cell->column >= indicatorOffset_ && columnSizeHit({X, Y}) < 0) {
    pressedTitle_ = *cell;
    titlePressPoint_ = {X, Y};
    repaintCell(cell->column, cell->row);
  }
  TCustomGrid::MouseDown(Button, Shift, X, Y);
}

void TdcCustomDBGrid::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
  TCustomGrid::MouseUp(Button, Shift, X, Y);
  if (pressedTitle_.column < 0) return;
  const GridCoord pressed = pressedTitle_;
  pressedTitle_ = {-1, -1};
  repaintCell(pressed.column, pressed.row);
  const auto cell = cellAtPoint({X, Y});
  if (cell && *cell == pressed && X >= 0 && stayedPut(titlePressPoint_, X, Y)) {
    TField* field = GetFields(pressed.column - indicatorOffset_);
    DoTitleButtonClick(field ? field->FieldName() : AnsiString());
  }
}
