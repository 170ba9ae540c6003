// Tab and Enter through the main window's panels: the rows of the two chains and the walk over
// them. Steps out of a code combo validate its entry first (MoveFromCombo, MoveFromComboToEdit);
// a target a later part of the program builds is named here and the row does nothing while it is
// absent.
#include "casewindow/CaseFChains.h"

#include "casewindow/CaseF.h"
#include "casewindow/ClientCaseLookF1.h"
#include "casewindow/HostedPanels.h"
#include "core/DM.h"
#include "core/Globals.h"
#include "datagrid/DcTbTable.h"
#include "framework/base/StringUtils.h"
#include "framework/db/Field.h"
#include "framework/ui/KeyRoute.h"
#include "framework/ui/Messages.h"
#include "framework/ui/VirtualKeys.h"

namespace {

using S = ChainScope;
using K = ChainKey;
using P = ChainStep;
using W = TargetIf;

constexpr bool Fwd = false, Back = true;
constexpr const char* Header = "ClientCaseLookF1";
constexpr const char* Description = "CaseDescriptionF";
constexpr const char* Main = "CaseF";
constexpr const char* Narrative = "MemoF";

const std::vector<ChainRow> kRows = {
    // ---- Forward: Tab or Enter. ----
    {Fwd, S::AnyMode, K::TabOrEnter, Header, "ClientCode", P::Pass, {}},
    {Fwd, S::AnyMode, K::TabOrEnter, Header, "ClientName", P::Pass, {}},
    {Fwd, S::AnyMode, K::TabOrEnter, Header, "CaseSuffix", P::NumericOrderSuffix, {}},
    {Fwd, S::CalendarSearch, K::TabOrEnter, Header, "CaseSuffix", P::CalendarSuffix, {{{"RA1F", "CCACode"}}}},
    {Fwd, S::Calendar, K::TabOrEnter, Header, "CaseSuffix", P::CalendarSuffix, {{{Description, "CalDate"}}}},
    {Fwd, S::AnyMode, K::TabOrEnter, Header, "ComboBoxCaseDesc", P::Focus, {{{Description, "CaseDescription"}}}},
    {Fwd, S::AnyMode, K::TabOrEnter, Header, "AltBillFormat", P::FromCombo, {{{Description}}}},
    {Fwd, S::CaseMode, K::TabOrEnter, Header, "AlternateID", P::AlternateIDNoMatter, {{{Header, "CaseSuffix"}}}},
    {Fwd, S::CaseShown, K::TabOrEnter, Description, "CaseDescription", P::Focus, {{{"RA1F"}}}},
    {Fwd, S::CaseShown, K::TabOrEnter, "RA1F", nullptr, P::FromCombo, {{{"RA2F"}}}},
    {Fwd, S::CaseShown, K::TabOrEnter, "RA2F", nullptr, P::FromCombo, {{{"RA3F"}}}},
    {Fwd, S::CaseShown, K::TabOrEnter, "RA3F", nullptr, P::FromCombo, {{{"DepartmentF"}}}},
    {Fwd, S::CaseShown, K::TabOrEnter, "DepartmentF", nullptr, P::FromCombo, {{{"CaType1F"}}}},
    {Fwd, S::CaseShown, K::TabOrEnter, "CaType1F", nullptr, P::FromCombo, {{{"CaType2F"}}}},
    {Fwd, S::CaseShown, K::TabOrEnter, "CaType2F", nullptr, P::FromCombo, {{{"CaType3F"}}}},
    {Fwd, S::CaseShown, K::TabOrEnter, "CaType3F", nullptr, P::FromComboToEdit, {{{"BillingBoxF", "BillingStatus1"}}}},
    {Fwd, S::CaseShown, K::TabOrEnter, "BillingBoxF", "DateClosed", P::Focus, {{{"StMsgF"}}}},
    {Fwd, S::CaseShown, K::TabOrEnter, "StMsgF", nullptr, P::FromComboToEdit, {{{"CaseMiscF", "FeeBudget"}}}},
    {Fwd, S::CaseShown, K::TabOrEnter, "CaseMiscF", "RetainerMin", P::Focus, {{{"CaseMiscF", "CheckBoxRetainerReserve"}}}},
    {Fwd, S::CaseShown, K::TabOrEnter, "CaseMiscF", "CheckBoxRetainerReserve", P::Focus,
     {{{"FCSalesTaxF", "CBFinanceCharge"}}}},
    {Fwd, S::CaseShown, K::TabOrEnter, "FCSalesTaxF", "CBFinanceCharge", P::Focus, {{{"FCSalesTaxF", "CBFees"}}}},
    // Delete when it may be used, else Save, else Clear (the third, always there, follows below).
    {Fwd, S::CaseShown, K::TabOrEnter, "FCSalesTaxF", "CBIndirectCosts", P::Focus,
     {{{Main, "DeleteBitBtn", W::Enabled}, {Main, "SaveBitBtn", W::Enabled}}}},
    {Fwd, S::CaseShown, K::TabOrEnter, "FCSalesTaxF", "CBIndirectCosts", P::Focus, {{{Main, "ClearBitBtn"}}}},
    {Fwd, S::CalendarSearch, K::TabOrEnter, "RA1F", nullptr, P::RememberedToEdit, {{{Description, "CalDate"}}}},
    {Fwd, S::Calendar, K::TabOrEnter, Description, "CalDate", P::Pass, {}},
    {Fwd, S::Calendar, K::TabOrEnter, Description, "CalTime", P::Focus,
     {{{Description, "CalTime2", W::Enabled}, {"CaType1F", "TableCode"}}}},
    {Fwd, S::Calendar, K::TabOrEnter, Description, "CalTime2", P::Focus, {{{"CaType1F", "TableCode"}}}},
    {Fwd, S::Calendar, K::TabOrEnter, Description, "CalDate2", P::Focus,
     {{{Description, "ComboBox1", W::Visible}, {Description, "DoFindBitBtn"}}}},
    {Fwd, S::Calendar, K::TabOrEnter, Description, "ComboBox1", P::Focus, {{{Description, "DoFindBitBtn"}}}},
    {Fwd, S::Calendar, K::TabOrEnter, "CaType1F", nullptr, P::FromCombo, {{{"CaType2F"}}}},
    {Fwd, S::Calendar, K::TabOrEnter, "CaType2F", nullptr, P::FromCombo, {{{"CaType3F"}}}},
    {Fwd, S::Calendar, K::TabOrEnter, "CaType3F", nullptr, P::FromComboToEdit, {{{Main, "EditPlace"}}}},
    {Fwd, S::Calendar, K::TabOrEnter, Main, "EditPlace", P::Pass, {}},
    {Fwd, S::Calendar, K::TabOrEnter, Main, "EditItemNote", P::Pass, {}},
    {Fwd, S::Calendar, K::TabOrEnter, Main, "EditOpposingAtty", P::Focus, {{{Main, "ListBoxAttys"}}}},
    {Fwd, S::Calendar, K::TabOnly, Main, "ListBoxAttys", P::Focus, {{{Narrative, "Description"}}}},
    {Fwd, S::Calendar, K::TabOrEnter, Main, "ListBoxAttys", P::Pass, {}},
    {Fwd, S::Calendar, K::TabOrEnter, "NarrF", nullptr, P::FromComboToEdit, {{{Narrative, "Description"}}}},
    {Fwd, S::Calendar, K::TabOrEnter, Narrative, "Description", P::Focus, {{{Main, "SaveBitBtn"}}}},

    // ---- Backward: Shift+Tab or Shift+Enter. ----
    {Back, S::AnyMode, K::TabOrEnter, Header, "ClientCode", P::Pass, {}},
    {Back, S::AnyMode, K::TabOrEnter, Header, "ClientName", P::Pass, {}},
    {Back, S::Calendar, K::TabOrEnter, Header, "CaseSuffix", P::Focus, {{{Header, "ClientCode"}}}},
    {Back, S::Calendar, K::TabOrEnter, Description, "CalTime", P::Pass, {}},
    {Back, S::CalendarSearch, K::TabOrEnter, Description, "CalDate", P::Focus, {{{"RA1F", "CCACode"}}}},
    {Back, S::Calendar, K::TabOrEnter, Description, "CalDate", P::Focus, {{{Header, "CaseSuffix"}}}},
    {Back, S::Calendar, K::TabOrEnter, Description, "CalDate2", P::Pass, {}},
    {Back, S::Calendar, K::TabOrEnter, "CaType1F", nullptr, P::FromComboToEdit, {{{Description, "CalTime"}}}},
    {Back, S::Calendar, K::TabOrEnter, "CaType2F", nullptr, P::FromCombo, {{{"CaType1F"}}}},
    {Back, S::Calendar, K::TabOrEnter, "CaType3F", nullptr, P::FromCombo, {{{"CaType2F"}}}},
    {Back, S::Calendar, K::TabOrEnter, Main, "EditPlace", P::Focus, {{{"CaType3F", "TableCode"}}}},
    {Back, S::Calendar, K::TabOrEnter, Main, "EditOpposingAtty", P::Pass, {}},
    {Back, S::Calendar, K::TabOrEnter, Main, "EditItemNote", P::Pass, {}},
    {Back, S::Calendar, K::TabOnly, Main, "ListBoxAttys", P::Focus, {{{Main, "EditOpposingAtty"}}}},
    {Back, S::Calendar, K::TabOrEnter, Main, "ListBoxAttys", P::Pass, {}},
    {Back, S::Calendar, K::TabOrEnter, Narrative, "Description", P::Focus, {{{Main, "ListBoxAttys"}}}},
    {Back, S::Calendar, K::TabOrEnter, Main, "SaveBitBtn", P::Focus, {{{Narrative, "Description"}}}},
    {Back, S::CaseShown, K::TabOrEnter, Description, "CaseDescription", P::Focus, {{{Header, "AltBillFormat"}}}},
    {Back, S::CaseShown, K::TabOrEnter, "DepartmentF", nullptr, P::FromCombo, {{{"RA3F"}}}},
    {Back, S::CaseShown, K::TabOrEnter, "RA3F", nullptr, P::FromCombo, {{{"RA2F"}}}},
    {Back, S::CaseShown, K::TabOrEnter, "RA2F", nullptr, P::FromCombo, {{{"RA1F"}}}},
    {Back, S::CaseShown, K::TabOrEnter, "RA1F", nullptr, P::FromComboToEdit, {{{Description, "CaseDescription"}}}},
    {Back, S::CaseShown, K::TabOrEnter, "CaType1F", nullptr, P::FromCombo, {{{"DepartmentF"}}}},
    {Back, S::CaseShown, K::TabOrEnter, "CaType2F", nullptr, P::FromCombo, {{{"CaType1F"}}}},
    {Back, S::CaseShown, K::TabOrEnter, "CaType3F", nullptr, P::FromCombo, {{{"CaType2F"}}}},
    {Back, S::CaseShown, K::TabOrEnter, "StMsgF", nullptr, P::FromComboToEdit, {{{"BillingBoxF", "DateClosed"}}}},
    {Back, S::CaseShown, K::TabOrEnter, "BillingBoxF", "BillingStatus1", P::Focus, {{{"CaType3F"}}}},
    {Back, S::CaseShown, K::TabOrEnter, "FCSalesTaxF", "CBFinanceCharge", P::Focus,
     {{{"CaseMiscF", "CheckBoxRetainerReserve"}}}},
    {Back, S::CaseShown, K::TabOrEnter, "CaseMiscF", "CheckBoxRetainerReserve", P::Focus, {{{"CaseMiscF", "RetainerMin"}}}},
    {Back, S::CaseShown, K::TabOrEnter, "CaseMiscF", "FeeBudget", P::Focus, {{{"StMsgF"}}}},
    {Back, S::CaseShown, K::TabOrEnter, "FCSalesTaxF", "CBFees", P::Focus, {{{"FCSalesTaxF", "CBFinanceCharge"}}}},
};

bool caseShown() { return !CalendarMode && ClientCaseLookF1 && ClientCaseLookF1->CaseShown(); }

bool inScope(ChainScope scope) {
  switch (scope) {
    case S::AnyMode:
      return true;
    case S::CaseMode:
      return !CalendarMode;
    case S::CaseShown:
      return caseShown();
    case S::Calendar:
      return CalendarMode;
    case S::CalendarSearch:
      return CalendarMode && CalendarSearchMode;
  }
  return false;
}

// The panel a control lies on: the form that owns it.
bool onPanel(const TWinControl* control, const char* panel) {
  return control->Owner() && control->Owner()->Name() == panel;
}

bool matches(const ChainRow& row, const TWinControl* control, bool backwards, WORD key) {
  if (row.backwards != backwards || (row.key == K::TabOnly && key != VK_TAB) || !inScope(row.scope)) return false;
  if (!onPanel(control, row.panel)) return false;
  return !row.control || control->Name() == row.control;
}

TWinControl* controlOf(TCaseF* main, const ChainTarget& target) {
  TForm* panel = main->Name() == target.panel ? main : FindHostedPanel(target.panel);
  if (!panel || !target.control) return panel;
  return dynamic_cast<TWinControl*>(panel->FindComponent(target.control));
}

// The first target that exists, can take the focus and is enabled or visible as the row asks.
TWinControl* chosenTarget(TCaseF* main, const ChainRow& row) {
  for (const ChainTarget& target : row.targets) {
    if (!target.panel) break;
    TWinControl* control = controlOf(main, target);
    if (!control || !control->CanFocus()) continue;
    if (target.when == W::Enabled && !control->Enabled()) continue;
    if (target.when == W::Visible && !control->Visible()) continue;
    return control;
  }
  return nullptr;
}

enum class Outcome { Handled, NotHandled, NextRow };

// The suffix of a numeric-order list whose text is not the matter the list highlights: Space
// makes the combo take the highlighted matter and Tab leaves it; the Tab they bring passes.
Outcome numericOrderSuffix(TWinControl* suffix, bool& replayed) {
  if (replayed) {
    replayed = false;
    return Outcome::NotHandled;
  }
  if (!ListCasesInNumericOrder || !DM || !DM->Case1_->Active()) return Outcome::NextRow;
  const AnsiString typed = Trim(suffix->Text().substr(0, 7));
  if (typed == Trim(DM->Case1_->FieldByName("Case Suffix")->AsString())) return Outcome::NextRow;
  replayed = true;
  qn::ui::postKeyStroke(VK_SPACE);
  qn::ui::postKeyStroke(VK_TAB);
  return Outcome::Handled;
}

// The alternate identifier with no matter shown: a text is looked up by the identifier's exit,
// the billing format made reachable; no text goes back to the suffix.
Outcome alternateIDNoMatter(TWinControl* alternateID, TWinControl* suffix) {
  if (!ClientCaseLookF1 || ClientCaseLookF1->CaseShown()) return Outcome::NotHandled;
  if (Trim(alternateID->Text()).empty()) {
    if (!suffix || !suffix->CanFocus()) return Outcome::NotHandled;
    suffix->SetFocus();
    return Outcome::Handled;
  }
  ClientCaseLookF1->AltBillFormat->SetVisible(true);
  ClientCaseLookF1->AltBillFormat->SetTabStop(true);
  ClientCaseLookF1->AlternateIDExit(alternateID);
  return Outcome::Handled;
}

// The calendar's suffix moves on only after the header's own check kept the matter.
Outcome calendarSuffix(TWinControl* suffix, TWinControl* next) {
  if (!ClientCaseLookF1) return Outcome::NotHandled;
  bool keep = true, addNew = false;
  ClientCaseLookF1->CheckCaseSuffix(suffix, keep, addNew);
  if (keep && ClientCaseLookF1->CaseShown() && next) next->SetFocus();
  return Outcome::Handled;
}

}  // namespace

const std::vector<ChainRow>& FocusChainRows() { return kRows; }

bool TCaseF::MoveAlongChain(TMsg& Msg, bool Backwards) {
  if (Msg.Message != WM_KEYDOWN || (Msg.WParam != VK_TAB && Msg.WParam != VK_RETURN)) return false;
  if (!Msg.Control) {
    if (!Backwards || Msg.LParam != ClientNamePseudoHandle || !ClientCaseLookF1) return false;
    ClientCaseLookF1->ClientName->SetFocus();
    return true;
  }
  TWinControl* source = Msg.Control;
  const WORD key = static_cast<WORD>(Msg.WParam);
  for (const ChainRow& row : kRows) {
    if (!matches(row, source, Backwards, key)) continue;
    Outcome outcome = Outcome::NotHandled;
    TWinControl* target = chosenTarget(this, row);
    switch (row.step) {
      case P::Pass:
        return false;
      case P::NumericOrderSuffix:
        outcome = numericOrderSuffix(source, suffixReplayed_);
        break;
      case P::AlternateIDNoMatter:
        outcome = alternateIDNoMatter(source, target);
        break;
      case P::CalendarSuffix:
        outcome = calendarSuffix(source, target);
        break;
      case P::Focus:
        if (!target) {
          // Another row for the same source may still name a target (the last resort).
          outcome = Outcome::NextRow;
          break;
        }
        target->SetFocus();
        outcome = Outcome::Handled;
        break;
      case P::FromCombo:
        if (!target) return false;
        MoveFromCombo(source, target);
        return true;
      case P::FromComboToEdit:
        if (!target) return false;
        MoveFromComboToEdit(source, target);
        return true;
      case P::RememberedToEdit: {
        auto* code = dynamic_cast<TWinControl*>(source->Owner()->FindComponent("CCACode"));
        if (!target || !code) return false;
        rememberForValidation(code);
        MoveFromComboToEdit(source, target);
        return true;
      }
    }
    if (outcome == Outcome::Handled) return true;
    if (outcome == Outcome::NotHandled) return false;
  }
  return false;
}
