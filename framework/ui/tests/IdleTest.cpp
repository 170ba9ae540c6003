#include <gtest/gtest.h>

#include <QApplication>
#include <QMessageBox>
#include <QTest>
#include <QTimer>

#include "framework/ui/EventLoop.h"
#include "framework/ui/MouseCapture.h"
#include "framework/ui/SafeDispatch.h"
#include "framework/ui/tests/FormTestSupport.h"
#include "framework/ui/tests/TestControls.h"

namespace qn::ui::testing {
namespace {

// The idle handler for one test: counts its calls and answers what the test sets.
struct IdleCounter {
  int calls = 0;
  int depth = 0;
  int deepest = 0;
  std::function<bool(int call)> answer = [](int) { return true; };
  std::function<void(int call)> alsoDo = [](int) {};
  Log* log = nullptr;

  IdleCounter() {
    qtApplication();
    Application->setIdleHandler([this](TObject*, bool& done) {
      ++calls;
      deepest = std::max(deepest, ++depth);
      if (log) log->push_back("idle " + std::to_string(calls));
      const int call = calls;
      alsoDo(call);
      done = answer(call);
      --depth;
    });
  }
  ~IdleCounter() { Application->setIdleHandler(nullptr); }
};

TEST(IdleTest, OneIdleCallPerEmptiedQueue) {
  IdleCounter idle;
  ASSERT_TRUE(Application->runUntilIdle());
  const int settled = idle.calls;
  for (int i = 0; i < 3; ++i) postCall([] {});
  ASSERT_TRUE(Application->runUntilIdle());
  EXPECT_EQ(idle.calls, settled + 1) << "three posted calls, one batch, one idle call";
  ASSERT_TRUE(Application->runUntilIdle());
  EXPECT_EQ(idle.calls, settled + 2) << "an empty queue is emptied too";
}

TEST(IdleTest, NotDoneGivesOneMoreCallWithoutANewEvent) {
  IdleCounter idle;
  ASSERT_TRUE(Application->runUntilIdle());
  const int settled = idle.calls;
  idle.answer = [settled](int call) { return call > settled + 2; };
  ASSERT_TRUE(Application->runUntilIdle());
  EXPECT_EQ(idle.calls, settled + 3);
}

TEST(IdleTest, DoneWaitsForTheNextEvent) {
  IdleCounter idle;
  ASSERT_TRUE(Application->runUntilIdle());
  idle.calls = 0;
  int callsWhenTheTimerFired = -1;
  QObject scope;
  QTimer::singleShot(80, &scope, [&] {
    callsWhenTheTimerFired = idle.calls;
    postCall([] {});
  });
  runLoop([&] { return callsWhenTheTimerFired >= 0 && idle.calls >= 2; });
  EXPECT_EQ(callsWhenTheTimerFired, 1) << "after its one call the loop waited for the timer";
  EXPECT_EQ(idle.calls, 2);
}

TEST(IdleTest, InsideAModalRunOnceAfterEachBatch) {
  Log log;
  Log formLog;
  IdleCounter idle;
  TLoggedForm dialog(formLog, "D");
  bool armed = false;
  postCall([&] {
    ASSERT_TRUE(QTest::qWaitForWindowActive(dialog.Window()));
    QTest::qWait(20);
    armed = true;
    idle.calls = 0;
    log.clear();
    idle.log = &log;
  });
  idle.alsoDo = [&](int call) {
    if (!armed) return;
    if (call == 1) postCall([&] { log.push_back("posted"); });
    if (call == 2) postCall([&] { dialog.SetModalResult(mrOk); });
  };
  EXPECT_EQ(dialog.runModal(), mrOk);
  EXPECT_EQ(log, (Log{"idle 1", "posted", "idle 2"}));
}

TEST(IdleTest, InsideACaptureLoopOnceAfterEachBatch) {
  Log log;
  IdleCounter idle;
  TTestForm form;
  auto* panel = new TTestPanel(&form, &form);
  form.Show();
  ASSERT_TRUE(Application->runUntilIdle());
  idle.calls = 0;
  idle.log = &log;
  idle.alsoDo = [&](int call) {
    if (call == 1) postCall([&] { log.push_back("posted"); });
    if (call == 2) ReleaseCapture();
  };
  SetCaptureControl(panel);
  runCaptureLoop(panel);
  EXPECT_EQ(log, (Log{"idle 1", "posted", "idle 2"}));
}

TEST(IdleTest, AnIdleHandlerThatProcessesMessagesGetsNoNestedCall) {
  IdleCounter idle;
  idle.alsoDo = [](int) {
    postCall([] {});
    Application->ProcessMessages();
    postCall([] {});
    QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
  };
  ASSERT_TRUE(Application->runUntilIdle());
  EXPECT_EQ(idle.deepest, 1);
}

TEST(IdleTest, NoIdleCallFromProcessMessagesNorInsideARealMessageBox) {
  IdleCounter idle;
  ASSERT_TRUE(Application->runUntilIdle());
  int before = idle.calls;
  for (int i = 0; i < 3; ++i) {
    postCall([] {});
    Application->ProcessMessages();
  }
  EXPECT_EQ(idle.calls, before);

  int callsWhenBoxClosed = -1;
  int callsWhenBoxOpened = -1;
  bool boxDone = false;
  postCall([&] {
    QMessageBox box(QMessageBox::Information, "Case", "Saved.");
    QTimer::singleShot(150, &box, [&] {
      callsWhenBoxClosed = idle.calls;
      box.accept();
    });
    callsWhenBoxOpened = idle.calls;
    box.exec();
    boxDone = true;
  });
  runLoop([&] { return boxDone; });
  EXPECT_GE(callsWhenBoxOpened, 0);
  EXPECT_EQ(callsWhenBoxClosed, callsWhenBoxOpened) << "no idle call while Qt's own loop ran";
}

}  // namespace
}  // namespace qn::ui::testing
