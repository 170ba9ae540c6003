// The main window's layout at the screen's pixels per inch: its size from the status bar, the
// hosted panels by ratios of its client height, its place on the screen and the size options.
#include <cmath>
#include <cstdlib>

#include "casewindow/tests/DemoStartFixture.h"
#include "casewindow/tests/TestPanels.h"
#include "datagrid/DBNavigator.h"
#include "framework/base/Rounding.h"
#include "framework/ui/GlyphButton.h"
#include "framework/ui/MenuItem.h"
#include "framework/ui/Panel.h"
#include "framework/ui/Screen.h"
#include "framework/ui/StatusBar.h"

namespace casewindow_test {
namespace {

class LayoutTest : public DemoStartFixture {
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

  // The window shown at ppi with the panels, started with argument.
  TCaseF* showAt(int ppi, const char* argument, const std::vector<const char*>& panels = kPanelsWithoutTheLateOnes) {
    Screen->SetPixelsPerInch(ppi);
    createTestPanels(panels, opened);
    startWith({argument});
    create();
    statusTopAtDesign = caseF->StatusBar1->Top();
    statusHeightAtDesign = caseF->StatusBar1->Height();
    return show();
  }

  TForm* panel(const char* name) { return dynamic_cast<TForm*>(Application->FindComponent(name)); }
  int topAt(double ratio) { return static_cast<int>(Round(caseF->ClientHeight() * ratio)); }

  std::vector<std::string> opened;
  int statusTopAtDesign = 0;
  int statusHeightAtDesign = 0;
};

struct PpiCase {
  int ppi;
  int panel30, description26, header;
};

class LayoutAtPpiTest : public LayoutTest, public ::testing::WithParamInterface<PpiCase> {};

TEST_P(LayoutAtPpiTest, TheWindowAndItsPanelsFollowTheRatios) {
  const PpiCase& c = GetParam();
  showAt(c.ppi, "250101");
  EXPECT_EQ(caseF->ClientHeight(), statusTopAtDesign + 29);
  EXPECT_EQ(caseF->Width(), Round(caseF->Height() * 1.512));
  EXPECT_EQ(caseF->Constraints()->MaxWidth(), caseF->Width());
  EXPECT_EQ(caseF->Constraints()->MinHeight(), caseF->Height());

  EXPECT_EQ(panel("RA1F")->Height(), c.panel30);
  EXPECT_EQ(panel("RA2F")->Height(), c.panel30);
  EXPECT_EQ(panel("CaseDescriptionF")->Height(), c.description26);
  EXPECT_EQ(panel("ClientCaseLookF1")->Height(), c.header);
  EXPECT_EQ(panel("ClientCaseLookF1")->Left(), 1);
  EXPECT_EQ(panel("ClientCaseLookF1")->Width(), caseF->Width() - 14);
  EXPECT_EQ(panel("RA1F")->Width(), Round(c.ppi / 120.0 * 483));
  EXPECT_EQ(panel("DepartmentF")->Width(), Round(c.ppi / 120.0 * 460));

  const std::pair<const char*, double> tops[] = {{"ClientCaseLookF1", 0.069}, {"CaseDescriptionF", 0.205},
                                                 {"RA1F", 0.26},              {"RA2F", 0.316},
                                                 {"DepartmentF", 0.435},      {"CaType1F", 0.504},
                                                 {"CaType2F", 0.56},          {"CaseMiscF", 0.745},
                                                 {"FCSalesTaxF", 0.8027},     {"BillingBoxF", 0.262}};
  for (auto [name, ratio] : tops) {
    EXPECT_EQ(panel(name)->Top(), topAt(ratio)) << name;
    EXPECT_EQ(panel(name)->Parent(), caseF) << name << " is docked in the main window";
    EXPECT_TRUE(panel(name)->Showing()) << name << " is shown there";
  }
  EXPECT_EQ(panel("BillingBoxF")->Left(), Round(caseF->ClientWidth() * 0.6325));
  EXPECT_EQ(panel("RA1F")->Left(), 0);
  EXPECT_EQ(caseF->PanelAttys->Top(), panel("BillingBoxF")->Top() + 6);
  EXPECT_EQ(caseF->PanelCalSearch->Top(), Round(c.ppi / 120.0 * 36) + panel("RA1F")->Top());
  EXPECT_EQ(caseF->PanelCalSearch->Height(), caseF->ClientHeight() - caseF->PanelCalSearch->Top());
  EXPECT_EQ(caseF->Panel1->Height(), caseF->PanelCalSearch->Height() - caseF->dcDBNavigator1->Height() - 4);
  EXPECT_EQ(caseF->CaseNavigator->Left() + caseF->CaseNavigator->Width() + 2, caseF->BitBtnNotes->Left());

  EXPECT_EQ(caseF->PanelSpeedBar->Width(), caseF->ClientWidth() - 1);
  EXPECT_EQ(caseF->AccountStatusBitBtn->Left() + caseF->AccountStatusBitBtn->Width() + 1, caseF->PanelSpeedBar->Width());
  EXPECT_EQ(caseF->ClientScreenBitBtn->Left() + caseF->ClientScreenBitBtn->Width() + 1,
            caseF->AccountStatusBitBtn->Left());
  EXPECT_EQ(caseF->PanelButtons->Top(), topAt(0.8337));
  EXPECT_EQ(caseF->PanelButtons->Left(), caseF->Width() - caseF->PanelButtons->Width() - 7);
  // Placed under the bottom line, then kept at the bottom by its alignment once the docked panels
  // make the window lay out its children again.
  EXPECT_EQ(caseF->PanelBottomLine->Top(), topAt(0.9314));
  EXPECT_EQ(caseF->StatusBar1->Top(), caseF->ClientHeight() - caseF->StatusBar1->Height());
  EXPECT_EQ(caseF->rememberedButtonPlaces().panelWidth, caseF->PanelButtons->Width());

  const double shares[] = {0.5084, 0.0476, 0.2108, 0.1832};
  for (int i = 0; i < 4; ++i)
    EXPECT_EQ(caseF->StatusBar1->Panels()->Items(i)->Width(), Round(caseF->Width() * shares[i])) << i;
  EXPECT_EQ(caseF->StatusBar1->Panels()->Items(2)->Text(), "Quillon demo data");
}

INSTANTIATE_TEST_SUITE_P(Ppi, LayoutAtPpiTest,
                         ::testing::Values(PpiCase{96, 24, 20, 53 + 40}, PpiCase{120, 30, 26, 66 + 50}),
                         [](const auto& info) { return std::to_string(info.param.ppi); });

TEST_F(LayoutTest, TheHeaderHasNoExtraHeightInACalendarStart) {
  showAt(96, "250101d");
  EXPECT_EQ(panel("ClientCaseLookF1")->Height(), 53);
}

TEST_F(LayoutTest, AbsentPanelsAreSkipped) {
  showAt(120, "250101", {"RA1F", "BillingBoxF"});
  EXPECT_TRUE(FormShown);
  EXPECT_EQ(panel("RA3F"), nullptr);
  EXPECT_EQ(panel("RA1F")->Top(), topAt(0.26));
}

TEST_F(LayoutTest, WithoutAStartUpPositionTheWindowStandsAboutCentred) {
  showAt(96, "250101");
  EXPECT_EQ(caseF->Left(), Screen->width() / 2 - caseF->Width() / 2 - 2);
  EXPECT_EQ(caseF->Top(), Screen->height() / 2 - caseF->Height() / 2 - 16);
}

TEST_F(LayoutTest, AStartUpPositionPlacesTheWindow) {
  setenv("QN_STARTUP_X", "37", 1);
  setenv("QN_STARTUP_Y", "21", 1);
  showAt(96, "250101");
  EXPECT_EQ(caseF->Left(), 37);
  EXPECT_EQ(caseF->Top(), 21);
}

TEST_F(LayoutTest, ATallWindowGetsALowerStatusBar) {
  showAt(96, "250101");
  ASSERT_LE(caseF->Height(), 532);
  EXPECT_EQ(caseF->StatusBar1->Height(), statusHeightAtDesign);
  delete caseF;
  caseF = nullptr;
  showAt(144, "250101", {});
  ASSERT_GT(caseF->Height(), 532);
  EXPECT_EQ(caseF->StatusBar1->Height(), statusHeightAtDesign - 4);
}

TEST_F(LayoutTest, TheDesignSizeChecksDefaultAndOffersWhatTheScreenHolds) {
  showAt(96, "250101");
  EXPECT_TRUE(caseF->Resettodefault1->Checked());
  EXPECT_EQ(caseF->Resettodefault1->Caption(), "Default");
  EXPECT_TRUE(caseF->Increase151->Enabled);
  EXPECT_TRUE(caseF->Increase301->Enabled);
  const int width = caseF->Width();
  delete caseF;
  caseF = nullptr;

  struct Case {
    int screenWidth;
    bool tenPercent, quarter;
  };
  for (const Case& c : {Case{width + width / 10, true, false}, Case{width + width / 10 - 1, false, false},
                        Case{width + width / 4, true, true}}) {
    SCOPED_TRACE(c.screenWidth);
    ScreenFacts facts;
    facts.width = c.screenWidth;
    qn::ui::setScreenFacts(facts);
    showAt(96, "250101", {});
    ASSERT_EQ(caseF->Width(), width);
    EXPECT_EQ(caseF->Increase151->Enabled, c.tenPercent);
    EXPECT_EQ(caseF->Increase301->Enabled, c.quarter);
    delete caseF;
    caseF = nullptr;
  }
}

TEST_F(LayoutTest, TheSizeOptionsEnlargeAndCentreTheWindow) {
  ScreenFacts facts;
  facts.width = facts.primaryMonitorWidth = 1600;
  facts.height = 1200;
  qn::ui::setScreenFacts(facts);
  // Without panels: docked ones would outlive this window and be placed in the next.
  showAt(96, "250101", {});
  const int designStatusTop = caseF->StatusBar1->Top();
  const int designFontSize = caseF->StatusBar1->Font()->Size();
  delete caseF;
  caseF = nullptr;

  struct Case {
    const char* option;
    int M, D;
  };
  for (const Case& c : {Case{"1", 23, 20}, Case{"2", 5, 4}}) {
    SCOPED_TRACE(c.option);
    setHost("CaFormSize", c.option);
    showAt(96, "250101", {});
    EXPECT_EQ(caseF->StatusBar1->Top(), std::lround(static_cast<double>(designStatusTop) * c.M / c.D));
    // Auto-size fits the client area to what it shows: down to the status bar's bottom.
    EXPECT_EQ(caseF->ClientHeight(), caseF->StatusBar1->Top() + caseF->StatusBar1->Height());
    EXPECT_GE(caseF->StatusBar1->Font()->Size(), designFontSize + 2) << "scaled with the window, then two points more";
    EXPECT_EQ(caseF->Left(), Screen->primaryMonitorWidth() / 2 - caseF->Width() / 2);
    EXPECT_EQ(caseF->Top(), Screen->height() / 2 - caseF->Height() / 2);
    EXPECT_EQ(caseF->Increase151->Checked(), c.option == std::string("1"));
    EXPECT_EQ(caseF->Increase301->Checked(), c.option == std::string("2"));
    EXPECT_EQ(caseF->Constraints()->MaxHeight(), 0);
    delete caseF;
    caseF = nullptr;
  }
}

TEST_F(LayoutTest, TheCalendarAlwaysStartsAtTheDesignSize) {
  setHost("CaFormSize", "2");
  showAt(96, "250101d");
  EXPECT_EQ(FormSizeOption, 0);
  EXPECT_TRUE(caseF->Resettodefault1->Checked());
  EXPECT_FALSE(caseF->Increase301->Checked());
}

}  // namespace
}  // namespace casewindow_test
