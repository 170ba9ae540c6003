#include <gtest/gtest.h>

#include <QApplication>
#include <QTest>

#include "datagrid/InputHelpers.h"
#include "datagrid/StringHelpers.h"
#include "framework/base/StringList.h"
#include "framework/ui/Form.h"
#include "framework/ui/KeyboardState.h"
#include "framework/ui/Messages.h"
#include "framework/ui/MouseCapture.h"
#include "framework/ui/Screen.h"
#include "framework/ui/ScreenFacts.h"
#include "framework/ui/VirtualKeys.h"
#include "framework/ui/testing/QtTestApplication.h"
#include "framework/ui/tests/FormTestSupport.h"
#include "framework/ui/tests/TestControls.h"

namespace {

using qn::ui::testing::TTestEdit;
using qn::ui::testing::TTestPanel;

// Counts the left-button releases it is sent or posted.
class ReleaseCountingPanel : public TTestPanel {
  QN_CLASS(ReleaseCountingPanel, TTestPanel)
 public:
  using TTestPanel::TTestPanel;
  int releases = 0;

 protected:
  void WndProc(TMessage& Message) override {
    if (Message.Msg == WM_LBUTTONUP) ++releases;
    TTestPanel::WndProc(Message);
  }
};

class ReleaseCountingForm : public TForm {
  QN_CLASS(ReleaseCountingForm, TForm)
 public:
  using TForm::TForm;
  int releases = 0;

 protected:
  void WndProc(TMessage& Message) override {
    if (Message.Msg == WM_LBUTTONUP) ++releases;
    TForm::WndProc(Message);
  }
};

TEST(InputHelpers, TextEditKeys) {
  struct Case {
    WORD key;
    bool edits;
  };
  const Case cases[] = {{VK_BACK, true},  {VK_SPACE, true}, {VK_DELETE, true}, {0x30, true},     {'A', true},
                        {0x6F, true},     {0x70, false},    {145, false},      {146, true},      {0xBA, true},
                        {VK_TAB, false},  {VK_RETURN, false}, {VK_ESCAPE, false}, {VK_LEFT, false}, {VK_INSERT, false},
                        {0x2F, false},    {VK_SHIFT, false}};
  for (const Case& c : cases) EXPECT_EQ(IsTextEditKey(c.key), c.edits) << c.key;
}

TEST(InputHelpers, ValuesScaleWithTheScreensResolution) {
  qn::ui::testing::qtApplication();
  EXPECT_EQ(ScaleByScreenDPI(77, 96), 77);
  EXPECT_EQ(ScaleByScreenDPI(77, 120), 96);
  EXPECT_EQ(ScaleByScreenDPI(24, 120), 30);
  Screen->SetPixelsPerInch(120);
  EXPECT_EQ(ScaleByScreenDPI(24), 30);
  Screen->SetPixelsPerInch(96);
  EXPECT_EQ(ScaleByScreenDPI(24), 24);
  Screen->SetPixelsPerInch(0);
}

TEST(InputHelpers, TheWorkAreaIsTheScreens) {
  ScreenFacts facts;
  facts.workArea = Rect(0, 30, 1280, 994);
  qn::ui::setScreenFacts(facts);
  EXPECT_EQ(GetDesktopWorkArea(), Rect(0, 30, 1280, 994));
  qn::ui::setScreenFacts(std::nullopt);
}

TEST(InputHelpers, StringsBecomeOneLineOrCarriageReturnLines) {
  StringList lines;
  EXPECT_EQ(StringsToText(lines, true), "");
  lines.Add("first");
  lines.Add("");
  lines.Add("third line");
  EXPECT_EQ(StringsToText(lines, true), "first  third line");
  EXPECT_EQ(StringsToText(lines, false), "first\r\n\r\nthird line");
}

TEST(InputHelpers, TheOwnerFormIsTheFirstFormUpTheOwnersElseTheTopmostOwner) {
  qn::ui::testing::qtApplication();
  TForm form(nullptr);
  auto* holder = new TComponent(&form);
  auto* inner = new TComponent(holder);
  EXPECT_EQ(GetOwnerForm(inner), &form);
  EXPECT_EQ(GetOwnerForm(holder), &form);
  TComponent top(nullptr);
  auto* middle = new TComponent(&top);
  auto* leaf = new TComponent(middle);
  EXPECT_EQ(GetOwnerForm(leaf), &top);
  EXPECT_EQ(GetOwnerForm(&top), nullptr);
  EXPECT_EQ(GetOwnerForm(nullptr), nullptr);
}

class MouseReleaseTest : public ::testing::Test {
 protected:
  void SetUp() override {
    qn::ui::testing::qtApplication();
    form = new ReleaseCountingForm(nullptr);
    form->SetBounds(100, 100, 400, 300);
    outer = new ReleaseCountingPanel(form, form, "Outer");
    inner = new ReleaseCountingPanel(form, outer, "Inner");
    inner->SetBounds(10, 10, 80, 40);
    other = new ReleaseCountingPanel(form, form, "Other");
    other->SetBounds(0, 150, 200, 100);
    ASSERT_TRUE(qn::ui::testing::showActive(*form));
  }
  void TearDown() override { delete form; }

  ReleaseCountingForm* form;
  ReleaseCountingPanel* outer;
  ReleaseCountingPanel* inner;
  ReleaseCountingPanel* other;
};

TEST_F(MouseReleaseTest, TheControlHoldingTheLeftButtonGetsAPostedRelease) {
  QTest::mousePress(inner->Window(), Qt::LeftButton, {}, QPoint(5, 5));
  ASSERT_TRUE(inner->ControlState().Contains(csLButtonDown));
  ReleaseMouseCapture();
  EXPECT_EQ(inner->releases, 0);
  QApplication::processEvents();
  EXPECT_EQ(inner->releases, 1);
  EXPECT_EQ(outer->releases + other->releases + form->releases, 0);
  EXPECT_FALSE(inner->ControlState().Contains(csLButtonDown));
  EXPECT_EQ(GetCaptureControl(), nullptr);
}

TEST_F(MouseReleaseTest, TheFormItselfWhenItHoldsTheButton) {
  QTest::mousePress(form->Window(), Qt::LeftButton, {}, QPoint(300, 120));
  ASSERT_TRUE(form->ControlState().Contains(csLButtonDown));
  ReleaseMouseCapture();
  QApplication::processEvents();
  EXPECT_EQ(form->releases, 1);
  EXPECT_EQ(outer->releases + inner->releases + other->releases, 0);
}

TEST_F(MouseReleaseTest, NothingWhenNoControlHoldsTheButton) {
  ReleaseMouseCapture();
  QApplication::processEvents();
  EXPECT_EQ(form->releases + outer->releases + inner->releases + other->releases, 0);
}

TEST(InputHelpers, AKeyWithAModifierReachesTheControlAndTheKeyboardStateComesBack) {
  qn::ui::testing::qtApplication();
  TForm form(nullptr);
  auto* edit = new TTestEdit(&form, &form, "Edit1");
  ASSERT_TRUE(qn::ui::testing::showActive(form));
  std::vector<std::pair<WORD, TShiftState>> downs;
  bool controlHeld = false;
  edit->OnKeyDown = [&](TObject*, WORD& key, TShiftState shift) {
    downs.emplace_back(key, shift);
    controlHeld = GetKeyState(VK_CONTROL) < 0;
  };
  TKeyboardState before;
  GetKeyboardState(before);

  SendKeyWithModifier(edit, VK_DOWN, VK_CONTROL);
  EXPECT_TRUE(downs.empty());
  QApplication::processEvents();
  ASSERT_EQ(downs.size(), 1u);
  EXPECT_EQ(downs[0].first, VK_DOWN);
  EXPECT_TRUE(downs[0].second.Contains(ssCtrl));
  EXPECT_FALSE(downs[0].second.Contains(ssShift));
  EXPECT_TRUE(controlHeld);
  TKeyboardState after;
  GetKeyboardState(after);
  EXPECT_EQ(after, before);

  SendKeyWithModifier(edit, VK_END, VK_SHIFT);
  QApplication::processEvents();
  ASSERT_EQ(downs.size(), 2u);
  EXPECT_TRUE(downs[1].second.Contains(ssShift));
  EXPECT_FALSE(downs[1].second.Contains(ssCtrl));
}

}  // namespace
