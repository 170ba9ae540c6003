// The budget, sales-tax and electronic-billing panels: the codes dialog's value, its cancel and
// its first-show shrink, the matter put into edit by a user's click only, and the tax highlight.
#include <QImage>
#include <QPixmap>
#include <QTest>
#include <QTimer>
#include <QWidget>
#include <filesystem>

#include "casewindow/CaseMiscF.h"
#include "casewindow/EBF2F.h"
#include "casewindow/FCSalesTaxF.h"
#include "casewindow/tests/MatterPanelsFixture.h"
#include "datagrid/DcTbTable.h"
#include "editors/DBEdit.h"
#include "framework/base/ClassRegistry.h"
#include "framework/base/FormVariables.h"
#include "framework/ui/CheckBox.h"
#include "framework/ui/Color.h"
#include "framework/ui/GlyphButton.h"
#include "framework/ui/Panel.h"
#include "framework/ui/Screen.h"
#include "framework/ui/TextLabel.h"

namespace casewindow_test {
namespace {

class EBF2FTest : public ::testing::Test {
 protected:
  void SetUp() override {
    qn::ui::testing::qtApplication();
    dialog = std::make_unique<TEBF2F>(nullptr);
  }
  void TearDown() override {
    EBFDialogFirstShow = false;
    Screen->SetPixelsPerInch(0);
  }
  void tick(int set) {
    dialog->CheckBoxTask->SetChecked(set & 4);
    dialog->CheckBoxActivity->SetChecked(set & 2);
    dialog->CheckBoxExpense->SetChecked(set & 1);
  }
  int ticked() const { return dialog->ComputeEBFCodeSet(); }

  std::unique_ptr<TEBF2F> dialog;
};

TEST_F(EBF2FTest, CancellingAfterTickingRestoresTheBoxesOfTheMomentItWasShown) {
  for (int shown = 0; shown <= 7; ++shown) {
    for (int changed = 0; changed <= 7; ++changed) {
      SCOPED_TRACE(std::to_string(shown) + " then " + std::to_string(changed));
      tick(shown);
      dialog->Show();
      EXPECT_EQ(dialog->EBFCodeSet, shown);
      EXPECT_FALSE(dialog->YesBitBtn->Enabled()) << "nothing to save yet";
      tick(changed);
      EXPECT_EQ(dialog->YesBitBtn->Enabled(), changed != shown) << "a box click enables Save";
      dialog->Close();
      EXPECT_EQ(ticked(), shown);
      EXPECT_EQ(dialog->EBFCodeSet, shown);
    }
  }
}

TEST_F(EBF2FTest, SaveKeepsTheTickedBoxesAndTheirSum) {
  tick(2);
  dialog->Show();
  tick(5);
  dialog->YesBitBtnClick(dialog->YesBitBtn);
  EXPECT_FALSE(dialog->Visible());
  EXPECT_EQ(ticked(), 5);
  EXPECT_EQ(dialog->EBFCodeSet, 5);
}

// Shows the dialog from the misc panel's button, as the user does, and cancels it at once.
void showFromTheMiscPanel(TCaseMiscF& misc) {
  QTimer::singleShot(0, [] { EBF2F->NoBitBtn->Click(); });
  misc.Button1Click(misc.Button1);
}

TEST_F(EBF2FTest, OnlyTheFirstShowingAfterStartUpShrinksByAFifthAndNotAt120PixelsPerInch) {
  for (int ppi : {96, 120}) {
    SCOPED_TRACE(ppi);
    Screen->SetPixelsPerInch(ppi);
    auto fresh = std::make_unique<TEBF2F>(nullptr);
    EBF2F = fresh.get();
    TCaseMiscF misc(nullptr);
    const int width = EBF2F->Width(), height = EBF2F->Height();
    EBFDialogFirstShow = true;
    showFromTheMiscPanel(misc);
    EXPECT_FALSE(EBFDialogFirstShow);
    EXPECT_EQ(EBF2F->Width(), ppi == 120 ? width : width - width / 5 + 7);
    EXPECT_EQ(EBF2F->Height(), ppi == 120 ? height : height - height / 5 + 3);
    const int afterFirst = EBF2F->Width();
    showFromTheMiscPanel(misc);
    EXPECT_EQ(EBF2F->Width(), afterFirst) << "the second showing keeps its size";
    EBF2F = nullptr;
  }
}

TEST(MatterPanelUnits, TheMainBlockMakesThePanelsByClassNameAndKeepsThemInTheirVariables) {
  qn::ui::testing::qtApplication();
  for (const char* name : {"TCaseMiscF", "TFCSalesTaxF", "TEBF2F"}) EXPECT_TRUE(FindRegisteredClass(name)) << name;
  TCaseMiscF misc(nullptr);
  TFCSalesTaxF tax(nullptr);
  TEBF2F codes(nullptr);
  EXPECT_TRUE(StoreFormVariable("TCaseMiscF", &misc));
  EXPECT_TRUE(StoreFormVariable("TFCSalesTaxF", &tax));
  EXPECT_TRUE(StoreFormVariable("TEBF2F", &codes));
  EXPECT_EQ(CaseMiscF, &misc);
  EXPECT_EQ(FCSalesTaxF, &tax);
  EXPECT_EQ(EBF2F, &codes);
  EXPECT_EQ(misc.Name(), "CaseMiscF");
  EXPECT_EQ(tax.Name(), "FCSalesTaxF");
  EXPECT_EQ(misc.Width(), 754);
  EXPECT_EQ(tax.Width(), 389);
  EXPECT_FALSE(misc.CheckBoxRetainerReserve->Enabled());
  EXPECT_FALSE(tax.PanelTax->Visible());
  CaseMiscF = nullptr;
  FCSalesTaxF = nullptr;
  EBF2F = nullptr;
}

class MatterCheckBoxTest : public MatterPanelsFixture {
 protected:
  void SetUp() override {
    MatterPanelsFixture::SetUp();
    ASSERT_TRUE(dm->OpenCaseTables());
    misc = new TCaseMiscF(Application);
    tax = new TFCSalesTaxF(Application);
    caseF->Show();
    misc->Show();
    tax->Show();
    tax->PanelTax->SetVisible(true);
    misc->CheckBoxRetainerReserve->SetEnabled(true);
    // The panels are shown with a matter.
    caseF->ShowRecordState(true);
    caseF->Window()->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(caseF->Window()));
  }
  void TearDown() override {
    if (dm->Case1_->State() != dsBrowse) dm->Case1_->Cancel();
    delete misc;
    delete tax;
    MatterPanelsFixture::TearDown();
  }

  TCaseMiscF* misc = nullptr;
  TFCSalesTaxF* tax = nullptr;
};

TEST_F(MatterCheckBoxTest, AChangeByTheProgramLeavesTheMatterBrowsingAUsersClickPutsItIntoEdit) {
  EXPECT_EQ(misc->Parent(), caseF) << "the layout docks the real panels";
  EXPECT_EQ(tax->Parent(), caseF);
  for (CheckBox* box : {tax->CBFees, tax->CBDirectCosts, tax->CBIndirectCosts, tax->CBFinanceCharge,
                        misc->CheckBoxRetainerReserve}) {
    SCOPED_TRACE(box->Name());
    dm->Case1_->First();
    misc->FeeBudget->SetFocus();
    box->SetChecked(!box->Checked());
    EXPECT_EQ(dm->Case1_->State(), dsBrowse) << "set by the program";
    QTest::mouseClick(box->Window(), Qt::LeftButton, {}, QPoint(5, 5));
    EXPECT_EQ(Screen->ActiveControl(), box);
    EXPECT_EQ(dm->Case1_->State(), dsEdit) << "clicked by the user";
    dm->Case1_->Cancel();
  }
}

TEST_F(MatterCheckBoxTest, TheEnteredTaxBoxAndItsLabelShowRedWhileAMatterIsLoaded) {
  tax->CBDirectCosts->SetFocus();
  EXPECT_EQ(tax->CBDirectCosts->Color(), clScrollBar) << "no matter loaded: no highlight";
  MatterLoaded = true;
  tax->CBFees->SetFocus();
  tax->CBIndirectCosts->SetFocus();
  EXPECT_EQ(tax->CBIndirectCosts->Color(), clRed);
  EXPECT_EQ(tax->LabelCBIndirectCosts->Color(), clRed);
  EXPECT_EQ(tax->CBFees->Color(), clScrollBar) << "the box entered before is reset";
  EXPECT_EQ(tax->LabelCBFees->Color(), clScrollBar);
  tax->FormDeactivate(tax);
  EXPECT_EQ(tax->CBIndirectCosts->Color(), clScrollBar);
  EXPECT_EQ(tax->LabelCBIndirectCosts->Color(), clScrollBar);
  tax->Label1Click(tax->Label2);
  EXPECT_EQ(Screen->ActiveControl(), tax->CBFinanceCharge) << "a label's click focuses its box";
}

}  // namespace
}  // namespace casewindow_test
