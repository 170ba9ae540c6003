// The case screen's three small batch dialogs: the key and question of the permanent delete,
// the close-many lists of employees cut to their codes, and the multiple entry's ending number.
#include <gtest/gtest.h>

#include "core/Globals.h"
#include "core/RecordFiles.h"
#include "dialogs/ClsManyF.h"
#include "dialogs/MultInF.h"
#include "dialogs/PermDelF.h"
#include "dialogs/tests/CaseFolderFixture.h"
#include "framework/base/DateTime.h"
#include "framework/ui/testing/QtTestApplication.h"
#include "framework/ui/testing/ScriptedMessageBoxes.h"

namespace dialogs_test {
namespace {

using qn::ui::testing::ScriptedMessageBoxes;

class PermDelFTest : public ::testing::Test {
 protected:
  void SetUp() override {
    qn::ui::testing::qtApplication();
    dialog = std::make_unique<TPermDelF>(nullptr);
  }
  void show(const char* caption, std::initializer_list<const char*> lines) {
    if (caption) dialog->SetCaption(caption);
    for (const char* line : lines) dialog->ListBox1->Items()->Add(line);
    dialog->Show();
  }
  void pick(int index) {
    dialog->ListBox1->SetSelected(index, true);
    dialog->ListBox1Click(dialog->ListBox1);
  }
  std::unique_ptr<TPermDelF> dialog;
};

TEST_F(PermDelFTest, ClientFormTakesSevenCharactersAndAsksOfTheClient) {
  show(nullptr, {"BRIGHT Bright, Ann", "ADAMS  Adams, Walter"});
  EXPECT_EQ(dialog->Caption(), "Please select the client that you wish to permanently delete");
  EXPECT_EQ(dialog->ListBox1->Items()->Strings(0), "ADAMS  Adams, Walter") << "the list is sorted";
  EXPECT_FALSE(dialog->OKBitBtn->Enabled());
  pick(0);
  EXPECT_EQ(dialog->SelectedKey, "ADAMS  ");
  EXPECT_TRUE(dialog->OKBitBtn->Enabled());
  ScriptedMessageBoxes boxes;
  boxes.expect(mtConfirmation, "Are you sure you wish to PERMANENTLY remove the client ADAMS from Quillon?", mrNo);
  dialog->OKBitBtnClick(dialog->OKBitBtn);
  EXPECT_FALSE(dialog->Confirmed);
  boxes.expect(mtConfirmation, "Are you sure you wish to PERMANENTLY remove the client ADAMS from Quillon?", mrYes);
  dialog->OKBitBtnClick(dialog->OKBitBtn);
  EXPECT_TRUE(dialog->Confirmed);
}

TEST_F(PermDelFTest, MatterFormTakesFourteenCharacters) {
  show("Please select the matter that you wish to permanently delete", {"ADAMS       12 Estate plan"});
  pick(0);
  EXPECT_EQ(dialog->SelectedKey, "ADAMS       12");
  ScriptedMessageBoxes boxes;
  boxes.expect(mtConfirmation, "Are you sure you wish to PERMANENTLY remove the matter ADAMS-12 from Quillon?", mrYes);
  dialog->OKBitBtnClick(dialog->OKBitBtn);
  EXPECT_TRUE(dialog->Confirmed);
}

class MultInFTest : public ::testing::Test {
 protected:
  void SetUp() override {
    qn::ui::testing::qtApplication();
    dialog = std::make_unique<TMultInF>(nullptr);
    dialog->StartEdit->SetText("120");
    dialog->Show();
  }
  std::unique_ptr<TMultInF> dialog;
};

TEST_F(MultInFTest, EndingNumberIsCheckedBeforeTheDialogCloses) {
  struct Case {
    const char* typed;
    const char* refusal;  // nullptr: accepted
  };
  const std::vector<Case> cases = {
      {"12a", "12a is not an acceptable value."},
      {"", " is not an acceptable value."},
      {"119", "Ending case number must be greater than starting case number."},
      {"120", nullptr},
      {"135", nullptr},
  };
  for (const Case& c : cases) {
    dialog->FormShow(dialog.get());
    EXPECT_TRUE(dialog->Cancelled);
    EXPECT_EQ(dialog->EndEdit->Text(), "");
    dialog->EndEdit->SetText(c.typed);
    dialog->SetActiveControl(dialog->SaveBitBtn);
    dialog->SetModalResult(mrNone);
    ScriptedMessageBoxes boxes;
    if (c.refusal) boxes.expect(mtWarning, c.refusal);
    dialog->SaveBitBtnClick(dialog->SaveBitBtn);
    EXPECT_EQ(dialog->Cancelled, c.refusal != nullptr) << c.typed;
    if (!c.refusal) EXPECT_EQ(dialog->EndingNumber, std::stoi(c.typed));
    else EXPECT_EQ(dialog->ActiveControl(), dialog->EndEdit) << c.typed;
    if (std::string(c.typed) == "12a") EXPECT_EQ(dialog->EndEdit->SelLength(), 3) << "the text is selected";
  }
}

TEST_F(MultInFTest, NoMoreThanSevenCharactersCanBeTyped) { EXPECT_EQ(dialog->EndEdit->MaxLength(), 7); }

class ClsManyFTest : public CaseFolderFixture {
 protected:
  std::map<std::string, std::string> seeds() override {
    return {{"YEmpl.qf", "Employee Code = JS\nEmployee Last Name = Smith\nEmployee First Name = John\n\n"
                         "Employee Code = AB\nEmployee Last Name = Baker\nEmployee First Name = Ann\n"}};
  }
  void SetUp() override {
    CaseFolderFixture::SetUp();
    RecordFileDir = DataDir;
    dialog = std::make_unique<TClsManyF>(nullptr);
  }
  void TearDown() override {
    dialog.reset();
    CloseAllRecordFiles();
    CaseFolderFixture::TearDown();
  }
  static std::vector<std::string> items(ComboBox* box) {
    std::vector<std::string> all;
    for (int i = 0; i < box->Items()->Count(); ++i) all.push_back(box->Items()->Strings(i));
    return all;
  }
  std::unique_ptr<TClsManyF> dialog;
};

TEST_F(ClsManyFTest, ListsOfferAllThenTheEmployeesAndCloseUpCutsToTheCode) {
  dialog->Show();
  const std::vector<std::string> expected = {"All", "AB    Baker, Ann", "JS    Smith, John"};
  EXPECT_EQ(items(dialog->CBCCA), expected);
  EXPECT_EQ(items(dialog->CBRA1), expected);
  EXPECT_EQ(dialog->CBCCA->Text(), "All");
  dialog->CBCCA->SetItemIndex(2);
  dialog->CBRA1->SetItemIndex(0);
  dialog->CBRA1CloseUp(dialog->CBCCA);
  EXPECT_EQ(dialog->CBCCA->Text(), "JS  ");
  EXPECT_EQ(dialog->CBRA1->Text(), "All");
  dialog->BitBtn1Click(dialog->BitBtn1);
  EXPECT_TRUE(dialog->OkPressed);
}

TEST_F(ClsManyFTest, CutOffDateIsAnUnboundDateOnlyPicker) {
  dialog->Show();
  EXPECT_EQ(dialog->DateTimePicker1->UnboundDataType(), dcDTEdtDate);
  EXPECT_EQ(dialog->DateTimePicker1->Field(), nullptr);
  const TDateTime cutOff = EncodeDate(2025, 12, 31) + EncodeTime(15, 30, 0, 0);
  dialog->DateTimePicker1->SetDate(cutOff);
  EXPECT_EQ(dialog->DateTimePicker1->Date(), EncodeDate(2025, 12, 31)) << "a date only: the time is dropped";
  dialog->BitBtn1Click(dialog->BitBtn1);
  EXPECT_TRUE(dialog->OkPressed);
}

TEST_F(ClsManyFTest, AwayFrom120PixelsPerInchTheFormLosesTwoButtonHeights) {
  for (int ppi : {96, 120}) {
    TClsManyF form(nullptr);
    form.SetPixelsPerInch(ppi);
    const int height = form.ClientHeight(), top = form.BitBtn1->Top(), pickerLeft = form.DateTimePicker1->Left();
    form.Show();
    const int shrink = ppi == 120 ? 0 : 2 * form.BitBtn1->Height();
    EXPECT_EQ(form.ClientHeight(), height - shrink) << ppi;
    EXPECT_EQ(form.BitBtn1->Top(), top - shrink) << ppi;
    EXPECT_EQ(form.DateTimePicker1->Left(), ppi == 120 ? pickerLeft : form.CBCCA->Left()) << ppi;
    form.BitBtn2Click(form.BitBtn2);
    EXPECT_FALSE(form.OkPressed);
  }
}

}  // namespace
}  // namespace dialogs_test
