// Finding the case manager's window and starting a program through a hidden script.
#include "core/CompanionPrograms.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

#include <chrono>
#include <cstdlib>
#include <fstream>
#include <thread>
#include <vector>

#include "core/Globals.h"
#include "core/SettingKeys.h"
#include "platform/os/RegistryKey.h"
#include "platform/os/WindowRegistry.h"
#include "platform/os/tests/ChildProgram.h"
#include "testing/TestDirs.h"

namespace {

const char* const EntryCaption = "Quillon Case Manager Entry and Maintenance Module";

bool existsWithin(const std::string& path, int seconds) {
  const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(seconds);
  struct stat st{};
  while (std::chrono::steady_clock::now() < end) {
    if (::stat(path.c_str(), &st) == 0) return true;
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
  }
  return false;
}

TEST(CompanionPrograms, TheCaseManagerRunsWhileAnotherProcessHoldsItsEntryWindow) {
  EXPECT_FALSE(IsCaseManagerRunning());
  const std::string record = qn::testing::makeScratchDir("case-manager") + "/record";
  auto child = qn::os::testing::startChild({"window", "TEntryF", EntryCaption, record});
  ASSERT_TRUE(child);
  for (int i = 0; i < 200 && !qn::os::windowRegistry::find("TEntryF", EntryCaption); ++i)
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
  EXPECT_TRUE(IsCaseManagerRunning());
  qn::os::testing::killChild(*child);
}

TEST(CompanionPrograms, TheScriptRunsFromAFolderWhosePathHoldsABlankAndASemicolon) {
  const std::string folder = qn::testing::makeScratchDir("hidden batch") + "/look up;data";
  ASSERT_EQ(::mkdir(folder.c_str(), 0755), 0);
  LookupDataDir = folder;
  const std::string marker = folder + "/marker";
  RunHiddenBatch("echo ran > '" + marker + "'", "QN", "Starting the program failed.");
  // Split at the blank or the semicolon, the path would name no script at all.
  EXPECT_TRUE(existsWithin(marker, 10));
  std::ifstream script(folder + "/tempQN.bat");
  std::string line;
  std::getline(script, line);
  EXPECT_EQ(line, "echo ran > '" + marker + "'");
}

TEST(CompanionPrograms, AScriptThatCannotBeWrittenRaises) {
  LookupDataDir = qn::testing::makeScratchDir("no-folder") + "/missing";
  EXPECT_THROW(RunHiddenBatch("true", "QN", "Intro"), Exception);
}

TEST(CompanionPrograms, AProgramIsFoundInTheProgramFolderByItsValueAndMissingWithoutOne) {
  ProgramDir = "/opt/quillon";
  qn::os::RegistryKey registry(qn::os::HKEY_LOCAL_MACHINE);
  registry.DeleteKey(ProgramsKey);
  EXPECT_EQ(CompanionProgramPath("DelinquentTracking"), "") << "no key";
  ASSERT_TRUE(registry.OpenKey(ProgramsKey, true));
  registry.WriteString("DelinquentTracking", "qndelinq");
  registry.WriteString("Reporting", "  ");
  EXPECT_EQ(CompanionProgramPath("DelinquentTracking"), "/opt/quillon/qndelinq");
  EXPECT_EQ(CompanionProgramPath("Reporting"), "") << "a blank value names no file";
  EXPECT_EQ(CompanionProgramPath("ClientEntry"), "") << "no value";
}

std::vector<std::string> linesOf(const std::string& path) {
  std::ifstream in(path);
  std::vector<std::string> lines;
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  return lines;
}

TEST(CompanionPrograms, TheShellGetsEveryWordWholeAndRunsNothingInside) {
  const std::string folder = qn::testing::makeScratchDir("shell words");
  const std::string planted = folder + "/X";
  const std::vector<AnsiString> words = {"%s\\n", "O\"Brien; touch " + planted, "it's", "$(touch " + planted + ")",
                                         "`touch " + planted + "`", "two  blanks", "", "back\\slash", "*"};
  const std::string out = folder + "/words";
  const AnsiString line = ShellCommandLine("printf", words) + " > " + ShellCommandLine(out, {}) ;
  ASSERT_EQ(std::system(line.c_str()), 0) << line;
  const std::vector<std::string> printed = linesOf(out);
  ASSERT_EQ(printed.size(), words.size() - 1) << line;
  for (std::size_t i = 1; i < words.size(); ++i) EXPECT_EQ(printed[i - 1], words[i]);
  struct stat st{};
  EXPECT_NE(::stat(planted.c_str(), &st), 0) << "a word ran as a command";
}

}  // namespace
