// Tab and Enter through the main window's panels on the demo, keys typed as a user types them: the
// case screen's chains forward and backward on ADAMS/1, the buttons at their end, the calendar's
// entry fields, a code combo's entry validated as it is left, Space into the combo a Tag names,
// and the Tag map itself.
#include <QApplication>
#include <QTest>
#include <QWidget>
#include <algorithm>
#include <string>
#include <vector>

#include "casewindow/AttorneyPickerPanels.h"
#include "casewindow/BillingBoxF.h"
#include "casewindow/CaseDescriptionF.h"
#include "casewindow/CaseFChains.h"
#include "casewindow/CaseMiscF.h"
#include "casewindow/ClientCaseLookF1.h"
#include "casewindow/CodePickerPanels.h"
#include "casewindow/FCSalesTaxF.h"
#include "casewindow/tests/MatterPanelsFixture.h"
#include "core/DockedForms.h"
#include "core/StagedPanel.h"
#include "dialogs/NarrF.h"
#include "editors/DBDateTimePicker.h"
#include "editors/DBLookupCombo.h"
#include "editors/DBEdit.h"
#include "framework/base/StringUtils.h"
#include "datagrid/DcTbTable.h"
#include "framework/db/Field.h"
#include "framework/ui/CheckBox.h"
#include "framework/ui/Edit.h"
#include "framework/ui/GlyphButton.h"
#include "framework/ui/KeyRoute.h"
#include "framework/ui/KeyboardState.h"
#include "framework/ui/ListBox.h"
#include "framework/ui/Messages.h"
#include "framework/ui/Panel.h"
#include "framework/ui/Screen.h"
#include "framework/ui/TextLabel.h"
#include "framework/ui/VirtualKeys.h"

namespace casewindow_test {
namespace {

const std::vector<const char*> kPickerClasses = {"TDepartmentF", "TCaType1F", "TCaType2F", "TCaType3F",
                                                 "TStMsgF",      "TRA1F",     "TRA2F",     "TRA3F"};

// "Panel.Control" of the screen's active control.
std::string focusName() {
  TWinControl* active = Screen->ActiveControl();
  if (!active) return "(none)";
  const std::string owner = active->Owner() ? std::string(active->Owner()->Name()) : "";
  return owner + "." + std::string(active->Name());
}

class FocusChainFixture : public MatterPanelsFixture {
 protected:
  void TearDown() override {
    Application->setMessageHook(nullptr);
    for (TComponent* panel : panels) delete panel;
    ClientCaseLookF1 = nullptr;
    CaseDescriptionF = nullptr;
    BillingBoxF = nullptr;
    CaseMiscF = nullptr;
    FCSalesTaxF = nullptr;
    LastLookupControl = nullptr;
    CurrentCodeValidation = "";
    ListCasesInNumericOrder = false;
    MatterPanelsFixture::TearDown();
  }

  // Every panel the main block and the main window make, then the window shown and active, the
  // pickers' tables open, and the keys going through the chains.
  void startScreen() {
    ClientCaseLookF1 = header = new TClientCaseLookF1(Application);
    CaseDescriptionF = description = new TCaseDescriptionF(Application);
    BillingBoxF = billing = new TBillingBoxF(Application);
    CaseMiscF = misc = new TCaseMiscF(Application);
    FCSalesTaxF = tax = new TFCSalesTaxF(Application);
    panels = {header, description, billing, misc, tax};
    for (const char* name : kPickerClasses) panels.push_back(Application->CreateFormByClassName(name));
    caseF->Show();
    for (TComponent* panel : panels) static_cast<TForm*>(panel)->Show();
    caseF->Window()->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(caseF->Window()));
    for (TComponent* panel : panels)
      if (auto* staged = dynamic_cast<StagedPanel*>(panel)) staged->OpenStagedPanel();
    ASSERT_FALSE(caseF->Caption().empty()) << "the window's key hook acts once the window has been shown";
  }

  // ADAMS/1 typed into the header and shown with its panels.
  void showAdams1() {
    ListCasesInNumericOrder = false;
    typeInto(header->ClientCode, "ADAMS");
    typeInto(header->CaseSuffix, "1");
    ASSERT_TRUE(header->CaseShown());
    ASSERT_TRUE(HeaderEditsShown);
    tax->PanelTax->SetVisible(true);
    misc->CheckBoxRetainerReserve->SetEnabled(true);
    MatterLoaded = true;
    for (AnsiString* letter : {&SysopSettings.ValCa1, &SysopSettings.ValCa2, &SysopSettings.ValCa3,
                               &SysopSettings.ValCaDpt, &SysopSettings.ValStmt})
      *letter = "N";
  }

  void typeInto(TWinControl* control, const char* text) {
    control->SetFocus();
    QTest::keyClicks(control->Window(), text);
    press(Qt::Key_Tab);
  }

  // A key to the widget with the focus, and whatever it posted delivered.
  void press(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    QTest::keyClick(QApplication::focusWidget(), key, modifiers);
    Application->ProcessMessages();
  }

  // The controls the focus visits, Tab after Tab from the start, until one of the stops.
  std::vector<std::string> walk(TWinControl* start, Qt::KeyboardModifiers modifiers, const std::vector<std::string>& stops) {
    start->SetFocus();
    Application->ProcessMessages();
    std::vector<std::string> visited{focusName()};
    for (int i = 0; i < 60 && std::find(stops.begin(), stops.end(), visited.back()) == stops.end(); ++i) {
      press(Qt::Key_Tab, modifiers);
      visited.push_back(focusName());
    }
    return visited;
  }

  // Each pair's second comes right after its first, the pairs in order.
  static void expectSteps(const std::vector<std::string>& visited,
                          const std::vector<std::pair<std::string, std::string>>& steps) {
    auto from = visited.begin();
    for (const auto& [source, target] : steps) {
      const auto at = std::find(from, visited.end(), source);
      ASSERT_NE(at, visited.end()) << source << " is visited";
      ASSERT_NE(at + 1, visited.end()) << source << " is left";
      EXPECT_EQ(*(at + 1), target) << "after " << source;
      from = at + 1;
    }
  }

  std::vector<TComponent*> panels;
  TClientCaseLookF1* header = nullptr;
  TCaseDescriptionF* description = nullptr;
  TBillingBoxF* billing = nullptr;
  TCaseMiscF* misc = nullptr;
  TFCSalesTaxF* tax = nullptr;
};

class CaseChainTest : public FocusChainFixture {
 protected:
  void SetUp() override {
    FocusChainFixture::SetUp();
    startScreen();
    showAdams1();
  }
};

TEST_F(CaseChainTest, TabWalksTheForwardChainThroughThePanels) {
  const auto visited = walk(header->AltBillFormat, Qt::NoModifier,
                            {"CaseF.DeleteBitBtn", "CaseF.SaveBitBtn", "CaseF.ClearBitBtn"});
  SCOPED_TRACE(::testing::PrintToString(visited));
  expectSteps(visited, {
                           {"ClientCaseLookF1.AltBillFormat", "CaseDescriptionF.CaseDescription"},
                           {"CaseDescriptionF.CaseDescription", "RA1F.CCACode"},
                           {"RA1F.CCACode", "RA2F.CCACode"},
                           {"RA2F.CCACode", "RA3F.CCACode"},
                           {"RA3F.CCACode", "DepartmentF.TableCode"},
                           {"DepartmentF.TableCode", "CaType1F.TableCode"},
                           {"CaType1F.TableCode", "CaType2F.TableCode"},
                           {"CaType2F.TableCode", "CaType3F.TableCode"},
                           {"CaType3F.TableCode", "BillingBoxF.BillingStatus1"},
                           {"BillingBoxF.DateClosed", "StMsgF.TableCode"},
                           {"StMsgF.TableCode", "CaseMiscF.FeeBudget"},
                           {"CaseMiscF.RetainerMin", "CaseMiscF.CheckBoxRetainerReserve"},
                           {"CaseMiscF.CheckBoxRetainerReserve", "FCSalesTaxF.CBFinanceCharge"},
                           {"FCSalesTaxF.CBFinanceCharge", "FCSalesTaxF.CBFees"},
                       });
  EXPECT_EQ(visited.back(), caseF->DeleteBitBtn->Enabled() ? "CaseF.DeleteBitBtn"
                            : caseF->SaveBitBtn->Enabled() ? "CaseF.SaveBitBtn"
                                                           : "CaseF.ClearBitBtn");
  EXPECT_EQ(*(visited.end() - 2), "FCSalesTaxF.CBIndirectCosts");
}

TEST_F(CaseChainTest, EnterFollowsTheSameChain) {
  description->CaseDescription->SetFocus();
  for (const char* expected : {"RA1F.CCACode", "RA2F.CCACode", "RA3F.CCACode", "DepartmentF.TableCode"}) {
    press(Qt::Key_Return);
    EXPECT_EQ(focusName(), expected);
  }
}

TEST_F(CaseChainTest, ShiftTabWalksTheBackwardChain) {
  const auto visited = walk(tax->CBFees, Qt::ShiftModifier, {"ClientCaseLookF1.AltBillFormat"});
  SCOPED_TRACE(::testing::PrintToString(visited));
  expectSteps(visited, {
                           {"FCSalesTaxF.CBFees", "FCSalesTaxF.CBFinanceCharge"},
                           {"FCSalesTaxF.CBFinanceCharge", "CaseMiscF.CheckBoxRetainerReserve"},
                           {"CaseMiscF.CheckBoxRetainerReserve", "CaseMiscF.RetainerMin"},
                           {"CaseMiscF.FeeBudget", "StMsgF.TableCode"},
                           {"StMsgF.TableCode", "BillingBoxF.DateClosed"},
                           {"BillingBoxF.BillingStatus1", "CaType3F.TableCode"},
                           {"CaType3F.TableCode", "CaType2F.TableCode"},
                           {"CaType2F.TableCode", "CaType1F.TableCode"},
                           {"CaType1F.TableCode", "DepartmentF.TableCode"},
                           {"DepartmentF.TableCode", "RA3F.CCACode"},
                           {"RA3F.CCACode", "RA2F.CCACode"},
                           {"RA2F.CCACode", "RA1F.CCACode"},
                           {"RA1F.CCACode", "CaseDescriptionF.CaseDescription"},
                           {"CaseDescriptionF.CaseDescription", "ClientCaseLookF1.AltBillFormat"},
                       });
}

TEST_F(CaseChainTest, TheLastTaxBoxGoesToTheFirstUsableOfDeleteSaveAndClear) {
  const struct {
    bool deleteEnabled, saveEnabled;
    GlyphButton* expected;
  } cases[] = {
      {true, true, caseF->DeleteBitBtn},
      {true, false, caseF->DeleteBitBtn},
      {false, true, caseF->SaveBitBtn},
      {false, false, caseF->ClearBitBtn},
  };
  caseF->ClearBitBtn->SetEnabled(true);
  for (const auto& c : cases) {
    SCOPED_TRACE(std::to_string(c.deleteEnabled) + std::to_string(c.saveEnabled));
    caseF->DeleteBitBtn->SetEnabled(c.deleteEnabled);
    caseF->SaveBitBtn->SetEnabled(c.saveEnabled);
    tax->CBIndirectCosts->SetFocus();
    press(Qt::Key_Tab);
    EXPECT_EQ(Screen->ActiveControl(), c.expected);
  }
}

TEST_F(CaseChainTest, WithoutAMatterShownThePanelsKeepTheirOwnOrder) {
  header->ClearHeader(true);
  ASSERT_FALSE(header->CaseShown());
  TMsg tab{description->CaseDescription, WM_KEYDOWN, VK_TAB, 0};
  EXPECT_FALSE(caseF->MoveAlongChain(tab, false));
  TMsg department{DepartmentF->TableCode, WM_KEYDOWN, VK_TAB, 0};
  EXPECT_FALSE(caseF->MoveAlongChain(department, true));
}

TEST_F(CaseChainTest, TheClientLookupsAreLeftToTheHeaderAndThePseudoHandleFocusesTheClientName) {
  for (TdcDBLookupCombo* combo : {header->ClientCode, header->ClientName})
    for (bool backwards : {false, true}) {
      TMsg tab{combo, WM_KEYDOWN, VK_TAB, 0};
      EXPECT_FALSE(caseF->MoveAlongChain(tab, backwards)) << combo->Name() << backwards;
    }
  header->ClearHeader(true);
  caseF->ClearBitBtn->SetEnabled(true);
  caseF->ClearBitBtn->SetFocus();
  TMsg pseudo{nullptr, WM_KEYDOWN, VK_TAB, ClientNamePseudoHandle};
  EXPECT_FALSE(caseF->MoveAlongChain(pseudo, false)) << "only backwards";
  EXPECT_TRUE(caseF->MoveAlongChain(pseudo, true));
  EXPECT_EQ(Screen->ActiveControl(), header->ClientName);
}

TEST_F(CaseChainTest, AWrongCodeKeepsTheFocusAndTheMessageAnswersZero) {
  SysopSettings.ValCaDpt = "Y";
  dm->Case1_->Edit();
  DepartmentF->TableCode->SetFocus();
  Application->ProcessMessages();
  boxes->expect(mtWarning, "A valid entry is required.");
  // Two letters fill the code: the picker tabs on by itself.
  QTest::keyClicks(DepartmentF->TableCode->Window(), "ZZ");
  Application->ProcessMessages();
  EXPECT_EQ(Screen->ActiveControl(), DepartmentF->TableCode);
  EXPECT_EQ(LastLookupControl, DepartmentF->TableCode);
  boxes->expect(mtWarning, "A valid entry is required.");
  EXPECT_EQ(SendMessage(caseF, MainFormMouseActivateMessage, 0, 0), 0);
  EXPECT_EQ(Screen->ActiveControl(), DepartmentF->TableCode);
  dm->Case1_->Cancel();
}

TEST_F(CaseChainTest, AnExistingCodeMovesOnAndIsForgotten) {
  SysopSettings.ValCaDpt = "Y";
  dm->Case1_->Edit();
  DepartmentF->TableCode->SetFocus();
  Application->ProcessMessages();
  QTest::keyClicks(DepartmentF->TableCode->Window(), "LT");
  Application->ProcessMessages();
  EXPECT_EQ(Screen->ActiveControl(), CaType1F->TableCode);
  EXPECT_EQ(LastLookupControl, nullptr);
  EXPECT_EQ(DepartmentF->TableDesc->Text(), "Litigation  (LT)");
  EXPECT_EQ(SendMessage(caseF, MainFormMouseActivateMessage, 0, 0), 1);
  dm->Case1_->Cancel();
}

// Under "R" an entry is required (the code tables' own rule): an empty code is checked even
// when nothing was typed, and refused; under the other letters it moves on.
TEST_F(CaseChainTest, AnEmptyCodeIsRefusedOnlyWhereAnEntryIsRequired) {
  const struct {
    const char* letter;
    bool moves;
  } cases[] = {{"R", false}, {"Y", true}, {"N", true}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.letter);
    SysopSettings.ValCa2 = c.letter;
    ASSERT_EQ(Trim(CaType2F->TableCode->Text()), "") << "ADAMS/1 has no second case type";
    CaType2F->TableCode->SetFocus();
    Application->ProcessMessages();
    if (!c.moves) boxes->expect(mtWarning, "A valid entry is required.");
    press(Qt::Key_Tab);
    EXPECT_EQ(Screen->ActiveControl(), c.moves ? CaType3F->TableCode : CaType2F->TableCode);
    EXPECT_EQ(LastLookupControl, c.moves ? nullptr : CaType2F->TableCode);
    LastLookupControl = nullptr;
  }
}

// A description chosen from the list is checked against the row the list stands on; the code
// combo shows that row's code.
TEST_F(CaseChainTest, ADescriptionIsCheckedAgainstTheRowChosen) {
  TdcTbTable* rows = DepartmentF->Codes2_;
  for (rows->First(); !rows->Eof() && Trim(rows->FieldByName("code")->AsString()) != "LT"; rows->Next()) {
  }
  ASSERT_FALSE(rows->Eof());
  TdcDBLookupCombo* description = DepartmentF->TableDesc;
  description->SetText("Litigation  (LT)");
  LastLookupControl = description;
  EXPECT_EQ(SendMessage(caseF, MainFormMouseActivateMessage, 0, 0), 1);
  EXPECT_EQ(Trim(DepartmentF->TableCode->Text()), "LT");
  EXPECT_EQ(LastLookupControl, nullptr);
  description->SetText("Litigation and more");
  LastLookupControl = description;
  boxes->expect(mtWarning, "No such Description or employee inactive.  Please select from list.");
  EXPECT_EQ(SendMessage(caseF, MainFormMouseActivateMessage, 0, 0), 0);
  EXPECT_EQ(LastLookupControl, description);
  EXPECT_EQ(Screen->ActiveControl(), description) << "the focus goes back to it";
  LastLookupControl = nullptr;
}

TEST_F(CaseChainTest, TheAlternateIdentifierWithoutAMatterLooksItUpOrGoesBackToTheSuffix) {
  header->ClearHeader(true);
  ASSERT_FALSE(header->CaseShown());
  header->AlternateID->SetFocus();
  press(Qt::Key_Tab);
  EXPECT_EQ(Screen->ActiveControl(), header->CaseSuffix) << "nothing typed";
  header->AlternateID->SetFocus();
  QTest::keyClicks(header->AlternateID->Window(), "ADAMS-EST");
  Application->ProcessMessages();
  TMsg tab{header->AlternateID, WM_KEYDOWN, VK_TAB, 0};
  EXPECT_TRUE(caseF->MoveAlongChain(tab, false));
  EXPECT_TRUE(header->CaseShown()) << "the identifier's exit found ADAMS/1";
  EXPECT_TRUE(header->AltBillFormat->Visible());
  EXPECT_TRUE(header->AltBillFormat->TabStop());
  EXPECT_FALSE(caseF->MoveAlongChain(tab, false)) << "with a matter shown the key is the header's";
}

TEST_F(CaseChainTest, TheHeadersTagsNeverValidate) {
  for (TdcDBLookupCombo* combo : {header->ClientCode, header->ClientName, header->CaseSuffix, header->AlternateID}) {
    SCOPED_TRACE(combo->Name());
    combo->SetText("NO SUCH");
    LastLookupControl = combo;
    EXPECT_EQ(SendMessage(caseF, MainFormMouseActivateMessage, 0, 0), 1);
    EXPECT_EQ(CurrentCodeValidation, "X");
    EXPECT_EQ(LastLookupControl, combo) << "nothing checked, nothing forgotten";
  }
  LastLookupControl = nullptr;
}

TEST_F(CaseChainTest, APostedMessageValidatesAsTheSentOneDoes) {
  SysopSettings.ValCaDpt = "Y";
  dm->Case1_->Edit();
  DepartmentF->TableCode->SetFocus();
  Application->ProcessMessages();
  boxes->expect(mtWarning, "A valid entry is required.");
  QTest::keyClicks(DepartmentF->TableCode->Window(), "ZZ");
  Application->ProcessMessages();
  ASSERT_EQ(LastLookupControl, DepartmentF->TableCode);
  misc->FeeBudget->SetFocus();
  boxes->expect(mtWarning, "A valid entry is required.");
  PostMessage(caseF, MainFormMouseActivateMessage, 0, 0);
  Application->ProcessMessages();
  EXPECT_EQ(Screen->ActiveControl(), DepartmentF->TableCode) << "the focus goes back to the wrong code";
  dm->Case1_->Cancel();
}

TEST_F(CaseChainTest, SpaceInAnEmptyControlGoesToTheComboItsTagNames) {
  const struct {
    TWinControl* control;
    TWinControl* combo;
  } cases[] = {
      {DepartmentF->TableCode, DepartmentF->TableDesc},
      {CaType2F->TableDesc, CaType2F->TableCode},
      {RA3F->CCACode, RA3F->CCAName},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string(c.control->Owner()->Name()) + "." + std::string(c.control->Name()));
    c.control->SetText("");
    c.control->SetFocus();
    Application->ProcessMessages();
    press(Qt::Key_Space);
    EXPECT_EQ(Screen->ActiveControl(), c.combo);
  }
  // Not empty: the blank is the control's.
  RA1F->CCACode->SetFocus();
  ASSERT_FALSE(RA1F->CCACode->Text().empty());
  TMsg space{RA1F->CCACode, WM_KEYDOWN, VK_SPACE, 0};
  EXPECT_FALSE(caseF->SpaceIntoTagCombo(space));
  TMsg untagged{misc->FeeBudget, WM_KEYDOWN, VK_SPACE, 0};
  misc->FeeBudget->SetText("");
  EXPECT_FALSE(caseF->SpaceIntoTagCombo(untagged));
}

TEST_F(CaseChainTest, TheNumericOrderSuffixIsReplacedOnceBySpaceAndTab) {
  ListCasesInNumericOrder = true;
  ASSERT_TRUE(dm->Case1_->Active());
  const AnsiString shown = Trim(dm->Case1_->FieldByName("Case Suffix")->AsString());
  header->CaseSuffix->SetText(shown == "2" ? "1" : "2");
  TMsg tab{header->CaseSuffix, WM_KEYDOWN, VK_TAB, 0};
  EXPECT_TRUE(caseF->MoveAlongChain(tab, false)) << "replaced by Space and Tab";
  EXPECT_FALSE(caseF->MoveAlongChain(tab, false)) << "the Tab they bring passes";
  header->CaseSuffix->SetText(shown);
  EXPECT_FALSE(caseF->MoveAlongChain(tab, false)) << "the highlighted matter's own suffix";
}

// The map from a Tag to its combo and validation letter, on every panel.
TEST_F(CaseChainTest, EachTagNamesItsComboAndLetter) {
  SysopSettings.ValCaDpt = "D";
  SysopSettings.ValCa1 = "1";
  SysopSettings.ValCa2 = "2";
  SysopSettings.ValCa3 = "3";
  SysopSettings.ValStmt = "S";
  SysopSettings.ValCal1 = "c";
  SysopSettings.ValCalp = "p";
  const struct {
    int tag;
    TWinControl* combo;
    const char* caseLetter;
    const char* calendarLetter;
  } cases[] = {
      {10, header->ClientName, "X", "X"},          {20, header->ClientCode, "X", "X"},
      {110, header->AlternateID, "X", "X"},        {120, header->CaseSuffix, "X", "X"},
      {310, DepartmentF->TableDesc, "D", "D"},     {320, DepartmentF->TableCode, "D", "D"},
      {410, CaType1F->TableDesc, "1", "c"},        {420, CaType1F->TableCode, "1", "c"},
      {510, CaType2F->TableDesc, "2", "c"},        {520, CaType2F->TableCode, "2", "c"},
      {610, RA1F->CCAName, "N", "N"},              {620, RA1F->CCACode, "N", "N"},
      {710, RA2F->CCAName, "N", "N"},              {720, RA2F->CCACode, "N", "N"},
      {810, RA3F->CCAName, "N", "N"},              {820, RA3F->CCACode, "N", "N"},
      {910, CaType3F->TableDesc, "3", "p"},        {920, CaType3F->TableCode, "3", "p"},
      {1010, StMsgF->TableDesc, "S", "S"},         {1020, StMsgF->TableCode, "S", "S"},
      {1110, NarrF->TableDesc, "N", "N"},          {1120, NarrF->TableCode, "N", "N"},
  };
  for (bool calendar : {false, true}) {
    CalendarParameter = calendar;
    for (const auto& c : cases) {
      SCOPED_TRACE(std::to_string(c.tag) + (calendar ? " calendar" : " case"));
      CurrentCodeValidation = "?";
      EXPECT_EQ(caseF->LookupComboForTag(c.tag), c.combo);
      EXPECT_EQ(CurrentCodeValidation, calendar ? c.calendarLetter : c.caseLetter);
    }
  }
  CalendarParameter = false;
  // The panels' own controls carry the Tags of their partners' rows.
  for (const auto& c : cases) EXPECT_EQ(caseF->LookupComboForTag(c.combo->Tag())->Owner(), c.combo->Owner()) << c.tag;
  for (int tag : {0, 1, 100, 300, 330, 1130, 570}) {
    CurrentCodeValidation = "?";
    EXPECT_EQ(caseF->LookupComboForTag(tag), nullptr) << tag;
    EXPECT_EQ(CurrentCodeValidation, "?") << tag;
  }
}

// Every row names a control the panels have, but for those a later part of the program builds.
TEST_F(CaseChainTest, TheChainsNameTheControlsOfThePanels) {
  const auto exists = [this](const char* panel, const char* control) {
    TForm* form = caseF->Name() == panel ? caseF : dynamic_cast<TForm*>(Application->FindComponent(panel));
    return form && (!control || form->FindComponent(control));
  };
  const auto later = [](const char* panel, const char* control) {
    return std::string(panel) == "MemoF" || (control && std::string(control) == "DoFindBitBtn");
  };
  for (const ChainRow& row : FocusChainRows()) {
    const std::string source = std::string(row.panel) + "." + (row.control ? row.control : "*");
    EXPECT_TRUE(exists(row.panel, row.control) || later(row.panel, row.control)) << source;
    const bool needsTarget = row.step != ChainStep::Pass && row.step != ChainStep::NumericOrderSuffix;
    EXPECT_EQ(needsTarget, row.targets[0].panel != nullptr) << source << ": a target where the key moves on";
    for (const ChainTarget& target : row.targets) {
      if (!target.panel) continue;
      EXPECT_TRUE(exists(target.panel, target.control) || later(target.panel, target.control))
          << source << " -> " << target.panel << "." << (target.control ? target.control : "");
    }
  }
}

// The calendar entry screen: the rows whose fields exist.
class CalendarChainTest : public FocusChainFixture {
 protected:
  void SetUp() override {
    FocusChainFixture::SetUp();
    startWith({"250101d"});
    startScreen();
    ASSERT_TRUE(CalendarMode);
    // As the calendar's screen mode will: the layout hid the pickers' lookups until a matter shows.
    for (TCodeLookF* picker : std::initializer_list<TCodeLookF*>{CaType1F, CaType2F, CaType3F}) {
      picker->SetVisible(true);
      for (TControl* c : std::initializer_list<TControl*>{picker->LabelCode, picker->TableCode, picker->TableDesc})
        c->SetVisible(true);
    }
    for (TControl* control : std::initializer_list<TControl*>{caseF->PanelPlace, caseF->EditPlace,
                                                              caseF->EditOpposingAtty, caseF->PanelAttys,
                                                              caseF->ListBoxAttys, description->PanelCalendarDateTime})
      control->SetVisible(true);
  }
  void TearDown() override {
    CalendarParameter = CalendarMode = false;
    FocusChainFixture::TearDown();
  }
};

TEST_F(CalendarChainTest, TheEntryFieldsFollowTheCalendarChain) {
  for (bool secondTime : {true, false}) {
    SCOPED_TRACE(secondTime);
    description->CalTime2->SetEnabled(secondTime);
    description->CalTime->SetFocus();
    press(Qt::Key_Tab);
    EXPECT_EQ(focusName(), secondTime ? "CaseDescriptionF.CalTime2" : "CaType1F.TableCode");
  }
  description->CalTime2->SetEnabled(true);
  description->CalTime2->SetFocus();
  for (const char* expected : {"CaType1F.TableCode", "CaType2F.TableCode", "CaType3F.TableCode", "CaseF.EditPlace"}) {
    press(Qt::Key_Tab);
    EXPECT_EQ(focusName(), expected);
  }
  caseF->EditOpposingAtty->SetFocus();
  press(Qt::Key_Tab);
  EXPECT_EQ(focusName(), "CaseF.ListBoxAttys");
  press(Qt::Key_Tab, Qt::ShiftModifier);
  EXPECT_EQ(focusName(), "CaseF.EditOpposingAtty") << "Shift+Tab from the list goes back";
  caseF->ListBoxAttys->SetFocus();
  TMsg enter{caseF->ListBoxAttys, WM_KEYDOWN, VK_RETURN, 0};
  EXPECT_FALSE(caseF->MoveAlongChain(enter, false)) << "Enter is the list's";
  TMsg tab{caseF->ListBoxAttys, WM_KEYDOWN, VK_TAB, 0};
  EXPECT_FALSE(caseF->MoveAlongChain(tab, false)) << "the narrative description is not there";
}

TEST_F(CalendarChainTest, ShiftTabTakesThePickersBack) {
  caseF->EditPlace->SetFocus();
  for (const char* expected : {"CaType3F.TableCode", "CaType2F.TableCode", "CaType1F.TableCode", "CaseDescriptionF.CalTime"}) {
    press(Qt::Key_Tab, Qt::ShiftModifier);
    EXPECT_EQ(focusName(), expected);
  }
}

TEST_F(CalendarChainTest, RowsWhoseTargetsAreNotBuiltYetDoNothing) {
  description->ComboBox1->SetVisible(false);
  for (TWinControl* control : std::initializer_list<TWinControl*>{description->CalDate2, description->ComboBox1}) {
    TMsg tab{control, WM_KEYDOWN, VK_TAB, 0};
    EXPECT_FALSE(caseF->MoveAlongChain(tab, false)) << control->Name() << ": no DoFindBitBtn";
  }
  TMsg back{caseF->SaveBitBtn, WM_KEYDOWN, VK_TAB, 0};
  EXPECT_FALSE(caseF->MoveAlongChain(back, true)) << "no narrative description";
}

}  // namespace
}  // namespace casewindow_test
