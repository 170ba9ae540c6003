#include <gtest/gtest.h>

#include <QCoreApplication>

#include "framework/base/Clock.h"
#include "framework/base/Exception.h"
#include "framework/base/Tick.h"
#include "framework/ui/Application.h"
#include "framework/ui/IntervalTimer.h"
#include "framework/ui/testing/QtTestApplication.h"
#include "framework/ui/testing/ScriptedMessageBoxes.h"

namespace {

constexpr std::uint32_t kFiveMinutes = 5 * 60 * 1000;

struct ManualTime {
  qn::ManualClock clock{50000};
  ManualTime() {
    qn::ui::testing::qtApplication();
    qn::setClock(&clock);
  }
  ~ManualTime() { qn::setClock(nullptr); }
  void pass(std::uint64_t ms) {
    clock.advance(ms);
    Application->ProcessMessages();
  }
};

TEST(IntervalTimerTest, FiresOnceWhenTheIntervalHasPassedAndNotBefore) {
  ManualTime time;
  IntervalTimer timer;
  int fired = 0;
  timer.OnTimer = [&](TObject*) { ++fired; };
  timer.SetInterval(kFiveMinutes);
  time.pass(kFiveMinutes - 1);
  EXPECT_EQ(fired, 0);
  time.pass(1);
  EXPECT_EQ(fired, 1);
  time.pass(kFiveMinutes - 1);
  EXPECT_EQ(fired, 1);
  time.pass(1);
  EXPECT_EQ(fired, 2) << "and again after each interval";
}

TEST(IntervalTimerTest, ADisabledTimerNeverFires) {
  ManualTime time;
  IntervalTimer timer;
  int fired = 0;
  timer.OnTimer = [&](TObject*) { ++fired; };
  timer.SetInterval(kFiveMinutes);
  timer.SetEnabled(false);
  time.pass(3 * kFiveMinutes);
  EXPECT_EQ(fired, 0);
}

TEST(IntervalTimerTest, EnablingAgainStartsTheIntervalAnew) {
  ManualTime time;
  IntervalTimer timer;
  int fired = 0;
  timer.OnTimer = [&](TObject*) { ++fired; };
  timer.SetInterval(kFiveMinutes);
  time.pass(kFiveMinutes - 10);
  timer.SetEnabled(true);
  time.pass(kFiveMinutes - 1);
  EXPECT_EQ(fired, 0);
  time.pass(1);
  EXPECT_EQ(fired, 1);
}

TEST(IntervalTimerTest, WhatAHandlerRaisesGoesToTheApplicationAndTheTimerGoesOn) {
  ManualTime time;
  qn::ui::testing::ScriptedMessageBoxes boxes;
  boxes.expect(mtError, "The stay-alive file cannot be read.").expect(mtError, "The stay-alive file cannot be read.");
  IntervalTimer timer;
  timer.SetInterval(1000);
  timer.OnTimer = [](TObject*) { throw Exception("The stay-alive file cannot be read."); };
  time.pass(1000);
  time.pass(1000);
}

TEST(IntervalTimerTest, InTheProgramAQtTimerWakesTheLoopOnTheRealClock) {
  qn::ui::testing::qtApplication();
  IntervalTimer timer;
  timer.SetInterval(30);
  int fired = 0;
  timer.OnTimer = [&](TObject*) {
    if (++fired == 2) timer.SetEnabled(false);
  };
  const std::uint32_t start = GetTickCount();
  while (fired < 2 && GetTickCount() - start < 5000) QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
  EXPECT_EQ(fired, 2);
}

}  // namespace
