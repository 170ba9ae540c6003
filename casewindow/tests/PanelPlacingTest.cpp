// The controls the main window lines up inside the header and the description panel, at 96 and 120
// pixels per inch and in either date order, and what a calendar start turns on in them. The
// panels are stand-ins carrying controls of the names and kinds the real panels have.
#include <cmath>
#include <cstdlib>

#include "casewindow/tests/DemoStartFixture.h"
#include "casewindow/tests/TestPanels.h"
#include "editors/DBDateTimePicker.h"
#include "editors/DBLookupCombo.h"
#include "framework/base/Locale.h"
#include "framework/ui/BevelLine.h"
#include "framework/ui/Color.h"
#include "framework/ui/Edit.h"
#include "framework/ui/FileList.h"
#include "framework/ui/GlyphButton.h"
#include "framework/ui/Screen.h"
#include "framework/ui/ShapeControl.h"
#include "framework/ui/TextLabel.h"

namespace casewindow_test {
namespace {

class PanelPlacingTest : public DemoStartFixture {
 protected:
  void SetUp() override {
    DemoStartFixture::SetUp();
    unsetenv("QN_STARTUP_X");
    unsetenv("QN_STARTUP_Y");
  }
  void TearDown() override {
    DemoStartFixture::TearDown();
    Screen->SetPixelsPerInch(0);
  }

  TForm* panel(const char* name) { return dynamic_cast<TForm*>(Application->FindComponent(name)); }

  // The stand-ins, the header's and the description panel's controls at their design places.
  void makePanels() {
    createTestPanels(kPanelsWithoutTheLateOnes, opened);
    TForm* header = panel("ClientCaseLookF1");
    clientName = addNamedControl<TdcDBLookupCombo>(header, "ClientName", 90, 4, 280, 22);
    suffix = addNamedControl<TEdit>(header, "CaseSuffix", 376, 4, 80, 22);
    alternateID = addNamedControl<TEdit>(header, "AlternateID", 462, 4, 296, 22);
    bevel = addNamedControl<BevelLine>(header, "Bevel1", 0, 40, 700, 2);
    feeSplit = addNamedControl<GlyphButton>(header, "FeeSplitBitBtn", 470, 34, 90, 25);
    addresses = addNamedControl<GlyphButton>(header, "CaseAddressBitBtn", 376, 34, 90, 25);
    formatLabel = addNamedControl<TextLabel>(header, "LabelFormatCode", 764, 8, 70, 16);
    format = addNamedControl<TEdit>(header, "AltBillFormat", 836, 4, 60, 22);
    caseLists = addNamedControl<FileList>(header, "FileListBox1", 600, 30, 100, 40);
    caseLists->SetVisible(false);
    caseLists->SetEnabled(false);
    caseListsFrame = addNamedControl<ShapeControl>(header, "Shape1", 598, 28, 104, 44);
    caseListsFrame->SetVisible(false);
    caseListsFrame->SetEnabled(false);

    TForm* description = panel("CaseDescriptionF");
    descriptionButton = addNamedControl<GlyphButton>(description, "DescriptionBitBtn", 556, 1, 100, 24);
    calDate = addNamedControl<TdcDBDateTimePicker>(description, "CalDate", 10, 2, 100, 22);
    calTime = addNamedControl<TdcDBDateTimePicker>(description, "CalTime", 300, 2, 80, 22);
    calTime2 = addNamedControl<TdcDBDateTimePicker>(description, "CalTime2", 400, 2, 80, 22);
    calTime2->SetEnabled(false);
    calDate2 = addNamedControl<TdcDBDateTimePicker>(description, "CalDate2", 500, 2, 100, 22);
    startLabel = addNamedControl<TextLabel>(description, "Label2", 240, 5, 58, 16);
    caseListLabel = addNamedControl<TextLabel>(description, "LabelCaseList", 620, 5, 60, 16);
    caseListLabel->SetEnabled(false);
    descriptionShape = addNamedControl<ShapeControl>(description, "Shape1", 618, 2, 64, 22);
    descriptionShape->SetEnabled(false);
  }

  TCaseF* showAt(int ppi, const char* argument) {
    Screen->SetPixelsPerInch(ppi);
    makePanels();
    startWith({argument});
    return show();
  }

  std::vector<std::string> opened;
  TdcDBLookupCombo* clientName = nullptr;
  TEdit *suffix = nullptr, *alternateID = nullptr, *format = nullptr;
  TextLabel* formatLabel = nullptr;
  BevelLine* bevel = nullptr;
  GlyphButton *feeSplit = nullptr, *addresses = nullptr, *descriptionButton = nullptr;
  FileList* caseLists = nullptr;
  ShapeControl *caseListsFrame = nullptr, *descriptionShape = nullptr;
  TdcDBDateTimePicker *calDate = nullptr, *calTime = nullptr, *calTime2 = nullptr, *calDate2 = nullptr;
  TextLabel *startLabel = nullptr, *caseListLabel = nullptr;
};

// A place drawn at 120 pixels per inch, as the panel docked at ppi has it.
int drawnPlaceAt(int ppi, int design) { return static_cast<int>(std::lround(design * ppi / 120.0)); }

struct PlacingCase {
  int ppi;
  const char* dateFmt;
  // What CalDate2 shows with the system's "M/d/yyyy".
  const char* lastDayText;
  int shift;
};

class PanelPlacingAtPpiTest : public PanelPlacingTest, public ::testing::WithParamInterface<PlacingCase> {};

TEST_P(PanelPlacingAtPpiTest, TheHeaderAndTheDescriptionLineUpWithEachOther) {
  const PlacingCase& c = GetParam();
  setSysop("DateFmt", c.dateFmt);
  Locale().ShortDateFormat = "M/d/yyyy";
  showAt(c.ppi, "250101");

  EXPECT_EQ(bevel->Top(), suffix->Top() + suffix->Height() + 2);
  EXPECT_EQ(feeSplit->Left(), caseF->AccountStatusBitBtn->Left());
  EXPECT_EQ(feeSplit->Top(), 4);
  EXPECT_EQ(addresses->Left(), feeSplit->Left());
  EXPECT_EQ(addresses->Top(), feeSplit->Top() + feeSplit->Height() + 2);
  EXPECT_EQ(descriptionButton->Left(), feeSplit->Left() + 1);
  EXPECT_EQ(calDate->Left(), suffix->Left());
  EXPECT_EQ(calDate->Width(), suffix->Width());
  EXPECT_EQ(calTime->Left(), alternateID->Left() + c.shift);
  EXPECT_EQ(calTime2->Left() + calTime2->Width(), alternateID->Left() + alternateID->Width() + c.shift);
  EXPECT_EQ(startLabel->Caption(), "Start time");
  EXPECT_EQ(startLabel->Left(), drawnPlaceAt(c.ppi, 240) + c.shift);
  EXPECT_EQ(caseListLabel->Left(), drawnPlaceAt(c.ppi, 620) + c.shift);
  EXPECT_EQ(descriptionShape->Left(), drawnPlaceAt(c.ppi, 618) + c.shift);
  // The case lists and their frame stand in the buttons' column.
  EXPECT_EQ(caseLists->Left(), caseF->AccountStatusBitBtn->Left() + c.shift);
  EXPECT_EQ(caseListsFrame->Left(), caseLists->Left() - 1);
  EXPECT_EQ(caseListsFrame->Width(), caseLists->Width() + 2);
  EXPECT_LE(caseLists->Left() + caseLists->Width(), panel("ClientCaseLookF1")->Width());
  EXPECT_LE(alternateID->Left() + alternateID->Width(), feeSplit->Left()) << "the identifier ends before the column";
  EXPECT_EQ(descriptionButton->Width(), feeSplit->Width());
  // The billing format on the second row, its caption before it, clear of the column.
  EXPECT_GT(format->Top(), bevel->Top());
  EXPECT_EQ(format->Left(), formatLabel->Left() + formatLabel->Width() + c.ppi * 6 / 120);
  EXPECT_LE(format->Left() + format->Width(), feeSplit->Left());
  EXPECT_LE(feeSplit->Left() + feeSplit->Width(), panel("ClientCaseLookF1")->Width()) << "the column fits the header";
  EXPECT_EQ(calDate2->Text(), c.lastDayText);
  EXPECT_EQ(clientName->Width(), drawnPlaceAt(c.ppi, 280)) << "narrowed in calendar starts only";
  EXPECT_EQ(clientName->DropDownWidth(), drawnPlaceAt(c.ppi, 280) - 17 - 12);
  // A case start leaves the calendar's parts as they were.
  EXPECT_FALSE(caseLists->Visible());
  EXPECT_FALSE(calTime2->Enabled());
}

INSTANTIATE_TEST_SUITE_P(PpiAndDateOrder, PanelPlacingAtPpiTest,
                         ::testing::Values(PlacingCase{96, "M", "12/31/2079", 6}, PlacingCase{120, "M", "12/31/2079", 0},
                                           PlacingCase{96, "D", "31/12/79", 6}, PlacingCase{120, "D", "31/12/79", 0}),
                         [](const auto& info) {
                           return std::to_string(info.param.ppi) + (*info.param.dateFmt == 'M' ? "MonthFirst" : "DayFirst");
                         });

TEST_F(PanelPlacingTest, ADayFirstOrderShowsTheDescriptionPanelsDatesDayFirst) {
  setSysop("DateFmt", "D");
  Locale().ShortDateFormat = "M/d/yyyy";
  showAt(120, "250101");
  EXPECT_EQ(calDate->DisplayFormat(), "dd/mm/yy");
  EXPECT_EQ(calDate2->DisplayFormat(), "dd/mm/yy");
  EXPECT_EQ(calTime->DisplayFormat(), "") << "times keep their own format";
}

TEST_F(PanelPlacingTest, ACalendarStartShowsTheCaseListsAndTheSecondTime) {
  showAt(120, "250101d");
  EXPECT_TRUE(caseLists->Visible());
  EXPECT_TRUE(caseLists->Enabled());
  EXPECT_EQ(caseLists->Font()->Color(), clNavy);
  EXPECT_TRUE(caseListsFrame->Visible());
  EXPECT_EQ(caseListsFrame->PenColor(), clNavy);
  EXPECT_EQ(caseListsFrame->BrushColor(), clNavy);
  EXPECT_TRUE(caseListLabel->Enabled());
  EXPECT_EQ(caseListLabel->Font()->Color(), clNavy);
  EXPECT_TRUE(descriptionShape->Enabled());
  EXPECT_EQ(descriptionShape->PenColor(), clNavy);
  EXPECT_TRUE(calTime2->Enabled());
  EXPECT_EQ(calTime2->Color(), clWhite);
  EXPECT_LT(clientName->Width(), 280);
  EXPECT_GT(clientName->Width(), 280 / 2);
  EXPECT_EQ(clientName->DropDownWidth(), clientName->Width() - 17 - 12);
}

}  // namespace
}  // namespace casewindow_test
