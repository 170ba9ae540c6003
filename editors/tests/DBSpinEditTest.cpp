// The spin edit: its value read and written by content, the limits, stepping numbers and date and
// time parts, the keys it refuses and the repeating buttons.
#include "editors/DBSpinEdit.h"
#include "editors/tests/EditorsFixture.h"
#include "framework/base/FloatText.h"
#include "framework/ui/IntervalTimer.h"
#include "framework/ui/MouseCapture.h"
#include "framework/ui/testing/ScriptedMessageBoxes.h"
#include "framework/ui/tests/ButtonTestSupport.h"

namespace editorstest {
namespace {

class DBSpinEditTest : public EditorsTest {
 protected:
  TdcDBSpinEdit* spin(const char* field = nullptr, TdcEditDataType type = dcDefault) {
    auto* edit = place<TdcDBSpinEdit>();
    edit->SetUnboundDataType(type);
    if (field) {
      edit->SetDataSource(&source);
      edit->SetDataField(field);
    }
    return edit;
  }
  // Where a press lands on a spin button, in the buttons' window.
  static QPoint middleOf(const TdcTimerSpeedButton& button) {
    return {button.Left() + button.Width() / 2, button.Top() + button.Height() / 2};
  }
};

TEST_F(DBSpinEditTest, ValueReadsTheTextByTheKindOfContent) {
  struct Row {
    const char* field;
    TdcEditDataType type;
    const char* text;
    double value;
  };
  const double december7 = EncodeDate(2026, 12, 7);
  const std::vector<Row> rows{
      {"Amount", dcDefault, "1,234.50", 1234},
      {"Amount", dcDefault, "abc", -5},
      {"Amount", dcDefault, "", -5},
      {"Amount", dcDefault, "2.25", 2.25},
      {"Count", dcDefault, "12x", 12},
      {"Day", dcDefault, "12/7/2026", december7},
      {"At", dcDefault, "3:05:09 PM", EncodeTime(15, 5, 9, 0)},
      {"When", dcDefault, "12/7/2026 xyz", december7},
      {"When", dcDefault, "12/7/2026 3:05 PM", december7 + EncodeTime(15, 5, 0, 0)},
      {nullptr, dcDefault, "7.5", 7.5},
      {nullptr, dcDefault, "7,5", -5},
      {nullptr, dcEdtDate, "12/7/2026", december7},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(std::string(row.field ? row.field : "unbound") + " \"" + row.text + "\"");
    auto* edit = spin(row.field, row.type);
    edit->SetMinValue(-5);
    edit->SetMaxValue(1e10);
    edit->SetText(row.text);
    EXPECT_DOUBLE_EQ(edit->Value(), row.value);
    delete edit;
  }
}

TEST_F(DBSpinEditTest, ValueIsLimitedAndShownAsTheShortestText) {
  auto* edit = spin();
  edit->SetValue(0.1 + 0.2);
  EXPECT_EQ(edit->Text(), "0.3");
  edit->SetValue(1e12);
  EXPECT_DOUBLE_EQ(edit->Value(), 1e12) << "no limit while both limits are 0";
  edit->SetMinValue(-99999.99);
  edit->SetMaxValue(99999.99);
  edit->SetValue(1e12);
  EXPECT_EQ(edit->Text(), "99999.99");
  edit->SetValue(-1e12);
  EXPECT_EQ(edit->Text(), "-99999.99");
  auto* count = spin("Count");
  count->SetValue(7.9);
  EXPECT_EQ(count->Text(), "7");
}

TEST_F(DBSpinEditTest, AValueTypedBeyondTheLimitsIsClampedOnLeaving) {
  auto* hours = spin();
  hours->SetIncrement(0.1);
  hours->SetMinValue(-99999.99);
  hours->SetMaxValue(99999.99);
  hours->Picture()->SetPictureMask("[-]*#[.[#][#]]");
  hours->Picture()->SetAllowInvalidExit(true);
  ASSERT_TRUE(show());
  hours->SetFocus();
  hours->SelectAll();
  type(hours, "123456");
  EXPECT_EQ(hours->Text(), "123456");
  next->SetFocus();
  EXPECT_TRUE(next->Focused());
  EXPECT_EQ(hours->Text(), "99999.99");
}

TEST_F(DBSpinEditTest, LeavingLimitsWhatWasTypedNotTheStoredValueOnlyPassedThrough) {
  struct Row {
    const char* typed;  // nothing: the focus only passes through
    double stored;
  };
  for (const Row& row : {Row{nullptr, 12.5}, Row{"123", 10}}) {
    SCOPED_TRACE(row.typed ? row.typed : "passed through");
    auto* amount = spin("Amount");
    amount->SetMinValue(0);
    amount->SetMaxValue(10);
    ASSERT_TRUE(show());
    // Another change has the record in edit already.
    data.Edit();
    data.FieldByName("Name")->SetAsString("Brown");
    amount->SetFocus();
    if (row.typed) {
      amount->SelectAll();
      type(amount, row.typed);
    }
    next->SetFocus();
    data.Post();
    EXPECT_DOUBLE_EQ(data.FieldByName("Amount")->AsFloat(), row.stored);
    data.Edit();
    data.FieldByName("Amount")->SetAsFloat(12.5);
    data.Post();
    delete amount;
  }
}

TEST_F(DBSpinEditTest, UpAndDownStepDatePartsWithinTheirRange) {
  struct Row {
    const char* text;
    int caret;  // in the part to step
    int direction;
    const char* after;
    bool beeps;
  };
  const std::vector<Row> rows{
      {"1/31/2026", 3, 1, "1/1/2026", false},
      {"1/1/2026", 3, -1, "1/31/2026", false},
      {"1/31/2024", 0, 1, "2/29/2024", false},
      {"1/31/2023", 0, 1, "2/28/2023", false},
      {"12/31/2023", 0, 1, "1/31/2023", false},
      {"1/15/2026", 6, -1, "1/15/2025", false},
      {"1/15/9999", 6, 1, "1/15/9999", true},
  };
  auto* edit = spin(nullptr, dcEdtDate);
  ASSERT_TRUE(show());
  edit->SetFocus();
  for (const Row& row : rows) {
    SCOPED_TRACE(std::string(row.text) + (row.direction > 0 ? " up" : " down"));
    edit->SetText(row.text);
    edit->SetSelStart(row.caret);
    const int beeps = qn::ui::beepCount();
    if (row.direction > 0) edit->UpClick();
    else edit->DownClick();
    EXPECT_EQ(edit->Text(), row.after);
    EXPECT_EQ(qn::ui::beepCount() - beeps, row.beeps ? 1 : 0);
  }
}

TEST_F(DBSpinEditTest, UpStepsATimePartAndSelectsIt) {
  auto* edit = spin(nullptr, dcEdtTime);
  ASSERT_TRUE(show());
  edit->SetFocus();
  edit->SetText("3:59:09 PM");
  edit->SetSelStart(3);
  edit->UpClick();
  EXPECT_EQ(edit->Text(), "3:00:09 PM");
  EXPECT_EQ(edit->SelText(), "00");
  EXPECT_TRUE(edit->Modified());
}

TEST_F(DBSpinEditTest, NumbersStepByIncrementFromTheButtonsAndTheArrowKeys) {
  auto* edit = spin();
  edit->SetIncrement(0.5);
  ASSERT_TRUE(show());
  edit->SetFocus();
  edit->SetValue(1);
  key(edit, Qt::Key_Up);
  EXPECT_EQ(edit->Text(), "1.5");
  key(edit, Qt::Key_Down);
  key(edit, Qt::Key_Down);
  EXPECT_EQ(edit->Text(), "0.5");
}

TEST_F(DBSpinEditTest, WithTheEditorDisabledTypingBeepsAndTheButtonsStillStep) {
  auto* edit = spin();
  edit->SetEditorEnabled(false);
  ASSERT_TRUE(show());
  edit->SetFocus();
  edit->SetValue(4);
  edit->SetSelStart(1);
  for (Qt::Key k : {Qt::Key_5, Qt::Key_Backspace, Qt::Key_Delete}) {
    SCOPED_TRACE(k);
    const int beeps = qn::ui::beepCount();
    key(edit, k);
    EXPECT_EQ(edit->Text(), "4");
    EXPECT_EQ(qn::ui::beepCount(), beeps + 1);
  }
  edit->UpClick();
  EXPECT_EQ(edit->Text(), "5");
}

TEST_F(DBSpinEditTest, AReadOnlyEditBeepsOnAStep) {
  auto* edit = spin();
  edit->SetReadOnly(true);
  ASSERT_TRUE(show());
  edit->SetValue(4);
  const int beeps = qn::ui::beepCount();
  edit->UpClick();
  EXPECT_EQ(edit->Text(), "4");
  EXPECT_EQ(qn::ui::beepCount(), beeps + 1);
}

TEST_F(DBSpinEditTest, NumbersTakeOnlyDigitsSignsAndTheDecimalSeparator) {
  auto* edit = spin();
  auto* date = spin(nullptr, dcEdtDate);
  for (char c : {'0', '9', '+', '-', '.', '\b'}) EXPECT_TRUE(edit->IsValidChar(c)) << c;
  for (char c : {'a', ',', ' ', '/'}) EXPECT_FALSE(edit->IsValidChar(c)) << c;
  for (char c : {'a', '/', ' '}) EXPECT_TRUE(date->IsValidChar(c)) << c;
}

TEST_F(DBSpinEditTest, HoldingTheUpButtonRepeatsAfter400ThenEvery100Milliseconds) {
  auto* edit = spin();
  edit->SetBounds(10, 10, 120, 24);
  ASSERT_TRUE(show());
  edit->SetValue(0);
  TdcTimerSpeedButton* up = edit->Button()->UpButton();
  const QPoint at = middleOf(*up);
  QWidget* window = edit->Button()->Window();
  qn::ui::testing::pressAt(window, at);
  wait(399);
  EXPECT_EQ(edit->Text(), "0");
  wait(1);
  EXPECT_EQ(edit->Text(), "1") << "the first repeat after 400 ms";
  for (int i = 0; i < 3; ++i) wait(100);
  EXPECT_EQ(edit->Text(), "4") << "700 ms held: then every 100 ms";
  qn::ui::testing::releaseAt(window, at);
  EXPECT_EQ(edit->Text(), "5") << "the release over the button clicks once more";
  wait(1000);
  EXPECT_EQ(edit->Text(), "5") << "nothing repeats after the release";
}

TEST_F(DBSpinEditTest, AButtonThatLostTheCaptureStopsItsRepeat) {
  auto* edit = spin();
  edit->SetBounds(10, 10, 120, 24);
  ASSERT_TRUE(show());
  edit->SetValue(0);
  TdcTimerSpeedButton* up = edit->Button()->UpButton();
  const QPoint at = middleOf(*up);
  qn::ui::testing::pressAt(edit->Button()->Window(), at);
  // A box taking the mouse away: the release never reaches the button.
  ReleaseCapture();
  wait(400);
  wait(100);
  EXPECT_EQ(edit->Text(), "0");
  EXPECT_FALSE(up->RepeatTimer()->Enabled()) << "nothing left to repeat for";
}

TEST_F(DBSpinEditTest, WhatAStepRaisesStopsTheRepeat) {
  auto* edit = spin();
  edit->SetBounds(10, 10, 120, 24);
  ASSERT_TRUE(show());
  int steps = 0;
  edit->Button()->OnUpClick = [&](TObject*) {
    ++steps;
    throw Exception("step failed");
  };
  TdcTimerSpeedButton* up = edit->Button()->UpButton();
  const QPoint at = middleOf(*up);
  QWidget* window = edit->Button()->Window();
  qn::ui::testing::ScriptedMessageBoxes boxes;
  boxes.expect(mtError, "step failed");
  qn::ui::testing::pressAt(window, at);
  wait(400);
  EXPECT_EQ(steps, 1);
  for (int i = 0; i < 5; ++i) wait(100);
  EXPECT_EQ(steps, 1) << "no repeat after the exception";
  EXPECT_FALSE(up->RepeatTimer()->Enabled());
}

}  // namespace
}  // namespace editorstest
