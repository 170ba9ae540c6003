#pragma once
// The e-mail programs of the e-mail settings in order of preference, one a row below the header
// row: column 0 holds "1" (allowed) or "0", drawn as a check box that a click toggles; column 1
// the program's name, the only cells that take the selection.
#include "framework/ui/TextGrid.h"

class EmailProgramGrid : public TextGrid {
  QN_CLASS(EmailProgramGrid, TextGrid)
 public:
  explicit EmailProgramGrid(TComponent* AOwner);

  static constexpr int CheckColumn = 0, NameColumn = 1;

  bool allowed(int Row) const { return cellText(CheckColumn, Row) == "1"; }
  void setAllowed(int Row, bool Value) { setCellText(CheckColumn, Row, Value ? "1" : "0"); }
  // Swaps the row with the one By rows away, when that is a program row too; the selection goes
  // along. Answers whether it moved.
  bool moveRow(int Row, int By);

  // A program's check was toggled by a click (Row is the program's row).
  std::function<void(int Row)> OnCheckToggled;

 protected:
  void DrawCell(int ACol, int ARow, TRect ARect, GridCellStates AState) override;
  void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
};
