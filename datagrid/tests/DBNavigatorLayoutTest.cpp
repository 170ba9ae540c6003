// How a navigator places its buttons, sizes them or itself, names them and takes their hints.
#include <gtest/gtest.h>

#include <QTest>
#include <utility>
#include <vector>

#include "datagrid/DBNavigator.h"
#include "datagrid/Intl.h"
#include "framework/base/ComponentError.h"
#include "framework/base/Exception.h"
#include "framework/ui/testing/QtTestApplication.h"
#include "framework/ui/testing/ScriptedMessageBoxes.h"
#include "framework/ui/tests/TestControls.h"

using qn::ui::testing::ScriptedMessageBoxes;

namespace {

using Places = std::vector<std::pair<int, int>>;

class DBNavigatorLayoutTest : public ::testing::Test {
 protected:
  void SetUp() override {
    qn::ui::testing::qtApplication();
    form = new qn::ui::testing::TTestForm;
    form->SetBounds(100, 100, 640, 300);
    navigator = new TdcDBNavigator(form);
    navigator->SetName("dcDBNavigator1");
    navigator->SetParent(form);
  }
  void TearDown() override { delete form; }

  // A navigator of a fixed size with count buttons, laid out by the test.
  void fixed(int width, int height, int count) {
    navigator->SetAutosizeStyle(asNone);
    navigator->SetBounds(0, 0, width, height);
    navigator->Buttons()->BeginUpdate();
    for (int i = 0; i < count; ++i) navigator->Buttons()->AddButton(nbsCustom);
    navigator->Buttons()->EndUpdate();
  }
  TdcNavButton* at(int i) const { return navigator->Buttons()->GetButton(i); }
  Places places() const {
    Places all;
    for (int i = 0; i < navigator->Buttons()->Count(); ++i) all.emplace_back(at(i)->Left(), at(i)->Top());
    return all;
  }
  Places sizes() const {
    Places all;
    for (int i = 0; i < navigator->Buttons()->Count(); ++i) all.emplace_back(at(i)->Width(), at(i)->Height());
    return all;
  }

  qn::ui::testing::TTestForm* form = nullptr;
  TdcDBNavigator* navigator = nullptr;
};

struct ArrangeCase {
  const char* name;
  int width, height;
  std::function<void(TdcDBNavigator& navigator)> arrange;
  Places expected;
};

TEST_F(DBNavigatorLayoutTest, ButtonsRunInRowsThatWrapAtTheEdgeOrALineBreak) {
  const std::vector<ArrangeCase> cases{
      {"one row", 100, 60, [](TdcDBNavigator&) {}, {{0, 0}, {25, 0}, {50, 0}}},
      {"wrapping past the width", 60, 60, [](TdcDBNavigator&) {}, {{0, 0}, {25, 0}, {0, 25}}},
      {"exactly filling the width", 75, 60, [](TdcDBNavigator&) {}, {{0, 0}, {25, 0}, {50, 0}}},
      {"a line break", 100, 60, [](TdcDBNavigator& navigator) { navigator.Buttons()->GetButton(1)->SetLineBreak(true); }, {{0, 0}, {0, 25}, {25, 25}}},
      {"a wide button",
       100,
       60,
       [](TdcDBNavigator& navigator) { navigator.Buttons()->GetButton(1)->SetWidth(60); },
       {{0, 0}, {25, 0}, {0, 25}}},
      {"a tall button sets the next row",
       60,
       90,
       [](TdcDBNavigator& navigator) { navigator.Buttons()->GetButton(1)->SetHeight(40); },
       {{0, 0}, {25, 0}, {0, 40}}},
      {"a hidden button takes no place", 100, 60, [](TdcDBNavigator& navigator) { navigator.Buttons()->GetButton(1)->SetVisible(false); }, {{0, 0}, {25, 0}, {25, 0}}},
      {"vertical", 60, 60, [](TdcDBNavigator& navigator) { navigator.SetLayout(nlVertical); }, {{0, 0}, {0, 25}, {25, 0}}},
      {"vertical with a line break",
       100,
       100,
       [](TdcDBNavigator& navigator) {
         navigator.SetLayout(nlVertical);
         navigator.Buttons()->GetButton(2)->SetLineBreak(true);
       },
       {{0, 0}, {0, 25}, {25, 0}}},
      {"inside a bevel", 100, 60, [](TdcDBNavigator& navigator) { navigator.SetBevelOuter(bvRaised); }, {{1, 1}, {26, 1}, {51, 1}}},
      {"inside two bevels",
       60,
       80,
       [](TdcDBNavigator& navigator) {
         navigator.SetBevelOuter(bvRaised);
         navigator.SetBevelInner(bvLowered);
       },
       {{2, 2}, {27, 2}, {2, 27}}},
  };
  for (const ArrangeCase& c : cases) {
    SCOPED_TRACE(c.name);
    delete navigator;
    navigator = new TdcDBNavigator(form);
    navigator->SetParent(form);
    fixed(c.width, c.height, 3);
    c.arrange(*navigator);
    navigator->Buttons()->ArrangeButtons();
    Places expected = c.expected;
    Places actual = places();
    if (!at(1)->Visible()) actual[1] = expected[1];  // where a hidden button lies does not matter
    EXPECT_EQ(actual, expected);
  }
}

TEST_F(DBNavigatorLayoutTest, SizedButtonsShareTheExtentWithTheRemaindersFirst) {
  fixed(103, 51, 5);
  at(3)->SetLineBreak(true);
  navigator->SetAutosizeStyle(asSizeNavButtons);
  EXPECT_EQ(sizes(), (Places{{35, 26}, {34, 26}, {34, 26}, {52, 25}, {51, 25}}));
  EXPECT_EQ(places(), (Places{{0, 0}, {35, 0}, {69, 0}, {0, 26}, {52, 26}}));

  navigator->SetBevelOuter(bvRaised);
  navigator->SetLayout(nlVertical);
  // Inside: 101 x 49, two columns of 51 and 50; three buttons share 49 down, two share it too.
  EXPECT_EQ(sizes(), (Places{{51, 17}, {51, 16}, {51, 16}, {50, 25}, {50, 24}}));
  EXPECT_EQ(places(), (Places{{1, 1}, {1, 18}, {1, 34}, {52, 1}, {52, 26}}));
}

TEST_F(DBNavigatorLayoutTest, ASizedNavigatorTakesItsButtonsAndBorder) {
  fixed(300, 100, 3);
  at(2)->SetLineBreak(true);
  at(2)->SetHeight(30);
  navigator->SetBevelOuter(bvRaised);
  navigator->SetAutosizeStyle(asSizeNavigator);
  // Buttons from 1: the right edge at 51, the bottom at 26 + 30; the border on the far sides too.
  EXPECT_EQ(navigator->Width(), 52);
  EXPECT_EQ(navigator->Height(), 57);
  EXPECT_EQ(navigator->Buttons()->RightButton(), at(1));
  EXPECT_EQ(navigator->Buttons()->BottomButton(), at(2));
}

TEST_F(DBNavigatorLayoutTest, ANavigatorMadeInCodeGetsTheDefaultButtonsAtItsFirstPaint) {
  EXPECT_EQ(navigator->Buttons()->Count(), 0);
  form->Show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(form->Window()));
  navigator->Window()->grab();
  ASSERT_EQ(navigator->Buttons()->Count(), 14);
  EXPECT_EQ(navigator->Width(), 14 * 25);
  EXPECT_EQ(navigator->Height(), 25);
  EXPECT_EQ(navigator->Buttons()->GetButton(13)->Left(), 13 * 25);
  EXPECT_EQ(navigator->GetVisibleButtons().Mask(), (std::uint64_t{1} << 14) - 1);
  navigator->Window()->grab();
  EXPECT_EQ(navigator->Buttons()->Count(), 14) << "made once";
}

TEST_F(DBNavigatorLayoutTest, VisibleButtonsShowsAndHidesStylesInTheirPlace) {
  form->Show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(form->Window()));
  navigator->Window()->grab();
  ASSERT_EQ(navigator->Width(), 14 * 25);
  navigator->SetVisibleButtons({nbsFirst, nbsLast, nbsPost});
  EXPECT_EQ(navigator->Buttons()->VisibleCount(), 3);
  EXPECT_EQ(navigator->Buttons()->VisibleButtons(1)->Style(), nbsLast);
  EXPECT_EQ(navigator->Width(), 75);
  EXPECT_EQ(navigator->GetVisibleButtons().Mask(), (std::uint64_t{1} << 14) - 1) << "hidden buttons still count";
  navigator->Buttons()->Clear();
  navigator->SetVisibleButtons({nbsNext});
  EXPECT_EQ(navigator->Buttons()->Count(), 14) << "the defaults come first";
  EXPECT_EQ(navigator->Buttons()->VisibleCount(), 1);
  EXPECT_THROW(navigator->Buttons()->VisibleButtons(1), EInvalidOperation);
}

TEST_F(DBNavigatorLayoutTest, HintsComeFromTheLibraryTextsByStyleName) {
  navigator->Buttons()->AddDefaultButtons();
  navigator->Buttons()->AddDialogButtons();
  TdcNavButtons& buttons = *navigator->Buttons();
  EXPECT_EQ(buttons[0]->Hint(), "Move to first record");
  EXPECT_EQ(buttons[1]->Hint(), "Move backward 10 records");
  EXPECT_EQ(buttons[4]->Hint(), "Move forward 10 records");
  EXPECT_EQ(buttons[15]->Hint(), "View current record");
  navigator->SetMoveBy(25);
  EXPECT_EQ(buttons[1]->Hint(), "Move backward 25 records");
  buttons[2]->SetHint("Back one");
  buttons[2]->SetStyle(nbsNext);
  EXPECT_EQ(buttons[2]->Hint(), "Back one") << "a hint of the button's own stays";
  buttons[3]->SetStyle(nbsLast);
  EXPECT_EQ(buttons[3]->Hint(), "Move to last record");
  buttons[3]->SetStyle(nbsCustom);
  EXPECT_EQ(buttons[3]->Hint(), "");

  const AnsiString saved = dcIntlDefaults->Navigator()->Hints()->NextPageHint;
  dcIntlDefaults->Navigator()->Hints()->NextPageHint = "Skip %d";
  buttons[4]->UpdateHint();
  dcIntlDefaults->Navigator()->Hints()->NextPageHint = saved;
  EXPECT_EQ(buttons[4]->Hint(), "Skip 25");
}

TEST_F(DBNavigatorLayoutTest, TheMisusesItRefusesNameThemselves) {
  navigator->Buttons()->AddButton(nbsFirst);
  const std::vector<std::pair<std::function<void()>, const char*>> cases{
      {[&] { navigator->Buttons()->GetButton(1); }, "Index of Buttons[] out of range"},
      {[&] { navigator->Buttons()->GetButton(-1); }, "Index of Buttons[] out of range"},
      {[&] { navigator->Buttons()->VisibleButtons(1); }, "Index of VisibleButtons[] out of range"},
      {[&] { navigator->GetDataSet(true); }, "Error, DataSource not assigned"},
      {[&] { (new qn::ui::testing::TTestGraphic(form, nullptr))->SetParent(navigator); },
       "TdcDBNavigator only accepts controls derived from TdcNavButton"},
  };
  for (const auto& [action, message] : cases) {
    SCOPED_TRACE(message);
    try {
      action();
      ADD_FAILURE() << "not refused";
    } catch (const EInvalidOperation& e) {
      EXPECT_EQ(e.Message(), message);
    }
  }
  EXPECT_EQ(navigator->GetDataSet(false), nullptr);

  TdcNavButton loose(nullptr);
  {
    ScriptedMessageBoxes boxes;
    boxes.expect(mtError, "Parent propety of TdcNavButton not defined");
    EXPECT_THROW(loose.GetIndex(), EAbort) << "a button without navigator cannot answer";
  }
  {
    ScriptedMessageBoxes boxes;
    boxes.expect(mtError, "Parent of TdcNavButton must be TdcDBNavigator");
    EXPECT_THROW(loose.SetParent(form), EAbort);
  }
  EXPECT_EQ(loose.Parent(), nullptr);
}

TEST_F(DBNavigatorLayoutTest, GeneratedNamesFollowTheNavigatorAndStyle) {
  TdcNavButton* first = navigator->Buttons()->AddButton(nbsFirst);
  TdcNavButton* second = navigator->Buttons()->AddButton(nbsFirst);
  TdcNavButton* third = navigator->Buttons()->AddButton(nbsFirst);
  TdcNavButton* custom = navigator->Buttons()->AddButton(nbsCustom);
  for (TdcNavButton* b : {first, second, third, custom}) b->GenerateName();
  EXPECT_EQ(first->Name(), "dcDBNavigator1First");
  EXPECT_EQ(second->Name(), "dcDBNavigator1First1");
  EXPECT_EQ(third->Name(), "dcDBNavigator1First2");
  EXPECT_EQ(custom->Name(), "dcDBNavigator1Button");
  first->SetStyle(nbsLast);
  first->GenerateName();
  EXPECT_EQ(first->Name(), "dcDBNavigator1First") << "a button with a name keeps it";
  EXPECT_EQ(first->Index(), 0);
  third->SetIndex(0);
  EXPECT_EQ(third->Index(), 0);
  EXPECT_EQ(third->Left(), 0);
  EXPECT_EQ(first->Index(), 1);
}

}  // namespace
