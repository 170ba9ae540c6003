// The data grid's keys: where each key leaves the record and the column, Tab across records and
// at the end of the table, deleting with and without confirmation, Escape and Insert.
#include "datagrid/tests/DBGridTestSupport.h"
#include "datagrid/tests/GridKeyCases.h"
#include "framework/ui/VirtualKeys.h"
#include "framework/ui/testing/ScriptedMessageBoxes.h"

namespace datagridtest {
namespace {

using KeysTest = DBGridTest;
using qn::ui::testing::ScriptedMessageBoxes;

using gridkeys_test::GridKeyCase;

class KeyMovesTest : public DBGridTest, public ::testing::WithParamInterface<GridKeyCase> {};

TEST_P(KeyMovesTest, TheKeyLeavesTheRecordAndColumn) {
  const GridKeyCase& t = GetParam();
  open(60);
  bind();
  EXPECT_EQ(gridkeys_test::pressCaseKey(*grid, *table, t), 0) << "the grid takes the key";
  EXPECT_EQ(currentRecordNumber(), t.record + t.pagesOn * grid->VisibleRowCount());
  EXPECT_EQ(grid->SelectedIndex(), t.column);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, KeyMovesTest,
    ::testing::Values(GridKeyCase{VK_DOWN, false, false, 1, 1, 2, 0, 1}, GridKeyCase{VK_UP, false, false, 3, 2, 2, 0, 2},
                      GridKeyCase{VK_END, false, false, 4, 1, 4, 0, 3}, GridKeyCase{VK_END, true, false, 4, 1, 60, 0, 1},
                      GridKeyCase{VK_END, false, true, 4, 1, 60, 0, 1}, GridKeyCase{VK_HOME, false, false, 4, 2, 4, 0, 0},
                      GridKeyCase{VK_HOME, false, true, 4, 2, 1, 0, 2}, GridKeyCase{VK_HOME, true, false, 9, 2, 1, 0, 2},
                      GridKeyCase{VK_LEFT, true, false, 2, 3, 2, 0, 0}, GridKeyCase{VK_RIGHT, true, false, 2, 0, 2, 0, 3},
                      GridKeyCase{VK_RIGHT, false, false, 2, 1, 2, 0, 2}, GridKeyCase{VK_LEFT, false, false, 2, 1, 2, 0, 0},
                      GridKeyCase{VK_RIGHT, false, true, 2, 1, 3, 0, 1}, GridKeyCase{VK_LEFT, false, true, 5, 1, 4, 0, 1},
                      GridKeyCase{VK_NEXT, false, false, 1, 1, 1, 1, 1}, GridKeyCase{VK_PRIOR, false, false, 40, 1, 40, -1, 1},
                      GridKeyCase{VK_UP, true, false, 1, 1, 1, 0, 1}));

TEST_F(KeysTest, TabOnTheLastCellOfTheLastRecordAppendsAndLandsOnTheFirstTabStop) {
  open(3);
  bind();
  table->Last();
  grid->setColumnTakesTab(1, false);  // the first data column takes no Tab
  grid->SetSelectedIndex(3);
  WORD key = VK_TAB;
  grid->KeyDown(key, {});
  EXPECT_EQ(table->State(), dsInsert);
  EXPECT_EQ(grid->SelectedIndex(), 1);
}

// The column stays; the record moves on, so Tab walks down the one column being filled in.
TEST_F(KeysTest, TabStaysInTheColumnThatIsTheOnlyTabStop) {
  open(3);
  bind();
  table->Next();
  grid->SetSelectedIndex(2);
  for (int col : {1, 2, 4}) grid->setColumnTakesTab(col, false);
  grid->setColumnTakesTab(3, true);
  WORD key = VK_TAB;
  grid->SetSelectedIndex(2);
  grid->KeyDown(key, {});
  EXPECT_EQ(grid->SelectedIndex(), 2);
  EXPECT_EQ(currentRecordNumber(), 3);
}

TEST_F(KeysTest, ShiftTabOnTheFirstColumnGoesToTheLastColumnOfThePreviousRecord) {
  open(3);
  bind();
  table->Last();
  grid->SetSelectedIndex(0);
  WORD key = VK_TAB;
  TShiftState shift;
  shift.Include(ssShift);
  grid->KeyDown(key, shift);
  EXPECT_EQ(currentRecordNumber(), 2);
  EXPECT_EQ(grid->SelectedIndex(), 3);
}

TEST_F(KeysTest, CtrlDeleteAsksAndDeletesOnlyOnOK) {
  open(3);
  bind();
  TShiftState ctrl;
  ctrl.Include(ssCtrl);
  {
    ScriptedMessageBoxes boxes;
    boxes.expect(mtConfirmation, "Delete record?", mrCancel);
    WORD key = VK_DELETE;
    grid->KeyDown(key, ctrl);
    EXPECT_EQ(key, 0);
    EXPECT_EQ(table->RecordCount(), 3);
    boxes.expect(mtConfirmation, "Delete record?", mrOk);
    key = VK_DELETE;
    grid->KeyDown(key, ctrl);
    EXPECT_EQ(table->RecordCount(), 2);
    EXPECT_EQ(boxes.shown().size(), 2u);
  }
  grid->SetDBOptions(grid->DBOptions().Exclude(dgEditing));
  WORD key = VK_DELETE;
  grid->KeyDown(key, ctrl);
  EXPECT_EQ(key, 0) << "consumed even when nothing may be deleted";
  EXPECT_EQ(table->RecordCount(), 2);
}

TEST_F(KeysTest, InsertInsertsAndEscapeResetsTheRecord) {
  open(3);
  bind();
  WORD key = VK_INSERT;
  grid->KeyDown(key, {});
  EXPECT_EQ(table->State(), dsInsert);
  key = VK_ESCAPE;
  grid->KeyDown(key, {});
  EXPECT_EQ(table->State(), dsBrowse);
  EXPECT_EQ(table->RecordCount(), 3);

  grid->SetReadOnly(true);
  key = VK_INSERT;
  grid->KeyDown(key, {});
  EXPECT_EQ(table->State(), dsBrowse);
}

}  // namespace
}  // namespace datagridtest
