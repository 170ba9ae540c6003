// The user's rights, the case manager's folder and the registered messages of the show handler.
#include <filesystem>
#include <fstream>

#include "casewindow/tests/DemoStartFixture.h"
#include "core/AddCodeMessages.h"
#include "core/Constants.h"
#include "core/Globals.h"
#include "framework/ui/StatusBar.h"
#include "platform/os/RegisteredMessages.h"

namespace casewindow_test {
namespace {

using RightsTest = DemoStartFixture;
using CaseManagerFolderTest = DemoStartFixture;
using RegisteredMessagesTest = DemoStartFixture;

TEST_F(RightsTest, TheUsersRightsFillTheThreeArrays) {
  // Report 1 refused: the first report number lacks its lowest bit.
  const long long eighteenBits = (1LL << 18) - 1;
  setHost("ArgRep1", std::to_string(eighteenBits - 1));
  setHost("ArgRepX", std::to_string(1975 + eighteenBits - 1 + eighteenBits));
  startWith({"250101"});
  show();
  int refused = 0;
  for (int i = 1; i <= 26; ++i) {
    EXPECT_EQ(ActiveReportRights[i], ReportRights[i]) << i;
    refused += ActiveReportRights[i] == "N";
  }
  EXPECT_EQ(refused, 1);
  for (int i = 1; i <= 99; ++i) EXPECT_EQ(ActiveFileRights[i], FileRights[i]) << i;
  for (int i = 1; i <= 26; ++i) EXPECT_EQ(ActiveFunctionRights[i], FunctionRights[i]) << i;
  EXPECT_EQ(ActiveFileRights[1], "Y");
}

struct TamperCase {
  const char* total;
  const char* source;
};

class TamperedRightsTest : public DemoStartFixture, public ::testing::WithParamInterface<TamperCase> {};

TEST_P(TamperedRightsTest, EndsTheStartUpWithItsSourceAndDoesNothingFurther) {
  setHost(GetParam().total, "1");
  setHost("StayAliveInterval", "2");
  startWith({"250101"});
  boxes->expect(mtError, "This user's security data are not valid.\r\rThe entries in the registry appear to be damaged. (" +
                             AnsiString(GetParam().source) + ")" + CallSupportText);
  show();
  EXPECT_TRUE(Application->Terminated());
  EXPECT_FALSE(FormShown);
  EXPECT_EQ(caseF->StatusBar1->Panels()->Items(2)->Text(), "") << "laid out after a refusal";
  EXPECT_EQ(SessionAuditList, nullptr);
  EXPECT_EQ(StayAliveMinutes, 0);
}

INSTANTIATE_TEST_SUITE_P(Totals, TamperedRightsTest,
                         ::testing::Values(TamperCase{"ArgRepX", "14"}, TamperCase{"ArgFileX", "12"},
                                           TamperCase{"ArgFuncX", "13"}));

TEST_F(CaseManagerFolderTest, AMissingFolderIsCreatedInACaseStart) {
  std::filesystem::remove_all(dataDir() + "/cmdata");
  startWith({"250101"});
  show();
  EXPECT_TRUE(std::filesystem::is_directory(dataDir() + "/cmdata"));
  EXPECT_EQ(CaseManagerDir, AnsiString(dataDir()) + "\\cmdata");
}

TEST_F(CaseManagerFolderTest, ACalendarStartCreatesNoFolder) {
  std::filesystem::remove_all(dataDir() + "/cmdata");
  startWith({"250101d"});
  show();
  EXPECT_FALSE(std::filesystem::exists(dataDir() + "/cmdata"));
  EXPECT_TRUE(FormShown);
}

TEST_F(CaseManagerFolderTest, AFolderThatCannotBeMadeIsReportedAndTheStartUpGoesOn) {
  std::filesystem::remove_all(dataDir() + "/cmdata");
  std::ofstream(dataDir() + "/cmdata") << "a file where the folder belongs";
  startWith({"250101"});
  boxes->expect(mtError,
                "Unable to locate or create a data folder needed for the email feature.  This feature will not be "
                "available until this problem is addressed.  Otherwise, this program should function normally.\r\r" +
                    ContactSupportText);
  show();
  EXPECT_TRUE(FormShown);
  EXPECT_FALSE(Application->Terminated());
}

TEST_F(RegisteredMessagesTest, TheTenMessagesAreRegisteredInOrderAndShared) {
  startWith({"250101"});
  create();
  const unsigned numbers[] = {caseF->QN_Msg_JustCalledFromClient,     caseF->QN_Msg_JustCalledFromCase,
                              caseF->QN_Msg_JustCalledFromAccountStatus, caseF->QN_Msg_AddToHistoryList,
                              caseF->QN_Msg_HistChangeCase,           caseF->QN_Message_Status,
                              caseF->QN_Message_AddNarrCode_Complete, caseF->QN_Message_AddDept_Complete,
                              caseF->QN_Message_AddCaseType_Complete, caseF->QN_Message_AddStmtMsg_Complete};
  const char* names[] = {"QN_Msg_JustCalledFromClient",     "QN_Msg_JustCalledFromCase",
                         "QN_Msg_JustCalledFromAccountStatus", "QN_Msg_AddToHistoryList",
                         "QN_Msg_HistChangeCase",           "QN_Message_Status",
                         "QN_Message_AddNarrCode_Complete", "QN_Message_AddDept_Complete",
                         "QN_Message_AddCaseType_Complete", "QN_Message_AddStmtMsg_Complete"};
  for (int i = 0; i < 10; ++i) {
    EXPECT_EQ(qn::os::registeredMessageName(numbers[i]), names[i]);
    if (i > 0) {
      EXPECT_GT(numbers[i], numbers[i - 1]) << "registered in order in a fresh runtime folder";
    }
  }

  // A second program registering the same names gets the same numbers.
  const std::string record = qn::testing::makeScratchDir("messages") + "/record";
  std::string command = "'" + testProgramFolder() + "/qn-os-process-child' register '" + record + "'";
  for (const char* name : names) command += std::string(" ") + name;
  ASSERT_EQ(std::system(command.c_str()), 0);
  std::ifstream in(record);
  for (int i = 0; i < 10; ++i) {
    std::string name;
    unsigned number = 0;
    in >> name >> number;
    EXPECT_EQ(name, names[i]);
    EXPECT_EQ(number, numbers[i]) << names[i];
  }
}

TEST_F(RegisteredMessagesTest, TheSevenAddCodeMessagesFollowWhenTheWindowIsShown) {
  startWith({"250101"});
  create();
  EXPECT_EQ(QN_Message_AddNarrCode, 0u);
  show();
  const unsigned lastOfTheTen = caseF->QN_Message_AddStmtMsg_Complete;
  const std::uint16_t addCode[] = {QN_Message_AddNarrCode,  QN_Message_AddDept,       QN_Message_AddCaseType,
                                   QN_Message_AddStmtmsg,   QN_Message_AddGroupcode,  QN_Message_AddOfficecode,
                                   QN_Message_AddClientType};
  unsigned previous = lastOfTheTen;
  for (int i = 0; i < 7; ++i) {
    EXPECT_EQ(qn::os::registeredMessageName(addCode[i]), AddCodeMessageNames[i]);
    EXPECT_GT(addCode[i], previous) << AddCodeMessageNames[i];
    previous = addCode[i];
  }
}

}  // namespace
}  // namespace casewindow_test
