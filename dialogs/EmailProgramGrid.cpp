#include "dialogs/EmailProgramGrid.h"

#include "framework/ui/Canvas.h"

EmailProgramGrid::EmailProgramGrid(TComponent* AOwner) : TextGrid(AOwner) {
  setColumnCount(2);
  SetFixedCols(0);
  setFixedRowCount(1);
  setColumnWidth(CheckColumn, 16);
  setScrollBars(scrollBarsNone);
  SetOptions({gridFixedVerticalLines, gridFixedHorizontalLines, gridHorizontalLines, gridRowSelect});
}

bool EmailProgramGrid::moveRow(int Row, int By) {
  const int other = Row + By;
  if (Row < fixedRowCount() || other < fixedRowCount() || Row >= rowCount() || other >= rowCount()) return false;
  const std::vector<AnsiString> moving = rowTexts(Row);
  setRowTexts(Row, rowTexts(other));
  setRowTexts(other, moving);
  SetRow(other);
  repaintAll();
  return true;
}

void EmailProgramGrid::DrawCell(int ACol, int ARow, TRect ARect, GridCellStates AState) {
  if (ACol != CheckColumn || ARow < fixedRowCount()) {
    TextGrid::DrawCell(ACol, ARow, ARect, AState);
    return;
  }
  canvas().fillRect(ARect);
  const int side = std::min({12, ARect.Width() - 2, ARect.Height() - 2});
  TRect box{ARect.Left + (ARect.Width() - side) / 2, ARect.Top + (ARect.Height() - side) / 2, 0, 0};
  box.Right = box.Left + side;
  box.Bottom = box.Top + side;
  canvas().drawFrameControl(box, FrameControl::checkBox, allowed(ARow) ? frameChecked : 0);
}

void EmailProgramGrid::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
  const auto cell = cellAtPoint({X, Y});
  if (Button == mbLeft && cell && cell->row >= fixedRowCount() && cell->column == CheckColumn) {
    setAllowed(cell->row, !allowed(cell->row));
    repaintCell(CheckColumn, cell->row);
    moveCurrentCell(NameColumn, cell->row);
    if (OnCheckToggled) OnCheckToggled(cell->row);
    return;
  }
  TextGrid::MouseDown(Button, Shift, X, Y);
  if (Col() == CheckColumn) moveCurrentCell(NameColumn, Row());
}
