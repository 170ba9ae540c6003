// The find-and-replace dialog's checks in their order, each with its text, the confirmation it
// asks, and the packed-code dialogs it opens for sales tax and electronic billing codes.
#include <gtest/gtest.h>

#include "core/Globals.h"
#include "dialogs/EBFModF.h"
#include "dialogs/FindDlgF.h"
#include "dialogs/STaxRepF.h"
#include "dialogs/tests/CaseFolderFixture.h"
#include "framework/ui/SafeDispatch.h"
#include "framework/ui/testing/QtTestApplication.h"
#include "framework/ui/testing/ScriptedMessageBoxes.h"

namespace dialogs_test {
namespace {

using qn::ui::testing::ScriptedMessageBoxes;

const AnsiString Sure = "\r\rAre you SURE this is what you want to do?";

class FindDlgFTest : public CaseFolderFixture {
 protected:
  std::map<std::string, std::string> seeds() override {
    return {{"YTable.qf", "type code = A\ncode = A1\nDescription = Probate\n\ntype code = D\ncode = D1\nDescription = Lit\n"}};
  }
  void SetUp() override {
    CaseFolderFixture::SetUp();
    SysopSettings = {};
    dialog = std::make_unique<TFindDlgF>(nullptr);
    dialog->Show();
  }
  void TearDown() override {
    dialog.reset();
    SysopSettings = {};
    CaseFolderFixture::TearDown();
  }
  // The user's entries, then Replace; the dialog as the grid shows it with `selected` rows.
  void press(const char* lookIn, const AnsiString& find, const AnsiString& replace, int selected = 2,
             int scope = TFindDlgF::scopeAll) {
    dialog->SelectedRows = selected;
    dialog->FormShow(dialog.get());
    dialog->ComboBox1->SetItemIndex(dialog->ComboBox1->Items()->IndexOf(lookIn));
    ASSERT_GE(dialog->ComboBox1->ItemIndex(), 0) << lookIn;
    dialog->Edit1->SetText(find);
    dialog->Edit2->SetText(replace);
    dialog->RadioGroup2->SetItemIndex(scope);
    dialog->SetModalResult(mrNone);
    dialog->BitBtnReplaceClick(dialog->BitBtnReplace);
  }
  static AnsiString sure(const char* field, const char* find, const char* replace, const AnsiString& scope) {
    return "Quillon is about to change each " + AnsiString(field) + " of '" + find + "' to '" + replace + "'" + scope + Sure;
  }
  std::unique_ptr<TFindDlgF> dialog;
};

const AnsiString Every = " for EVERY case in your database.";
const AnsiString Selected = " for the row(s) you have selected.";

TEST_F(FindDlgFTest, ChecksRefuseInTheirOrderWithTheirTexts) {
  struct Case {
    const char* lookIn;
    const char* find;
    const char* replace;
    AnsiString text;
  };
  const std::vector<Case> cases = {
      {"Coordinating Attorney", "AB", "CD",
       "You may not change the Client Attorney at the case level.\rIt could introduce inconsistencies in your data."},
      // Before the equal-texts check.
      {"Status Code 1", "X", "X",
       "This feature does not allow you to change Case Status 1 to:\r\r         P   (Prevent entry)        or\r"
       "         X   (Closed case)"},
      {"Status Code 1", "A", "P",
       "This feature does not allow you to change Case Status 1 to:\r\r         P   (Prevent entry)        or\r"
       "         X   (Closed case)"},
      {"Billing Rate Code", " R1 ", "R1", "Nothing to do!  Please specify find and replace values."},
      {"Billing Rate Code", "ABC", "AB",
       "The search value you have specified is invalid.  The Billing Rate Code\rfield is limited to 2 characters."},
      {"Retainer Minimum", "0", "12345678",
       "The replace value you have specified is invalid.  The Retainer Minimum\rfield is limited to 7 characters."},
      {"Responsible Attorney 1", "AB", "cd",
       "The field Responsible Attorney 1 will not accept any lowercase characters.\rPlease re-enter a valid replacement value."},
      {"Retainer Minimum", "0", "-5", "The Retainer minimum value must be a number between 0 and 9999999."},
      {"Retainer Minimum", "0", "1.5", "The Retainer minimum value must be a number between 0 and 9999999."},
      {"Threshold", "0", "9A", "The Threshold value must be a number between 0 and 99999."},
      {"Finance Charge", "Q", "Y", "Only Y and N are valid for the Finance Charge switch."},
      {"Finance Charge", "N", "1", "Only Y and N are valid for the Finance Charge switch."},
  };
  for (const Case& c : cases) {
    ScriptedMessageBoxes boxes;
    boxes.expect(mtWarning, c.text);
    press(c.lookIn, c.find, c.replace);
    EXPECT_FALSE(dialog->Confirmed) << c.lookIn << " " << c.replace;
    EXPECT_EQ(dialog->ModalResult(), mrNone) << "the dialog stays open: " << c.lookIn;
  }
}

TEST_F(FindDlgFTest, NoSelectedRowsClosesTheDialogBeforeAnyOtherCheck) {
  ScriptedMessageBoxes boxes;
  boxes.expect(mtWarning, "No rows have been selected.  You may select multiple rows by\rusing the mouse in combination "
                          "with the Shift or Control key.");
  press("Coordinating Attorney", "AB", "AB", 0, TFindDlgF::scopeSelected);
  EXPECT_FALSE(dialog->Confirmed);
  EXPECT_EQ(dialog->ModalResult(), mrCancel);
}

TEST_F(FindDlgFTest, ScopeStartsAtSelectedRowsOnlyWhenRowsAreSelected) {
  dialog->SelectedRows = 3;
  dialog->FormShow(dialog.get());
  EXPECT_EQ(dialog->RadioGroup2->ItemIndex(), TFindDlgF::scopeSelected);
  dialog->SelectedRows = 0;
  dialog->FormShow(dialog.get());
  EXPECT_EQ(dialog->RadioGroup2->ItemIndex(), TFindDlgF::scopeAll);
}

TEST_F(FindDlgFTest, SevenDigitRetainerMinimumIsAcceptedAndConfirmedForSelectedRows) {
  ScriptedMessageBoxes boxes;
  boxes.expect(mtConfirmation, sure("Retainer Minimum", "0", "1234567", Selected), mrYes);
  press("Retainer Minimum", "0", "1234567", 2, TFindDlgF::scopeSelected);
  EXPECT_TRUE(dialog->Confirmed);
  EXPECT_EQ(dialog->ModalResult(), mrOk);
  EXPECT_EQ(dialog->FieldPosition, 36);
  EXPECT_EQ(dialog->MaxLength, 7);
  EXPECT_EQ(dialog->ScopeText, Selected);
}

TEST_F(FindDlgFTest, NoToTheConfirmationClosesWithoutConfirming) {
  ScriptedMessageBoxes boxes;
  boxes.expect(mtConfirmation, sure("Department Code", "D2", "D3", Every), mrNo);
  press("Department Code", "D2", "D3");
  EXPECT_FALSE(dialog->Confirmed);
  EXPECT_EQ(dialog->ModalResult(), mrCancel);
}

TEST_F(FindDlgFTest, LowerCaseSearchValueIsUpperCasedOnOkAndLeftOnCancel) {
  const AnsiString question =
      "The value you are searching for contains 1 or more lower case characters.\rThe field Responsible Attorney 2 only "
      "allows upper case characters.\r\rDo you want Quillon to correct the search value so that it is all uppercase?";
  {
    ScriptedMessageBoxes boxes;
    boxes.expect(mtConfirmation, question, mrCancel);
    press("Responsible Attorney 2", "ab", "CD");
    EXPECT_EQ(dialog->Edit1->Text(), "ab");
    EXPECT_FALSE(dialog->Confirmed);
  }
  ScriptedMessageBoxes boxes;
  boxes.expect(mtConfirmation, question, mrOk).expect(mtConfirmation, sure("Responsible Attorney 2", "AB", "CD", Every), mrYes);
  press("Responsible Attorney 2", "ab", "CD");
  EXPECT_EQ(dialog->Edit1->Text(), "AB");
  EXPECT_TRUE(dialog->Confirmed);
}

TEST_F(FindDlgFTest, CodeCheckFollowsTheValidationSetting) {
  const AnsiString notValid = "The replacement text you have specified is not valid for\rthe field Case Type 1 Code.";
  struct Case {
    const char* setting;
    const char* replace;
    bool refused;
  };
  for (const Case& c : {Case{"R", "ZZ", true}, Case{"R", "", true}, Case{"Y", "ZZ", true}, Case{"Y", "", false},
                        Case{"N", "ZZ", false}, Case{"R", "A1", false}}) {
    SysopSettings.ValCa1 = c.setting;
    ScriptedMessageBoxes boxes;
    if (c.refused) boxes.expect(mtWarning, notValid);
    else boxes.expect(mtConfirmation, sure("Case Type 1 Code", "B2", c.replace, Every), mrYes);
    press("Case Type 1 Code", "B2", c.replace);
    EXPECT_EQ(dialog->Confirmed, !c.refused) << c.setting << " '" << c.replace << "'";
  }
}

TEST_F(FindDlgFTest, CodeTableThatCannotBeOpenedIsSaid) {
  SysopSettings.ValCaDpt = "R";
  DataDir = root + "/nowhere";
  ScriptedMessageBoxes boxes;
  boxes.expect(mtError, "Quillon was unable to determine whether the replacement text you\rhave specified meets the "
                        "requirements for Department Code.\r\rPlease contact Vantor, Inc. for assistance.");
  press("Department Code", "D2", "D1");
  EXPECT_FALSE(dialog->Confirmed);
}

TEST_F(FindDlgFTest, SalesTaxIsChosenInItsOwnDialogAndKeptAsDigits) {
  TSTaxRepF* tax = dialog->SalesTaxDialog;
  qn::ui::postCall([tax] {
    ScriptedMessageBoxes boxes;
    boxes.expect(mtWarning, "Please select a sales tax specification that you want to change.");
    tax->BitBtnReplaceClick(tax->BitBtnReplace);
    tax->FromRadioGroup->SetItemIndex(3);
    boxes.expect(mtWarning, "Please select the new sales tax specification.");
    tax->BitBtnReplaceClick(tax->BitBtnReplace);
    tax->ToRadioGroup->SetItemIndex(7);
    boxes.expect(mtConfirmation,
                 "Quillon is about to change each sales tax specification of 'All costs' to 'Fees and all costs'" + Every + Sure,
                 mrYes);
    tax->BitBtnReplaceClick(tax->BitBtnReplace);
  });
  qn::ui::postCall([tax] {
    if (tax->Modal()) tax->SetModalResult(mrCancel);
  });
  // Sales tax asks nothing of the two texts: equal ones pass.
  press("Sales Tax", "", "");
  EXPECT_TRUE(dialog->Confirmed);
  EXPECT_EQ(dialog->FromIndex, "3");
  EXPECT_EQ(dialog->ToIndex, "7");
  EXPECT_EQ(dialog->FieldPosition, 26);
}

TEST_F(FindDlgFTest, ElectronicBillingCodesUseTheMainBlocksDialog) {
  TEBFModF own(nullptr);
  EBFModF = &own;
  qn::ui::postCall([&own] {
    own.FromRadioGroup->SetItemIndex(2);
    own.ToRadioGroup->SetItemIndex(4);
    ScriptedMessageBoxes boxes;
    boxes.expect(mtConfirmation,
                 "Quillon is about to change each electronic billing code specification of 'Activity' to 'Task'" + Selected + Sure,
                 mrYes);
    own.BitBtnReplaceClick(own.BitBtnReplace);
  });
  qn::ui::postCall([&own] {
    if (own.Modal()) own.SetModalResult(mrCancel);
  });
  press("Electronic Billing Codes", "", "", 4, TFindDlgF::scopeSelected);
  EBFModF = nullptr;
  EXPECT_TRUE(dialog->Confirmed);
  EXPECT_EQ(dialog->FromIndex + dialog->ToIndex, "24");
  EXPECT_EQ(dialog->MaxLength, 100);
}

TEST(EBFModF, ShowsAtEightyPercentOnlyAt96PixelsPerInch) {
  qn::ui::testing::qtApplication();
  for (int ppi : {96, 120}) {
    TEBFModF form(nullptr);
    form.SetPixelsPerInch(ppi);
    const int width = form.ClientWidth();
    form.Show();
    form.Hide();
    form.Show();
    EXPECT_EQ(form.ClientWidth(), ppi == 96 ? width * 80 / 100 : width) << ppi << ": once, however often it shows";
  }
}

}  // namespace
}  // namespace dialogs_test
