// The launch script without a desktop session: it says what is missing and starts nothing.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <array>
#include <cstdio>
#include <string>

#include "core/FileDates.h"
#include "framework/base/DateTime.h"
#include "testing/TestDirs.h"

namespace {

struct ScriptRun {
  int exitCode = -1;
  std::string output;
};

ScriptRun runScript(const std::string& command) {
  ScriptRun run;
  FILE* pipe = popen((command + " 2>&1").c_str(), "r");
  if (!pipe) return run;
  std::array<char, 512> buffer;
  while (fgets(buffer.data(), buffer.size(), pipe)) run.output += buffer.data();
  const int status = pclose(pipe);
  run.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  return run;
}

TEST(LaunchScript, WithoutADesktopSessionItNamesDisplayAndEndsWithOne) {
  const std::string demo = qn::testing::makeScratchDir("demo");
  const ScriptRun run =
      runScript("env -u DISPLAY -u QT_QPA_PLATFORM " QN_SOURCE_DIR "/scripts/run-qncases '" + demo + "'");
  EXPECT_EQ(run.exitCode, 1);
  EXPECT_NE(run.output.find("needs a desktop session"), std::string::npos) << run.output;
  EXPECT_NE(run.output.find("DISPLAY"), std::string::npos) << run.output;
  EXPECT_NE(run.output.find("qnrecmgr"), std::string::npos) << "the way to read the data comes first";
}

TEST(LaunchScript, TheDateArgumentCountsYearsFrom1980) {
  // Read back from the first line the script prints: today in the record files' form, as the
  // program converts dates.
  const std::string demo = qn::testing::makeScratchDir("demo");
  const ScriptRun run = runScript("env -u DISPLAY -u QT_QPA_PLATFORM " QN_SOURCE_DIR "/scripts/run-qncases '" + demo +
                                  "' --calendar");
  AnsiString expected;
  DateToFileDate(true, expected, Date());
  expected += "d";
  EXPECT_NE(run.output.find(std::string("system date ") + expected), std::string::npos) << run.output;
  EXPECT_NE(run.output.find("docket calendar"), std::string::npos);
}

TEST(LaunchScript, AMatterNeedsItsClientAndSuffixAndIsAnnounced) {
  const std::string demo = qn::testing::makeScratchDir("demo");
  const std::string script = "env -u DISPLAY -u QT_QPA_PLATFORM " QN_SOURCE_DIR "/scripts/run-qncases '" + demo + "' ";
  struct Case {
    const char* arguments;
    int exitCode;
    const char* said;
  };
  for (const Case& c : {Case{"--matter ADAMS", 2, "usage:"}, Case{"--matter ADAMS 1 2", 2, "usage:"},
                        Case{"--calendar --matter ADAMS 1", 2, "usage:"}, Case{"--other", 2, "usage:"},
                        Case{"--matter ADAMS 1", 1, "client ADAMS: Tab takes the suffix 1"}}) {
    SCOPED_TRACE(c.arguments);
    const ScriptRun run = runScript(script + c.arguments);
    EXPECT_EQ(run.exitCode, c.exitCode) << run.output;
    EXPECT_NE(run.output.find(c.said), std::string::npos) << run.output;
  }
}

}  // namespace
