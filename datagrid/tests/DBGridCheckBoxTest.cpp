// Check-box cells toggled by Space, by a click or by a double click, and refused where the field
// or the column may not change.
#include "datagrid/tests/PublishedGridFixture.h"
#include "framework/db/DataSource.h"
#include "framework/db/Field.h"
#include "framework/ui/VirtualKeys.h"

namespace publishedgridtest {
namespace {

class CheckBoxTest : public PublishedGridTest {
 protected:
  void SetUp() override {
    PublishedGridTest::SetUp();
    openMatters(3);
    matters->ControlType.SetText("Billable;CheckBox;Y;N\r\n");
    bind(matters);
    focusGridAt("Billable");
  }
  AnsiString billable() { return matters->FieldByName("Billable")->AsString(); }
  void space() {
    WORD key = VK_SPACE;
    grid->KeyDown(key, {});
  }
  QPoint cellCentre() {
    const TRect cell = currentCell();
    return {(cell.Left + cell.Right) / 2, (cell.Top + cell.Bottom) / 2};
  }
};

TEST_F(CheckBoxTest, SpaceTogglesBetweenTheCheckedAndUncheckedValues) {
  ASSERT_EQ(billable(), "Y");
  space();
  EXPECT_EQ(matters->State(), dsEdit);
  EXPECT_EQ(billable(), "N");
  space();
  EXPECT_EQ(billable(), "Y");
  EXPECT_FALSE(grid->cellEditorShown());
}

// A box is painted checked for "y" as for "Y": a click on it must clear it.
TEST_F(CheckBoxTest, AValueCheckedOnlyInAnotherLetterCaseTogglesToUnchecked) {
  matters->Edit();
  matters->FieldByName("Billable")->SetAsString("y");
  space();
  EXPECT_EQ(billable(), "N");
}

TEST_F(CheckBoxTest, ASingleClickTogglesOnlyWithTheSingleClickOption) {
  QTest::mouseClick(grid->Window(), Qt::LeftButton, {}, cellCentre());
  EXPECT_EQ(billable(), "Y");
  grid->SetEditControlOptions(grid->EditControlOptions().Include(ecoCheckboxSingleClick));
  QTest::mouseClick(grid->Window(), Qt::LeftButton, {}, cellCentre());
  EXPECT_EQ(billable(), "N");
}

TEST_F(CheckBoxTest, ADoubleClickTogglesWithoutTheSingleClickOption) {
  QTest::mouseDClick(grid->Window(), Qt::LeftButton, {}, cellCentre());
  EXPECT_EQ(billable(), "N");
}

TEST_F(CheckBoxTest, AReadOnlyFieldIsNotToggled) {
  matters->FieldByName("Billable")->SetReadOnly(true);
  space();
  EXPECT_EQ(billable(), "Y");
  EXPECT_EQ(matters->State(), dsBrowse);
}

TEST_F(CheckBoxTest, AColumnReadOnlyByItsSelectedLineIsNotToggled) {
  grid->Selected().SetText("CaseID\t8\tCase\r\nBillable\t1\tBill\tT\r\n");
  grid->SetUseTFields(false);
  grid->SetSelectedIndex(1);
  space();
  EXPECT_EQ(billable(), "Y");
}

TEST_F(CheckBoxTest, WithoutAutoEditOnlyARecordAlreadyBeingEditedIsToggled) {
  source->SetAutoEdit(false);
  space();
  EXPECT_EQ(billable(), "Y");
  matters->Edit();
  space();
  EXPECT_EQ(billable(), "N");
}

}  // namespace
}  // namespace publishedgridtest
