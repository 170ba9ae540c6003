#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

#include "platform/os/ExecutablePath.h"
#include "recordmgr/BtrieveEngine.h"
#include "recordmgr/BtrieveError.h"
#include "recordmgr/WinBtr.h"
#include "recordmgr/tests/EngineFiles.h"
#include "recordmgr/tests/RecordingLog.h"
#include "testing/TestDirs.h"

namespace {

using namespace recordingtest;

// The loaded library is the whole process's: each story runs in a child process of its own, so
// it starts with nothing loaded whatever ran before it.
#define EXPECT_IN_FRESH_PROCESS(story)                                                          \
  EXPECT_EXIT(                                                                                  \
      {                                                                                         \
        story;                                                                                  \
        std::_Exit(::testing::Test::HasFailure() ? 1 : 0);                                      \
      },                                                                                        \
      ::testing::ExitedWithCode(0), "")

int16_t anyRecordCall() {
  uint8_t position[128] = {};
  uint16_t length = 0;
  char key[256] = {};
  return CallBtrieve(1, position, nullptr, &length, key, 255, 0);
}

size_t initCalls() {
  size_t count = 0;
  for (const RecordedCall& call : recordedCalls()) count += call.entry == RecordedEntry::Init;
  return count;
}

size_t stopCalls() {
  size_t count = 0;
  for (const RecordedCall& call : recordedCalls()) count += call.entry == RecordedEntry::Stop;
  return count;
}

TEST(BtrieveEngineTest, MissingLibraryIsNotLoaded) {
  EXPECT_IN_FRESH_PROCESS({
    EXPECT_EQ(LoadBtrieveEngine("", "NOSUCHENGINE.DLL"), 20);
    EXPECT_EQ(anyRecordCall(), 20);
    EXPECT_EQ(UnloadBtrieveEngine(), 0);
  });
}

TEST(BtrieveEngineTest, LibraryLackingAnEntryPointIsNotLoaded) {
  // The library's record calls answer 0; none of them may be reached.
  EXPECT_IN_FRESH_PROCESS({
    EXPECT_EQ(LoadBtrieveEngine("", "LACKSINITWBTRV.DLL"), 20);
    EXPECT_EQ(anyRecordCall(), 20);
    EXPECT_EQ(UnloadBtrieveEngine(), 0);
  });
}

TEST(BtrieveEngineTest, UnloadingWithoutALoadAnswersZero) {
  EXPECT_IN_FRESH_PROCESS({
    EXPECT_EQ(UnloadBtrieveEngine(), 0);
    EXPECT_EQ(anyRecordCall(), 20);
  });
}

TEST(BtrieveEngineTest, CallObjectWithoutALibraryRaisesInactive) {
  EXPECT_IN_FRESH_PROCESS({
    TWinBtr btr;
    try {
      btr.Open("YCASE.QF", nullptr, 0);
      ADD_FAILURE() << "opened without a record manager";
    } catch (const EBtrieveEngineError& error) {
      EXPECT_EQ(error.BtrieveStatus(), 20);
      EXPECT_EQ(error.KeyText(), "YCASE.QF");
    }
    btr.Stop();
    EXPECT_EQ(btr.Status, 20);
  });
}

TEST(BtrieveEngineTest, LibraryNameInAnyLetterCaseFindsTheProgramFolderCopy) {
  for (const char* name : {"RECWBTRV.DLL", "recwbtrv.dll", "RecWbtrv.Dll"}) {
    EXPECT_IN_FRESH_PROCESS({
      LoadBtrieveEngine("", name);
      // The recording library saw its start call, so it is the one loaded.
      EXPECT_EQ(initCalls(), 1u) << name;
    });
  }
}

class BtrieveEngineWithRecordManagerTest : public ::testing::Test {};

TEST_F(BtrieveEngineWithRecordManagerTest, LoadingTwiceStartsTwiceAndLoadsOnce) {
  EXPECT_IN_FRESH_PROCESS({
    EXPECT_EQ(LoadBtrieveEngine("", "RECWBTRV.DLL"), 0);
    // Already running: the session counts 1016 as success.
    EXPECT_EQ(LoadBtrieveEngine("", "RECWBTRV.DLL"), 1016);
    // Both starts reached the one library: a second load would have begun a new log.
    EXPECT_EQ(initCalls(), 2u);
  });
}

TEST_F(BtrieveEngineWithRecordManagerTest, StopThenLoadAgain) {
  EXPECT_IN_FRESH_PROCESS({
    ASSERT_EQ(LoadBtrieveEngine("", "RECWBTRV.DLL"), 0);
    const std::string file = qn::testing::makeScratchDir("stop-load") + "/ITEMS.DAT";
    createRecordFile(file, 16, {{1, 4, 0}});
    TWinBtr btr;
    btr.Open(file.c_str(), nullptr, 0);

    EXPECT_EQ(UnloadBtrieveEngine(), 0);
    EXPECT_EQ(stopCalls(), 1u);
    EXPECT_EQ(UnloadBtrieveEngine(), 0);
    EXPECT_EQ(stopCalls(), 1u) << "a stopped record manager is not stopped again";

    try {
      btr.GetFirst();
      ADD_FAILURE() << "a record call after the stop succeeded";
    } catch (const EBtrieveEngineError& error) {
      EXPECT_EQ(error.BtrieveStatus(), 20);
    }
    btr.Stop();
    EXPECT_EQ(btr.Status, 0);

    EXPECT_EQ(LoadBtrieveEngine("", "RECWBTRV.DLL"), 0);
    TWinBtr again;
    again.Open(file.c_str(), nullptr, 0);
    uint16_t length = 0;
    again.GetRecordLength(length);
    EXPECT_EQ(length, 16);
  });
}

TEST_F(BtrieveEngineWithRecordManagerTest, NoLibraryNameMeansTheDefaultLibrary) {
  for (const char* name : {"", static_cast<const char*>(nullptr)}) {
    EXPECT_IN_FRESH_PROCESS({
      EXPECT_EQ(LoadBtrieveEngine("", name), 0);
      EXPECT_EQ(anyRecordCall(), 3);  // the record manager's answer for a block never opened
    });
  }
}

TEST_F(BtrieveEngineWithRecordManagerTest, LibrariesOutsideTheProgramFolderComeThroughTheSystemSearch) {
  namespace fs = std::filesystem;
  // A folder the system searches (fixed when a process starts, so the stories re-run the test
  // program): a library found nowhere else, and a copy of a program-folder library that must not
  // be the one taken.
  const std::string dir = qn::testing::makeScratchDir("library-search");
  fs::copy_file(programFolder() + "/librecwbtrv.so", dir + "/libelsewhere.so");
  fs::create_symlink(programFolder() + "/libwbtrv32.so", dir + "/libwbtrv32.so");
  fs::copy_file(programFolder() + "/liblacksinitwbtrv.so", dir + "/librecwbtrv.so");
  const char* previous = std::getenv("LD_LIBRARY_PATH");
  const std::string saved = previous ? previous : "";
  setenv("LD_LIBRARY_PATH", dir.c_str(), 1);
  GTEST_FLAG_SET(death_test_style, "threadsafe");

  EXPECT_EXIT(std::_Exit(LoadBtrieveEngine("", "Elsewhere.DLL") == 0 ? 0 : 1), ::testing::ExitedWithCode(0), "");
  EXPECT_EXIT(std::_Exit(LoadBtrieveEngine("", "RECWBTRV.DLL") == 0 ? 0 : 1), ::testing::ExitedWithCode(0), "");

  if (previous)
    setenv("LD_LIBRARY_PATH", saved.c_str(), 1);
  else
    unsetenv("LD_LIBRARY_PATH");
}

TEST_F(BtrieveEngineWithRecordManagerTest, AProgramStandingInAnotherFolderLoadsTheLibrariesBesideIt) {
  namespace fs = std::filesystem;
  // The other program folder holds the recording library under a name only it has and, under the
  // recording library's own name, one that lacks an entry point: the real program folder's copy
  // must not be the one taken.
  const std::string dir = qn::testing::makeScratchDir("other-program-folder");
  fs::copy_file(programFolder() + "/librecwbtrv.so", dir + "/libbesideprogram.so");
  fs::create_symlink(programFolder() + "/libwbtrv32.so", dir + "/libwbtrv32.so");
  fs::copy_file(programFolder() + "/liblacksinitwbtrv.so", dir + "/librecwbtrv.so");
  const struct {
    const char* library;
    int16_t status;
  } cases[] = {{"BesideProgram.DLL", 0}, {"RECWBTRV.DLL", 20}};
  for (const auto& c : cases) {
    EXPECT_IN_FRESH_PROCESS({
      qn::os::ExecutablePathOverride program(dir + "/qncases");
      EXPECT_EQ(LoadBtrieveEngine("", c.library), c.status) << c.library;
    });
  }
}

}  // namespace
