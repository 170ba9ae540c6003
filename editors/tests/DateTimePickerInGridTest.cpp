// The date-time picker as the grid's own editor of date-time cells: made by class name, it
// edits the cell's value and posts it, and hands an unmodified Escape to the grid.
#include "datagrid/tests/PublishedGridFixture.h"
#include "editors/DBDateTimePicker.h"
#include "framework/db/DateTimeFields.h"

namespace publishedgridtest {
namespace {

class DateTimePickerInGridTest : public PublishedGridTest {
 protected:
  void SetUp() override {
    PublishedGridTest::SetUp();
    hearings = new datagridtest::ExtendedTestDataSet(form);
    hearings->FieldDefs().Add("CaseID", ftString, 8);
    hearings->FieldDefs().Add("Heard", ftDateTime);
    hearings->Open();
    hearings->AppendRecord({"M1", Variant(TDateTime(EncodeDate(2030, 4, 2)))});
    hearings->First();
    static_cast<TDateTimeField*>(hearings->FieldByName("Heard"))->SetDisplayFormat("mm/dd/yyyy");
    grid->OnCreateDateTimePicker = [this](TObject*, TWinControl*) { ++created; };
    bind(hearings);
    focusGridAt("Heard");
    paint();
  }
  TdcDBDateTimePicker* picker() { return dynamic_cast<TdcDBDateTimePicker*>(grid->DateTimePicker()); }
  void key(Qt::Key k, Qt::KeyboardModifiers m = Qt::NoModifier) { QTest::keyClick(picker()->Window(), k, m); }

  datagridtest::ExtendedTestDataSet* hearings = nullptr;
  int created = 0;
};

TEST_F(DateTimePickerInGridTest, TheGridsPickerIsMadeByClassNameOnce) {
  ASSERT_NE(picker(), nullptr);
  EXPECT_EQ(created, 1);
  EXPECT_EQ(picker()->DataField(), "Heard");
  EXPECT_EQ(picker()->BorderStyle(), bsNone);
  EXPECT_EQ(picker()->Text(), "04/02/2030");
}

TEST_F(DateTimePickerInGridTest, ATypedDatePostsAndAnUnmodifiedEscapeGoesToTheGrid) {
  ASSERT_NE(picker(), nullptr);
  picker()->SetFocus();
  ASSERT_TRUE(picker()->Focused());
  key(Qt::Key_Escape);
  EXPECT_TRUE(grid->Focused());
  picker()->SetFocus();
  QTest::keyClicks(picker()->Window(), "12");
  EXPECT_EQ(picker()->Text(), "12/02/2030");
  grid->SetFocus();
  hearings->Post();
  EXPECT_EQ(hearings->FieldByName("Heard")->AsDateTime(), EncodeDate(2030, 12, 2));
}

}  // namespace
}  // namespace publishedgridtest
