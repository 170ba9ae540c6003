#include <gtest/gtest.h>
#include <signal.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "ChildProgram.h"
#include "platform/os/MessageBus.h"
#include "platform/os/Process.h"
#include "testing/TestDirs.h"

namespace {

using namespace qn::os;
using namespace qn::os::testing;
namespace fs = std::filesystem;

TEST(ProcessTest, ExitCodeIsStillActiveUntilTheChildEnds) {
  auto child = startChild({"never-ready"});
  ASSERT_TRUE(child);
  EXPECT_EQ(child->exitCode(), STILL_ACTIVE);
  killChild(*child);
  EXPECT_EQ(child->exitCode(), 128u + SIGKILL);

  auto ending = startChild({"exit", "7"});
  ASSERT_TRUE(ending);
  EXPECT_EQ(waitForExit(*ending), 7u);
}

// Waits until the child has ended and waits only to be reaped (state Z).
bool waitUntilUnreaped(pid_t pid) {
  for (int i = 0; i < 3000; ++i) {
    std::ifstream stat("/proc/" + std::to_string(pid) + "/stat");
    std::string number, name, state;
    stat >> number >> name >> state;
    if (state == "Z") return true;
    usleep(10000);
  }
  return false;
}

TEST(ProcessTest, TerminateAndKillEndARunningChildAndNotAnEndedOne) {
  const struct {
    bool (ChildProcess::*end)();
    int signal;
  } cases[] = {{&ChildProcess::terminate, SIGTERM}, {&ChildProcess::kill, SIGKILL}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.signal);
    auto child = startChild({"never-ready"});
    ASSERT_TRUE(child);
    EXPECT_TRUE((*child.*c.end)());
    EXPECT_EQ(waitForExit(*child), 128u + c.signal);
    EXPECT_FALSE(child->terminate());
    EXPECT_FALSE(child->kill());
  }
  // Ended but not yet asked about: still no signal.
  auto ended = startChild({"exit", "0"});
  ASSERT_TRUE(ended);
  ASSERT_TRUE(waitUntilUnreaped(ended->pid()));
  EXPECT_FALSE(ended->terminate());
  EXPECT_FALSE(ended->kill());
  EXPECT_EQ(ended->exitCode(), 0u);
}

TEST(ProcessTest, ChildThatNeverReportsReadyTimesOut) {
  auto child = startChild({"never-ready"});
  ASSERT_TRUE(child);
  EXPECT_FALSE(child->waitForInputIdle(300));
  EXPECT_EQ(child->exitCode(), STILL_ACTIVE) << "a time-out leaves the child alone";
  killChild(*child);
}

TEST(ProcessTest, ChildThatEndsBeforeReadyIsNotReady) {
  auto child = startChild({"exit", "0"});
  ASSERT_TRUE(child);
  EXPECT_FALSE(child->waitForInputIdle(30000));
}

TEST(ProcessTest, ReadyChildGetsItsPlacement) {
  std::string record = qn::testing::makeScratchDir("process") + "/record";
  auto child = startChild({"window", "TCaseF", "Case", record}, {120, 80, SW_SHOWDEFAULT});
  ASSERT_TRUE(child);
  ASSERT_TRUE(child->waitForInputIdle(30000));
  EXPECT_TRUE(waitForLine(record, "placement 120 80 10"));
  killChild(*child);
}

TEST(ProcessTest, PlacementIsNotHandedDown) {
  setenv("QN_STARTUP_X", "5", 1);
  setenv("QN_STARTUP_SHOW", "0", 1);
  EXPECT_EQ(startupPlacement().x, 5);
  EXPECT_EQ(startupPlacement().showWindow, SW_HIDE);
  EXPECT_FALSE(startupPlacement().y);

  std::string record = qn::testing::makeScratchDir("process") + "/record";
  auto child = startChild({"window", "TCaseF", "Case", record});
  ASSERT_TRUE(child);
  EXPECT_TRUE(waitForLine(record, "placement - - -"));
  killChild(*child);
}

TEST(ProcessTest, MissingProgramDoesNotStart) {
  EXPECT_FALSE(startProcess(qn::testing::makeScratchDir("process") + "/missing", {}));
  EXPECT_FALSE(startProcess("qn-no-such-program-anywhere", {}));
  EXPECT_FALSE(startDetached(qn::testing::makeScratchDir("process") + "/missing", {}));
}

TEST(ProcessTest, ProgramPathGoesThroughThePathService) {
  // The program builds paths with backslashes and its own letter case.
  std::string dir = qn::testing::makeScratchDir("Program");
  fs::copy_file(childProgramPath(), dir + "/QnChild");
  std::string windowsStyle = dir + "\\qnchild";
  auto child = startProcess(windowsStyle, {"exit", "3"});
  ASSERT_TRUE(child);
  EXPECT_EQ(waitForExit(*child), 3u);
}

bool waitForFile(const std::string& path) {
  for (int i = 0; i < 3000 && !fs::exists(path); ++i) usleep(10000);
  return fs::exists(path);
}

TEST(ProcessTest, DetachedProgramRunsOnItsOwn) {
  std::string marker = qn::testing::makeScratchDir("detached") + "/ran";
  ASSERT_TRUE(startDetached("/bin/sh", {"-c", "echo ran > \"$0\"", marker}));
  EXPECT_TRUE(waitForFile(marker));
}

TEST(ProcessTest, HiddenScriptRunsHidden) {
  std::string dir = qn::testing::makeScratchDir("script");
  std::ofstream(dir + "/temp1.bat") << "echo visible\necho ran > \"" << dir << "/ran\"\n";
  EXPECT_GT(runHiddenScript(dir + "\\TEMP1.BAT"), 32);
  EXPECT_TRUE(waitForFile(dir + "/ran"));
}

TEST(ProcessTest, HiddenScriptAnswersLikeTheShell) {
  std::string dir = qn::testing::makeScratchDir("script");
  EXPECT_EQ(runHiddenScript(dir + "/missing.bat"), 2);
  EXPECT_EQ(runHiddenScript(dir + "/no-folder/missing.bat"), 3);
}

TEST(ProcessTest, CommandLineSplitsLikeTheProgramBuildsIt) {
  struct Case {
    const char* line;
    std::vector<std::string> parts;
  };
  const Case cases[] = {
      {"C:\\Quillon\\qncases 250101** ", {"C:\\Quillon\\qncases", "250101**"}},
      {"  prog   a\tb  ", {"prog", "a", "b"}},
      {"\"C:\\Program Files\\x\" \"two words\" \"\"", {"C:\\Program Files\\x", "two words", ""}},
      {"a\"b c\"d", {"ab cd"}},
      {"", {}},
  };
  for (const Case& c : cases) EXPECT_EQ(splitCommandLine(c.line), c.parts) << c.line;
}

}  // namespace
