// The frame of docked sub-forms and the main window's notice of a mouse-activated control.
#include "core/DockedForms.h"

#include <gtest/gtest.h>

#include <QCursor>
#include <QTest>

#include "core/Globals.h"
#include "framework/ui/Application.h"
#include "framework/ui/Edit.h"
#include "framework/ui/Messages.h"
#include "framework/ui/testing/QtTestApplication.h"

namespace {

using qn::ui::testing::qtApplication;

TEST(DockedForms, StrippingTheFrameKeepsOnlyTheOneStyleBit) {
  const struct {
    DWORD style;
    DWORD stripped;
  } cases[] = {
      {WS_CHILD | WS_CAPTION | WS_THICKFRAME | WS_SYSMENU | 0x10000, 0x10000},
      {WS_POPUP | WS_BORDER, 0},
      {0x10000, 0x10000},
  };
  for (const auto& c : cases) {
    TCreateParams params;
    params.Style = c.style;
    params.ExStyle = WS_EX_TOOLWINDOW;
    StripFormFrame(params);
    EXPECT_EQ(params.Style, c.stripped) << std::hex << c.style;
    EXPECT_EQ(params.ExStyle, WS_EX_TOOLWINDOW);
  }
}

class MainForm : public TForm {
 public:
  MainForm() : TForm(nullptr) {}
  void WndProc(TMessage& Message) override {
    if (Message.Msg == MainFormMouseActivateMessage) notices.push_back({Message.WParam, Message.LParam});
    TForm::WndProc(Message);
  }
  std::vector<std::pair<std::intptr_t, std::intptr_t>> notices;
};

TEST(DockedForms, APressOverAnotherNamedControlNotifiesTheMainWindowOnce) {
  qtApplication();
  MainForm main;
  main.SetBounds(100, 100, 400, 200);
  Application->SetMainForm(&main);
  auto* remembered = new TEdit(&main);
  remembered->SetName("ClientEdit");
  remembered->SetParent(&main);
  remembered->SetBounds(10, 10, 100, 24);
  auto* other = new TEdit(&main);
  other->SetName("CaseEdit");
  other->SetParent(&main);
  other->SetBounds(10, 100, 100, 24);
  main.Show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(main.Window()));
  MouseActivateControl = remembered;

  const TPoint overRemembered = remembered->ClientToScreen({5, 5});
  QCursor::setPos(overRemembered.X, overRemembered.Y);
  NotifyMainFormMouseActivate();
  QTest::qWait(50);
  EXPECT_TRUE(main.notices.empty());

  const TPoint overOther = other->ClientToScreen({5, 5});
  QCursor::setPos(overOther.X, overOther.Y);
  NotifyMainFormMouseActivate();
  EXPECT_EQ(MouseActivatePoint.X, overOther.X);
  QTest::qWait(50);
  EXPECT_EQ(main.notices, (std::vector<std::pair<std::intptr_t, std::intptr_t>>{{0, 0}}));

  MouseActivateControl = nullptr;
  NotifyMainFormMouseActivate();
  QTest::qWait(50);
  EXPECT_EQ(main.notices.size(), 1u);
  Application->SetMainForm(nullptr);
}

}  // namespace
