// The settings the show handler reads: the system options, the number and date formats, the entry
// mode, the calendar attorneys' order, the stay-alive timer and the hide-notes option.
#include <filesystem>

#include "casewindow/tests/DemoStartFixture.h"
#include "core/Globals.h"
#include "datagrid/DcTbTable.h"
#include "framework/db/Field.h"
#include "framework/ui/Edit.h"
#include "framework/ui/IntervalTimer.h"
#include "framework/ui/MenuItem.h"
#include "framework/ui/TextLabel.h"

namespace casewindow_test {
namespace {

class ShowSettingsTest : public DemoStartFixture {};

TEST_F(ShowSettingsTest, TheSystemOptionsAreRead) {
  startWith({"250101"});
  show();
  EXPECT_EQ(SysopSettings.DateFmt, "M");
  EXPECT_EQ(SysopSettings.CaseID, "C");
  EXPECT_EQ(SysopSettings.ValCa1, "Y");
  EXPECT_EQ(SysopSettings.ValCaDpt, "Y");
  EXPECT_EQ(SysopSettings.AltIDCap, "Y");
  EXPECT_EQ(SysopSettings.ValCa2, "N");
  EXPECT_TRUE(MonthFirstDates);
}

TEST_F(ShowSettingsTest, WithoutSysopTheStartUpSaysSoAndGoesOn) {
  startWith({"250101"});
  std::filesystem::remove(dataDir() + "/Sysop.qc");
  boxes->expect(mtCustom, "Unable to open Sysop.qc");
  show();
  EXPECT_TRUE(FormShown);
  EXPECT_EQ(SysopSettings.DateFmt, "");
  EXPECT_FALSE(Application->Terminated());
}

struct DateOrderCase {
  const char* dateFmt;
  const char* systemFormat;
  const char* shortDateFormat;
};

TEST_F(ShowSettingsTest, TheSystemOptionsDateOrderRewritesTheShortDateFormat) {
  for (const DateOrderCase& c : {DateOrderCase{"D", "M/d/yyyy", "dd/MM/yy"}, DateOrderCase{"M", "d/M/yyyy", "MM/dd/yy"},
                                 DateOrderCase{"m", "d/M/yyyy", "MM/dd/yy"}, DateOrderCase{"M", "M/d/yyyy", "M/d/yyyy"},
                                 DateOrderCase{"D", "d/M/yyyy", "d/M/yyyy"}}) {
    SCOPED_TRACE(std::string(c.dateFmt) + " " + c.systemFormat);
    setSysop("DateFmt", c.dateFmt);
    Locale().ShortDateFormat = c.systemFormat;
    startWith({"250101"});
    show();
    EXPECT_EQ(Locale().ShortDateFormat, c.shortDateFormat);
    delete caseF;
    caseF = nullptr;
  }
}

TEST_F(ShowSettingsTest, NumbersUseAPointAndACommaWhateverTheSystemSays) {
  Locale().DecimalSeparator = ',';
  Locale().ThousandSeparator = '.';
  Locale().TimeAMString = "vorm.";
  startWith({"250101"});
  show();
  EXPECT_EQ(Locale().DecimalSeparator, '.');
  EXPECT_EQ(Locale().ThousandSeparator, ',');
  EXPECT_EQ(Locale().TimeAMString, "AM");
}

TEST_F(ShowSettingsTest, TheEntryModeSettingReplacesTheSystemOptionsOnlyWithAKnownLetter) {
  for (auto [stored, mode] : {std::pair{"X", "C"}, std::pair{"S", "S"}, std::pair{"", "C"}, std::pair{"A", "A"}}) {
    SCOPED_TRACE(stored);
    setHost("EntryMode", stored);
    startWith({"250101"});
    show();
    EXPECT_EQ(EntryMode, mode);
    delete caseF;
    caseF = nullptr;
  }
}

TEST_F(ShowSettingsTest, TheEntryModesMenuItemIsChecked) {
  setHost("EntryMode", "N");
  startWith({"250101"});
  show();
  EXPECT_TRUE(caseF->ClientNameCaseSuffix1->Checked());
  EXPECT_FALSE(caseF->ClientCodeCaseSuffix1->Checked());
}

TEST_F(ShowSettingsTest, TheAttorneyOrderLabelsTheCalendarsAttorneys) {
  setHost("IncAttyOrder", "3124");
  for (const char* include : {"CalIncRA1", "CalIncRA2", "CalIncRA3", "CalIncCCA"}) setHost(include, "Y");
  startWith({"250101d"});
  show();
  EXPECT_EQ(AttyOrder, "3124");
  EXPECT_TRUE(caseF->IncRA1->Checked());
  EXPECT_TRUE(caseF->IncCCA->Checked());
  const std::pair<int, const char*> labels[] = {{3, "RA1"}, {1, "RA2"}, {2, "RA3"}, {4, "CCA"}};
  for (int i = 0; i < 4; ++i) {
    auto [atty, label] = labels[i];
    EXPECT_EQ(caseF->LabelAttyB[atty]->Caption(), label) << "Atty" << atty;
    EXPECT_EQ(caseF->Atty[atty]->Tag(), i + 1) << "Atty" << atty;
  }
  EXPECT_EQ(caseF->LabelAttyB[5]->Caption(), "");
  EXPECT_EQ(caseF->Atty[5]->Tag(), 0);
}

TEST_F(ShowSettingsTest, NoAttorneyOrderLeavesTheLabelsEmpty) {
  setHost("IncAttyOrder", "");
  setHost("CalIncRA1", "N");
  startWith({"250101d"});
  show();
  EXPECT_EQ(AttyOrder, "0000");
  EXPECT_FALSE(caseF->IncRA1->Checked());
  for (int i = 1; i <= 6; ++i) EXPECT_EQ(caseF->LabelAttyB[i]->Caption(), "");
}

TEST_F(ShowSettingsTest, TheStayAliveIntervalIsInWholeMinutes) {
  for (auto [stored, enabled, interval] :
       {std::tuple{"", false, 0u}, std::tuple{"0", false, 0u}, std::tuple{"x", false, 0u},
        std::tuple{"-3", false, 0u}, std::tuple{"2", true, 120000u}}) {
    SCOPED_TRACE(stored);
    setHost("StayAliveInterval", stored);
    startWith({"250101"});
    show();
    EXPECT_EQ(caseF->TimerStayAlive->Enabled(), enabled);
    EXPECT_EQ(caseF->TimerStayAlive->Interval(), interval);
    delete caseF;
    caseF = nullptr;
  }
}

TEST_F(ShowSettingsTest, AnEmptyHideNotesOptionIsWrittenAsNo) {
  setHost("HideNotesCases", "");
  startWith({"250101"});
  show();
  EXPECT_EQ(host("HideNotesCases"), "N");
  EXPECT_FALSE(caseF->HideNotes1->Checked());
  EXPECT_TRUE(caseF->HideNotes1->Enabled);
  EXPECT_FALSE(HideNotesCases);
}

TEST_F(ShowSettingsTest, TheMenusFollowTheHostOptions) {
  setHost("HideNotesCases", "Y");
  setHost("CaseAuditTrail", "Y");
  setHost("NumericOrder", "Y");
  setHost("HideClosedCasesOnMatterScreen", "Y");
  startWith({"250101"});
  show();
  EXPECT_TRUE(HideNotesCases);
  EXPECT_TRUE(AuditTrailOn);
  EXPECT_TRUE(caseF->Printaudittrail1->Checked());
  EXPECT_TRUE(caseF->ListCaseinNumericOrder1->Checked());
  EXPECT_TRUE(caseF->HideClosedCases1->Checked());
  EXPECT_TRUE(caseF->HideClosedCases1->Enabled);
  EXPECT_FALSE(caseF->HideInactiveClients1->Checked());
  EXPECT_TRUE(caseF->PermDel1->Enabled);
  ASSERT_NE(SessionAuditList, nullptr);
  EXPECT_EQ(DefaultCalAttorney, "AMB");
}

TEST_F(ShowSettingsTest, TheHeadersNumericOrderFollowsTheHostSettingBesideItsMenuEntry) {
  for (const char* setting : {"Y", "N"}) {
    ListCasesInNumericOrder = std::string(setting) == "N";
    setHost("NumericOrder", setting);
    startWith({"250101"});
    show();
    EXPECT_EQ(ListCasesInNumericOrder, std::string(setting) == "Y") << setting;
    EXPECT_EQ(caseF->ListCaseinNumericOrder1->Checked(), ListCasesInNumericOrder) << setting;
    delete caseF;
    caseF = nullptr;
  }
}

}  // namespace
}  // namespace casewindow_test
