// The data grid's keys over the clients table of 100 records: where each key leaves the record
// and column, Tab at the end of the table, deleting, Escape and Insert, and the editor handing
// Ctrl+Delete and Enter to the grid.
#include "datagrid/DcInplaceEdit.h"
#include "datagrid/tests/ClientsGridFixture.h"
#include "datagrid/tests/GridKeyCases.h"
#include "framework/ui/VirtualKeys.h"
#include "framework/ui/testing/ScriptedMessageBoxes.h"

namespace datagridtest {
namespace {

using qn::ui::testing::ScriptedMessageBoxes;

// The grid shows three data columns; codes count from C001.
using gridkeys_test::GridKeyCase;

class ClientsKeyMovesTest : public ClientsGridTest, public ::testing::WithParamInterface<GridKeyCase> {};

AnsiString codeOf(int record) {
  char code[8];
  std::snprintf(code, sizeof code, "C%03d", record);
  return code;
}

TEST_P(ClientsKeyMovesTest, TheKeyLeavesTheRecordAndColumn) {
  const GridKeyCase& t = GetParam();
  openAndBind();
  EXPECT_EQ(gridkeys_test::pressCaseKey(*grid, *table, t), 0) << "the grid takes the key";
  EXPECT_EQ(currentCode(), codeOf(t.record + t.pagesOn * grid->VisibleRowCount()));
  EXPECT_EQ(grid->SelectedIndex(), t.column);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ClientsKeyMovesTest,
    ::testing::Values(GridKeyCase{VK_DOWN, false, false, 1, 1, 2, 0, 1}, GridKeyCase{VK_UP, false, false, 3, 2, 2, 0, 2},
                      GridKeyCase{VK_END, false, false, 4, 0, 4, 0, 2}, GridKeyCase{VK_END, true, false, 4, 1, 100, 0, 1},
                      GridKeyCase{VK_END, false, true, 4, 1, 100, 0, 1}, GridKeyCase{VK_HOME, false, false, 4, 2, 4, 0, 0},
                      GridKeyCase{VK_HOME, true, false, 9, 2, 1, 0, 2}, GridKeyCase{VK_LEFT, true, false, 2, 2, 2, 0, 0},
                      GridKeyCase{VK_RIGHT, false, false, 2, 1, 2, 0, 2}, GridKeyCase{VK_RIGHT, false, true, 2, 1, 3, 0, 1},
                      GridKeyCase{VK_LEFT, false, true, 5, 1, 4, 0, 1}, GridKeyCase{VK_NEXT, false, false, 1, 1, 1, 1, 1},
                      GridKeyCase{VK_PRIOR, false, false, 60, 1, 60, -1, 1}, GridKeyCase{VK_DOWN, true, false, 1, 0, 0, 1, 0}));

using ClientsKeysTest = ClientsGridTest;

TEST_F(ClientsKeysTest, TabOnTheLastCellOfTheLastRecordAppendsAndLandsOnTheFirstTabStop) {
  openAndBind();
  table->Last();
  grid->setColumnTakesTab(1, false);  // the code column takes no Tab
  grid->SetSelectedIndex(2);
  WORD key = VK_TAB;
  grid->KeyDown(key, {});
  EXPECT_EQ(table->State(), dsInsert);
  EXPECT_EQ(grid->SelectedIndex(), 1);
}

TEST_F(ClientsKeysTest, DeleteAsksAndCtrlDeleteWithoutEditingIsConsumed) {
  openAndBind();
  table->Next();
  TShiftState ctrl{ssCtrl};
  {
    ScriptedMessageBoxes boxes;
    boxes.expect(mtConfirmation, "Delete record?", mrCancel);
    WORD key = VK_DELETE;
    grid->KeyDown(key, ctrl);
    EXPECT_EQ(currentCode(), "C002");
    boxes.expect(mtConfirmation, "Delete record?", mrOk);
    key = VK_DELETE;
    grid->KeyDown(key, ctrl);
    EXPECT_EQ(currentCode(), "C003");
    EXPECT_EQ(boxes.shown().size(), 2u);
  }
  grid->SetDBOptions(grid->DBOptions().Exclude(dgEditing));
  WORD key = VK_DELETE;
  grid->KeyDown(key, ctrl);
  EXPECT_EQ(key, 0);
  EXPECT_EQ(currentCode(), "C003");
}

TEST_F(ClientsKeysTest, InsertInsertsAndEscapeResets) {
  openAndBind();
  WORD key = VK_INSERT;
  grid->KeyDown(key, {});
  EXPECT_EQ(table->State(), dsInsert);
  key = VK_ESCAPE;
  grid->KeyDown(key, {});
  EXPECT_EQ(table->State(), dsBrowse);
  EXPECT_EQ(currentCode(), "C001");
}

TEST_F(ClientsKeysTest, TheEditorHandsCtrlDeleteAndEnterToTabToTheGrid) {
  openAndBind();
  grid->SetSelectedIndex(1);
  ASSERT_TRUE(grid->showCellEditor());
  auto& editor = dynamic_cast<TdcInplaceEdit&>(*grid->cellEditor());
  grid->SetKeyOptions(grid->KeyOptions().Include(dgEnterToTab));
  WORD key = VK_RETURN;
  editor.KeyDown(key, {});
  EXPECT_EQ(key, 0);
  EXPECT_EQ(grid->SelectedIndex(), 2) << "Enter moved on as Tab";
  table->Cancel();
  ASSERT_TRUE(grid->showCellEditor());
  ScriptedMessageBoxes boxes;
  boxes.expect(mtConfirmation, "Delete record?", mrOk);
  key = VK_DELETE;
  dynamic_cast<TdcInplaceEdit&>(*grid->cellEditor()).KeyDown(key, TShiftState{ssCtrl});
  EXPECT_EQ(key, 0);
  EXPECT_EQ(currentCode(), "C002");
}

}  // namespace
}  // namespace datagridtest
