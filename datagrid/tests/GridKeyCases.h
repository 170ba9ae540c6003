#pragma once
// The data grid's key-move cases, run over the in-memory table and over a record file alike: a
// key pressed on a record and column, and where the grid is to stand afterwards. Test code only.
#include "datagrid/CustomDBGrid.h"
#include "framework/db/DataSet.h"

namespace gridkeys_test {

struct GridKeyCase {
  WORD key;
  bool ctrl;
  bool rowSelect;
  int startRecord;
  int startColumn;
  int record;  // plus pagesOn visible pages
  int pagesOn;
  int column;
};

// Puts the grid on the case's record and column and presses its key; answers what is left of the
// key (0 when the grid took it).
inline WORD pressCaseKey(TdcCustomDBGrid& grid, TDataSet& table, const GridKeyCase& t) {
  if (t.rowSelect) grid.SetDBOptions(grid.DBOptions().Include(dgRowSelect));
  table.MoveBy(t.startRecord - 1);
  grid.SetSelectedIndex(t.startColumn);
  WORD key = t.key;
  TShiftState shift;
  if (t.ctrl) shift.Include(ssCtrl);
  grid.KeyDown(key, shift);
  return key;
}

}  // namespace gridkeys_test
