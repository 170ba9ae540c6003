// The start-up guard between real processes: the program's run with a stand-in main window.
#include <gtest/gtest.h>
#include <signal.h>

#include <chrono>
#include <filesystem>
#include <thread>

#include "app/SingleInstance.h"
#include "core/Constants.h"
#include "platform/os/MessageBus.h"
#include "platform/os/NamedMutex.h"
#include "platform/os/Process.h"
#include "platform/os/WindowRegistry.h"
#include "platform/os/tests/ChildProgram.h"
#include "platform/os/ExecutablePath.h"

namespace {

using qn::os::ChildProcess;
using qn::os::testing::waitForExit;
namespace registry = qn::os::windowRegistry;

std::unique_ptr<ChildProcess> startProgram(const std::string& firstArgument, const qn::os::StartupPlacement& placement = {}) {
  const auto program = std::filesystem::path(qn::os::runningProgramFolder()) / "qn-app-guard-child";
  return qn::os::startProcess(program.string(), {firstArgument}, placement);
}

int mainWindowsCaptioned(const AnsiString& caption) {
  int count = 0;
  for (const qn::os::WindowEntry& entry : registry::all())
    if (entry.className == "TCaseF" && entry.caption == caption) ++count;
  return count;
}

template <typename Done>
bool eventually(Done done) {
  const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(30);
  while (!done()) {
    if (std::chrono::steady_clock::now() > end) return false;
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
  }
  return true;
}

// The running program's application window, which the guard asks to restore or come forward.
std::optional<qn::os::WindowEntry> applicationWindowOf(const AnsiString& caption) {
  const auto main = registry::find("TCaseF", caption);
  return main ? registry::find(main->owner) : std::nullopt;
}

// Starts the case program minimised and waits till its application window shows it minimised.
void startMinimised(std::unique_ptr<ChildProcess>& program) {
  qn::os::StartupPlacement minimised;
  minimised.showWindow = qn::os::SW_SHOWMINIMIZED;
  program = startProgram("250101", minimised);
  ASSERT_TRUE(program && program->waitForInputIdle(30000));
  ASSERT_TRUE(eventually([] {
    const auto owner = applicationWindowOf(CaseModeCaption);
    return owner && owner->minimized;
  }));
}

void endProgram(ChildProcess& program) {
  ::kill(program.pid(), SIGTERM);
  EXPECT_EQ(waitForExit(program), 0u) << "a termination signal closes the main window as a user would";
}

TEST(StartupGuard, ASecondStartOfTheSameModeEndsWithoutAWindow) {
  auto first = startProgram("250101");
  ASSERT_TRUE(first && first->waitForInputIdle(30000));
  auto second = startProgram("250101");
  ASSERT_NE(second, nullptr);
  EXPECT_EQ(waitForExit(*second), 0u);
  EXPECT_EQ(mainWindowsCaptioned(CaseModeCaption), 1);
  endProgram(*first);
  EXPECT_EQ(mainWindowsCaptioned(CaseModeCaption), 0);
}

TEST(StartupGuard, AMinimisedProgramIsRestoredByTheSecondStart) {
  std::unique_ptr<ChildProcess> first;
  ASSERT_NO_FATAL_FAILURE(startMinimised(first));
  auto second = startProgram("250101");
  EXPECT_EQ(waitForExit(*second), 0u);
  EXPECT_TRUE(eventually([] {
    const auto owner = applicationWindowOf(CaseModeCaption);
    return owner && !owner->minimized;
  }));
  endProgram(*first);
}

TEST(StartupGuard, AStartInTheOtherModeBecomesASecondProgram) {
  auto cases = startProgram("250101");
  ASSERT_TRUE(cases && cases->waitForInputIdle(30000));
  auto calendar = startProgram("250101d");
  ASSERT_TRUE(calendar && calendar->waitForInputIdle(30000));
  EXPECT_EQ(mainWindowsCaptioned(CaseModeCaption), 1);
  EXPECT_EQ(mainWindowsCaptioned(CalendarModeCaption), 1);
  endProgram(*calendar);
  endProgram(*cases);
}

TEST(StartupGuard, TheCaptionOfAModeFollowsTheLengthOfTheFirstArgument) {
  const std::pair<const char*, const AnsiString*> cases[] = {
      {"", &CaseModeCaption},          {"250101", &CaseModeCaption},   {"250101d", &CalendarModeCaption},
      {"250101dc", &CaseModeCaption},  {"25010100c", &CaseModeCaption},
  };
  for (const auto& [argument, caption] : cases) EXPECT_EQ(MainWindowCaptionFor(argument), *caption) << argument;
}

// The docket calendar starts the case program with an argument of eight characters: that start
// is the case mode's, so it finds the running case program, brings it forward and ends.
TEST(StartupGuard, AnEightCharacterStartFindsTheCaseModeProgramBringsItForwardAndEnds) {
  std::unique_ptr<ChildProcess> cases;
  ASSERT_NO_FATAL_FAILURE(startMinimised(cases));
  auto second = startProgram("250101dc");
  ASSERT_NE(second, nullptr);
  const std::uint32_t ended = waitForExit(*second);
  EXPECT_EQ(ended, 0u) << "the start went on as a program of its own";
  EXPECT_TRUE(eventually([] {
    const auto owner = applicationWindowOf(CaseModeCaption);
    return owner && !owner->minimized;
  }));
  EXPECT_EQ(mainWindowsCaptioned(CaseModeCaption), 1);
  EXPECT_EQ(mainWindowsCaptioned(CalendarModeCaption), 0);
  if (ended != 0u) qn::os::testing::killChild(*second);
  endProgram(*cases);
}

TEST(StartupGuard, AStartWaitingPastTenSecondsEndsSilently) {
  qn::os::NamedMutex held(SingleInstanceMutexName);
  // A start that brought another forward ends holding the guard, so an earlier case may leave it
  // abandoned: taken all the same.
  const qn::os::WaitResult taken = held.wait(0);
  ASSERT_TRUE(taken == qn::os::WaitResult::Acquired || taken == qn::os::WaitResult::Abandoned);
  const auto started = std::chrono::steady_clock::now();
  auto program = startProgram("250101");
  ASSERT_NE(program, nullptr);
  EXPECT_EQ(waitForExit(*program), 0u);
  EXPECT_GE(std::chrono::steady_clock::now() - started, std::chrono::milliseconds(SingleInstanceWaitMs));
  EXPECT_EQ(mainWindowsCaptioned(CaseModeCaption), 0);
}

TEST(StartupGuard, AFoundWindowWithoutOwnerLetsTheStartGoOn) {
  qn::os::MessageBus bus;
  bus.registerWindow("TCaseF", CaseModeCaption, 0, {});
  auto program = startProgram("250101");
  ASSERT_TRUE(program && program->waitForInputIdle(30000));
  EXPECT_EQ(mainWindowsCaptioned(CaseModeCaption), 2);
  endProgram(*program);
}

}  // namespace
