// The fee split form driven as the user would, offscreen: the equal split and its footer, the
// percentage limits, one visit as one transaction (kept by Save, else rolled back, also when the
// workstation dies), locks held by another workstation, and receptors added and deleted with
// their matters' status.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>

#include <csignal>
#include <cstdio>
#include <fstream>
#include <functional>
#include <iterator>
#include <memory>

#include <sys/wait.h>
#include <unistd.h>

#include "core/Globals.h"
#include "core/SettingKeys.h"
#include "core/tests/MachineRegistry.h"
#include "datagrid/DBGrid.h"
#include "datagrid/DcTbTable.h"
#include "datagrid/RecordViewDialog.h"
#include "datagrid/RecordViewForm.h"
#include "dialogs/DummyMatter.h"
#include "dialogs/FeeSplitF.h"
#include "dialogs/tests/FeeSplitFixture.h"
#include "framework/base/Clock.h"
#include "framework/db/Field.h"
#include "framework/ui/Dialogs.h"
#include "framework/ui/SafeDispatch.h"
#include "framework/ui/testing/QtTestApplication.h"
#include "framework/ui/testing/ScriptedMessageBoxes.h"
#include "platform/recmgr/tests/ServeChild.h"
#include "recordmgr/BtrieveEngine.h"
#include "recordmgr/Sessions.h"

namespace dialogs_test {
namespace {

using qn::recmgr::testing::ServeChild;
using qn::ui::testing::ScriptedMessageBoxes;

class FeeSplitFTest : public FeeSplitFixture {};

TEST_F(FeeSplitFTest, TheFooterShowsTheTotalsWithFourDecimals) {
  visit("DUM", 1);
  EXPECT_EQ(form->Label1->Caption(), "Receptors of the Dummy DUM-1");
  EXPECT_EQ(footer("FeePerCent"), "100.0000");
  EXPECT_EQ(footer("CostPerCent"), "100.0000");
  EXPECT_EQ(form->FeeTotal(), 1000000);
}

TEST_F(FeeSplitFTest, AnEqualSplitTotalsOneHundredForEveryCount) {
  for (int n = 1; n <= 12; ++n) {
    SCOPED_TRACE(n);
    ScriptedMessageBoxes boxes;
    visit("N", n);
    redistribute(boxes);
    EXPECT_EQ(footer("FeePerCent"), "100.0000");
    EXPECT_EQ(footer("CostPerCent"), "100.0000");
    form->BitBtn1Click(nullptr);
    EXPECT_FALSE(form->InVisit());
    const std::vector<std::string> stored = splitsOf("N", n);
    ASSERT_EQ(stored.size(), static_cast<size_t>(n));
    // 100 / n to four decimals for all but the last, which takes what is left.
    const int64_t share = (2000000 + n) / (2 * n);
    int64_t total = 0;
    for (int i = 0; i < n; ++i) {
      const std::string& row = stored[i];
      const std::string fee = row.substr(row.find('|') + 1, row.rfind('|') - row.find('|') - 1);
      const int64_t value = std::llround(std::stod(fee) * 10000);
      if (i + 1 < n) EXPECT_EQ(value, share) << row;
      EXPECT_EQ(row.substr(row.rfind('|') + 1), fee) << "the cost share is the fee share";
      total += value;
    }
    EXPECT_EQ(total, 1000000);
  }
  EXPECT_EQ(splitsOf("N", 1), std::vector<std::string>{"Q1|100|100"});
  EXPECT_EQ(splitsOf("N", 3), (std::vector<std::string>{"Q1|33.3333|33.3333", "Q2|33.3333|33.3333", "Q3|33.3334|33.3334"}));
}

TEST_F(FeeSplitFTest, PercentagesFromZeroToOneHundredAreAccepted) {
  visit("DUM", 1);
  TField* fee = form->FSplit->FieldByName("FeePerCent");
  for (const char* accepted : {"100", "0", "33.3333"}) {
    form->FSplit->Edit();
    EXPECT_NO_THROW(fee->SetAsString(accepted)) << accepted;
    form->FSplit->Cancel();
  }
  for (const char* refused : {"100.01", "-0.0001", "-5"}) {
    ScriptedMessageBoxes boxes;
    boxes.expect(mtError, "Must be between 0 and 100");
    form->FSplit->Edit();
    EXPECT_THROW(fee->SetAsString(refused), EAbort) << refused;
    form->FSplit->Cancel();
  }
}

TEST_F(FeeSplitFTest, ClosingWithoutSaveLeavesTheFileAsItWas) {
  const std::string before = fileBytes();
  const std::vector<std::string> rowsBefore = splits();
  ScriptedMessageBoxes boxes;
  visit("DUM", 1);
  redistribute(boxes);
  EXPECT_EQ(splitsOf("DUM", 1)[0], "R1|33.3333|33.3333") << "seen inside the visit";
  form->Close();
  EXPECT_FALSE(form->InVisit());
  EXPECT_EQ(splits(), rowsBefore);
  EXPECT_EQ(fileBytes(), before);
}

TEST_F(FeeSplitFTest, SaveKeepsTheVisitsChanges) {
  ScriptedMessageBoxes boxes;
  visit("DUM", 1);
  redistribute(boxes);
  form->BitBtn1Click(nullptr);
  EXPECT_EQ(splitsOf("DUM", 1),
            (std::vector<std::string>{"R1|33.3333|33.3333", "R2|33.3333|33.3333", "R3|33.3334|33.3334"}));
}

// A record dialog and the message boxes of the form take the activation; the visit goes on.
TEST_F(FeeSplitFTest, ARecordDialogMidVisitDoesNotEndTheTransaction) {
  const std::vector<std::string> before = splits();
  ScriptedMessageBoxes boxes;
  visit("DUM", 1);
  qn::ui::postCall([this] {
    TdcRecordViewDialog* view = form->FSplitRecordViewDialog;
    ASSERT_NE(view->Form(), nullptr);
    EXPECT_EQ(view->Form()->Caption(), "Receptor R1-1");
    form->FSplit->FieldByName("FeePerCent")->SetAsString("60");
    view->OKClick();
  });
  form->EditReceptorClick(nullptr);
  EXPECT_TRUE(form->InVisit());
  EXPECT_TRUE(DM2->QNDatabase->InTransaction());
  EXPECT_EQ(footer("FeePerCent"), "110.0000");
  form->FormActivate(form.get());
  form->Close();
  EXPECT_EQ(splits(), before);
}

TEST_F(FeeSplitFTest, ALockHeldElsewhereIsRetriedSilentlyThenOffered) {
  qn::ManualClock clock(1000000);
  qn::setClock(&clock);
  ServeChild other;
  ASSERT_EQ(other.status("open 0 " + dataDir + "/FSplit.qf"), 0);
  // The first row on key 1 is DUM-1's first receptor.
  ASSERT_EQ(other.status("read 0 212 1"), 0);
  const std::vector<std::string> before = splits();
  {
    ScriptedMessageBoxes boxes;
    visit("DUM", 1);
    const uint64_t start = clock.milliseconds();
    uint64_t offeredAfter = 0;
    boxes.expect(mtConfirmation, kRedistribute, mrYes);
    boxes.expect(mtInformation, TFeeSplitF::LockText, mrCancel);
    boxes.expect(mtInformation, kClickSave);
    form->BitBtn2Click(nullptr);
    offeredAfter = clock.milliseconds() - start;
    EXPECT_EQ(splitsOf("DUM", 1)[0], "R1|50|40") << "the locked row is left as it was";
    EXPECT_GE(offeredAfter, 5000u);
    EXPECT_LT(offeredAfter, 6000u);
    form->Close();
  }
  EXPECT_EQ(splits(), before);
  other.ask("close 0");
  qn::setClock(nullptr);
}

TEST_F(FeeSplitFTest, DeletingAReceptorClearsItsStatusAndAddingOneSetsIt) {
  ScriptedMessageBoxes boxes;
  visit("DUM", 1);
  boxes.expect(mtConfirmation, "Are you sure you want to\rdelete this receptor?", mrYes);
  form->DeleteReceptorClick(nullptr);
  EXPECT_EQ(footer("FeePerCent"), "50.0000");
  boxes.expect(mtConfirmation,
               "Assigning this matter the status of Receptor\rwill remove its status as a Frozen       matter.\r\rDo "
               "you wish to continue?",
               mrYes);
  qn::ui::postCall([this] {
    TdcRecordViewDialog* view = form->FSplitRecordViewDialog;
    ASSERT_NE(view->Form(), nullptr);
    EXPECT_EQ(view->Form()->Caption(), "Add Receptor for DUM-1");
    form->FSplit->FieldByName("ReceptorClient")->SetAsString("NEW");
    form->FSplit->FieldByName("ReceptorCase")->SetAsString("1");
    form->FSplit->FieldByName("FeePerCent")->SetAsString("50");
    view->OKClick();
  });
  form->AddReceptorClick(nullptr);
  EXPECT_EQ(footer("FeePerCent"), "100.0000");
  form->BitBtn1Click(nullptr);
  EXPECT_EQ(status("R1"), "");
  EXPECT_EQ(status("NEW"), "R");
  EXPECT_EQ(splitsOf("DUM", 1), (std::vector<std::string>{"NEW|50|0", "R2|30|40", "R3|20|20"}));
}

// A receptor has one dummy: the receptor of another is refused and nothing changes.
TEST_F(FeeSplitFTest, AReceptorOfAnotherDummyIsRefused) {
  const std::vector<std::string> before = splits();
  ScriptedMessageBoxes boxes;
  visit("DUM", 1);
  boxes.expect(mtInformation,
               "This receptor is assigned to another matter and\rmay not be assigned to DUM-1.\r\rPlease call Vantor, "
               "Inc. for assistance.");
  boxes.expect(mtConfirmation, "Changes have been made!  Do you wish to save your changes?", mrNo);
  // Once the refusal has been shown, the user gives up the dialog.
  std::function<void()> cancelAfterRefusal = [&] {
    TdcRecordViewDialog* view = form->FSplitRecordViewDialog;
    if (boxes.shown().empty()) return qn::ui::postCall(cancelAfterRefusal);
    if (view->Form()) view->CancelClick();
  };
  qn::ui::postCall([&] {
    TdcRecordViewDialog* view = form->FSplitRecordViewDialog;
    ASSERT_NE(view->Form(), nullptr);
    form->FSplit->FieldByName("ReceptorClient")->SetAsString("Q1");
    form->FSplit->FieldByName("ReceptorCase")->SetAsString("3");
    view->OKClick();
    qn::ui::postCall(cancelAfterRefusal);
  });
  form->AddReceptorClick(nullptr);
  EXPECT_EQ(footer("FeePerCent"), "100.0000");
  form->BitBtn1Click(nullptr);
  EXPECT_EQ(splits(), before);
}

// A box waiting with Yes focused keeps the footer as it is; one waiting on No lets it refresh.
TEST_F(FeeSplitFTest, TheFooterIsLeftAloneWhileAMessageBoxWaitsOnYes) {
  visit("DUM", 1);
  for (const bool onYes : {true, false}) {
    SCOPED_TRACE(onYes);
    AnsiString shown = "?";
    form->dcDBGrid1->ColumnByName("FeePerCent").SetFooterValue("stale");
    std::function<void()> inBox = [&] {
      auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
      if (!box) return qn::ui::postCall(inBox);
      QAbstractButton* button = box->button(onYes ? QMessageBox::Yes : QMessageBox::No);
      button->setFocus();
      form->dcDBGrid1->OnUpdateFooter(form->dcDBGrid1);
      shown = footer("FeePerCent");
      button->click();
    };
    qn::ui::postCall(inBox);
    EXPECT_EQ(MessageDlg("Go on?", mtConfirmation, {mbYes, mbNo}, 0), onYes ? mrYes : mrNo);
    EXPECT_EQ(shown, onYes ? "stale" : "100.0000");
  }
}

TEST_F(FeeSplitFTest, AddingAndDeletingNeedTheRight) {
  ActiveFunctionRights[14] = "N";
  ScriptedMessageBoxes boxes;
  visit("DUM", 1);
  boxes.expect(mtInformation, "Sorry, you don't have access to this function.");
  form->AddReceptorClick(nullptr);
  boxes.expect(mtInformation, "Sorry, you don't have access to this function.");
  form->DeleteReceptorClick(nullptr);
}

// The test program again, running only the child below on this folder.
int runVisitChild(const std::string& dataDir) {
  const pid_t child = ::fork();
  if (child == 0) {
    std::freopen("/dev/null", "w", stdout);
    ::setenv("QN_FEESPLIT_CHILD_DATA", dataDir.c_str(), 1);
    ::execl("/proc/self/exe", "dialogs-tests", "--gtest_also_run_disabled_tests",
            "--gtest_filter=FeeSplitFChild.DISABLED_DiesInTheMiddleOfAVisit", nullptr);
    ::_exit(127);
  }
  int status = 0;
  ::waitpid(child, &status, 0);
  return status;
}

TEST_F(FeeSplitFTest, AWorkstationKilledMidVisitLeavesTheFileAsItWas) {
  const std::vector<std::string> before = splits();
  const std::string bytes = fileBytes();
  const int status = runVisitChild(dataDir);
  ASSERT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == SIGKILL) << status;
  EXPECT_EQ(splits(), before);
  EXPECT_EQ(fileBytes(), bytes);
}

// Run only by the test above, as a process of its own: a visit that splits DUM-1 equally, sees
// its change, and dies before Save.
TEST(FeeSplitFChild, DISABLED_DiesInTheMiddleOfAVisit) {
  const char* data = std::getenv("QN_FEESPLIT_CHILD_DATA");
  ASSERT_NE(data, nullptr);
  qn::ui::testing::qtApplication();
  core_test::writeMachineString(MainAliasKey, "PhysicalName", data);
  DataDir = data;
  const uint16_t status = LoadBtrieveEngine("", "RECWBTRV.DLL");
  ASSERT_TRUE(status == 0 || status == 1016) << status;
  TDM2 dm2(nullptr);
  dm2.AfterConstruction();
  DummyClient = "DUM";
  DummySuffix = "      1";
  TFeeSplitF form(nullptr);
  form.Show();
  form.FormActivate(&form);
  ScriptedMessageBoxes boxes;
  boxes.expect(mtConfirmation, kRedistribute, mrYes);
  boxes.expect(mtInformation, kClickSave);
  form.BitBtn2Click(nullptr);
  ASSERT_EQ(form.FeeTotal(), 1000000);
  ::raise(SIGKILL);
}

}  // namespace
}  // namespace dialogs_test
