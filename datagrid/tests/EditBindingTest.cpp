#include <gtest/gtest.h>

#include "datagrid/DateTimeParts.h"
#include "datagrid/PictureKeyPress.h"
#include "framework/ui/Edit.h"
#include "framework/ui/testing/QtTestApplication.h"

namespace {

// The edit helpers work on the framework's own edit, not only on the tests' stand-in.
TEST(EditBindingTest, APictureMaskTypesIntoAFrameworkEdit) {
  qn::ui::testing::qtApplication();
  TEdit edit(nullptr);
  edit.SetText("12");
  edit.SetSelStart(2);
  char key = '3';
  EXPECT_TRUE(ApplyPictureOnKeyPress(edit, "#[#][#][#][#]", false, key));
  EXPECT_EQ(key, 0);
  EXPECT_EQ(edit.Text(), "123");
  EXPECT_EQ(edit.SelStart(), 3);
  EXPECT_EQ(edit.SelLength(), 0);

  const int beeps = qn::ui::beepCount();
  key = 'a';
  EXPECT_TRUE(ApplyPictureOnKeyPress(edit, "#[#][#][#][#]", false, key));
  EXPECT_EQ(key, 0);
  EXPECT_EQ(edit.Text(), "123");
  EXPECT_EQ(qn::ui::beepCount(), beeps + 1);
}

TEST(EditBindingTest, ADateTimePartIsSelectedInAFrameworkEdit) {
  qn::ui::testing::qtApplication();
  TEdit edit(nullptr);
  edit.SetText("12/31/1999 10:15:30 PM");
  SelectDateTimePart(2, edit, false);
  EXPECT_EQ(edit.SelText(), "1999");
  SelectDateTimePart(6, edit, false);
  EXPECT_EQ(edit.SelText(), "PM");
}

}  // namespace
