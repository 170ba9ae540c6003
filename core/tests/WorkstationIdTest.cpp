#include "core/WorkstationId.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "core/Globals.h"
#include "framework/ui/Application.h"
#include "framework/ui/testing/ScriptedMessageBoxes.h"

namespace {

using qn::ui::testing::ScriptedMessageBoxes;

const AnsiString kContact = "\r\rPlease contact Vantor, Inc. for assistance.";
const AnsiString kNoSetup =
    "Initialization file could not be read or is not in the proper format.\r\rThis program will be terminated." +
    kContact;
const AnsiString kNoWsid = "WSID variable is missing from the Initialization file.\r\rThis program will be terminated." + kContact;

class WorkstationIdTest : public ::testing::Test {
 protected:
  void SetUp() override {
    std::filesystem::remove(WorkstationIniPath());
    WorkstationId = "--";
    ASSERT_FALSE(Application->Terminated());
  }
  void writeIni(const std::string& text) { std::ofstream(WorkstationIniPath(), std::ios::binary) << text; }
};

TEST_F(WorkstationIdTest, TheFileIsQnvantorIniInTheWindowsFolder) {
  EXPECT_EQ(std::filesystem::path(WorkstationIniPath()).filename(), "Qnvantor.ini");
  EXPECT_EQ(std::filesystem::path(WorkstationIniPath()).parent_path().filename(), "windows");
}

TEST_F(WorkstationIdTest, TheFirstTwoCharactersOfWsid) {
  writeIni("[Other]\r\nWSID=99\r\n[Setup]\r\nName=x\r\nWSID=07\r\n");
  ReadWorkstationId();
  EXPECT_EQ(WorkstationId, "07");
  writeIni("[Setup]\r\nWSID=ABCD\r\n");
  ReadWorkstationId();
  EXPECT_EQ(WorkstationId, "AB");
  EXPECT_FALSE(Application->Terminated());
}

struct WsidRow {
  const char* name;
  const char* wsid;
  const char* id;  // nullptr: refused
};

class WorkstationIdLength : public WorkstationIdTest, public ::testing::WithParamInterface<WsidRow> {};

// Every workstation without a two-character ID would share the per-workstation files.
TEST_P(WorkstationIdLength, AnIdThatIsNotTwoCharactersAfterTrimmingIsRefused) {
  const WsidRow& row = GetParam();
  writeIni(std::string("[Setup]\r\nWSID=") + row.wsid + "\r\n");
  ScriptedMessageBoxes boxes;
  if (!row.id) boxes.expect(mtError, kNoWsid);
  ReadWorkstationId();
  EXPECT_EQ(Application->Terminated(), row.id == nullptr);
  if (row.id) EXPECT_EQ(WorkstationId, row.id);
}

INSTANTIATE_TEST_SUITE_P(Rows, WorkstationIdLength,
                         ::testing::Values(WsidRow{"Empty", "", nullptr}, WsidRow{"OneCharacter", "1", nullptr},
                                           WsidRow{"TwoCharacters", "01", "01"},
                                           WsidRow{"BlankAndOne", " 1", nullptr},
                                           WsidRow{"ThreeCharacters", "012", "01"}),
                         [](const ::testing::TestParamInfo<WsidRow>& info) { return std::string(info.param.name); });

TEST_F(WorkstationIdTest, NoFileShowsBothMessagesInOrderAndAsksToTerminate) {
  ScriptedMessageBoxes boxes;
  boxes.expect(mtError, kNoSetup).expect(mtError, kNoWsid);
  ReadWorkstationId();
  EXPECT_TRUE(Application->Terminated());
  EXPECT_EQ(WorkstationId, "WE");
}

TEST_F(WorkstationIdTest, ASectionSpelledInAnotherCaseCountsAsNone) {
  writeIni("[setup]\r\nWSID=07\r\n");
  ScriptedMessageBoxes boxes;
  boxes.expect(mtError, kNoSetup);
  ReadWorkstationId();
  EXPECT_TRUE(Application->Terminated());
}

TEST_F(WorkstationIdTest, WithoutWsidTheWsidMessageAndTheDefaultsFirstTwoCharacters) {
  writeIni("[Setup]\r\nStation=3\r\n");
  ScriptedMessageBoxes boxes;
  boxes.expect(mtError, kNoWsid);
  ReadWorkstationId();
  EXPECT_TRUE(Application->Terminated());
  EXPECT_EQ(WorkstationId, "WE");
}

}  // namespace
