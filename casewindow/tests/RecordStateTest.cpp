// The record state on the demo: the status bar says whether a matter is viewed, edited, added or
// awaited, the matter's panels and buttons follow, the bar's four panels are drawn in maroon at
// their places, ShowEdits tells its stages when the trace setting asks for it, and a picture of
// the case screen on ADAMS/1 for a person to look at.
#include <QImage>
#include <QPixmap>
#include <QTest>
#include <QWidget>
#include <vector>

#include "casewindow/AttorneyPickerPanels.h"
#include "casewindow/BillingBoxF.h"
#include "casewindow/CaseDescriptionF.h"
#include "casewindow/CaseMiscF.h"
#include "casewindow/ClientCaseLookF1.h"
#include "casewindow/CodePickerPanels.h"
#include "casewindow/EBF2F.h"
#include "casewindow/FCSalesTaxF.h"
#include "casewindow/tests/MatterPanelsFixture.h"
#include "datagrid/DBNavigator.h"
#include "dialogs/CodeLookF.h"
#include "editors/DBDateTimePicker.h"
#include "editors/DBLookupCombo.h"
#include "framework/base/DateTime.h"
#include "framework/base/Locale.h"
#include "framework/base/StringUtils.h"
#include "framework/ui/Canvas.h"
#include "framework/ui/CheckBox.h"
#include "framework/ui/Color.h"
#include "framework/ui/Command.h"
#include "framework/ui/Edit.h"
#include "framework/ui/GlyphButton.h"
#include "framework/ui/MenuItem.h"
#include "framework/ui/Panel.h"
#include "framework/ui/StatusBar.h"
#include "framework/ui/TextLabel.h"

namespace casewindow_test {
namespace {

class RecordStateTest : public MatterPanelsFixture {
 protected:
  void SetUp() override {
    MatterPanelsFixture::SetUp();
    savedEditRight = ActiveFileRights[2];
    Application->CreateForm(ClientCaseLookF1);
    Application->CreateForm(CaseDescriptionF);
    Application->CreateForm(BillingBoxF);
    Application->CreateForm(RA1F);
    Application->CreateForm(RA2F);
    Application->CreateForm(DepartmentF);
    Application->CreateForm(CaType1F);
    Application->CreateForm(CaType2F);
    Application->CreateForm(CaseMiscF);
    Application->CreateForm(FCSalesTaxF);
    Application->CreateForm(EBF2F);
    header = ClientCaseLookF1;
  }
  void TearDown() override {
    if (dm->Case1_->Active() && dm->Case1_->State() != dsBrowse) dm->Case1_->Cancel();
    ActiveFileRights[2] = savedEditRight;
    MatterLoaded = false;
    deleteForm(ClientCaseLookF1);
    deleteForm(CaseDescriptionF);
    deleteForm(BillingBoxF);
    deleteForm(RA1F);
    deleteForm(RA2F);
    deleteForm(DepartmentF);
    deleteForm(CaType1F);
    deleteForm(CaType2F);
    deleteForm(CaseMiscF);
    deleteForm(FCSalesTaxF);
    deleteForm(EBF2F);
    MatterPanelsFixture::TearDown();
  }
  template <class T>
  static void deleteForm(T*& form) {
    delete form;
    form = nullptr;
  }

  // The window shown and active, as a user meets it.
  void start() {
    caseF->Show();
    caseF->Window()->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(caseF->Window()));
  }
  // The matter chosen in the header as a user chooses it.
  void showMatter(const char* client, const char* suffix) {
    header->ClearHeader(true);
    typeInto(header->ClientCode, client);
    // The client's matters are listed under the suffix: closed first, as the suffix typed into the
    // list is not taken on Tab.
    if (header->CaseSuffix->IsDroppedDown()) {
      QTest::keyClick(header->CaseSuffix->Window(), Qt::Key_Escape);
      Application->ProcessMessages();
    }
    typeInto(header->CaseSuffix, suffix);
    ASSERT_TRUE(header->CaseShown()) << client << "-" << suffix;
  }

  // The controls that are there only while a matter is shown.
  std::vector<TControl*> matterControls() const {
    return {header->AltBillFormat,        header->CaseAddressBitBtn,  header->FeeSplitBitBtn,
            header->LabelFormatCode,      caseF->BitBtnNotes,         CaseDescriptionF->PanelCaseDescription,
            RA1F->Label1,                 RA1F->CCACode,              RA2F->CCAName,
            DepartmentF->TableCode,       CaType1F->LabelCode,        CaType2F->TableDesc,
            FCSalesTaxF->PanelTax,        BillingBoxF->PanelBilling,  CaseMiscF->PanelMisc};
  }
  std::vector<TMenuItem*> matterMenuItems() const {
    return {caseF->Entereditnotes1, caseF->Dummyreceptorreallocation1, caseF->CaseAddresses1,
            caseF->CaseDescriptions1};
  }
  void expectMatterShown(bool shown) {
    EXPECT_EQ(caseF->CaseShown, shown);
    EXPECT_EQ(caseF->CaseNavigator->Visible(), shown);
    for (TControl* control : matterControls()) EXPECT_EQ(control->Visible(), shown) << control->Name();
    for (TMenuItem* item : matterMenuItems()) EXPECT_EQ(item->Enabled, shown) << item->Name();
    EXPECT_EQ(caseF->DeleteBitBtn->Enabled(), shown);
    EXPECT_EQ(caseF->Delete1->Enabled, shown);
  }

  TClientCaseLookF1* header = nullptr;
  AnsiString savedEditRight;
};

TEST_F(RecordStateTest, NothingShownWaitsForInputWithTheMattersPanelsHidden) {
  caseF->DialogBusy = true;
  caseF->BillingFormatEditing = true;
  start();
  EXPECT_FALSE(caseF->DialogBusy) << "cleared as the window is shown";
  EXPECT_FALSE(caseF->BillingFormatEditing);
  EXPECT_EQ(caseF->RecordStateText, "Waiting for Input");
  expectMatterShown(false);

  header->ClientCode->SetFocus();
  Application->ProcessMessages();
  ASSERT_TRUE(dm->Case1_->Active()) << "the header's first activation opens the case file";
  EXPECT_EQ(caseF->RecordStateText, "Waiting for Input") << "an open file is no matter being viewed";
  EXPECT_EQ(caseF->Case1_, dm->Case1_);
  EXPECT_EQ(caseF->Client1_, dm->Client1_);
  ASSERT_NE(caseF->Case1CaseStatus2, nullptr) << "the fields are taken once the case file is open";
  EXPECT_EQ(caseF->Case1ClientCode->FieldName(), "Client Code");
  EXPECT_EQ(caseF->Case1CaseSuffix->FieldName(), "Case Suffix");
}

TEST_F(RecordStateTest, AShownMatterIsViewedUntilTheHeaderReleasesIt) {
  start();
  const struct {
    const char* client;
    const char* suffix;
    bool feeSplit;  // a dummy or a receptor has a fee split to show
  } cases[] = {{"ADAMS", "1", false}, {"BRIGHT", "10", true}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.client);
    showMatter(c.client, c.suffix);
    EXPECT_EQ(caseF->RecordStateText, "Viewing Current Record");
    expectMatterShown(true);
    EXPECT_TRUE(caseF->CaseNavigator->Enabled());
    EXPECT_EQ(header->FeeSplitBitBtn->Enabled(), c.feeSplit);
    EXPECT_EQ(caseF->FeeSplit1->Enabled, c.feeSplit);
    EXPECT_TRUE(header->CaseSuffix->TabStop());
    EXPECT_TRUE(header->AlternateID->TabStop());
    EXPECT_TRUE(caseF->NarrativeCodes1->Enabled);

    header->ClearHeader(true);
    EXPECT_EQ(caseF->RecordStateText, "Waiting for Input");
    expectMatterShown(false);
  }
}

TEST_F(RecordStateTest, EditingSaysSoOnlyWithTheFileRightToEdit) {
  start();
  const struct {
    const char* right;
    const char* text;
    bool navigator;
  } cases[] = {{"Y", "Editing Current Record", false}, {"N", "Viewing Current Record", true}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.right);
    ActiveFileRights[2] = c.right;
    showMatter("ADAMS", "1");
    header->AlternateID->SetDropDownCount(8);
    dm->Case1_->Edit();
    EXPECT_EQ(caseF->RecordStateText, c.text);
    EXPECT_EQ(caseF->CaseNavigator->Enabled(), c.navigator);
    EXPECT_TRUE(caseF->DeleteBitBtn->Enabled());
    EXPECT_EQ(header->AlternateID->DropDownCount(), c.navigator ? 8 : -1);
    dm->Case1_->Cancel();
    EXPECT_EQ(caseF->RecordStateText, "Viewing Current Record");
    EXPECT_TRUE(caseF->CaseNavigator->Enabled()) << "browsing again";
  }
}

TEST_F(RecordStateTest, AddingARecordStartsItOpenedTodayAndNeverPosted) {
  start();
  showMatter("ADAMS", "1");
  BillingBoxF->DateClosed->SetDate(EncodeDate(2024, 12, 1));
  BillingBoxF->DateOpened->SetDate(EncodeDate(2020, 3, 4));
  BillingBoxF->DateLastPosted->SetVisible(true);
  for (CheckBox* box : {EBF2F->CheckBoxTask, EBF2F->CheckBoxActivity, EBF2F->CheckBoxExpense}) box->SetChecked(true);
  caseF->SaveBitBtn->SetEnabled(false);

  dm->Case1_->Insert();
  EXPECT_EQ(caseF->RecordStateText, "Adding Current Record");
  EXPECT_TRUE(caseF->SaveBitBtn->Enabled());
  EXPECT_TRUE(caseF->Save1->Enabled);
  EXPECT_TRUE(caseF->AddMultipleCases1->Enabled);
  EXPECT_FALSE(caseF->DeleteBitBtn->Enabled());
  EXPECT_FALSE(caseF->Delete1->Enabled);
  EXPECT_FALSE(caseF->CaseNavigator->Enabled());
  EXPECT_EQ(BillingBoxF->DateClosed->Text(), "");
  EXPECT_EQ(static_cast<int>(BillingBoxF->DateOpened->Date()), static_cast<int>(SystemDate));
  EXPECT_FALSE(BillingBoxF->DateLastPosted->Visible());
  EXPECT_EQ(BillingBoxF->LabelLastPosted->Caption(), "This case has not been posted");
  for (CheckBox* box : {EBF2F->CheckBoxTask, EBF2F->CheckBoxActivity, EBF2F->CheckBoxExpense})
    EXPECT_FALSE(box->Checked()) << box->Name();

  // Shown again while adding: still no delete and no fee split for a record not yet saved.
  caseF->ShowRecordState(true);
  EXPECT_EQ(caseF->RecordStateText, "Adding Current Record");
  EXPECT_FALSE(caseF->DeleteBitBtn->Enabled());
  EXPECT_FALSE(header->FeeSplitBitBtn->Enabled());
}

// Pixels that are mostly red: the maroon text, whatever its edges are blended with.
QRect maroonInk(const QImage& image, const QRect& area) {
  QRect ink;
  for (int y = area.top(); y <= area.bottom(); ++y)
    for (int x = area.left(); x <= area.right(); ++x) {
      const QColor c = image.pixelColor(x, y);
      if (c.red() > c.green() + 50 && c.red() > c.blue() + 50) ink |= QRect(x, y, 1, 1);
    }
  return ink;
}

TEST_F(RecordStateTest, TheStatusBarDrawsTheStateWorkstationDataAndDateInMaroon) {
  start();
  showMatter("ADAMS", "1");
  const std::vector<AnsiString> texts = {"Viewing Current Record", "01", "Quillon demo data", SystemDateDisplay};
  StatusBar* bar = caseF->StatusBar1;
  for (int i = 0; i < 4; ++i) {
    EXPECT_EQ(bar->Panels()->Items(i)->Style(), psOwnerDraw) << i;
    EXPECT_EQ(caseF->StatusPanelText(i), texts[i]) << i;
  }

  // Each panel's text as it ought to be drawn, on a bar of the same face, against the bar drawn.
  const QImage drawn = bar->Window()->grab().toImage();
  QImage expected(drawn.size(), QImage::Format_RGB32);
  Canvas canvas(&expected);
  canvas.Brush.Color = bar->Color();
  canvas.fillRect({0, 0, expected.width(), expected.height()});
  canvas.SetFont(bar->Font());
  canvas.Font()->SetColor(clMaroon);
  canvas.Brush.Style = BrushStyle::clear;
  for (int i = 0; i < 4; ++i) {
    SCOPED_TRACE(texts[i]);
    const TRect r = bar->PanelRect(i);
    canvas.drawTextClipped(r, r.Left + 4, r.Top + 3, texts[i]);
    const QRect panel(r.Left, r.Top, r.Right - r.Left, r.Bottom - r.Top);
    const QRect ink = maroonInk(drawn, panel);
    ASSERT_FALSE(ink.isEmpty()) << "maroon text in panel " << i;
    EXPECT_GE(ink.left(), r.Left + 4);
    EXPECT_GE(ink.top(), r.Top + 3);
    EXPECT_EQ(ink, maroonInk(expected, panel)) << "the text covers the same region";
  }
}

TEST_F(RecordStateTest, TheTraceSettingShowsShowEditsStagesInOrder) {
  start();
  const std::vector<AnsiString> stages = {"RA3, Case Type 3, Statement message created.",
                                          "Client and Case updated.",
                                          "RA updated.",
                                          "Case type updated.",
                                          "rest updated.",
                                          "Edits set.",
                                          "RA code change executed.",
                                          "Statement message updated."};
  // The demo has no trace value; it is set as the table goes.
  const struct {
    const char* trace;  // nullptr: missing
    bool shown;
  } cases[] = {{nullptr, false}, {"-1", false}, {"1", true}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.trace ? c.trace : "missing");
    if (c.trace) setHost("DebugTrace", c.trace);
    const std::size_t before = boxes->shown().size();
    if (c.shown)
      for (const AnsiString& stage : stages) boxes->expect(mtCustom, stage);
    showMatter("ADAMS", "1");
    EXPECT_EQ(boxes->shown().size() - before, c.shown ? stages.size() : 0u);
  }
}

TEST_F(RecordStateTest, ShowEditsRunsThePickersCodeChangesOverTheShownMatter) {
  start();
  RA1F->OpenStagedPanel();
  DepartmentF->OpenStagedPanel();
  showMatter("ADAMS", "1");
  const AnsiString attorney = RA1F->CCAName->Text();
  const AnsiString department = DepartmentF->TableDesc->Text();
  ASSERT_FALSE(Trim(RA1F->CCACode->Text()).empty()) << "the demo matter has an attorney";
  ASSERT_FALSE(Trim(attorney).empty());
  ASSERT_NE(attorney, CodeNotFoundText);
  RA1F->CCAName->SetText("");
  DepartmentF->TableDesc->SetText("");
  bool handled = false;
  caseF->ActionExecute(header->ShowEdits, handled);
  EXPECT_FALSE(handled) << "the header's own handler runs after";
  EXPECT_FALSE(caseF->CodeChangesRunning);
  EXPECT_EQ(RA1F->CCAName->Text(), attorney);
  EXPECT_EQ(DepartmentF->TableDesc->Text(), department);
}

TEST_F(RecordStateTest, ADayFirstOrderShowsTheBillingBoxDatesDayFirst) {
  const AnsiString savedFormat = Locale().ShortDateFormat;
  setSysop("DateFmt", "D");
  Locale().ShortDateFormat = "M/d/yyyy";
  start();
  for (TdcDBDateTimePicker* picker :
       {BillingBoxF->DateOpened, BillingBoxF->DateClosed, BillingBoxF->DateLastPosted})
    EXPECT_EQ(picker->DisplayFormat(), "dd/mm/yy") << picker->Name();
  Locale().ShortDateFormat = savedFormat;
}

TEST_F(RecordStateTest, PictureOfTheCaseScreenOnAdamsOne) {
  start();
  // The idle cycles open the pickers' tables one by one, as after a start.
  bool done = false;
  for (int cycle = 0; cycle < 8; ++cycle) caseF->AppIdle(caseF, done);
  showMatter("ADAMS", "1");
  EXPECT_TRUE(caseF->Window()->grab().toImage().save(QString::fromStdString(imagePath("record-state-adams-1.png"))));
}

}  // namespace
}  // namespace casewindow_test
