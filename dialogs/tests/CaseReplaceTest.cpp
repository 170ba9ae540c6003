// The packed case codes' texts, the global replace's change of one field value, and the replace
// run over matters on real files: one transaction, whatever stops it.
#include <gtest/gtest.h>

#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <optional>

#include <sys/wait.h>
#include <unistd.h>

#include "core/Globals.h"
#include "core/SettingKeys.h"
#include "core/tests/MachineRegistry.h"
#include "datagrid/DcTbTable.h"
#include "dialogs/CaseCodeTexts.h"
#include "dialogs/CaseGridF.h"
#include "dialogs/CaseReplace.h"
#include "dialogs/FindDlgF.h"
#include "dialogs/tests/CaseFolderFixture.h"
#include "framework/base/Clock.h"
#include "framework/base/Exception.h"
#include "framework/db/Field.h"
#include "framework/ui/testing/QtTestApplication.h"
#include "framework/ui/testing/ScriptedMessageBoxes.h"
#include "platform/recmgr/tests/RecordManagerApi.h"
#include "platform/recmgr/tests/ServeChild.h"
#include "recordmgr/BtrieveEngine.h"

namespace dialogs_test {
namespace {

using qn::recmgr::testing::ServeChild;
using qn::ui::testing::ScriptedMessageBoxes;

TEST(CaseCodeTexts, SalesTaxDigitsAndEmpty) {
  const std::vector<std::pair<const char*, const char*>> cases = {
      {"0", "None"}, {"1", "IC"}, {"2", "DC"},   {"3", "DC IC"}, {"4", "F"},
      {"5", "F IC"}, {"6", "F DC"}, {"7", "All"}, {"", "None"}};
  for (const auto& [code, text] : cases) EXPECT_EQ(SalesTaxText(code), text) << code;
}

TEST(CaseCodeTexts, FinanceChargeSwitchAndElectronicBillingCode) {
  struct Case {
    const char* code;
    bool on;
    const char* text;
  };
  const std::vector<Case> cases = {
      {"0", false, ""},     {"1", false, "E"},     {"2", false, "A"},   {"3", false, "A E"}, {"4", false, "T"},
      {"5", false, "T E"},  {"6", false, "T A"},   {"7", false, "T A E"}, {"8", true, ""},   {"9", true, "E"},
      {"A", true, "A"},     {"B", true, "A E"},    {"C", true, "T"},    {"D", true, "T E"},  {"E", true, "T A"},
      {"F", true, "T A E"}, {"N", false, ""},      {"Y", true, ""},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(FinanceChargeOn(c.code), c.on) << c.code;
    EXPECT_EQ(ElectronicBillingText(c.code), c.text) << c.code;
  }
}

TEST(CaseCodeTexts, RetainerTransferSets) {
  const std::vector<std::pair<const char*, const char*>> cases = {
      {"A", "ST"}, {"K", "DC FC ST"}, {"@", "F DC IC"}, {"%", "All"}, {"Z", "F DC FC"}, {"P", "F"}, {"!", "F DC FC ST"}, {"", ""}};
  for (const auto& [code, text] : cases) EXPECT_EQ(RetainerTransferText(code), text) << code;
}

TEST(CaseReplaceValue, TransformsChangeOnlyTheRecordsTheyMatch) {
  const CaseReplaceOrder financeOn{11, 1, "N", "Y"}, financeOff{11, 1, "Y", "N"};
  const CaseReplaceOrder activityToTask{11, 100, "2", "4"}, salesTax{26, 99, "3", "7"};
  const CaseReplaceOrder ordinary{22, 4, "AB", "CD"};
  struct Case {
    const CaseReplaceOrder* order;
    const char* current;
    std::optional<AnsiString> expected;
  };
  const std::vector<Case> cases = {
      {&financeOn, "3", "B"},       {&financeOn, "N", "8"},        {&financeOn, "Y", std::nullopt},
      {&financeOn, "8", std::nullopt}, {&financeOn, "F", std::nullopt}, {&financeOn, "0", "8"},
      {&financeOff, "B", "3"},      {&financeOff, "Y", "0"},       {&financeOff, "F", "7"},
      {&financeOff, "N", std::nullopt}, {&financeOff, "3", std::nullopt},
      {&activityToTask, "2", "4"},  {&activityToTask, "A", "C"},   {&activityToTask, "Y", std::nullopt},
      {&activityToTask, "N", std::nullopt}, {&activityToTask, "3", std::nullopt}, {&activityToTask, "B", std::nullopt},
      {&salesTax, "3", "7"},        {&salesTax, "2", std::nullopt}, {&salesTax, "", std::nullopt},
      {&ordinary, "AB", "CD  "},    {&ordinary, " AB ", "CD  "},   {&ordinary, "ABC", std::nullopt},
  };
  for (const Case& c : cases) EXPECT_EQ(ReplacedValue(*c.order, c.current), c.expected) << c.current;
}

// Matters on real files, replaced through a table on the case file.
class CaseReplaceRun : public CaseFolderFixture {
 protected:
  std::map<std::string, std::string> seeds() override {
    std::string cases;
    for (int i = 1; i <= matterCount(); ++i) cases += caseSeed("C" + std::to_string(i % 7), i, extraOf(i)) + "\n";
    return {{"YCase.qf", cases}};
  }
  virtual int matterCount() { return 5; }
  virtual std::string extraOf(int i) {
    static const char* const extras[] = {
        "Resp Atty 1 = AB\nRetainer Min $ = 0\nThreshhold = 250\n", "Resp Atty 1 = XY\nRetainer Min $ = 100\nThreshhold = 2500\n",
        "Resp Atty 1 = AB\nThreshhold = 25\n", "Resp Atty 1 = AB\nRetainer Min $ = 0\n", "Resp Atty 1 = AB\nRetainer Min $ = 7\n"};
    return extras[(i - 1) % 5];
  }
  void SetUp() override {
    CaseFolderFixture::SetUp();
    cases = std::make_unique<TdcTbTable>(nullptr);
    cases->SetDatabaseName("QNWIN");
    cases->SetTableName(dataDir + "\\ycase.qf;RES:YCASE");
    cases->SetIndexName("1");
    cases->Open();
  }
  void TearDown() override {
    cases.reset();
    CaseFolderFixture::TearDown();
  }
  std::vector<std::string> field(const std::string& name) { return rows("ycase.qf;RES:YCASE", {name}); }
  std::string dump() {
    const std::string command = "'" + qn::recmgr::testing::programFolder() + "/qnrecmgr' dump '" + dataDir + "/YCase.qf'";
    std::string out;
    FILE* pipe = ::popen(command.c_str(), "r");
    char buffer[4096];
    for (size_t n; (n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0;) out.append(buffer, n);
    EXPECT_EQ(::pclose(pipe), 0);
    return out;
  }
  std::unique_ptr<TdcTbTable> cases;
};

TEST_F(CaseReplaceRun, OrdinaryFieldIsPaddedToItsMaximumOverEveryMatter) {
  EXPECT_EQ(ReplaceInCases(cases.get(), dm2->QNDatabase, {22, 4, "AB", "CD"}, {}), 4);
  EXPECT_EQ(field("Resp Atty 1"), (std::vector<std::string>{"CD", "XY", "CD", "CD", "CD"}));
}

TEST_F(CaseReplaceRun, RetainerMinimumZeroMatchesEmptyAndZero) {
  EXPECT_EQ(ReplaceInCases(cases.get(), dm2->QNDatabase, {36, 7, "0", "500"}, {}), 2 + 1);
  EXPECT_EQ(field("Retainer Min $"), (std::vector<std::string>{"500", "100", "500", "500", "7"}));
}

TEST_F(CaseReplaceRun, ThresholdComparesTheWholeText) {
  EXPECT_EQ(ReplaceInCases(cases.get(), dm2->QNDatabase, {19, 5, "250", "300"}, {}), 1);
  EXPECT_EQ(field("Threshhold"), (std::vector<std::string>{"300", "2500", "25", "0", "0"}));
}

TEST_F(CaseReplaceRun, SelectedRowsOnlyChangeInTheirOrder) {
  std::vector<TBookmarkStr> rows;
  cases->First();
  cases->Next();
  cases->Next();
  rows.push_back(cases->Bookmark());
  cases->First();
  rows.push_back(cases->Bookmark());
  EXPECT_EQ(ReplaceInCases(cases.get(), dm2->QNDatabase, {22, 4, "AB", "Q"}, rows), 2);
  EXPECT_EQ(field("Resp Atty 1"), (std::vector<std::string>{"Q", "XY", "Q", "AB", "AB"}));
}

TEST_F(CaseReplaceRun, ALockRefusedOnTheFourthLeavesEveryMatterAsItWas) {
  const std::string before = dump();
  ServeChild other;
  ASSERT_EQ(other.status("open 0 " + dataDir + "/YCase.qf"), 0);
  ASSERT_EQ(other.status("read 0 12 0"), 0);
  ASSERT_EQ(other.status("read 0 6 0"), 0);
  ASSERT_EQ(other.status("read 0 6 0"), 0);
  ASSERT_EQ(other.status("read 0 206 0"), 0);
  qn::ManualClock clock;
  qn::setClock(&clock);
  ScriptedMessageBoxes boxes;
  boxes.expect(mtConfirmation, "A record lock was encountered.  Retry?", mrNo);
  EXPECT_THROW(ReplaceInCases(cases.get(), dm2->QNDatabase, {22, 4, "AB", "CD"}, {}), EAbort);
  qn::setClock(nullptr);
  EXPECT_EQ(cases->State(), dsBrowse);
  EXPECT_EQ(dump(), before);
  EXPECT_FALSE(dm2->QNDatabase->InTransaction());
}

// A thousand matters, for the runs a killed process must leave as they were.
class CaseReplaceCrash : public CaseReplaceRun {
 protected:
  int matterCount() override { return 1000; }
  std::string extraOf(int) override { return "Alt Billing Format = OLD\n"; }
  // The test program again, running only the child below on this folder; it kills itself after
  // that many posts (0: it runs to the end).
  int runChild(int killAfter) {
    const pid_t child = ::fork();
    if (child == 0) {
      std::freopen("/dev/null", "w", stdout);
      ::setenv("QN_REPLACE_CHILD_DATA", dataDir.c_str(), 1);
      ::setenv("QN_REPLACE_KILL_AFTER", std::to_string(killAfter).c_str(), 1);
      ::execl("/proc/self/exe", "dialogs-tests", "--gtest_also_run_disabled_tests",
              "--gtest_filter=CaseReplaceChild.DISABLED_ReplacesOnTheFolderItIsGiven", nullptr);
      ::_exit(127);
    }
    int status = 0;
    ::waitpid(child, &status, 0);
    return status;
  }
};

TEST_F(CaseReplaceCrash, KilledAnywhereBeforeTheCommitLeavesEveryMatterUnchanged) {
  cases->Close();
  const std::string before = dump();
  for (int killAfter : {1, 500, 1000}) {
    const int status = runChild(killAfter);
    ASSERT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == SIGKILL) << killAfter << ": " << status;
    EXPECT_EQ(dump(), before) << "killed after post " << killAfter;
  }
  const int status = runChild(0);
  ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << status;
  const std::vector<std::string> formats = field("Alt Billing Format");
  ASSERT_EQ(formats.size(), 1000u);
  EXPECT_EQ(std::count(formats.begin(), formats.end(), "NEW"), 1000);
}

// Run only by the test above, as a process of its own: the case grid's replace of every matter's
// billing format, as the user confirmed it in the find-and-replace dialog.
TEST(CaseReplaceChild, DISABLED_ReplacesOnTheFolderItIsGiven) {
  const char* data = std::getenv("QN_REPLACE_CHILD_DATA");
  ASSERT_NE(data, nullptr);
  const int killAfter = std::atoi(std::getenv("QN_REPLACE_KILL_AFTER"));
  qn::ui::testing::qtApplication();
  core_test::writeMachineString(MainAliasKey, "PhysicalName", data);
  DataDir = data;
  const uint16_t status = LoadBtrieveEngine("", "RECWBTRV.DLL");
  ASSERT_TRUE(status == 0 || status == 1016) << status;
  TDM2 dm2(nullptr);
  dm2.AfterConstruction();
  TFindDlgF find(nullptr);
  FindDlgF = &find;
  find.ComboBox1->SetItemIndex(find.ComboBox1->Items()->IndexOf("Billing Format Code"));
  find.Edit1->SetText("OLD");
  find.Edit2->SetText("NEW");
  find.RadioGroup2->SetItemIndex(TFindDlgF::scopeAll);
  TCaseGridF grid(nullptr);
  grid.Show();
  int posts = 0;
  grid.Case1_->AfterPost = [&](TDataSet*) {
    if (++posts == killAfter) ::raise(SIGKILL);
  };
  ScriptedMessageBoxes boxes;
  boxes.expect(mtInformation, "1000 occurrences have been changed.");
  EXPECT_TRUE(grid.ReplaceInCases(14, 3));
  FindDlgF = nullptr;
}

}  // namespace
}  // namespace dialogs_test
