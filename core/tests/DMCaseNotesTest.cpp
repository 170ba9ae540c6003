// A matter's notes saved as 50-character lines from 31 on and read back.
#include <gtest/gtest.h>

#include "core/tests/DataModuleFixture.h"
#include "framework/ui/testing/ScriptedMessageBoxes.h"
#include "platform/recmgr/tests/ServeChild.h"

namespace {

using core_test::DataModuleFixture;
using qn::recmgr::testing::ServeChild;
using qn::ui::testing::ScriptedMessageBoxes;

const AnsiString kOldNotes = AnsiString("Old note one") + std::string(38, ' ') + "Old two";

// Text that shows where it was cut: blanks at line ends included (a blank ends every 50th place).
AnsiString notesOf(std::size_t length) {
  AnsiString text;
  for (std::size_t i = 0; i < length; ++i) text += i % 50 == 49 ? ' ' : static_cast<char>('a' + i % 26);
  text.back() = '.';
  return text;
}

class CaseNotes : public DataModuleFixture {
 protected:
  void SetUp() override {
    DataModuleFixture::SetUp();
    goToCase("ADAMS", "1");
  }
  AnsiString loaded() {
    AnsiString text;
    EXPECT_TRUE(dm->LoadCaseNotes(text));
    return text;
  }
  std::vector<std::string> adamsLines() {
    std::vector<std::string> lines;
    for (const std::string& row : rows("cdesc.qf;RES:CASEDESC", {"ClientCode", "CaseSuffix", "DescNum"}))
      if (row.rfind("ADAMS|      1|", 0) == 0) lines.push_back(row.substr(14));
    return lines;
  }
};

TEST_F(CaseNotes, TheNotesReadAreTheLinesFrom31WithoutTheReserveLine) {
  EXPECT_EQ(loaded(), kOldNotes);
  goToCase("BRIGHT", "1");
  AnsiString text = "left over";
  EXPECT_FALSE(dm->LoadCaseNotes(text));
  EXPECT_EQ(text, "");
}

TEST_F(CaseNotes, ThreeThousandCharactersAreStoredWholeAndTheReserveLineStays) {
  const AnsiString text = notesOf(3000);
  ScriptedMessageBoxes boxes;
  EXPECT_TRUE(dm->SaveCaseNotes("ADAMS", "1", text));
  EXPECT_EQ(loaded(), text);
  std::vector<std::string> expected = {"01", "02", "03", "20", "21"};
  for (int line = 31; line <= 90; ++line) expected.push_back(std::to_string(line));
  expected.push_back("99");
  EXPECT_EQ(adamsLines(), expected);
}

TEST_F(CaseNotes, AShorterTextReplacesTheOldLines) {
  EXPECT_TRUE(dm->SaveCaseNotes("ADAMS", "      1", "Short"));
  EXPECT_EQ(loaded(), "Short");
  EXPECT_EQ(adamsLines(), (std::vector<std::string>{"01", "02", "03", "20", "21", "31", "99"}));
  EXPECT_TRUE(dm->SaveCaseNotes("ADAMS", "1", ""));
  AnsiString text;
  EXPECT_FALSE(dm->LoadCaseNotes(text));
  EXPECT_EQ(adamsLines(), (std::vector<std::string>{"01", "02", "03", "20", "21", "99"}));
}

TEST_F(CaseNotes, NotesOfTheFilesLastMatterLeaveItsDescriptionLine) {
  // BRIGHT 1 is last in the file and has only description line 02: a search for its line 31
  // ends past the file's end.
  goToCase("BRIGHT", "1");
  EXPECT_TRUE(dm->SaveCaseNotes("BRIGHT", "1", "Bright's notes"));
  EXPECT_EQ(loaded(), "Bright's notes");
  std::vector<std::string> bright;
  for (const std::string& row : rows("cdesc.qf;RES:CASEDESC", {"ClientCode", "DescNum", "Descr"}))
    if (row.rfind("BRIGHT|", 0) == 0) bright.push_back(row);
  EXPECT_EQ(bright, (std::vector<std::string>{"BRIGHT|02|Bright's", "BRIGHT|31|Bright's notes"}));
}

TEST_F(CaseNotes, MoreThanThreeThousandCharactersAreRefusedAndTheOldNotesStay) {
  ScriptedMessageBoxes boxes;
  boxes.expect(mtError,
               "These notes are 3001 characters long; a case's notes hold at most 3000 characters.\r\r"
               "Please shorten them and save again.  The notes saved before are unchanged.");
  EXPECT_FALSE(dm->SaveCaseNotes("ADAMS", "1", notesOf(3001)));
  EXPECT_EQ(loaded(), kOldNotes);
}

TEST_F(CaseNotes, ANoteLineHeldByAnotherWorkstationFailsTheSaveAndTheOldNotesStay) {
  ServeChild other;
  ASSERT_EQ(other.status("open 0 " + dataDir + "/Cdesc.qf"), 0);
  // "ADAMS  " "      1" "32": the second note line, read with a single-record lock on key 1.
  ASSERT_EQ(other.status("read 0 205 1 4144414D53202020202020202031" "3332"), 0);
  ScriptedMessageBoxes boxes;
  boxes.expect(mtError, "Unable to save notes for this case.Please Call Vantor, Inc. for assistance.");
  EXPECT_FALSE(dm->SaveCaseNotes("ADAMS", "1", "New notes"));
  other.ask("close 0");
  EXPECT_EQ(loaded(), kOldNotes);
  EXPECT_FALSE(dm->CaseDescs_->Active());
}

}  // namespace
