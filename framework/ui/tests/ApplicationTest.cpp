#include <gtest/gtest.h>

#include <QApplication>
#include <QCursor>
#include <QTimer>
#include <QWidget>
#include <chrono>
#include <filesystem>
#include <stdexcept>

#include "framework/base/Exception.h"
#include "framework/ui/Application.h"
#include "framework/ui/Screen.h"
#include "framework/ui/testing/QtTestApplication.h"
#include "framework/ui/testing/ScriptedMessageBoxes.h"
#include "platform/os/WindowRegistry.h"

namespace {

using qn::ui::testing::ScriptedMessageBoxes;

// The silent exception and one of its kind.
class EAbort : public Exception {
  QN_CLASS(EAbort, Exception)
 public:
  using Exception::Exception;
};
class EQuietCancel : public EAbort {
  QN_CLASS(EQuietCancel, EAbort)
 public:
  using EAbort::EAbort;
};

template <typename Raise>
void handled(Raise raise) {
  try {
    raise();
  } catch (...) {
    Application->HandleException(nullptr);
  }
}

// Runs the Qt event loop until done() holds; false when it never did.
template <typename Done>
bool processUntil(Done done) {
  const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(30);
  while (!done()) {
    if (std::chrono::steady_clock::now() > end) return false;
    Application->ProcessMessages();
    QApplication::processEvents(QEventLoop::WaitForMoreEvents, 50);
  }
  return true;
}

TEST(ApplicationTest, AbortIsSilentOtherExceptionsAreShown) {
  Application->SetTitle("Case");
  ScriptedMessageBoxes boxes;
  boxes.expect(mtError, "Unable to open Sysop.qc").expect(mtError, "vector index");
  handled([] { throw EAbort("never shown"); });
  handled([] { throw EQuietCancel("never shown either"); });
  handled([] { throw Exception("Unable to open Sysop.qc"); });
  handled([] { throw std::out_of_range("vector index"); });
  ASSERT_EQ(boxes.shown().size(), 2u);
  EXPECT_EQ(boxes.shown()[0].caption, "Case");
}

TEST(ApplicationTest, ExceptionHandlerTakesOverFromTheBox) {
  ScriptedMessageBoxes noBoxes;
  std::vector<AnsiString> handledMessages;
  Application->OnException = [&](TObject*, const Exception& e) { handledMessages.push_back(e.Message()); };
  handled([] { throw Exception("first"); });
  handled([] { throw EAbort("silent"); });
  handled([] { throw std::runtime_error("second"); });
  Application->OnException = nullptr;
  EXPECT_EQ(handledMessages, (std::vector<AnsiString>{"first", "second"}));
}

TEST(ApplicationTest, ExecutableNameAndTitle) {
  EXPECT_EQ(std::filesystem::path(Application->ExeName()).filename(), "framework-ui-tests");
  Application->SetTitle("");
  EXPECT_EQ(Application->DisplayTitle(), "framework-ui-tests");
  Application->SetTitle(" ");
  EXPECT_EQ(Application->DisplayTitle(), " ");
}

TEST(ApplicationTest, TerminationRequestedBeforeTheLoopEndsItAtOnce) {
  qn::ui::testing::qtApplication();
  bool loopRan = false;
  QObject scope;  // takes the timer away with the test
  QTimer::singleShot(0, &scope, [&] {
    loopRan = true;
    QCoreApplication::exit(0);
  });
  Application->Terminate();
  Application->Run();
  EXPECT_TRUE(Application->Terminated());
  EXPECT_FALSE(loopRan) << "the loop should not have started";
}

TEST(ApplicationTest, TerminationRequestedInTheLoopEndsIt) {
  qn::ui::testing::qtApplication();
  QObject scope;
  QTimer::singleShot(0, &scope, [] { Application->Terminate(); });
  Application->Run();  // returns, or the test times out
  EXPECT_TRUE(Application->Terminated());
}

TEST(ApplicationTest, BusMessagesArriveInTheEventLoop) {
  qn::ui::testing::qtApplication();
  Application->Initialize();
  std::vector<qn::os::WindowMessage> received;
  qn::os::WindowId window = Application->Bus().registerWindow(
      "TCaseF", "main", Application->Handle(), {[&](const qn::os::WindowMessage& m) { received.push_back(m); }, {}});

  qn::os::MessageBus other;
  ASSERT_TRUE(other.send(window, "QN_Msg_JustCalledFromClient", 7, 0, "ABC    Client"));
  EXPECT_TRUE(processUntil([&] { return !received.empty(); }));
  ASSERT_EQ(received.size(), 1u);
  EXPECT_EQ(received[0].text, "ABC    Client");
  EXPECT_EQ(received[0].wParam, 7);
}

TEST(ApplicationTest, ExceptionInABusHandlerGoesToTheHandler) {
  qn::ui::testing::qtApplication();
  Application->Initialize();
  qn::os::WindowId window = Application->Bus().registerWindow(
      "TCaseF", "main", Application->Handle(), {[](const qn::os::WindowMessage&) { throw Exception("bad atom"); }, {}});
  ScriptedMessageBoxes boxes;
  boxes.expect(mtError, "bad atom");
  qn::os::MessageBus other;
  ASSERT_TRUE(other.send(window, "QN_Msg_HistChangeCase", 0, 0));
  EXPECT_TRUE(processUntil([&] { return !boxes.shown().empty(); }));
}

TEST(ApplicationTest, AskedToRestoreTheMinimisedProgramRestoresIt) {
  qn::ui::testing::qtApplication();
  Application->Initialize();
  Application->SetTitle("Calendar");
  auto entry = qn::os::windowRegistry::find("TApplication", "calendar");
  ASSERT_TRUE(entry);
  EXPECT_EQ(entry->id, Application->Handle());

  QWidget window;
  window.showMinimized();
  EXPECT_TRUE(processUntil([] { return qn::os::windowRegistry::find(Application->Handle())->minimized; }))
      << "the registry should say the program is minimised";

  qn::os::MessageBus other;
  ASSERT_TRUE(other.request(Application->Handle(), qn::os::WindowRequest::Restore));
  EXPECT_TRUE(processUntil([&] { return !window.isMinimized(); }));
  EXPECT_TRUE(processUntil([] { return !qn::os::windowRegistry::find(Application->Handle())->minimized; }));
}

TEST(ScreenTest, HourglassIsRestoredOnEveryWayOut) {
  qn::ui::testing::qtApplication();
  ASSERT_EQ(Screen->Cursor(), crDefault);
  try {
    HourglassCursor hourglass;
    EXPECT_EQ(Screen->Cursor(), crHourGlass);
    ASSERT_TRUE(QGuiApplication::overrideCursor());
    EXPECT_EQ(QGuiApplication::overrideCursor()->shape(), Qt::WaitCursor);
    {
      HourglassCursor nested;
    }
    EXPECT_EQ(Screen->Cursor(), crHourGlass) << "the inner scope puts back the hourglass it found";
    throw Exception("failed while busy");
  } catch (const Exception&) {
  }
  EXPECT_EQ(Screen->Cursor(), crDefault);
  EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
}

TEST(ScreenTest, HourglassPutsBackAnArrowSetBefore) {
  qn::ui::testing::qtApplication();
  Screen->SetCursor(crArrow);
  {
    HourglassCursor hourglass;
    EXPECT_EQ(QGuiApplication::overrideCursor()->shape(), Qt::WaitCursor);
  }
  EXPECT_EQ(Screen->Cursor(), crArrow);
  EXPECT_EQ(QGuiApplication::overrideCursor()->shape(), Qt::ArrowCursor);
  Screen->SetCursor(crDefault);
  EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
}

}  // namespace
