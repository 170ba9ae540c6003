#include <gtest/gtest.h>
#include <sys/stat.h>

#include <fstream>
#include <sstream>
#include <vector>

#include "platform/os/FaultInjection.h"
#include "platform/os/IniFile.h"
#include "platform/os/MachineRoot.h"
#include "platform/os/ProfileFunctions.h"
#include "testing/TestDirs.h"
#include "testing/TestFiles.h"

namespace {
using namespace qn::os;

class IniFileTest : public ::testing::Test {
 protected:
  std::string path = qn::testing::makeScratchDir("ini") + "/Qnvantor.ini";
};

TEST_F(IniFileTest, ValuesAreKeptAsWrittenCommasIncluded) {
  qn::testing::writeFileText(path,
            "[Setup]\r\n"
            "WSID = 07 \r\n"
            "MainLexFiles=ssceam.tlx,ssceam2.clx\r\n"
            "Quoted=\"a, b\"\r\n"
            "Empty=\r\n");
  IniFile ini(path);
  EXPECT_EQ(ini.ReadString("Setup", "WSID", "WError"), "07");
  EXPECT_EQ(ini.ReadString("Setup", "MainLexFiles", ""), "ssceam.tlx,ssceam2.clx");
  EXPECT_EQ(ini.ReadString("Setup", "Quoted", ""), "\"a, b\"");
  EXPECT_EQ(ini.ReadString("Setup", "Empty", "default"), "");
  EXPECT_EQ(ini.ReadString("Setup", "Missing", "WError"), "WError");

  ini.WriteString("Setup", "UserLexFiles", "correct.tlx,userdic.tlx");
  EXPECT_EQ(IniFile(path).ReadString("SETUP", "userlexfiles", ""), "correct.tlx,userdic.tlx");
}

TEST_F(IniFileTest, NamesCompareWithoutCaseAndListingsKeepTheFilesSpelling) {
  qn::testing::writeFileText(path, "[Setup]\nWSID=07\nWsName=Front\n[intl]\niDate=1\n");
  IniFile ini(path);
  EXPECT_EQ(ini.ReadSections(), (std::vector<AnsiString>{"Setup", "intl"}));
  EXPECT_EQ(ini.ReadSection("SETUP"), (std::vector<AnsiString>{"WSID", "WsName"}));
  EXPECT_EQ(ini.ReadSectionValues("setup"), (std::vector<AnsiString>{"WSID=07", "WsName=Front"}));
  EXPECT_TRUE(ini.SectionExists("INTL"));
  EXPECT_FALSE(ini.SectionExists("Other"));
  EXPECT_TRUE(ini.ValueExists("Intl", "IDATE"));
  EXPECT_FALSE(ini.ValueExists("Setup", "iDate"));

  ini.WriteString("SETUP", "wsid", "08");
  EXPECT_EQ(ini.ReadSectionValues("Setup"), (std::vector<AnsiString>{"WSID=08", "WsName=Front"}))
      << "a rewritten key keeps its spelling and place";
}

TEST_F(IniFileTest, ChangesLeaveEverythingElseAsWritten) {
  const std::string original =
      "; workstation settings\r\n"
      "[Setup]\r\n"
      "WSID=07\r\n"
      "\r\n"
      "[Other]\r\n"
      "; keep me\r\n"
      "A=1\r\n";
  qn::testing::writeFileText(path, original);
  IniFile ini(path);
  ini.WriteString("Setup", "Printer", "Front Desk");
  ini.WriteInteger("New", "Count", -3);
  EXPECT_EQ(qn::testing::readFileText(path),
            "; workstation settings\r\n"
            "[Setup]\r\n"
            "WSID=07\r\n"
            "Printer=Front Desk\r\n"
            "\r\n"
            "[Other]\r\n"
            "; keep me\r\n"
            "A=1\r\n"
            "\r\n"
            "[New]\r\n"
            "Count=-3\r\n");

  ini.DeleteKey("setup", "PRINTER");
  ini.EraseSection("NEW");
  EXPECT_EQ(qn::testing::readFileText(path), original + "\r\n") << "only the blank line before the erased section stays";
  EXPECT_EQ(ini.ReadInteger("New", "Count", 42), 42);
}

TEST_F(IniFileTest, NumbersAndBooleans) {
  qn::testing::writeFileText(path, "[S]\nDec=-12\nHex=$1F\nHex2=0x10\nText=12 days\nBig=99999999999\n");
  IniFile ini(path);
  EXPECT_EQ(ini.ReadInteger("S", "Dec", 0), -12);
  EXPECT_EQ(ini.ReadInteger("S", "Hex", 0), 31);
  EXPECT_EQ(ini.ReadInteger("S", "Hex2", 0), 16);
  EXPECT_EQ(ini.ReadInteger("S", "Text", 5), 5) << "not a number: the default";
  EXPECT_EQ(ini.ReadInteger("S", "Big", 5), 5);

  ini.WriteBool("S", "soUpcase", true);
  ini.WriteBool("S", "soNumbers", false);
  EXPECT_EQ(ini.ReadString("S", "soUpcase", ""), "1");
  EXPECT_TRUE(ini.ReadBool("S", "soUpcase", false));
  EXPECT_FALSE(ini.ReadBool("S", "soNumbers", true));
  EXPECT_TRUE(ini.ReadBool("S", "Missing", true));
}

TEST_F(IniFileTest, AMissingFileReadsEmptyAndIsCreatedByAWrite) {
  IniFile ini(path);
  EXPECT_TRUE(ini.ReadSections().empty());
  EXPECT_EQ(ini.ReadString("Setup", "WSID", "WError"), "WError");
  ini.EraseSection("Setup");
  EXPECT_FALSE(std::ifstream(path).good()) << "erasing nothing writes nothing";
  ini.WriteString("Setup", "WSID", "07");
  EXPECT_EQ(qn::testing::readFileText(path), "[Setup]\nWSID=07\n");
}

TEST_F(IniFileTest, ABinaryFileIsRefusedAndLeftAsItIs) {
  const std::string garbage("[Setup]\nWSID=07\n\x00\x01\x02\xff", 20);
  qn::testing::writeFileText(path, garbage);
  IniFile ini(path);
  try {
    ini.ReadSections();
    ADD_FAILURE() << "binary data taken for an INI file";
  } catch (const IniFileError& e) {
    EXPECT_NE(std::string(e.what()).find(path), std::string::npos) << e.what();
    EXPECT_NE(std::string(e.what()).find("line 3"), std::string::npos) << e.what();
  }
  EXPECT_THROW(ini.WriteString("Setup", "WSID", "08"), IniFileError);
  EXPECT_EQ(qn::testing::readFileText(path), garbage);
}

TEST_F(IniFileTest, AnUnreadableFileIsRefused) {
  const std::string folder = qn::testing::makeScratchDir("ini-folder");
  EXPECT_THROW(IniFile(folder).ReadSections(), IniFileError) << "a folder is no INI file";
}

TEST_F(IniFileTest, ValuesThatWouldBreakTheirLineAreRefused) {
  IniFile ini(path);
  EXPECT_THROW(ini.WriteString("Setup", "WSID", "07\nX=1"), IniFileError);
  EXPECT_THROW(ini.WriteString("Setup", "A=B", "1"), IniFileError);
  EXPECT_THROW(ini.WriteString("Set]up", "A", "1"), IniFileError);
}

TEST_F(IniFileTest, EveryControlByteInAValueKeyOrSectionReadsBackOrIsRefused) {
  const std::string before = "[Setup]\nWSID=07\n";
  std::vector<unsigned char> bytes;
  for (unsigned c = 0; c < 0x20; ++c) bytes.push_back(static_cast<unsigned char>(c));
  bytes.push_back(0x7F);
  enum class Part { value, key, section };
  for (const Part part : {Part::value, Part::key, Part::section}) {
    for (const unsigned char c : bytes) {
      SCOPED_TRACE(::testing::Message() << "part " << static_cast<int>(part) << ", byte " << static_cast<int>(c));
      qn::testing::writeFileText(path, before);
      const std::string odd = std::string("a") + static_cast<char>(c) + "b";
      const std::string section = part == Part::section ? odd : "Setup";
      const std::string key = part == Part::key ? odd : "Name";
      const std::string value = part == Part::value ? odd : "v";
      IniFile ini(path);
      bool refused = false;
      try {
        ini.WriteString(section, key, value);
      } catch (const IniFileError&) {
        refused = true;
      }
      if (refused) {
        EXPECT_EQ(qn::testing::readFileText(path), before) << "a refused write changed the file";
      } else {
        EXPECT_EQ(ini.ReadString(section, key, "missing"), value);
      }
      EXPECT_EQ(ini.ReadString("Setup", "WSID", ""), "07") << "the file no longer reads";
    }
  }
}

TEST_F(IniFileTest, AKeyOrSectionTwiceReadsTheFirstAndAWriteChangesOnlyTheFirst) {
  qn::testing::writeFileText(path, "[Setup]\nWSID=07\nWSID=08\n[Other]\nA=1\n[SETUP]\nWSID=09\nName=Front\n");
  IniFile ini(path);
  EXPECT_EQ(ini.ReadString("Setup", "WSID", ""), "07");
  EXPECT_EQ(ini.ReadString("Setup", "Name", ""), "Front") << "a later section of the name still counts";
  ini.WriteString("setup", "wsid", "10");
  EXPECT_EQ(qn::testing::readFileText(path),
            "[Setup]\nWSID=10\nWSID=08\n[Other]\nA=1\n[SETUP]\nWSID=09\nName=Front\n");
  EXPECT_EQ(ini.ReadString("Setup", "WSID", ""), "10");
}

TEST_F(IniFileTest, AFailedFlushRaisesAndLeavesTheOldContent) {
  qn::testing::writeFileText(path, "[Setup]\nWSID=07\n");
  injectFault(Fault::TemporaryFlush);
  EXPECT_THROW(IniFile(path).WriteString("Setup", "WSID", "08"), IniFileError);
  EXPECT_EQ(qn::testing::readFileText(path), "[Setup]\nWSID=07\n");
}

TEST_F(IniFileTest, TheNextWriterRemovesTemporariesAKilledWriterLeft) {
  qn::testing::writeFileText(path, "[Setup]\nWSID=07\n");
  // A writer killed between writing its temporary and renaming it leaves one behind.
  const std::string stale = path + ".tmp-999999-3";
  const std::vector<std::string> kept = {path + ".tmp-x-3", path + ".tmp-999999-", path + "x.tmp-1-1",
                                         path + ".tmp-1-1.bak"};
  qn::testing::writeFileText(stale, "[Setup]\nWS");
  for (const std::string& k : kept) qn::testing::writeFileText(k, "not ours");
  IniFile(path).WriteString("Setup", "WSID", "08");
  struct stat st;
  EXPECT_NE(::stat(stale.c_str(), &st), 0) << "the stale temporary stayed";
  for (const std::string& k : kept) EXPECT_EQ(::stat(k.c_str(), &st), 0) << k;
  EXPECT_EQ(qn::testing::readFileText(path), "[Setup]\nWSID=08\n");
}

TEST_F(IniFileTest, NamesWithBlanksAroundThemMeanTheNamesTheFileHolds) {
  // The file's names are read without the blanks around them; names asked for are taken the same
  // way, so a write changes the line a read finds instead of adding one no read ever finds.
  qn::testing::writeFileText(path, "[ Setup ]\nWSID = 07\n");
  IniFile ini(path);
  EXPECT_EQ(ini.ReadString(" Setup", "WSID ", ""), "07");
  EXPECT_TRUE(ini.ValueExists("Setup ", " wsid"));
  EXPECT_EQ(ini.ReadSection(" setup ").size(), 1u);
  ini.WriteString("Setup ", " WSID", "08");
  ini.WriteString(" Setup", "WSID  ", "09");
  EXPECT_EQ(qn::testing::readFileText(path), "[ Setup ]\nWSID=09\n");
  ini.DeleteKey(" SETUP ", " wsid ");
  ini.EraseSection("  setup");
  EXPECT_EQ(qn::testing::readFileText(path), "");
}

TEST_F(IniFileTest, KeysNoReadCouldFindAreRefused) {
  // Such a line would be blank, a comment or a section header: the value would be lost.
  qn::testing::writeFileText(path, "[Setup]\nWSID=07\n");
  IniFile ini(path);
  for (const char* key : {"", "  ", "[Printer", " ;Printer"}) {
    EXPECT_THROW(ini.WriteString("Setup", key, "Front"), IniFileError) << "\"" << key << "\"";
    EXPECT_FALSE(writePrivateProfileString("Setup", key, "Front", path)) << "\"" << key << "\"";
  }
  EXPECT_EQ(qn::testing::readFileText(path), "[Setup]\nWSID=07\n");
}

TEST_F(IniFileTest, AReadOnlyFileIsNotRewritten) {
  qn::testing::writeFileText(path, "[Setup]\nWSID=07\n");
  ASSERT_EQ(::chmod(path.c_str(), 0444), 0);
  EXPECT_THROW(IniFile(path).WriteString("Setup", "WSID", "08"), IniFileError);
  EXPECT_FALSE(writePrivateProfileString("Setup", "WSID", "08", path));
  EXPECT_THROW(IniFile(path).EraseSection("Setup"), IniFileError);
  EXPECT_EQ(qn::testing::readFileText(path), "[Setup]\nWSID=07\n");
}

TEST(ProfileFunctionsTest, BareNamesLiveInTheWindowsFolder) {
  qn::testing::writeFileText(windowsDir() + "/win.ini", "[intl]\niDate=1\nsShortDate=dd/MM/yyyy\n");
  EXPECT_EQ(getProfileInt("INTL", "iDATE", 0), 1);
  EXPECT_EQ(getProfileInt("INTL", "iTime", 7), 7);
  EXPECT_EQ(getProfileInt("INTL", "sShortDate", 7), 0) << "a value that is no number";

  EXPECT_TRUE(writePrivateProfileString("Setup", "WSID", "07", "Qnvantor.ini"));
  EXPECT_EQ(qn::testing::readFileText(windowsDir() + "/Qnvantor.ini"), "[Setup]\nWSID=07\n");
  EXPECT_EQ(getPrivateProfileString("setup", "wsid", "WError", "Qnvantor.ini"), "07");
  EXPECT_EQ(getPrivateProfileInt("Setup", "WSID", -1, "Qnvantor.ini"), 7);
  const std::pair<const char*, int> numbers[] = {{"2147483647", INT32_MAX}, {"2147483648", INT32_MAX},
                                                 {"-2147483648", INT32_MIN}, {"-99999999999", INT32_MIN},
                                                 {"-12x", -12}};
  for (const auto& [text, number] : numbers) {
    ASSERT_TRUE(writePrivateProfileString("Setup", "N", text, "Qnvantor.ini"));
    EXPECT_EQ(getPrivateProfileInt("Setup", "N", 0, "Qnvantor.ini"), number) << text;
  }

  const std::string elsewhere = qn::testing::makeScratchDir("profile") + "/VORLEX.CFG";
  EXPECT_TRUE(writePrivateProfileString("Main", "ID", "1", elsewhere));
  EXPECT_EQ(getPrivateProfileString("Main", "ID", "", elsewhere), "1");
  EXPECT_FALSE(writePrivateProfileString("Main", "ID", "1", "/proc/no-such-folder/x.ini"));
}

}  // namespace

namespace {
using namespace qn::os;

class IniSectionRewriteTest : public ::testing::Test {
 protected:
  std::string path = qn::testing::makeScratchDir("ini-rewrite") + "/userdic.tlx";
};

TEST_F(IniSectionRewriteTest, EditsSeeTheFileAsItIsAndOnlyTheirSectionsChange) {
  qn::testing::writeFileText(path,
                             "; words\r\n"
                             "[Added]\r\n"
                             "IGN_ListCount=1\r\n"
                             "; a comment inside goes with the rewrite\r\n"
                             "IGN_0=alpha\r\n"
                             "\r\n"
                             "[Other]\r\n"
                             "A=1\r\n"
                             "[added]\r\n"
                             "Late=x\r\n");
  IniFile ini(path);
  std::vector<IniEntries> seen;
  ini.RewriteSections({"ADDED", "Auto Correct"}, [&](std::vector<IniEntries>& lists) {
    seen = lists;
    lists[0] = {{"IGN_ListCount", "2"}, {"IGN_0", "alpha"}, {"IGN_1", "beta"}};
    lists[1] = {{"AC_ListCount", "1"}, {"AC_0", "teh@@@the"}};
  });
  ASSERT_EQ(seen.size(), 2u);
  EXPECT_EQ(seen[0], (IniEntries{{"IGN_ListCount", "1"}, {"IGN_0", "alpha"}, {"Late", "x"}}));
  EXPECT_TRUE(seen[1].empty());
  EXPECT_EQ(qn::testing::readFileText(path),
            "; words\r\n"
            "[Added]\r\n"
            "IGN_ListCount=2\r\n"
            "IGN_0=alpha\r\n"
            "IGN_1=beta\r\n"
            "\r\n"
            "[Other]\r\n"
            "A=1\r\n"
            "\r\n"
            "[Auto Correct]\r\n"
            "AC_ListCount=1\r\n"
            "AC_0=teh@@@the\r\n");

  ini.RewriteSections({"Added"}, [](std::vector<IniEntries>& lists) { lists[0].clear(); });
  EXPECT_FALSE(ini.SectionExists("Added")) << "a section left empty is removed";
  EXPECT_EQ(ini.ReadString("Other", "A", ""), "1");
}

TEST_F(IniSectionRewriteTest, ManyEntriesAreOneRewriteAndAnUnchangedEditWritesNothing) {
  IniFile ini(path);
  ini.RewriteSections({"Added"}, [](std::vector<IniEntries>& lists) {
    for (int i = 0; i < 5000; ++i) lists[0].push_back({"IGN_" + std::to_string(i), "word" + std::to_string(i)});
  });
  EXPECT_EQ(ini.ReadSection("Added").size(), 5000u);
  EXPECT_EQ(ini.ReadString("Added", "IGN_4999", ""), "word4999");

  // A failed flush would show: nothing is written when nothing changed.
  injectFault(Fault::TemporaryFlush);
  ini.RewriteSections({"Added"}, [](std::vector<IniEntries>&) {});
  EXPECT_TRUE(takeInjectedFault(Fault::TemporaryFlush)) << "an edit that changed nothing rewrote the file";
}

TEST_F(IniSectionRewriteTest, AnEntryItsLineCannotHoldLeavesTheFileAsItWas) {
  qn::testing::writeFileText(path, "[Added]\nIGN_0=alpha\n");
  IniFile ini(path);
  for (IniEntry bad : {IniEntry{"IGN_1", "two\nlines"}, IniEntry{"a=b", "x"}, IniEntry{"[Section", "x"},
                       IniEntry{"; note", "x"}, IniEntry{"", "x"}}) {
    EXPECT_THROW(ini.RewriteSections({"Added", "Auto Correct"},
                                     [&](std::vector<IniEntries>& lists) {
                                       lists[1].push_back({"AC_0", "fine"});
                                       lists[0].push_back(bad);
                                     }),
                 IniFileError)
        << bad.name;
    EXPECT_EQ(qn::testing::readFileText(path), "[Added]\nIGN_0=alpha\n");
  }
}

}  // namespace
