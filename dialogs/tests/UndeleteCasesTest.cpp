// The case screen's undelete run on real files: the rights and state it demands, the list of
// saved matters with the missing clients marked, one transaction a matter (a duplicate fails
// that matter only, a process killed inside one leaves it wholly saved), the session audit
// lines, and the screen cleared before and after.
#include <gtest/gtest.h>

#include <csignal>
#include <filesystem>

#include <sys/wait.h>
#include <unistd.h>

#include "core/Globals.h"
#include "core/SettingKeys.h"
#include "core/tests/MachineRegistry.h"
#include "datagrid/DcTbTable.h"
#include "framework/db/Field.h"
#include "dialogs/UndeleteCases.h"
#include "dialogs/UndeleteF.h"
#include "dialogs/tests/CaseFolderFixture.h"
#include "framework/base/StringList.h"
#include "framework/ui/SafeDispatch.h"
#include "framework/ui/testing/ScriptedMessageBoxes.h"

namespace dialogs_test {
namespace {

using qn::ui::testing::ScriptedMessageBoxes;

std::string descSeed(const std::string& client, int suffix, const char* line, const char* text) {
  return "ClientCode = " + client + "\nCaseSuffix = \"" + CaseFolderFixture::suffixText(suffix) + "\"\nDescNum = " + line +
         "\nDescr = " + text + "\n\n";
}

std::string addressSeed(const std::string& client, int suffix, const char* name) {
  return "Client Code = " + client + "\nCase Suffix = \"" + CaseFolderFixture::suffixText(suffix) +
         "\"\nAddress Type = B\nName1 = " + name + "\n\n";
}

const AnsiString Question = "3 cases were selected.\r\rQuillon is about to undelete them.  Proceed?";

// Saved: ADAMS 1, ADAMS 2 (also still in the case file), BRIGHT 3, CLARK 1 (no such client).
class UndeleteCasesTest : public CaseFolderFixture {
 protected:
  std::map<std::string, std::string> seeds() override {
    return {
        {"YClient.qf", clientSeed("ADAMS", "Adams", "Walter") + clientSeed("BRIGHT", "Bright", "Ann")},
        {"YCase.qf", caseSeed("ADAMS", 2, "Description Line 1 = Live matter\n")},
        {"CaseSave.QF", caseSeed("ADAMS", 1, "Description Line 1 = Estate plan\nAlternate ID = ALT-1\nResp Atty 1 = JS\n"
                                              "Fee Budget $ = 1234.50\nCase Status 1 = A\n") +
                            "\n" + caseSeed("ADAMS", 2, "Description Line 1 = Saved twin\n") + "\n" +
                            caseSeed("BRIGHT", 3, "Description Line 1 = Lease\n") + "\n" +
                            caseSeed("CLARK", 1, "Description Line 1 = Orphan\n")},
        {"Cdesc.qf", ""},
        {"CaseAddr.qf", ""},
        {"CDescSav.QF", descSeed("ADAMS", 1, "02", "Second line") + descSeed("ADAMS", 2, "02", "Twin line") +
                            descSeed("BRIGHT", 3, "02", "Lease line")},
        {"AddrSave.QF", addressSeed("ADAMS", 1, "Adams billing") + addressSeed("ADAMS", 2, "Twin billing") +
                            addressSeed("BRIGHT", 3, "Bright billing")},
    };
  }
  void SetUp() override {
    CaseFolderFixture::SetUp();
    ActiveFileRights.Fill("Y");
    AuditTrailOn = true;
    SessionAuditList = &audit;
    dialog = std::make_unique<TUndeleteF>(nullptr);
    UndeleteF = dialog.get();
  }
  void TearDown() override {
    UndeleteF = nullptr;
    dialog.reset();
    SessionAuditList = nullptr;
    AuditTrailOn = false;
    ActiveFileRights.Fill("");
    CaseFolderFixture::TearDown();
  }
  // The user picks the listed lines by index and presses OK (or Cancel).
  void pickAndPress(std::vector<int> picks, bool ok = true) {
    TUndeleteF* d = dialog.get();
    qn::ui::postCall([this, d, picks, ok] {
      listed = lines(d);
      for (int i : picks) d->ListBox1->SetSelected(i, true);
      (ok ? d->OKBitBtn : d->CancelBitBtn)->Click();
    });
    qn::ui::postCall([d] {
      if (d->Modal()) d->SetModalResult(mrCancel);
    });
  }
  static std::vector<std::string> lines(TUndeleteF* d) {
    std::vector<std::string> all;
    for (int i = 0; i < d->ListBox1->Items()->Count(); ++i) all.push_back(d->ListBox1->Items()->Strings(i));
    return all;
  }
  void run() {
    UndeleteCases([this] { events.push_back(dialog->Visible() ? "clear while shown" : "clear"); });
  }
  std::vector<std::string> auditLines() {
    std::vector<std::string> all;
    for (int i = 0; i < audit.Count(); ++i) all.push_back(audit.Strings(i));
    return all;
  }

  StringList audit;
  std::unique_ptr<TUndeleteF> dialog;
  std::vector<std::string> events;
  std::vector<std::string> listed;
};

TEST_F(UndeleteCasesTest, WithoutFileRightsOneAndThreeNothingHappens) {
  for (int right : {1, 3}) {
    ActiveFileRights.Fill("Y");
    ActiveFileRights[right] = "N";
    ScriptedMessageBoxes boxes;
    boxes.expect(mtInformation, "Sorry, you don't have access to this function.");
    run();
    EXPECT_TRUE(events.empty()) << right;
  }
}

TEST_F(UndeleteCasesTest, AMatterBeingEditedMustBeSavedOrClearedFirst) {
  ASSERT_TRUE(dm->OpenCaseTables());
  dm->Case1_->First();
  dm->Case1_->Edit();
  ScriptedMessageBoxes boxes;
  boxes.expect(mtInformation, "You must save changes or clear the current\rrecord before undeleting a case.");
  run();
  EXPECT_TRUE(events.empty());
  dm->Case1_->Cancel();
}

TEST_F(UndeleteCasesTest, ListShowsEverySavedMatterAndMarksTheMissingClient) {
  pickAndPress({}, false);
  run();
  EXPECT_EQ(listed, (std::vector<std::string>{
                        TUndeleteF::ListLine("ADAMS", "      1", "ALT-1", "Estate plan", "JS", false),
                        TUndeleteF::ListLine("ADAMS", "      2", "", "Saved twin", "", false),
                        TUndeleteF::ListLine("BRIGHT", "      3", "", "Lease", "", false),
                        TUndeleteF::ListLine("CLARK", "      1", "", "Orphan", "", true),
                    }));
  EXPECT_EQ(listed[0].substr(0, 16), "ADAMS         1 ");
  EXPECT_EQ(listed[3].substr(0, 8), "CLARK  *");
  EXPECT_EQ(listed[0].size(), 8u + 7 + 1 + 21 + 51 + 4);
  EXPECT_TRUE(dialog->MissingClientLabel->Visible());
  EXPECT_EQ(dialog->ListBox1->Items()->Objects(3), TUndeleteF::MissingClientMarker());
  EXPECT_EQ(events, (std::vector<std::string>{"clear", "clear"}));
}

TEST_F(UndeleteCasesTest, AMatterWithoutItsClientCannotBeSelected) {
  pickAndPress({}, false);
  TUndeleteF* d = dialog.get();
  qn::ui::postCall([d] {
    ScriptedMessageBoxes boxes;
    d->ListBox1->SetSelected(0, true);
    d->ListBox1->SetSelected(3, true);
    boxes.expect(mtWarning, "The client CLARK must be created before this \rcase may be undeleted.");
    d->ListBox1Click(d->ListBox1);
    EXPECT_FALSE(d->ListBox1->Selected(3));
    EXPECT_EQ(d->Panel1->Caption(), "1 item(s) selected");
  });
  run();
}

// What the case file answers a second ADAMS 2.
std::string duplicateKeyError(const std::string& dataDir) {
  TdcTbTable cases(nullptr);
  cases.SetDatabaseName("QNWIN");
  cases.SetTableName(dataDir + "\\ycase.qf;RES:YCASE");
  cases.Open();
  cases.Append();
  cases.FieldByName("Client Code")->SetAsString("ADAMS");
  cases.FieldByName("Case Suffix")->SetAsString("      2");
  try {
    cases.Post();
  } catch (const std::exception& e) {
    cases.Cancel();
    return e.what();
  }
  ADD_FAILURE() << "a second ADAMS 2 was posted";
  return "";
}

TEST_F(UndeleteCasesTest, TheSecondFailingLeavesTheFirstAndThirdRestored) {
  pickAndPress({0, 1, 2});
  ScriptedMessageBoxes boxes;
  boxes.expect(mtConfirmation, Question, mrYes);
  boxes.expect(mtError, "Quillon was unable to undelete the case ADAMS-2.\r\r" + duplicateKeyError(dataDir));
  run();
  EXPECT_EQ(rows("ycase.qf;RES:YCASE", {"Client Code", "Case Suffix", "Description Line 1", "Alternate ID", "Fee Budget $"}),
            (std::vector<std::string>{"ADAMS|      1|Estate plan|ALT-1|1234.5", "ADAMS|      2|Live matter||0",
                                      "BRIGHT|      3|Lease||0"}));
  EXPECT_EQ(rows("casesave.qf;RES:YCASE", {"Client Code", "Case Suffix"}),
            (std::vector<std::string>{"ADAMS|      2", "CLARK|      1"}));
  EXPECT_EQ(rows("cdesc.qf;RES:CASEDESC", {"ClientCode", "CaseSuffix", "Descr"}),
            (std::vector<std::string>{"ADAMS|      1|Second line", "BRIGHT|      3|Lease line"}));
  EXPECT_EQ(rows("cdescsav.qf;RES:CASEDESC", {"ClientCode", "CaseSuffix"}), (std::vector<std::string>{"ADAMS|      2"}));
  EXPECT_EQ(rows("caseaddr.qf;RES:CASEADDR", {"Client Code", "Name1"}),
            (std::vector<std::string>{"ADAMS|Adams billing", "BRIGHT|Bright billing"}));
  EXPECT_EQ(rows("addrsave.qf;RES:CASEADDR", {"Client Code", "Name1"}), (std::vector<std::string>{"ADAMS|Twin billing"}));
  EXPECT_EQ(auditLines(), (std::vector<std::string>{
                              "", "", "Client Code: ADAMS   Client Name:  Adams, Walter",
                              "Case Suffix: 1   Description Line 1:  Estate plan      has been undeleted.", "",
                              "", "", "Client Code: BRIGHT   Client Name:  Bright, Ann",
                              "Case Suffix: 3   Description Line 1:  Lease      has been undeleted.", ""}));
  EXPECT_EQ(events, (std::vector<std::string>{"clear", "clear"}));
  EXPECT_FALSE(dm->Case1_->Active());
  EXPECT_FALSE(dm->CaseSave_->Active());
}

// Descriptions that cannot be brought back keep the whole matter deleted: undeleted without them,
// they would stay in the save file with no saved matter to bring them back with.
TEST_F(UndeleteCasesTest, AMatterWhoseDescriptionsCannotBeReinstatedStaysWhollySaved) {
  std::filesystem::remove(dataDir + "/Cdesc.qf");
  pickAndPress({2});
  ScriptedMessageBoxes boxes;
  boxes.expect(mtConfirmation, "1 cases were selected.\r\rQuillon is about to undelete them.  Proceed?", mrYes);
  boxes.expect(mtError, "Unable to open CaseDesc.qf.\r\r\rPlease call Vantor, Inc. for assistance.");
  boxes.expect(mtError, "Quillon was unable to undelete the case BRIGHT-3.\r\r"
                        "Its descriptions or addresses could not be reinstated; the case stays deleted.");
  run();
  EXPECT_EQ(rows("ycase.qf;RES:YCASE", {"Client Code", "Case Suffix"}), (std::vector<std::string>{"ADAMS|      2"}));
  EXPECT_EQ(rows("casesave.qf;RES:YCASE", {"Client Code", "Case Suffix"}),
            (std::vector<std::string>{"ADAMS|      1", "ADAMS|      2", "BRIGHT|      3", "CLARK|      1"}));
  EXPECT_EQ(rows("cdescsav.qf;RES:CASEDESC", {"ClientCode", "Descr"}).size(), 3u);
  EXPECT_EQ(rows("addrsave.qf;RES:CASEADDR", {"Client Code", "Name1"}).size(), 3u);
  EXPECT_EQ(audit.Count(), 0);
}

TEST_F(UndeleteCasesTest, WithTheAuditTrailOffNothingIsAudited) {
  AuditTrailOn = false;
  pickAndPress({2});
  ScriptedMessageBoxes boxes;
  boxes.expect(mtConfirmation, "1 cases were selected.\r\rQuillon is about to undelete them.  Proceed?", mrYes);
  run();
  EXPECT_EQ(audit.Count(), 0);
  EXPECT_EQ(rows("casesave.qf;RES:YCASE", {"Client Code"}).size(), 3u);
}

TEST_F(UndeleteCasesTest, NoToTheQuestionChangesNothingAndStillClears) {
  pickAndPress({0, 1, 2});
  ScriptedMessageBoxes boxes;
  boxes.expect(mtConfirmation, Question, mrNo);
  run();
  EXPECT_EQ(rows("casesave.qf;RES:YCASE", {"Client Code"}).size(), 4u);
  EXPECT_EQ(events, (std::vector<std::string>{"clear", "clear"}));
}

// The run in a process of its own, killed once the second matter's case record is posted.
TEST_F(UndeleteCasesTest, AProcessKilledInsideTheSecondMatterLeavesItWhollySaved) {
  const pid_t child = ::fork();
  if (child == 0) {
    std::freopen("/dev/null", "w", stdout);
    ::setenv("QN_UNDELETE_CHILD_DATA", dataDir.c_str(), 1);
    ::execl("/proc/self/exe", "dialogs-tests", "--gtest_also_run_disabled_tests",
            "--gtest_filter=UndeleteCasesChild.DISABLED_KillsItselfInsideTheSecondMatter", nullptr);
    ::_exit(127);
  }
  int status = 0;
  ASSERT_EQ(::waitpid(child, &status, 0), child);
  ASSERT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == SIGKILL) << status;
  EXPECT_EQ(rows("ycase.qf;RES:YCASE", {"Client Code", "Case Suffix"}),
            (std::vector<std::string>{"ADAMS|      1", "ADAMS|      2"}));
  EXPECT_EQ(rows("casesave.qf;RES:YCASE", {"Client Code", "Case Suffix"}),
            (std::vector<std::string>{"ADAMS|      2", "BRIGHT|      3", "CLARK|      1"}));
  EXPECT_EQ(rows("cdescsav.qf;RES:CASEDESC", {"ClientCode", "CaseSuffix"}),
            (std::vector<std::string>{"ADAMS|      2", "BRIGHT|      3"}));
  EXPECT_EQ(rows("addrsave.qf;RES:CASEADDR", {"Client Code"}), (std::vector<std::string>{"ADAMS", "BRIGHT"}));
}

class UndeleteCasesChild : public UndeleteCasesTest {
 protected:
  void SetUp() override {
    const char* data = std::getenv("QN_UNDELETE_CHILD_DATA");
    ASSERT_NE(data, nullptr);
    seededFolder = data;
    UndeleteCasesTest::SetUp();
  }
  std::string seededFolder;
};

TEST_F(UndeleteCasesChild, DISABLED_KillsItselfInsideTheSecondMatter) {
  core_test::writeMachineString(MainAliasKey, "PhysicalName", seededFolder);
  DataDir = seededFolder;
  dataDir = seededFolder;
  // The first matter (ADAMS 1) and the third line (BRIGHT 3): BRIGHT is the second matter run.
  pickAndPress({0, 2});
  ScriptedMessageBoxes boxes;
  boxes.expect(mtConfirmation, "2 cases were selected.\r\rQuillon is about to undelete them.  Proceed?", mrYes);
  int posts = 0;
  dm->Case1_->AfterPost = [&posts](TDataSet*) {
    if (++posts == 2) ::raise(SIGKILL);
  };
  run();
  FAIL() << "the second matter's post did not come";
}

}  // namespace
}  // namespace dialogs_test
