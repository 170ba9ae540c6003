// The rate information and the billable-fields dialog the description editor opens.
#include <gtest/gtest.h>

#include "core/Globals.h"
#include "core/TransactionEntry.h"
#include "dialogs/MemoF.h"
#include "dialogs/OptFieldsF.h"
#include "dialogs/RateInfoF.h"
#include "dialogs/TransactionValues.h"
#include "dialogs/tests/PickerFixture.h"
#include "framework/ui/Application.h"
#include "framework/ui/CheckBox.h"
#include "framework/ui/GlyphButton.h"
#include "framework/ui/Edit.h"
#include "framework/ui/SafeDispatch.h"
#include "framework/ui/Screen.h"
#include "framework/ui/TextLabel.h"
#include "framework/ui/testing/QtTestApplication.h"

namespace dialogs_test {
namespace {

TEST(RateSourceTest, TheSourceCodeNamesTheRatesKindTypeCodeAndNumber) {
  struct Case {
    const char* source;
    const char* kind;
    const char* type;
    const char* code;
    const char* rateNumber;
    const char* employee;
  };
  for (const Case& c : {Case{"DABCDR01", "Case Billing Rate", "Employee Department", "ABCD", "01", ""},
                        Case{"EABCDG02", "Group", "Employee", "ABCD", "02", ""},
                        Case{"MABCDG03", "Group", "Employee Class", "ABCD", "03", ""},
                        Case{"JS  01", "Case Billing Rate", "Employee", "01", "", "JS  "},
                        Case{"", "Case Billing Rate", "Employee", "", "", ""}}) {
    const RateSource s = DecodeRateSource(c.source);
    EXPECT_EQ(s.Kind, c.kind) << c.source;
    EXPECT_EQ(s.Type, c.type) << c.source;
    EXPECT_EQ(s.Code, c.code) << c.source;
    EXPECT_EQ(s.RateNumber, c.rateNumber) << c.source;
    EXPECT_EQ(s.Employee, c.employee) << c.source;
  }
}

TEST(RateSourceTest, TheDialogShowsTheAmountKindAndTheValueWithTwoDecimals) {
  qn::ui::testing::qtApplication();
  TRateInfoF dialog(nullptr);
  EXPECT_EQ(dialog.Caption(), "Rate Calculation Information");
  struct Case {
    bool fixed;
    const char* value;
    const char* amountKind;
    const char* shown;
  };
  for (const Case& c : {Case{true, "125", "Fixed Amount", "125.00"}, Case{false, "87.5", "Hourly Amount", "87.50"},
                        Case{false, "", "Hourly Amount", "0.00"}, Case{true, " 3.456 ", "Fixed Amount", "3.46"}}) {
    dialog.ShowRate("EABCDG02", c.fixed, c.value, "first", "second");
    EXPECT_EQ(dialog.LabelAmountKind->Caption(), c.amountKind);
    EXPECT_EQ(dialog.LabelValue->Caption(), c.shown);
  }
  EXPECT_EQ(dialog.LabelKind->Caption(), "Group");
  EXPECT_EQ(dialog.LabelInfo2->Caption(), "second");
}

TEST(TransactionValuesTest, TwoDecimalsCompleteAValueAndTheSnapshotTakesThemWithTwoDecimals) {
  for (auto [text, complete] : {std::pair{"1.25", true}, std::pair{"1.2", false}, std::pair{"12", false},
                                std::pair{".50", true}, std::pair{"1.255", false}, std::pair{"1.2x", false}})
    EXPECT_EQ(TwoDecimalsComplete(text), complete) << text;
  BillableFieldValues dialog;
  dialog.EmployeeCode = "E1";
  dialog.Hours = "1.5";
  dialog.Rate = "100";
  dialog.Amount = "";
  const BillableFieldValues taken = BillableValuesTaken(dialog);
  EXPECT_EQ(taken.EmployeeCode, "E1  ");
  EXPECT_EQ(taken.Hours, "1.50");
  EXPECT_EQ(taken.Rate, "100.00");
  EXPECT_EQ(taken.Amount, "0.00");
  EXPECT_TRUE(taken.Changed);
  dialog.EmployeeCode = "";
  EXPECT_EQ(BillableValuesTaken(dialog).EmployeeCode, "    ");
}

TEST(BillableFieldsScaleTest, TheSizeOptionsScaleTheDialogAndTheKindsNameTheFields) {
  EXPECT_EQ(BillableFieldsScale(0), 1.0);
  EXPECT_EQ(BillableFieldsScale(1), 1.1);
  EXPECT_EQ(BillableFieldsScale(2), 1.25);
  EXPECT_EQ(BillableFieldCaptionsFor(1, false).Hours, "Billable Hours");
  EXPECT_EQ(BillableFieldCaptionsFor(1, true).Rate, "Billable Rate");
  EXPECT_EQ(BillableFieldCaptionsFor(2, true).Hours, "Actual Amount");
  EXPECT_EQ(BillableFieldCaptionsFor(2, true).Rate, "Markup Factor");
  EXPECT_EQ(BillableFieldCaptionsFor(3, false).Hours, "Units");
  EXPECT_EQ(BillableFieldCaptionsFor(3, false).Rate, "Unit Charge");
}

class OptFieldsFTest : public PickerFixture {
 protected:
  BillableFieldValues handed() {
    BillableFieldValues v;
    v.EmployeeCode = "E1";
    v.Hours = "1.50";
    v.Rate = "100.00";
    v.Amount = "150.00";
    return v;
  }
};

TEST_F(OptFieldsFTest, HoldAndNoBillExcludeEachOtherAndNoBillZeroesTheValuesUntilUnticked) {
  TransactionEntry.Kind = 1;
  TOptFieldsF dialog(nullptr);
  dialog.Prepare(handed(), false);
  EXPECT_EQ(dialog.Caption(), "Billable Fields");
  EXPECT_EQ(dialog.LabelHours->Caption(), "Billable Hours");
  dialog.CBHold->SetChecked(true);
  dialog.CBNoBill->SetChecked(true);
  EXPECT_FALSE(dialog.CBHold->Checked());
  for (TEdit* value : {dialog.BillHours, dialog.BillRate, dialog.BillAmount}) {
    EXPECT_EQ(value->Text(), "0.00");
    EXPECT_FALSE(value->Enabled());
  }
  dialog.CBHold->SetChecked(true);
  EXPECT_FALSE(dialog.CBNoBill->Checked());
  EXPECT_EQ(dialog.BillHours->Text(), "1.50");
  EXPECT_EQ(dialog.BillRate->Text(), "100.00");
  EXPECT_EQ(dialog.BillAmount->Text(), "150.00");
  EXPECT_TRUE(dialog.BillAmount->Enabled());
}

TEST_F(OptFieldsFTest, NoBillUntickedAfterAValueWasTypedKeepsWhatWasTyped) {
  TOptFieldsF dialog(nullptr);
  dialog.Prepare(handed(), false);
  dialog.CBNoBill->SetChecked(true);
  dialog.BillHours->SetText("2.00");
  dialog.CBNoBill->SetChecked(false);
  EXPECT_EQ(dialog.BillHours->Text(), "2.00");
  EXPECT_EQ(dialog.BillAmount->Text(), "0.00");
}

TEST_F(OptFieldsFTest, TheEntrysStatusLocksHoldNoBillAndTheRate) {
  TransactionEntry.LockedStatus = true;
  TOptFieldsF dialog(nullptr);
  dialog.Prepare(handed(), false);
  EXPECT_FALSE(dialog.CBHold->Enabled());
  EXPECT_FALSE(dialog.CBNoBill->Enabled());
  EXPECT_FALSE(dialog.BillRate->Enabled());
  EXPECT_TRUE(dialog.BillHours->Enabled());
}

TEST_F(OptFieldsFTest, TheDialogKeepsItsFrameAndScalesWithTheSizeOption) {
  for (int option : {0, 1, 2}) {
    FormSizeOption = option;
    TOptFieldsF dialog(nullptr);
    EXPECT_EQ(dialog.ClientWidth(), static_cast<int>(595.0 * dialog.PixelsPerInch() / 120 * BillableFieldsScale(option)));
    EXPECT_EQ(dialog.CCACode->Font()->Style().Contains(fsBold), option == 2);
    EXPECT_NE(dialog.BorderStyle(), bsNone);
  }
}

class MemoBillableTest : public OptFieldsFTest {
 protected:
  void SetUp() override {
    OptFieldsFTest::SetUp();
    memo = std::make_unique<TMemoF>(nullptr);
    dock(memo.get(), 60);
    BillableFields = handed();
  }
  void TearDown() override {
    memo.reset();
    OptFieldsFTest::TearDown();
  }
  // The billable-fields dialog the panel has open; none when it opened none.
  TOptFieldsF* openDialog() {
    for (int i = 0; i < memo->ComponentCount(); ++i)
      if (auto* dialog = dynamic_cast<TOptFieldsF*>(memo->Components(i))) return dialog;
    return nullptr;
  }
  std::unique_ptr<TMemoF> memo;
};

TEST_F(MemoBillableTest, WhenTheMainWindowAnswersTheDialogNeverOpens) {
  host->Answer = 1;
  int opened = 0;
  qn::ui::postCall([&] {
    if (auto* dialog = openDialog()) {
      ++opened;
      dialog->SetModalResult(mrCancel);
    }
  });
  memo->OptFieldsBitBtnClick(memo->OptFieldsBitBtn);
  Application->ProcessMessages();
  EXPECT_EQ(opened, 0);
  EXPECT_EQ(host->Asked, (std::vector<std::intptr_t>{0}));
}

TEST_F(MemoBillableTest, OkAfterAChangeOfHoursTellsTheMainWindowAndKeepsTheNewValues) {
  TransactionEntry.Kind = 1;
  int opened = 0;
  qn::ui::postCall([&] {
    auto* dialog = openDialog();
    if (!dialog) return;
    ++opened;
    dialog->BillHours->SetFocus();
    dialog->BillHours->SetText("2.5");
    dialog->SetModalResult(mrOk);
  });
  memo->OptFieldsBitBtnClick(memo->OptFieldsBitBtn);
  EXPECT_EQ(opened, 1);
  EXPECT_EQ(host->Asked, (std::vector<std::intptr_t>{0, 2}));
  EXPECT_EQ(BillableFields.Hours, "2.50");
  EXPECT_EQ(BillableFields.EmployeeCode, "E1  ");
  EXPECT_TRUE(BillableFields.Changed);
}

TEST_F(MemoBillableTest, OkAfterHoldWasTickedTellsTheMainWindowWithLParamOne) {
  qn::ui::postCall([&] {
    auto* dialog = openDialog();
    if (!dialog) return;
    dialog->CBHold->SetFocus();
    dialog->CBHold->SetChecked(true);
    dialog->SetModalResult(mrOk);
  });
  memo->OptFieldsBitBtnClick(memo->OptFieldsBitBtn);
  EXPECT_EQ(host->Asked, (std::vector<std::intptr_t>{0, 1}));
  EXPECT_TRUE(BillableFields.Hold);
  EXPECT_EQ(BillableFields.Hours, "1.50");
}

TEST_F(MemoBillableTest, OkWithoutAChangeTellsNothing) {
  qn::ui::postCall([&] {
    if (auto* dialog = openDialog()) dialog->SetModalResult(mrOk);
  });
  memo->OptFieldsBitBtnClick(memo->OptFieldsBitBtn);
  EXPECT_EQ(host->Asked, (std::vector<std::intptr_t>{0}));
  EXPECT_FALSE(BillableFields.Changed);
}

}  // namespace
}  // namespace dialogs_test
