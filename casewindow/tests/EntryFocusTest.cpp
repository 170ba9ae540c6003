// The show handler's work in the real header and the budget panel on the demo: the entry mode's
// tab stops and first focus, the fall-backs when the mode's lookup cannot take the focus, the
// client the command line names, the narrative panel and its code list, the retainer-reserve box.
#include <QTest>
#include <algorithm>
#include <string>

#include "casewindow/CaseMiscF.h"
#include "casewindow/ClientCaseLookF1.h"
#include "casewindow/tests/MatterPanelsFixture.h"
#include "casewindow/tests/TestPanels.h"
#include "dialogs/NarrF.h"
#include "dialogs/NarrativeCodes.h"
#include "editors/DBEdit.h"
#include "framework/ui/CheckBox.h"
#include "framework/ui/Edit.h"
#include "framework/ui/GlyphButton.h"
#include "framework/ui/MenuItem.h"
#include "framework/ui/Screen.h"

namespace casewindow_test {
namespace {

class EntryFocusTest : public MatterPanelsFixture {
 protected:
  void SetUp() override {
    MatterPanelsFixture::SetUp();
    ClientCaseLookF1 = header = new TClientCaseLookF1(Application);
    CaseMiscF = misc = new TCaseMiscF(Application);
    auto* description = new TestPanelForm("CaseDescriptionF", opened);
    caseDescription = addNamedControl<TEdit>(description, "CaseDescription", 124, 2, 400, 22);
  }
  void TearDown() override {
    ClientCaseLookF1 = nullptr;
    CaseMiscF = nullptr;
    MatterPanelsFixture::TearDown();
  }

  // The window started with the entry mode and the arguments after the date, shown and active.
  void startIn(const char* mode, std::vector<std::string> arguments = {}) {
    setHost("EntryMode", mode);
    arguments.insert(arguments.begin(), "250101");
    startWith(arguments);
    show();
    caseF->Window()->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(caseF->Window()));
  }

  std::vector<std::string> opened;
  TClientCaseLookF1* header = nullptr;
  TCaseMiscF* misc = nullptr;
  TEdit* caseDescription = nullptr;
};

struct ModeCase {
  const char* mode;
  // Index into {ClientCode, ClientName, CaseSuffix, AlternateID}.
  int focused;
  std::vector<int> tabStops;
};

class EntryModeTest : public EntryFocusTest, public ::testing::WithParamInterface<ModeCase> {};

TEST_P(EntryModeTest, TheModesLookupsTakeTheTabStopsAndTheFirstTheFocus) {
  const ModeCase& c = GetParam();
  startIn(c.mode);
  TdcDBLookupCombo* const combos[] = {header->ClientCode, header->ClientName, header->CaseSuffix, header->AlternateID};
  for (int i = 0; i < 4; ++i) {
    const bool stop = std::find(c.tabStops.begin(), c.tabStops.end(), i) != c.tabStops.end();
    EXPECT_EQ(combos[i]->TabStop(), stop) << combos[i]->Name();
  }
  EXPECT_EQ(Screen->ActiveControl(), combos[c.focused]);
  TMenuItem* const items[] = {caseF->ClientCodeCaseSuffix1, caseF->ClientNameCaseSuffix1, caseF->CaseSuffixOnly1,
                              caseF->AlternateIdentifier1};
  const int item = std::string("CNSA").find(c.mode[0]);
  for (int i = 0; i < 4; ++i) EXPECT_EQ(items[i]->Checked(), i == item) << i;
}

INSTANTIATE_TEST_SUITE_P(Modes, EntryModeTest,
                         ::testing::Values(ModeCase{"C", 0, {0, 2}}, ModeCase{"N", 1, {1, 2}}, ModeCase{"S", 2, {2}}),
                         [](const auto& info) { return std::string(info.param.mode); });

TEST_F(EntryFocusTest, TheAlternateIdentifierTakesTheFocusFromTheClearButton) {
  startIn("A");
  EXPECT_TRUE(header->AlternateID->TabStop());
  EXPECT_NE(Screen->ActiveControl(), header->AlternateID) << "at start the focus is not moved";
  caseF->ClearBitBtn->SetEnabled(true);
  caseF->ClearBitBtn->SetFocus();
  caseF->FocusEntryControl();
  EXPECT_EQ(Screen->ActiveControl(), header->AlternateID);
}

TEST_F(EntryFocusTest, ADisabledLookupLeavesTheFocusToTheLastLookupElseToTheDescription) {
  startIn("C");
  header->ClientCode->SetEnabled(false);
  caseF->FocusEntryControl();
  EXPECT_EQ(Screen->ActiveControl(), caseDescription);
  caseF->ShowRecordState(true);  // the budget panel is shown with a matter
  LastLookupControl = misc->FeeBudget;
  caseF->FocusEntryControl();
  EXPECT_EQ(Screen->ActiveControl(), misc->FeeBudget);
  LastLookupControl = nullptr;
}

TEST_F(EntryFocusTest, TheNumericOrderFollowsItsMenuItem) {
  startIn("C");
  caseF->ListCaseinNumericOrder1->SetChecked(!ListCasesInNumericOrder);
  caseF->FocusEntryControl();
  EXPECT_EQ(ListCasesInNumericOrder, caseF->ListCaseinNumericOrder1->Checked());
}

TEST_F(EntryFocusTest, TheCommandLinesClientGoesIntoTheHeader) {
  startIn("C", {"ADAMS", "Adams, Harriet"});
  EXPECT_EQ(header->ClientCode->Text(), "ADAMS");
  EXPECT_EQ(header->ClientName->Text(), "Adams, Harriet");
  EXPECT_FALSE(ClientNameMissing);
}

TEST_F(EntryFocusTest, NoClientNameLeavesTheNameEmpty) {
  startIn("C", {"ADAMS", "x_x_x", "1"});
  EXPECT_EQ(header->ClientCode->Text(), "ADAMS");
  EXPECT_EQ(header->ClientName->Text(), "");
  EXPECT_TRUE(ClientNameMissing);
  EXPECT_TRUE(PendingCaseArgs);
}

TEST_F(EntryFocusTest, WithoutTheFirstFileRightTheAlternateIdentifierListsNothing) {
  // Bit 0 of the first file part is the case file's first right.
  const long long part = std::stoll(host("ArgFile1")), total = std::stoll(host("ArgFileX"));
  ASSERT_EQ(part % 2, 1);
  setHost("ArgFile1", std::to_string(part - 1));
  setHost("ArgFileX", std::to_string(total - 1));
  startIn("C");
  ASSERT_EQ(ActiveFileRights[1], "N");
  EXPECT_EQ(header->AlternateID->DropDownCount(), -1);
  EXPECT_FALSE(header->AlternateID->ShowMatchText());
}

TEST_F(EntryFocusTest, WithTheFirstFileRightTheAlternateIdentifierKeepsItsList) {
  startIn("C");
  ASSERT_EQ(ActiveFileRights[1], "Y");
  EXPECT_NE(header->AlternateID->DropDownCount(), -1);
  EXPECT_TRUE(header->AlternateID->ShowMatchText());
}

TEST_F(EntryFocusTest, TheRetainerReserveIsEnabledAndTheHeaderIsInFront) {
  startIn("C");
  EXPECT_TRUE(misc->CheckBoxRetainerReserve->Enabled());
  EXPECT_EQ(header->Parent(), caseF);
  EXPECT_TRUE(header->Visible());
  // Over the panels its description lookup covers until a matter is shown.
  QWidget* below = caseF->Window()->childAt(header->Left() + 5, header->Top() + header->Height() - 3);
  ASSERT_NE(below, nullptr);
  EXPECT_TRUE(below == header->Window() || header->Window()->isAncestorOf(below));
}

TEST_F(EntryFocusTest, TheNarrativePanelIsMadeAndItsCodesSpacedForTheDescriptionPanel) {
  startIn("C");
  ASSERT_NE(NarrF, nullptr);
  EXPECT_EQ(NarrF->Top(), 0);
  EXPECT_EQ(NarrF->Height(), 0);
  ASSERT_FALSE(NarrativeList.empty());
  int longest = 0;
  for (const AnsiString& line : NarrativeList) {
    EXPECT_EQ(line.substr(3, 3), "   ") << line;
    EXPECT_NE(line[6], ' ') << "the text follows the three blanks: " << line;
    longest = std::max(longest, static_cast<int>(line.size()));
  }
  EXPECT_EQ(caseF->NarrativeListLongest, longest);
}

}  // namespace
}  // namespace casewindow_test
