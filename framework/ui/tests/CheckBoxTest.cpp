#include <gtest/gtest.h>

#include <QCheckBox>
#include <QTest>

#include "framework/ui/CheckBox.h"
#include "framework/ui/testing/QtTestApplication.h"
#include "framework/ui/tests/TestControls.h"

namespace qn::ui::testing {
namespace {

class CheckBoxTest : public ::testing::Test {
 protected:
  void SetUp() override {
    qtApplication();
    form = new TTestForm;
    box = new CheckBox(form);
    box->SetParent(form);
    box->SetCaption("Closed");
    box->OnClick = [this](TObject*) { ++clicks; };
    form->Show();
    form->Window()->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(form->Window()));
    box->SetFocus();
  }
  void TearDown() override { delete form; }
  Qt::CheckState shown() { return static_cast<QCheckBox*>(box->Window())->checkState(); }

  TTestForm* form;
  CheckBox* box;
  int clicks = 0;
};

TEST_F(CheckBoxTest, ClicksAndSpaceStepThroughTheStatesOnceEach) {
  struct Row {
    bool allowGrayed;
    std::vector<TCheckBoxState> states;
  };
  for (const Row& row : {Row{false, {cbChecked, cbUnchecked, cbChecked}}, Row{true, {cbChecked, cbGrayed, cbUnchecked}}}) {
    box->SetState(cbUnchecked);
    box->SetAllowGrayed(row.allowGrayed);
    clicks = 0;
    QTest::mouseClick(box->Window(), Qt::LeftButton, {}, QPoint(6, 8));
    EXPECT_EQ(box->State(), row.states[0]);
    QTest::keyClick(box->Window(), Qt::Key_Space);
    EXPECT_EQ(box->State(), row.states[1]);
    QTest::mouseClick(box->Window(), Qt::LeftButton, {}, QPoint(6, 8));
    EXPECT_EQ(box->State(), row.states[2]);
    EXPECT_EQ(clicks, 3);
  }
}

TEST_F(CheckBoxTest, TheWidgetShowsTheStateSetByCodeAndByName) {
  box->SetChecked(true);
  EXPECT_EQ(shown(), Qt::Checked);
  EXPECT_EQ(clicks, 1);
  box->SetChecked(true);
  EXPECT_EQ(clicks, 1) << "no change, no click";
  ASSERT_TRUE(WriteEnumerationProperty(box, "State", cbGrayed));
  EXPECT_EQ(shown(), Qt::PartiallyChecked);
  EXPECT_FALSE(box->Checked());
}

}  // namespace
}  // namespace qn::ui::testing
