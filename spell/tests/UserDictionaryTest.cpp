#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <thread>

#include "framework/ui/testing/ScriptedMessageBoxes.h"
#include "platform/os/ExecutablePath.h"
#include "platform/os/FaultInjection.h"
#include "platform/os/IniFile.h"
#include "platform/os/Process.h"
#include "spell/UserDictionary.h"
#include "testing/TestDirs.h"
#include "testing/TestFiles.h"

namespace {

std::vector<AnsiString> lines(const TStrings& list) {
  std::vector<AnsiString> out;
  for (int i = 0; i < list.Count(); ++i) out.push_back(list[i]);
  return out;
}

class UserDictionaryTest : public ::testing::TestWithParam<const char*> {
 protected:
  std::string dir = qn::testing::makeScratchDir("user-dictionary");
  std::string path = dir + "/" + GetParam();
};

TEST_P(UserDictionaryTest, WordsAndAutoCorrectPairsRoundTrip) {
  {
    TUserDictionary dictionary(path);
    EXPECT_TRUE(dictionary.Loaded());
    EXPECT_EQ(dictionary.Words().Count(), 0) << "a missing file is an empty dictionary";
    dictionary.AddWord("Quillon");
    dictionary.AddWord("docket");
    dictionary.AddWord("DOCKET");
    dictionary.AddAutoCorrect("teh", "the");
    dictionary.AddAutoCorrect("arrow", "a@@@b@@@c");
    dictionary.AddAutoCorrect("TEH", "then");
    EXPECT_TRUE(dictionary.Modified());
  }  // saved on destruction
  EXPECT_EQ(qn::os::IniFile(path).ReadString("Added", "IGN_ListCount", ""), "2");
  EXPECT_EQ(qn::os::IniFile(path).ReadString("Auto Correct", "AC_0", ""), "teh@@@then");

  TUserDictionary again(path);
  EXPECT_EQ(lines(again.Words()), (std::vector<AnsiString>{"docket", "Quillon"}));
  EXPECT_TRUE(again.IsKnownWord("QUILLON"));
  EXPECT_FALSE(again.IsKnownWord("Quill"));
  EXPECT_EQ(again.AutoCorrection("Teh"), "then");
  EXPECT_EQ(again.AutoCorrection("arrow"), "a@@@b@@@c") << "everything after the first mark";
  EXPECT_EQ(again.AutoCorrection("the"), "");
  EXPECT_FALSE(again.Modified());
}

TEST_P(UserDictionaryTest, AdditionsTakenBackAreNotSaved) {
  {
    TUserDictionary dictionary(path);
    dictionary.AddWord("kept");
    dictionary.Save();
  }
  const std::string saved = qn::testing::readFileText(path);
  {
    TUserDictionary dictionary(path);
    dictionary.AddWord("undone");
    dictionary.AddAutoCorrect("recieve", "receive");
    dictionary.RemoveWord("undone");
    dictionary.RemoveAutoCorrect("recieve");
    EXPECT_FALSE(dictionary.IsKnownWord("undone"));
    EXPECT_EQ(dictionary.AutoCorrection("recieve"), "");
    dictionary.Close();
    EXPECT_FALSE(dictionary.Loaded());
  }
  TUserDictionary again(path);
  EXPECT_EQ(lines(again.Words()), (std::vector<AnsiString>{"kept"}));
  EXPECT_EQ(again.AutoCorrectWords().Count(), 0);
  EXPECT_EQ(qn::testing::readFileText(path).find("undone"), std::string::npos);
}

TEST_P(UserDictionaryTest, FiveThousandWordsSaveAndLoadBackEqual) {
  std::vector<AnsiString> words;
  {
    TUserDictionary dictionary(path);
    for (int i = 0; i < 5000; ++i) dictionary.AddWord("word" + std::to_string(100000 + i));
    words = lines(dictionary.Words());
    ASSERT_TRUE(dictionary.Save());
  }
  TUserDictionary again(path);
  EXPECT_EQ(lines(again.Words()), words);
}

INSTANTIATE_TEST_SUITE_P(IniForms, UserDictionaryTest, ::testing::Values("default.udt", "userdic.tlx", "Correct.TLX"));

TEST(PlainUserDictionaryTest, ADicListIsReadAndNeverWritten) {
  const std::string path = qn::testing::makeScratchDir("plain-dictionary") + "/Legal.DIC";
  const std::string text = "habeas\r\ncorpus\n\nvoir\n";
  qn::testing::writeFileText(path, text);
  {
    TUserDictionary dictionary(path);
    EXPECT_TRUE(dictionary.PlainList());
    EXPECT_EQ(lines(dictionary.Words()), (std::vector<AnsiString>{"corpus", "habeas", "voir"}));
    EXPECT_TRUE(dictionary.IsKnownWord("Habeas"));
    dictionary.AddWord("dire");
    dictionary.AddAutoCorrect("teh", "the");
    dictionary.RemoveWord("voir");
    EXPECT_FALSE(dictionary.IsKnownWord("dire"));
    EXPECT_TRUE(dictionary.Save());
    dictionary.Close();
  }
  EXPECT_EQ(qn::testing::readFileText(path), text);
}

TEST(UnwritableUserDictionaryTest, TheWordsStayInMemoryAndTheUserIsToldOnce) {
  const std::string dir = qn::testing::makeScratchDir("unwritable-dictionary");
  const std::string path = dir + "/userdic.tlx";
  // Root writes into read-only folders, so there a failed write is injected instead.
  const bool root = ::geteuid() == 0;
  ::chmod(dir.c_str(), 0555);
  {
    qn::ui::testing::ScriptedMessageBoxes boxes;
    boxes.expect(mtInformation, "Unable to save the spelling settings to " + path + ".");
    TUserDictionary dictionary(path);
    dictionary.AddWord("Quillon");
    if (root) qn::os::injectFault(qn::os::Fault::TemporaryFlush);
    EXPECT_FALSE(dictionary.Save());
    EXPECT_TRUE(dictionary.Modified());
    if (root) qn::os::injectFault(qn::os::Fault::TemporaryFlush);
    dictionary.Close();
    EXPECT_TRUE(dictionary.Loaded()) << "kept, with its words";
    EXPECT_TRUE(dictionary.IsKnownWord("Quillon"));
    if (root) qn::os::injectFault(qn::os::Fault::TemporaryFlush);
  }  // the last try, on destruction, is silent too
  ::chmod(dir.c_str(), 0755);
  EXPECT_FALSE(std::filesystem::exists(path));
}

// The case and the calendar instance of a workstation share the program folder's userdic.tlx:
// each one's save keeps what the other added meanwhile.
TEST(SharedUserDictionaryTest, TwoProgramsAddingWordsToOneFileKeepBoth) {
  const std::string path = qn::testing::makeScratchDir("shared-dictionary") + "/userdic.tlx";
  {
    TUserDictionary first(path);
    first.AddWord("shared");
    ASSERT_TRUE(first.Save());
  }
  TUserDictionary mine(path);
  auto child = qn::os::startProcess(qn::os::runningProgramFolder() + "/qn-spell-user-dictionary-child",
                                    {path, "calendar", "docket"});
  ASSERT_NE(child, nullptr);
  std::optional<std::uint32_t> code;
  for (int i = 0; i < 1000 && (code = child->exitCode()) == qn::os::STILL_ACTIVE; ++i)
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  ASSERT_EQ(code, 0u);

  mine.AddWord("matter");
  mine.RemoveWord("shared");
  ASSERT_TRUE(mine.Save());
  EXPECT_EQ(lines(mine.Words()), (std::vector<AnsiString>{"calendar", "docket", "matter"}));
  TUserDictionary reread(path);
  EXPECT_EQ(lines(reread.Words()), (std::vector<AnsiString>{"calendar", "docket", "matter"}));
}

}  // namespace
