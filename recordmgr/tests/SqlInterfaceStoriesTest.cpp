// The SQL driver meeting a recording interface, an interface lacking names, and no interface:
// each story runs in a child process started from a copy of the stories program, in a scratch
// folder holding just that interface beside the record manager's library.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <array>
#include <cstdio>
#include <filesystem>
#include <string>

#include "platform/sqlif/tests/SqlInterfaceApi.h"
#include "testing/TestDirs.h"

namespace {

namespace fs = std::filesystem;

struct StoryRun {
  int exitCode = -1;
  std::string output;
};

// The stories program in a folder of its own with the record manager, the database tool, the
// names library when a statement library is given, and that library as libwssql32.so.
std::string storyFolder(const char* statementLibrary) {
  const fs::path folder = qn::testing::makeScratchDir("story");
  const fs::path bin = qn::sqlif::testing::programFolder();
  fs::copy_file(QN_SQL_STORIES, folder / "sql-stories");
  fs::create_symlink(bin / "libwbtrv32.so", folder / "libwbtrv32.so");
  fs::create_symlink(bin / "qnsqlif", folder / "qnsqlif");
  if (statementLibrary != nullptr) {
    fs::create_symlink(statementLibrary, folder / "libwssql32.so");
    fs::create_symlink(bin / "libwdbnm32.so", folder / "libwdbnm32.so");
  }
  return folder;
}

StoryRun runStories(const std::string& folder, const std::string& filter) {
  const std::string command = "cd '" + folder + "' && QN_SQL_CALL_LOG='" + folder + "/calls.log' ./sql-stories" +
                              " --gtest_filter='" + filter + "' 2>&1";
  StoryRun run;
  FILE* pipe = ::popen(command.c_str(), "r");
  if (pipe == nullptr) return run;
  std::array<char, 4096> chunk;
  while (size_t n = std::fread(chunk.data(), 1, chunk.size(), pipe)) run.output.append(chunk.data(), n);
  const int status = ::pclose(pipe);
  run.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  return run;
}

void expectPassed(const StoryRun& run, const char* suite) {
  EXPECT_EQ(run.exitCode, 0) << run.output;
  // The filter found the stories: a run of none would pass as well.
  EXPECT_NE(run.output.find(std::string("[       OK ] ") + suite), std::string::npos) << run.output;
}

TEST(SqlInterfaceStories, CallsSeenThroughARecordingInterface) {
  expectPassed(runStories(storyFolder(QN_RECORDING_SQLIF), "RecordedStory.*"), "RecordedStory");
}

TEST(SqlInterfaceStories, WithoutAnInterface) {
  expectPassed(runStories(storyFolder(nullptr), "AbsentInterfaceStory.*"), "AbsentInterfaceStory");
}

TEST(SqlInterfaceStories, WithAnInterfaceLackingTwoNames) {
  expectPassed(runStories(storyFolder(QN_LACKING_SQLIF), "LackingInterfaceStory.*"), "LackingInterfaceStory");
}

}  // namespace
