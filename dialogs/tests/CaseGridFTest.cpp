// The case grid on real files: its packed cells, the search that selects its matches and the
// navigator over them, the sorting, the buttons' results, and the global replace with its audit
// lines (only after a commit). A picture of the grid, the find-and-replace dialog and the undelete
// dialog on a copy of the demo is made for a person to look at.
#include <gtest/gtest.h>

#include <QTest>
#include <cstdlib>
#include <filesystem>

#include "core/Globals.h"
#include "core/RecordCopy.h"
#include "core/SettingKeys.h"
#include "core/tests/MachineRegistry.h"
#include "datagrid/DcTbTable.h"
#include "datagrid/FilterDialogForm.h"
#include "core/RecordFiles.h"
#include "dialogs/CaseGridF.h"
#include "dialogs/ClsManyF.h"
#include "dialogs/FindDlgF.h"
#include "dialogs/UndeleteCases.h"
#include "dialogs/UndeleteF.h"
#include "dialogs/tests/CaseFolderFixture.h"
#include "framework/base/Clock.h"
#include "framework/base/DateTime.h"
#include "framework/base/StringList.h"
#include "framework/db/Field.h"
#include "framework/ui/SafeDispatch.h"
#include "framework/ui/testing/ScriptedMessageBoxes.h"
#include "platform/recmgr/tests/RecordManagerApi.h"
#include "platform/recmgr/tests/ServeChild.h"

namespace dialogs_test {
namespace {

using qn::recmgr::testing::ServeChild;
using qn::ui::testing::ScriptedMessageBoxes;

// The filter dialog's form, once shown, plays the script; a form left open is cancelled.
void scriptSearch(TdcFilterDialog& dialog, std::function<void(TdcFilterDlg&)> script) {
  dialog.OnInitDialog = [script](TdcFilterDlg* form) {
    qn::ui::postCall([form, script] {
      // The form takes criteria only once it is active.
      EXPECT_TRUE(QTest::qWaitForWindowActive(form->Window()));
      script(*form);
      if (form->ModalResult() == mrNone) form->SetModalResult(mrCancel);
    });
  };
}

// A search for matters whose first responsible attorney is the code.
void searchAttorney(TdcFilterDialog& dialog, const char* code) {
  scriptSearch(dialog, [code](TdcFilterDlg& form) {
    ASSERT_TRUE(form.SelectField(form.FieldsListBox->Items()->IndexOf("Resp Atty 1")));
    form.MatchTypeGroup->SetItemIndex(0);
    form.ValueControl()->SetText(code);
    form.OKButton->Click();
  });
}

// Ten matters: every third has attorney AB; the sixth is closed.
class CaseGridFTest : public CaseFolderFixture {
 protected:
  std::map<std::string, std::string> seeds() override {
    std::string cases;
    for (int i = 1; i <= 10; ++i) {
      std::string extra = "Resp Atty 1 = " + std::string(i % 3 == 0 ? "AB" : "XY") + "\nAlternate ID = ALT" +
                          std::to_string(20 - i) + "\nDescription Line 1 = Matter " + std::to_string(i) + "\n";
      if (i == 1)
        extra += "Sales Tax = 5\nFinance Charge = B\nRet Transfer Code = K\nCase Type 1 = A1\nCase Type 2 = A2\n"
                 "Fee BCC = M\nCost BCC = Q\nBilling Rate Code = R1\nDepartment Code = D1\nClient Coord Atty = CC\n"
                 "Threshhold = 250\nFee Budget $ = 1000.00\nRetainer Min $ = 500\nAlt Billing Format = F01\n"
                 "Date Opened = 2026-01-15\n";
      if (i == 6) extra += "Case Status 1 = X\n";
      cases += caseSeed(i <= 5 ? "ADAMS" : "BRIGHT", i, extra) + "\n";
    }
    return {{"YCase.qf", cases}};
  }
  void SetUp() override {
    CaseFolderFixture::SetUp();
    HideClosedCases = false;
    findDialog = std::make_unique<TFindDlgF>(nullptr);
    FindDlgF = findDialog.get();
    grid = std::make_unique<TCaseGridF>(nullptr);
    grid->Show();
  }
  void TearDown() override {
    grid.reset();
    FindDlgF = nullptr;
    findDialog.reset();
    HideClosedCases = false;
    CaseFolderFixture::TearDown();
  }
  AnsiString current(const char* field) { return grid->Case1_->FieldByName(field)->AsString(); }
  // What the find-and-replace dialog left after the user confirmed.
  void confirmed(const char* lookIn, const char* find, const char* replace, bool selectedOnly) {
    findDialog->ComboBox1->SetItemIndex(findDialog->ComboBox1->Items()->IndexOf(lookIn));
    findDialog->Edit1->SetText(find);
    findDialog->Edit2->SetText(replace);
    findDialog->RadioGroup2->SetItemIndex(selectedOnly ? TFindDlgF::scopeSelected : TFindDlgF::scopeAll);
  }
  std::vector<std::string> audit() { return {grid->ReplaceAuditLines.begin(), grid->ReplaceAuditLines.end()}; }

  std::unique_ptr<TFindDlgF> findDialog;
  std::unique_ptr<TCaseGridF> grid;
};

TEST_F(CaseGridFTest, CellsPackTheCodedFieldsIntoThreeLines) {
  grid->Case1_->First();
  EXPECT_EQ(current("SalesTaxText"), "F IC\rA E\rDC FC ST");
  EXPECT_EQ(current("FinChgAltFmt"), "Y\r\rF01");
  EXPECT_EQ(current("Types"), "A1\rA2\r");
  EXPECT_EQ(current("BCCRate"), "M\rQ\rR1");
  EXPECT_EQ(current("DeptCCA"), "D1\rCC\r250");
  EXPECT_EQ(current("Budget"), "1000\r0\r500");
  EXPECT_EQ(current("AltIDDecsLine1"), "Matter 1\rALT19\rXY" + std::string(27, ' '));
  EXPECT_EQ(current("Dates").substr(current("Dates").size() - 2), "\r\r");
  EXPECT_NE(current("Dates").find("01"), AnsiString::npos) << current("Dates");
}

TEST_F(CaseGridFTest, OpensOnTheMatterItIsGivenAndOkReturnsTheCurrentOne) {
  grid->Hide();
  grid->ClientCode = "BRIGHT";
  grid->CaseSuffix = "7";
  grid->Show();
  EXPECT_EQ(current("Case Suffix"), "      7");
  grid->Case1_->Next();
  grid->BitBtn1Click(grid->BitBtn1);
  EXPECT_EQ(grid->ClientCode, "BRIGHT");
  EXPECT_EQ(grid->CaseSuffix, "      8");
  EXPECT_EQ(grid->ModalResult(), mrOk);
}

TEST_F(CaseGridFTest, HiddenClosedMattersAreLeftOut) {
  grid->Hide();
  HideClosedCases = true;
  grid->Show();
  int count = 0;
  for (grid->Case1_->First(); !grid->Case1_->Eof(); grid->Case1_->Next()) ++count;
  EXPECT_EQ(count, 9);
}

TEST_F(CaseGridFTest, SearchSelectsTheMatchesAndTheRedArrowsWalkThem) {
  searchAttorney(*grid->dcFilterDialog1, "AB");
  ScriptedMessageBoxes boxes;
  boxes.expect(mtInformation,
               "3 records found that match your criteria.\rUse the red scrolling arrows to move from one selected record to another");
  grid->BitBtnFindClick(grid->BitBtnFind);
  EXPECT_EQ(grid->SelectedCount(), 3);
  EXPECT_FALSE(grid->Case1_->Filtered());
  EXPECT_TRUE(grid->CaseNavigator->Visible());
  EXPECT_EQ(current("Case Suffix"), "      3");
  EXPECT_FALSE(grid->CaseNavigatorButtons[0]->Enabled());
  EXPECT_TRUE(grid->CaseNavigatorButtons[3]->Enabled());
  grid->CaseNavigatorFirstClick(grid->CaseNavigatorButtons[2]);
  EXPECT_EQ(current("Case Suffix"), "      6");
  grid->CaseNavigatorFirstClick(grid->CaseNavigatorButtons[3]);
  EXPECT_EQ(current("Case Suffix"), "      9");
  EXPECT_FALSE(grid->CaseNavigatorButtons[2]->Enabled());
  grid->CaseNavigatorFirstClick(grid->CaseNavigatorButtons[0]);
  EXPECT_EQ(current("Case Suffix"), "      3");
  grid->UnselectBitBtnClick(grid->UnselectBitBtn);
  EXPECT_EQ(grid->SelectedCount(), 0);
  EXPECT_FALSE(grid->CaseNavigator->Visible());
}

TEST_F(CaseGridFTest, NoMatchAsksWhetherToSearchAgain) {
  searchAttorney(*grid->dcFilterDialog1, "QQ");
  ScriptedMessageBoxes boxes;
  boxes.expect(mtConfirmation, "No records found that match your criteria.\rSearch again?", mrYes)
      .expect(mtConfirmation, "No records found that match your criteria.\rSearch again?", mrNo);
  grid->BitBtnFindClick(grid->BitBtnFind);
  EXPECT_EQ(grid->SelectedCount(), 0);
  EXPECT_FALSE(grid->Case1_->Filtered());
}

TEST_F(CaseGridFTest, OnlyShowFoundKeepsTheFilteredViewUntilShowAll) {
  grid->OnlyFoundCheckBox->SetChecked(true);
  searchAttorney(*grid->dcFilterDialog1, "AB");
  grid->BitBtnFindClick(grid->BitBtnFind);
  EXPECT_TRUE(grid->Case1_->Filtered());
  EXPECT_TRUE(grid->BitBtn4->Enabled());
  grid->BitBtn4Click(grid->BitBtn4);
  EXPECT_FALSE(grid->Case1_->Filtered());
  EXPECT_EQ(current("Case Suffix"), "      1");
}

TEST_F(CaseGridFTest, SortChoicesAndTheRightJustifySwap) {
  struct Case {
    int sort;
    bool right;
    const char* index;
  };
  for (const Case& c : {Case{0, false, "4"}, Case{0, true, "1"}, Case{1, false, "3"}, Case{1, true, "3"},
                        Case{2, false, "5"}, Case{2, true, "6"}}) {
    grid->CheckBox1->SetChecked(c.right);
    grid->RadioGroupSort->SetItemIndex(c.sort);
    grid->RadioGroupSortClick(grid->RadioGroupSort);
    EXPECT_EQ(grid->Case1_->IndexName(), c.index) << c.sort << c.right;
  }
}

TEST_F(CaseGridFTest, SaveToScanNeedsASelectedMatter) {
  ScriptedMessageBoxes boxes;
  boxes.expect(mtConfirmation, "No cases have been selected!  Do you want to try again?", mrYes);
  grid->BitBtn2Click(grid->BitBtn2);
  EXPECT_EQ(grid->ModalResult(), mrNone);
  grid->dcDBGrid1->SelectRecord();
  grid->BitBtn2Click(grid->BitBtn2);
  EXPECT_TRUE(grid->SaveToScan);
  EXPECT_EQ(grid->ModalResult(), mrOk);
  grid->BitBtn3Click(grid->BitBtn3);
  EXPECT_FALSE(grid->SaveToScan);
}

TEST_F(CaseGridFTest, MasterFolderLeavesNothingToChange) {
  core_test::writeMachineString(RemoteAliasKey, "PhysicalName", dataDir);
  grid->Hide();
  grid->MasterFolder = true;
  grid->Show();
  EXPECT_EQ(grid->Case1_->DatabaseName(), "QNWMAS");
  EXPECT_FALSE(grid->BitBtn2->Enabled());
  EXPECT_FALSE(grid->BitBtn3->Enabled());
  EXPECT_FALSE(grid->BitBtnReplace->Enabled());
  EXPECT_TRUE(grid->BitBtn1->Enabled());
}

TEST_F(CaseGridFTest, CommittedRunsKeepTheirAuditLinesAndARolledBackRunNone) {
  confirmed("Responsible Attorney 1", "AB", "CD", false);
  {
    ScriptedMessageBoxes boxes;
    boxes.expect(mtInformation, "3 occurrences have been changed.");
    EXPECT_TRUE(grid->ReplaceInCases(22, 4));
  }
  EXPECT_EQ(audit(), (std::vector<std::string>{"Global Search and Replace of Responsible Attorney 1:", "  AB replaced with CD"}));
  EXPECT_EQ(grid->ReplaceAuditCount, 3);
  EXPECT_EQ(rows("ycase.qf;RES:YCASE", {"Resp Atty 1"})[2], "CD");

  // The selected rows only: matters 1 and 2.
  grid->Case1_->First();
  grid->dcDBGrid1->SelectRecord();
  grid->Case1_->Next();
  grid->dcDBGrid1->SelectRecord();
  confirmed("Responsible Attorney 1", "XY", "EF", true);
  {
    ScriptedMessageBoxes boxes;
    boxes.expect(mtInformation, "2 occurrences have been changed.");
    EXPECT_TRUE(grid->ReplaceInCases(22, 4));
  }
  EXPECT_EQ(grid->ReplaceAuditCount, 5);
  EXPECT_EQ(audit().size(), 4u);
  EXPECT_EQ(audit()[3], "  XY replaced with EF");
  const std::vector<std::string> attorneys = rows("ycase.qf;RES:YCASE", {"Resp Atty 1"});
  EXPECT_EQ(attorneys, (std::vector<std::string>{"EF", "EF", "CD", "XY", "XY", "CD", "XY", "XY", "CD", "XY"}));

  // The other workstation holds matter 4: the user gives up at the lock question.
  ServeChild other;
  ASSERT_EQ(other.status("open 0 " + dataDir + "/YCase.qf"), 0);
  ASSERT_EQ(other.status("read 0 12 0"), 0);
  for (int i = 0; i < 2; ++i) ASSERT_EQ(other.status("read 0 6 0"), 0);
  ASSERT_EQ(other.status("read 0 206 0"), 0);
  qn::ManualClock clock;
  qn::setClock(&clock);
  confirmed("Responsible Attorney 1", "XY", "GH", false);
  {
    ScriptedMessageBoxes boxes;
    boxes.expect(mtConfirmation, "A record lock was encountered.  Retry?", mrNo)
        .expect(mtError, " Unable to execute find and replace.  If this condition persists,\rplease contact Vantor, Inc. for assistance.");
    EXPECT_FALSE(grid->ReplaceInCases(22, 4));
  }
  qn::setClock(nullptr);
  EXPECT_EQ(grid->ReplaceAuditCount, 5);
  EXPECT_EQ(audit().size(), 4u);
  EXPECT_EQ(rows("ycase.qf;RES:YCASE", {"Resp Atty 1"}), attorneys);
  EXPECT_EQ(current("Resp Atty 1"), AnsiString(grid->Case1_->FieldByName("Resp Atty 1")->AsString()));
  EXPECT_EQ(grid->Case1_->State(), dsBrowse);
}

TEST_F(CaseGridFTest, SalesTaxReplaceNamesTheSettingsInItsAudit) {
  findDialog->FromIndex = "5";
  findDialog->ToIndex = "7";
  confirmed("Sales Tax", "", "", false);
  ScriptedMessageBoxes boxes;
  boxes.expect(mtInformation, "1 occurrences have been changed.");
  EXPECT_TRUE(grid->ReplaceInCases(26, 99));
  EXPECT_EQ(audit(), (std::vector<std::string>{"Global Search and Replace of Sales Tax:",
                                               "  Fees and indirect costs replaced with Fees and all costs"}));
  EXPECT_EQ(rows("ycase.qf;RES:YCASE", {"Sales Tax"})[0], "7");
}

// Where the pictures go: under the build folder, beside the test program.
std::string imagePath(const std::string& name) {
  const std::filesystem::path dir =
      std::filesystem::path(qn::recmgr::testing::programFolder()).parent_path() / "dialogs-images";
  std::filesystem::create_directories(dir);
  return (dir / name).string();
}

// The demo's data, copied, shown as a user sees it.
class CaseDialogsPictures : public CaseGridFTest {
 protected:
  void SetUp() override {
    CaseGridFTest::SetUp();
    grid->Hide();
    const std::string demo = root + "/demo";
    ASSERT_EQ(std::system(("'" + qn::recmgr::testing::programFolder() + "/qnseed' demo '" + demo + "' >/dev/null").c_str()), 0);
    dataDir = demo + "/data";
    DataDir = dataDir;
    core_test::writeMachineString(MainAliasKey, "PhysicalName", dataDir);
  }
  static void save(TForm& form, const std::string& name) {
    ASSERT_TRUE(QTest::qWaitForWindowExposed(form.Window()));
    EXPECT_TRUE(form.Window()->grab().toImage().save(QString::fromStdString(imagePath(name))));
  }
};

TEST_F(CaseDialogsPictures, GridWithASearchsMatchesFindDialogAndUndeleteDialog) {
  grid->Show();
  int matches = 0;
  for (grid->Case1_->First(); !grid->Case1_->Eof(); grid->Case1_->Next())
    matches += current("Client Code")[0] == 'A';
  ASSERT_GT(matches, 0);
  scriptSearch(*grid->dcFilterDialog1, [](TdcFilterDlg& form) {
    ASSERT_TRUE(form.SelectField(form.FieldsListBox->Items()->IndexOf("Client Code")));
    form.MatchTypeGroup->SetItemIndex(1);
    form.ValueControl()->SetText("A");
    form.OKButton->Click();
  });
  {
    ScriptedMessageBoxes boxes;
    boxes.expect(mtInformation, std::to_string(matches) + " records found that match your criteria.\rUse the red scrolling "
                                                           "arrows to move from one selected record to another");
    grid->BitBtnFindClick(grid->BitBtnFind);
  }
  EXPECT_GT(grid->SelectedCount(), 0);
  grid->dcDBGrid1->SetFocus();
  save(*grid, "case-grid-search.png");
  grid->Hide();

  findDialog->SelectedRows = 2;
  findDialog->Show();
  findDialog->ComboBox1->SetItemIndex(11);
  findDialog->Edit1->SetText("JS");
  findDialog->Edit2->SetText("MB");
  save(*findDialog, "find-and-replace.png");
  findDialog->Hide();

  // Two of the demo's matters deleted, and one whose client is gone.
  {
    TdcTbTable cases(nullptr), saved(nullptr);
    for (auto [table, file] : {std::pair{&cases, "ycase.qf"}, std::pair{&saved, "casesave.qf"}}) {
      table->SetDatabaseName("QNWIN");
      table->SetTableName(dataDir + "\\" + file + ";RES:YCASE");
      table->Open();
    }
    cases.First();
    for (int i = 0; i < 3; ++i, cases.Next()) {
      AppendRecordCopy(&cases, &saved);
      if (i == 2) {
        saved.Edit();
        saved.FieldByName("Client Code")->SetAsString("GONE");
        saved.Post();
      }
    }
  }
  TUndeleteF undelete(nullptr);
  UndeleteF = &undelete;
  ActiveFileRights.Fill("Y");
  TUndeleteF* d = &undelete;
  qn::ui::postCall([d] {
    if (d->ListBox1->Items()->Count() > 0) d->ListBox1->SetSelected(0, true);
    d->ListBox1Click(d->ListBox1);
    save(*d, "undelete.png");
    d->SetModalResult(mrCancel);
  });
  UndeleteCases([] {});
  UndeleteF = nullptr;
  ActiveFileRights.Fill("");

  RecordFileDir = dataDir;
  TClsManyF closeMany(nullptr);
  closeMany.Show();
  closeMany.DateTimePicker1->SetDate(EncodeDate(2025, 12, 31));
  save(closeMany, "close-matters.png");
  CloseAllRecordFiles();
}

}  // namespace
}  // namespace dialogs_test
