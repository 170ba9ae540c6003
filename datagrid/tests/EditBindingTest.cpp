// The picture and date-part helpers drive the framework's own edit, shown and typed into.
#include <gtest/gtest.h>

#include <QLineEdit>
#include <QTest>

#include "datagrid/DateTimeParts.h"
#include "datagrid/PictureKeyPress.h"
#include "framework/base/tests/ScopedSettings.h"
#include "framework/ui/Beep.h"
#include "framework/ui/Edit.h"
#include "framework/ui/testing/QtTestApplication.h"
#include "framework/ui/tests/TestControls.h"

namespace {

using qn::ui::testing::TTestForm;

class EditBindingTest : public ::testing::Test {
 protected:
  void SetUp() override {
    qn::ui::testing::qtApplication();
    form = new TTestForm;
    edit = new TEdit(form);
    edit->SetParent(form);
    form->Show();
    form->Window()->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(form->Window()));
    edit->SetFocus();
  }
  void TearDown() override { delete form; }

  QLineEdit* lineEdit() { return static_cast<QLineEdit*>(edit->Window()); }

  ScopedLocale locale_;
  TTestForm* form;
  TEdit* edit;
};

TEST_F(EditBindingTest, TypedKeysGoThroughThePicture) {
  edit->OnKeyPress = [this](TObject*, char& Key) { ApplyPictureOnKeyPress(*edit, "(###) ###-####", true, Key); };
  QTest::keyClicks(lineEdit(), "(5551234");
  EXPECT_EQ(edit->Text(), "(555) 123-4");
  EXPECT_EQ(edit->SelStart(), 11);
  EXPECT_EQ(lineEdit()->text(), "(555) 123-4");
  EXPECT_EQ(lineEdit()->cursorPosition(), 11);

  const int beeps = qn::ui::beepCount();
  QTest::keyClicks(lineEdit(), "x");
  EXPECT_EQ(edit->Text(), "(555) 123-4");
  EXPECT_EQ(qn::ui::beepCount() - beeps, 1);
}

TEST_F(EditBindingTest, ADateTimePartIsSelectedInTheWindow) {
  edit->SetText("12/31/1999 10:15:30 PM");
  struct Row {
    int part;
    const char* shown;
  };
  for (Row row : {Row{dtpYear, "1999"}, Row{dtpMinute, "15"}, Row{dtpAmPm, "PM"}}) {
    SCOPED_TRACE(row.shown);
    SelectDateTimePart(row.part, *edit, false);
    EXPECT_EQ(lineEdit()->selectedText(), row.shown);
    EXPECT_EQ(edit->SelText(), row.shown);
  }
}

}  // namespace
