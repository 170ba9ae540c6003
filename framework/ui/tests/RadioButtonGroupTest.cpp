#include <gtest/gtest.h>

#include <QRadioButton>
#include <QTest>

#include "framework/base/Exception.h"
#include "framework/ui/RadioButton.h"
#include "framework/ui/RadioButtonGroup.h"
#include "framework/ui/testing/QtTestApplication.h"
#include "framework/ui/tests/TestControls.h"

namespace qn::ui::testing {
namespace {

class RadioButtonGroupTest : public ::testing::Test {
 protected:
  void SetUp() override {
    qtApplication();
    form = new TTestForm;
    group = new RadioButtonGroup(form);
    group->SetBounds(10, 10, 200, 120);
    group->SetParent(form);
    group->OnClick = [this](TObject*) { clicks.push_back(group->ItemIndex()); };
    for (const char* item : {"One", "Two", "Three", "Four", "Five"}) group->Items()->Add(item);
  }
  void TearDown() override { delete form; }

  TTestForm* form;
  RadioButtonGroup* group;
  std::vector<int> clicks;
};

TEST_F(RadioButtonGroupTest, TwoColumnsAreFilledColumnByColumn) {
  group->SetColumns(2);
  ASSERT_EQ(group->ButtonCount(), 5);
  const auto left = [this](int i) { return group->Buttons(i)->Left(); };
  const auto top = [this](int i) { return group->Buttons(i)->Top(); };
  EXPECT_EQ(left(0), left(1));
  EXPECT_EQ(left(1), left(2));
  EXPECT_GT(left(3), left(2) + 50);
  EXPECT_EQ(left(3), left(4));
  EXPECT_LT(top(0), top(1));
  EXPECT_LT(top(1), top(2));
  EXPECT_EQ(top(3), top(0));
  EXPECT_EQ(top(4), top(1));
  EXPECT_GE(top(0), group->ClientRect().Top) << "below the caption";
  EXPECT_LE(top(2) + group->Buttons(2)->Height(), group->Height());
  EXPECT_EQ(group->Buttons(3)->Caption(), "Four");
}

TEST_F(RadioButtonGroupTest, AnIndexOutsideTheItemsRaisesAndIsNotTaken) {
  group->SetItemIndex(2);
  for (int bad : {5, 9, -2}) {
    try {
      group->SetItemIndex(bad);
      ADD_FAILURE() << bad << " was taken";
    } catch (const EListError& e) {
      EXPECT_EQ(std::string(e.what()), "List index out of bounds (" + std::to_string(bad) + ")");
    }
    EXPECT_EQ(group->ItemIndex(), 2);
  }
  group->SetItemIndex(-1);
  for (int i = 0; i < group->ButtonCount(); ++i) EXPECT_FALSE(group->Buttons(i)->Checked());
  EXPECT_EQ(clicks, (std::vector<int>{2, -1}));
}

TEST_F(RadioButtonGroupTest, ClickingAButtonChecksItAloneAndRunsOnClickOnce) {
  form->Show();
  group->SetItemIndex(0);
  QTest::mouseClick(group->Buttons(3)->Window(), Qt::LeftButton, {}, QPoint(5, 5));
  EXPECT_EQ(group->ItemIndex(), 3);
  EXPECT_EQ(clicks, (std::vector<int>{0, 3}));
  for (int i = 0; i < group->ButtonCount(); ++i) {
    EXPECT_EQ(group->Buttons(i)->Checked(), i == 3);
    EXPECT_EQ(static_cast<QRadioButton*>(group->Buttons(i)->Window())->isChecked(), i == 3);
  }
  QTest::mouseClick(group->Buttons(3)->Window(), Qt::LeftButton, {}, QPoint(5, 5));
  EXPECT_EQ(clicks, (std::vector<int>{0, 3})) << "checking the checked one again changes nothing";
}

TEST_F(RadioButtonGroupTest, ArrowKeysMoveTheCheckRoundTheSetAndTabStopsAtTheCheckedButton) {
  form->Show();
  form->Window()->activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(form->Window()));
  group->SetItemIndex(0);
  group->Buttons(0)->SetFocus();
  QTest::keyClick(group->Buttons(0)->Window(), Qt::Key_Down);
  EXPECT_EQ(group->ItemIndex(), 1);
  EXPECT_TRUE(group->Buttons(1)->Focused());
  QTest::keyClick(group->Buttons(1)->Window(), Qt::Key_Up);
  QTest::keyClick(group->Buttons(0)->Window(), Qt::Key_Left);
  EXPECT_EQ(group->ItemIndex(), 4) << "from the first round to the last";
  EXPECT_TRUE(group->Buttons(4)->Focused());
  EXPECT_EQ(clicks, (std::vector<int>{0, 1, 0, 4}));
  for (int i = 0; i < group->ButtonCount(); ++i) EXPECT_EQ(group->Buttons(i)->TabStop(), i == 4);
}

TEST_F(RadioButtonGroupTest, NewItemsKeepTheIndexWhileItsLineExists) {
  group->SetItemIndex(1);
  group->Items()->Add("Six");
  EXPECT_EQ(group->ButtonCount(), 6);
  EXPECT_EQ(group->ItemIndex(), 1);
  EXPECT_TRUE(group->Buttons(1)->Checked());
  group->SetItemIndex(5);
  group->Items()->Delete(5);
  EXPECT_EQ(group->ItemIndex(), -1);
  EXPECT_EQ(group->ButtonCount(), 5);
}

TEST_F(RadioButtonGroupTest, ItemsIndexAndColumnsArePublishedByName) {
  ASSERT_TRUE(WriteIntegerProperty(group, "Columns", 3));
  ASSERT_TRUE(WriteIntegerProperty(group, "ItemIndex", 4));
  EXPECT_EQ(group->Columns(), 3);
  EXPECT_TRUE(group->Buttons(4)->Checked());
  EXPECT_NE(group->Buttons(2)->Left(), group->Buttons(0)->Left());
}

TEST(RadioButtonTest, CheckingOneUnchecksItsSiblingsOnly) {
  qtApplication();
  TTestForm form;
  auto* a = new RadioButton(&form);
  auto* b = new RadioButton(&form);
  auto* panel = new TTestPanel(&form, &form);
  auto* elsewhere = new RadioButton(&form);
  for (RadioButton* r : {a, b}) r->SetParent(&form);
  elsewhere->SetParent(panel);
  int clicks = 0;
  b->OnClick = [&clicks](TObject*) { ++clicks; };
  elsewhere->SetChecked(true);
  a->SetChecked(true);
  form.Show();
  b->SetFocus();
  QTest::keyClick(b->Window(), Qt::Key_Space);
  EXPECT_TRUE(b->Checked());
  EXPECT_FALSE(a->Checked());
  EXPECT_TRUE(elsewhere->Checked()) << "another parent is another set";
  EXPECT_EQ(clicks, 1);
  b->SetChecked(true);
  EXPECT_EQ(clicks, 1);
}

}  // namespace
}  // namespace qn::ui::testing
