// Edit controls of the form mounted into the grid's current cell, on the application's table: the
// control shows the cell's text over the cell, goes when the cell does, gets the keys typed on
// the cell, and posts its value when the grid writes its pending edits.
#include <QCoreApplication>

#include "datagrid/tests/PublishedGridFixture.h"
#include "framework/db/Field.h"
#include "framework/ui/VirtualKeys.h"

namespace publishedgridtest {
namespace {

constexpr const char* kCode = "Client Code";
constexpr const char* kCity = "City";

class CellControlTest : public PublishedGridTest {
 protected:
  void SetUp() override {
    PublishedGridTest::SetUp();
    edit = new GridTestEdit(form);
    edit->SetName("ClientCode");
    edit->SetParent(form);
    TdcTbTable& table = openClients({"ADAMS", "BRIGHT", "CARTER"});
    table.ControlType()->SetText(std::string(kCode) + ";CustomEdit;ClientCode\r\n");
    bind(&table);
    focusGridAt(kCode);
    paint();
  }
  AnsiString code() { return clients->FieldByName(kCode)->AsString(); }

  GridTestEdit* edit = nullptr;
};

TEST_F(CellControlTest, TheControlShowsTheCellTextOverTheCurrentCell) {
  EXPECT_TRUE(edit->Visible());
  EXPECT_EQ(grid->MountedControl(), edit);
  EXPECT_EQ(edit->Parent(), grid);
  EXPECT_EQ(edit->BoundsRect(), currentCell());
  EXPECT_EQ(edit->Text(), "ADAMS");
  EXPECT_FALSE(grid->cellEditorShown()) << "no in-place editor over a cell with a control";
}

TEST_F(CellControlTest, TheControlFollowsTheCurrentRecordWithItsText) {
  grid->NextRecord();
  paint();
  EXPECT_TRUE(edit->Visible());
  EXPECT_EQ(edit->Text(), "BRIGHT");
  EXPECT_EQ(edit->BoundsRect(), currentCell());
}

TEST_F(CellControlTest, ScrollingTheRowsTakesTheControlOffTheOldRow) {
  std::vector<std::string> codes;
  for (int i = 0; i < 60; ++i) codes.push_back("C" + std::to_string(1000 + i));
  bind(&openClients(codes));
  clients->ControlType()->SetText(std::string(kCode) + ";CustomEdit;ClientCode\r\n");
  focusGridAt(kCode);
  paint();
  ASSERT_TRUE(edit->Visible());
  const TRect before = edit->BoundsRect();
  clients->MoveBy(45);
  ASSERT_NE(currentCell(), before) << "the rows scrolled";
  if (edit->Visible()) {
    EXPECT_EQ(edit->BoundsRect(), currentCell()) << "shown again only over the current cell";
    EXPECT_EQ(edit->Text(), "C1045");
  }
  paint();
  EXPECT_EQ(edit->BoundsRect(), currentCell());
  EXPECT_EQ(edit->Text(), "C1045");
}

TEST_F(CellControlTest, LeavingTheColumnHidesTheControl) {
  grid->SetSelectedIndex(columnOf(kCity));
  EXPECT_FALSE(edit->Visible());
  paint();
  EXPECT_FALSE(edit->Visible()) << "the city has no control";
}

TEST_F(CellControlTest, ALetterTypedOnTheCellGoesIntoTheControl) {
  WORD key = 'Z';
  grid->KeyDown(key, {});
  char typed = 'Z';
  grid->KeyPress(typed);
  EXPECT_EQ(typed, 0) << "the grid opens no editor for it";
  QCoreApplication::processEvents();
  EXPECT_TRUE(edit->Focused());
  EXPECT_EQ(edit->Text(), "Z");
  EXPECT_FALSE(grid->cellEditorShown());
}

TEST_F(CellControlTest, AltDownOnTheCellGoesToTheControl) {
  WORD key = VK_DOWN;
  grid->KeyDown(key, {ssAlt});
  EXPECT_EQ(key, 0);
  EXPECT_TRUE(edit->Focused());
  ASSERT_FALSE(edit->keysDown.empty());
  EXPECT_EQ(edit->keysDown.back(), VK_DOWN);
  EXPECT_EQ(code(), "ADAMS") << "the grid did not move";
}

TEST_F(CellControlTest, TheControlsValueReachesTheFieldWhenTheGridWritesItsEdits) {
  edit->SetFocus();
  edit->SelectAll();
  edit->SetSelText("DAVIS");
  ASSERT_TRUE(edit->Modified());
  grid->UpdateData();
  EXPECT_EQ(clients->State(), dsEdit);
  EXPECT_EQ(code(), "DAVIS");
  clients->Post();

  TdcTbTable other(nullptr);
  other.SetDatabaseName(clients->DatabaseName());
  other.SetTableName(clients->TableName());
  other.SetIndexName("1");
  other.Open();
  EXPECT_TRUE(other.FindKey({Variant("DAVIS")}));
  EXPECT_FALSE(other.FindKey({Variant("ADAMS")}));
}

TEST_F(CellControlTest, AFieldThatLeavesTheColumnsTakesItsControlAway) {
  clients->FieldByName(kCode)->SetVisible(false);
  paint();
  EXPECT_FALSE(edit->Visible());
}

TEST_F(CellControlTest, AControlOnTheRecordViewFormIsNoCellControl) {
  auto* recordView = new TdcRecordViewForm(form);
  grid->HideCustomControl();
  edit->SetParent(recordView);
  EXPECT_FALSE(grid->HasCellControl(columnOf(kCode)));
  paint();
  EXPECT_EQ(edit->Parent(), recordView);
  EXPECT_FALSE(edit->Visible());
}

TEST_F(CellControlTest, AnEditThatMapsStoredValuesGivesTheCellItsText) {
  edit->shownAs["BRIGHT"] = "Bright & Sons";
  grid->NextRecord();
  EXPECT_EQ(grid->GetCellText(clients->FieldByName(kCode)), "Bright & Sons");
  EXPECT_EQ(grid->GetCellText(clients->FieldByName(kCity)), clients->FieldByName(kCity)->DisplayText());
  grid->SetEditControlOptions({ecoDisableCustomControls});
  EXPECT_EQ(grid->GetCellText(clients->FieldByName(kCode)), "BRIGHT");
  EXPECT_FALSE(grid->HasCellControl(columnOf(kCode)));
}

}  // namespace
}  // namespace publishedgridtest
