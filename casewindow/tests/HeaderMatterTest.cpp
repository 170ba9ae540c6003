// The header docked in the main window on the demo: client ADAMS and suffix 1 typed show the
// matter, the suffix's list releases it, ClearHeader empties the header, and an image of the
// screen and one of the electronic-billing codes dialog for a person to look at.
#include <QImage>
#include <QPixmap>
#include <QTest>
#include <QWidget>
#include <filesystem>

#include "casewindow/CaseMiscF.h"
#include "casewindow/ClientCaseLookF1.h"
#include "casewindow/EBF2F.h"
#include "casewindow/FCSalesTaxF.h"
#include "casewindow/tests/MatterPanelsFixture.h"
#include "framework/ui/CheckBox.h"
#include "framework/ui/Panel.h"
#include "framework/ui/Screen.h"
#include "framework/ui/SpeedButton.h"
#include "framework/ui/TextLabel.h"

namespace casewindow_test {
namespace {

class HeaderMatterTest : public MatterPanelsFixture {
 protected:
  void SetUp() override {
    MatterPanelsFixture::SetUp();
    header = new TClientCaseLookF1(Application);
    misc = new TCaseMiscF(Application);
    tax = new TFCSalesTaxF(Application);
    caseF->Show();
    for (TForm* panel : std::initializer_list<TForm*>{header, misc, tax}) panel->Show();
    tax->PanelTax->SetVisible(true);
    caseF->Window()->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(caseF->Window()));
  }
  void TearDown() override {
    delete header;
    delete misc;
    delete tax;
    MatterPanelsFixture::TearDown();
  }
  void typeInto(TWinControl* control, const char* text) {
    control->SetFocus();
    QTest::keyClicks(control->Window(), text);
    QTest::keyClick(control->Window(), Qt::Key_Tab);
    Application->ProcessMessages();
  }

  TClientCaseLookF1* header = nullptr;
  TCaseMiscF* misc = nullptr;
  TFCSalesTaxF* tax = nullptr;
};

TEST_F(HeaderMatterTest, ClientAdamsAndSuffixOneShowTheMatter) {
  EXPECT_EQ(header->Parent(), caseF);
  typeInto(header->ClientCode, "ADAMS");
  typeInto(header->CaseSuffix, "1");
  EXPECT_TRUE(HeaderEditsShown);
  EXPECT_TRUE(header->CaseShown());
  EXPECT_TRUE(header->AltBillFormat->Visible());
  EXPECT_TRUE(header->AltBillFormat->TabStop());
  EXPECT_EQ(Screen->ActiveControl(), header->AlternateID);
  caseF->Window()->grab().toImage().save(QString::fromStdString(imagePath("header-adams-1.png")));

  header->ClearHeader(true);
  EXPECT_FALSE(HeaderEditsShown);
  EXPECT_FALSE(header->AltBillFormat->TabStop());
  EXPECT_FALSE(header->LabelDelinquent->Visible());
  for (TdcDBLookupCombo* combo : {header->ClientCode, header->ClientName, header->CaseSuffix, header->AlternateID})
    EXPECT_EQ(combo->Text(), "") << combo->Name();
}

TEST_F(HeaderMatterTest, WhileExitsAreSuspendedNoCheckRuns) {
  HeaderExitsSuspended = true;
  typeInto(header->ClientCode, "ADAMS");
  typeInto(header->CaseSuffix, "1");
  HeaderExitsSuspended = false;
  EXPECT_FALSE(HeaderEditsShown);
  EXPECT_FALSE(header->CaseShown());
}

TEST(EBF2FPicture, TheCodesDialogIsDrawn) {
  qn::ui::testing::qtApplication();
  TEBF2F dialog(nullptr);
  dialog.CheckBoxTask->SetChecked(true);
  dialog.CheckBoxExpense->SetChecked(true);
  dialog.Show();
  dialog.Window()->grab().toImage().save(QString::fromStdString(imagePath("ebf2f.png")));
  EXPECT_EQ(dialog.EBFCodeSet, 5);
}

}  // namespace
}  // namespace casewindow_test
