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
#include "datagrid/DcTbTable.h"
#include "framework/db/Field.h"
#include "editors/DBLookupCombo.h"
#include "framework/ui/Color.h"
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
  EXPECT_TRUE(header->LabelFormatCode->Visible()) << "captions the format shown with it";
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

// A matter numbered to the full width of the suffix, as offices that number by year do.
void addFullWidthMatter(const std::string& dataDir) {
  TdcTbTable cases(nullptr);
  cases.SetDatabaseName("QNWIN");
  cases.SetTableName(dataDir + "\\ycase.qf;RES:YCASE");
  cases.Open();
  cases.Append();
  cases.FieldByName("Client Code")->SetAsString("ADAMS");
  cases.FieldByName("Case Suffix")->SetAsString("2024001");
  cases.FieldByName("LeftJustCaseSuffix")->SetAsString("2024001");
  cases.FieldByName("CaseClient")->SetAsString("2024001ADAMS  ");
  cases.FieldByName("RJCaseClient")->SetAsString("2024001ADAMS  ");
  cases.FieldByName("Description Line 1")->SetAsString("Adams trust - annual accounting");
  cases.Post();
  cases.Close();
}

// The suffix's list releases a shown matter only when its suffix fills the field and was not
// retyped: a short suffix's text never equals the stored one.
TEST_F(HeaderMatterTest, DroppingTheSuffixListReleasesOnlyAnUnchangedFullWidthSuffix) {
  addFullWidthMatter(dataDir());
  struct Case {
    const char* suffix;
    bool released;
  };
  for (const Case& c : {Case{"1", false}, Case{"2024001", true}}) {
    header->ClearHeader(true);
    typeInto(header->ClientCode, "ADAMS");
    typeInto(header->CaseSuffix, c.suffix);
    ASSERT_TRUE(HeaderEditsShown) << c.suffix;
    header->CaseSuffix->SetFocus();
    header->CaseSuffix->DropDown();
    Application->ProcessMessages();
    EXPECT_EQ(HeaderEditsShown, !c.released) << c.suffix;
    EXPECT_EQ(header->CaseShown(), !c.released) << c.suffix;
    header->CaseSuffix->CloseUp(false);
  }
}

TEST_F(HeaderMatterTest, AfterActivationTheLookupListsDropYellowWithMaroonText) {
  header->FormActivate(header);
  for (TdcDBLookupCombo* combo : {header->ClientCode, header->ClientName, header->CaseSuffix, header->AlternateID,
                                  header->AltBillFormat}) {
    ASSERT_NE(combo->DropDownList(), nullptr) << combo->Name();
    EXPECT_EQ(combo->DropDownList()->Color(), clYellow) << combo->Name();
    EXPECT_EQ(combo->DropDownList()->Font()->Color(), clMaroon) << combo->Name();
  }
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
