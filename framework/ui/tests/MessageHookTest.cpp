#include <gtest/gtest.h>

#include <QApplication>
#include <QKeyEvent>
#include <QTest>

#include "framework/ui/KeyRoute.h"
#include "framework/ui/PendingInput.h"
#include "framework/ui/VirtualKeys.h"
#include "framework/ui/tests/FormTestSupport.h"
#include "framework/ui/tests/TestControls.h"

namespace qn::ui::testing {
namespace {

std::string kindOf(unsigned message) {
  switch (message) {
    case WM_KEYDOWN: return "keydown";
    case WM_SYSKEYDOWN: return "syskeydown";
    case WM_CHAR: return "char";
    case WM_SYSCHAR: return "syschar";
    case WM_KEYUP: return "keyup";
    case WM_LBUTTONUP: return "lbuttonup";
    default: return std::to_string(message);
  }
}

// An active form with two edits logging what reaches them, and the hook installed for the test.
struct HookedForm {
  Log log;
  TForm form{nullptr};
  TTestEdit* first = new TTestEdit(&form, &form, "First");
  TTestEdit* second = new TTestEdit(&form, &form, "Second");
  std::function<bool(const TMsg&)> handles = [](const TMsg&) { return false; };

  HookedForm() {
    second->SetTop(40);
    form.SetKeyPreview(true);
    form.OnKeyDown = [this](TObject*, WORD& key, TShiftState) {
      if (key != VK_MENU) log.push_back("form keydown " + std::to_string(key));
    };
    for (TTestEdit* e : {first, second}) {
      const std::string n = e->Name();
      e->OnKeyDown = [this, n](TObject*, WORD& key, TShiftState) {
        if (key != VK_MENU) log.push_back(n + " keydown " + std::to_string(key));
      };
      e->OnKeyPress = [this, n](TObject*, char& c) { log.push_back(n + " keypress " + std::string(1, c)); };
      e->OnMouseUp = [this, n](TObject*, TMouseButton, TShiftState, int, int) { log.push_back(n + " mouseup"); };
    }
    EXPECT_TRUE(showActive(form));
    first->SetFocus();
    Application->setMessageHook([this](TMsg& msg, bool& handled) {
      const std::string target = msg.Control ? msg.Control->Name() : "none";
      const bool isKey = msg.Message != WM_LBUTTONUP;
      if (isKey && msg.WParam == VK_MENU) return;  // the Alt key itself
      log.push_back("hook " + kindOf(msg.Message) + (isKey ? " " + std::to_string(msg.WParam) : "") + " to " + target +
                    (first->Focused() ? " (First focused)" : ""));
      handled = handles(msg);
    });
  }
  ~HookedForm() { Application->setMessageHook(nullptr); }
};

TEST(MessageHookTest, AltSMarkedHandledReachesNoControlAndComesAsASystemKey) {
  qtApplication();
  HookedForm f;
  f.handles = [](const TMsg& m) { return m.Message == WM_SYSKEYDOWN && m.WParam == 'S'; };
  QTest::keyClick(f.first->lineEdit(), Qt::Key_S, Qt::AltModifier);
  EXPECT_EQ(f.log, (Log{"hook syskeydown 83 to First (First focused)", "hook keyup 83 to First (First focused)"}));

  f.log.clear();
  f.handles = [](const TMsg&) { return false; };
  QTest::keyClick(f.first->lineEdit(), Qt::Key_S, Qt::AltModifier);
  ASSERT_GE(f.log.size(), 2u);
  EXPECT_EQ(f.log[0], "hook syskeydown 83 to First (First focused)");
  EXPECT_NE(std::find(f.log.begin(), f.log.end(), "hook syschar 115 to First (First focused)"), f.log.end())
      << "unhandled, Alt+S goes on as a system character";
}

TEST(MessageHookTest, TabReachesTheHookBeforeTheFocusMoves) {
  qtApplication();
  HookedForm f;
  QTest::keyClick(f.first->lineEdit(), Qt::Key_Tab);
  ASSERT_FALSE(f.log.empty());
  EXPECT_EQ(f.log[0], "hook keydown 9 to First (First focused)");
  EXPECT_TRUE(f.second->Focused());
}

TEST(MessageHookTest, PostedAndReplayedKeysPassThroughTheHookSentOnesDoNot) {
  qtApplication();
  HookedForm f;
  postKeyDown(VK_SPACE, {});
  Application->ProcessMessages();
  ASSERT_FALSE(f.log.empty());
  EXPECT_EQ(f.log[0], "hook keydown 32 to First (First focused)");

  f.log.clear();
  QCoreApplication::postEvent(f.first->lineEdit(), new QKeyEvent(QEvent::KeyPress, Qt::Key_Tab, Qt::NoModifier));
  EXPECT_FALSE(pendingEscapePressed());
  EXPECT_TRUE(f.log.empty()) << "held while the check runs";
  Application->ProcessMessages();
  ASSERT_FALSE(f.log.empty());
  EXPECT_EQ(f.log[0], "hook keydown 9 to First (First focused)");

  f.log.clear();
  sendKey(f.second, VK_RETURN, {});
  EXPECT_EQ(f.log, (Log{"Second keydown 13", "Second keypress \r"})) << "no hook";
}

TEST(MessageHookTest, ALeftReleaseReachesTheHookBeforeAnyControl) {
  qtApplication();
  HookedForm f;
  QTest::mouseClick(f.second->lineEdit(), Qt::LeftButton, {}, QPoint(5, 5));
  EXPECT_NE(std::find(f.log.begin(), f.log.end(), "hook lbuttonup to Second"), f.log.end());
  EXPECT_LT(std::find(f.log.begin(), f.log.end(), "hook lbuttonup to Second"),
            std::find(f.log.begin(), f.log.end(), "Second mouseup"));

  f.log.clear();
  f.handles = [](const TMsg& m) { return m.Message == WM_LBUTTONUP; };
  QTest::mouseClick(f.first->lineEdit(), Qt::LeftButton, {}, QPoint(5, 5));
  EXPECT_EQ(std::count(f.log.begin(), f.log.end(), "First mouseup"), 0);
}

}  // namespace
}  // namespace qn::ui::testing
