// The main window's map from a control's Tag to the lookup combo it names, the validation of the
// lookup entry last worked in (message WM_USER+100, sent by the focus moves and posted by the
// panels' mouse activation), and Space typed into an empty lookup.
//
// A code combo's Tag ends in 10 and names its panel's description combo; a description combo's
// ends in 20 and names the code combo; the header's four lookups name each other in pairs (client
// code and name, suffix and alternate identifier). Each Tag also says how strictly the code box is
// checked, the letter CurrentCodeValidation holds while it is worked in.
#include <algorithm>
#include <iterator>

#include "casewindow/CaseF.h"
#include "casewindow/HostedPanels.h"
#include "core/DockedForms.h"
#include "core/Globals.h"
#include "core/LookupEntry.h"
#include "core/DM.h"
#include "datagrid/DcTbTable.h"
#include "dialogs/CodeLookF.h"
#include "dialogs/EmpLookF.h"
#include "framework/base/StringUtils.h"
#include "framework/ui/KeyRoute.h"
#include "framework/ui/KeyboardState.h"
#include "framework/ui/Messages.h"
#include "framework/ui/VirtualKeys.h"

namespace {

// The letter a Tag's code box is checked by: a fixed one, or the system option of its code table,
// in a calendar start the calendar's own option where it has one.
struct TagValidation {
  const char* fixed;
  AnsiString SysopSettingsValues::*caseSetting;
  AnsiString SysopSettingsValues::*calendarSetting;
};

constexpr TagValidation kNoCheck{"X", nullptr, nullptr};
constexpr TagValidation kCheck{"N", nullptr, nullptr};
constexpr TagValidation kDepartment{nullptr, &SysopSettingsValues::ValCaDpt, &SysopSettingsValues::ValCaDpt};
constexpr TagValidation kCaseType1{nullptr, &SysopSettingsValues::ValCa1, &SysopSettingsValues::ValCal1};
constexpr TagValidation kCaseType2{nullptr, &SysopSettingsValues::ValCa2, &SysopSettingsValues::ValCal1};
constexpr TagValidation kCaseType3{nullptr, &SysopSettingsValues::ValCa3, &SysopSettingsValues::ValCalp};
constexpr TagValidation kStatementMessage{nullptr, &SysopSettingsValues::ValStmt, &SysopSettingsValues::ValStmt};

// The data module's code tables a Tag's entry is checked against, in code order and in
// description order (the pickers' own tables have their fields in their lists' column order).
struct TagTables {
  TdcTbTable* TDM::*byCode;
  TdcTbTable* TDM::*byDescription;
  bool employees;
};

constexpr TagTables kNoTables{nullptr, nullptr, false};
constexpr TagTables kDepartments{&TDM::DeptCodes1_, &TDM::DeptCodes2_, false};
constexpr TagTables kCaseTypes1{&TDM::CaTypeOne1_, &TDM::CaTypeOne2_, false};
// The data module's CaTypeTwo2_ lists client types; case type 2 lists the rows case type 1 does.
constexpr TagTables kCaseTypes2{&TDM::CaTypeTwo1_, &TDM::CaTypeOne2_, false};
constexpr TagTables kCaseTypes3{&TDM::CaTypeThree1_, &TDM::CaTypeThree2_, false};
constexpr TagTables kStatementMessages{&TDM::StMsg1_, &TDM::StMsg2_, false};
constexpr TagTables kAttorneys1{&TDM::RAOne1_, &TDM::RAOne2_, true};
constexpr TagTables kAttorneys2{&TDM::RATwo1_, &TDM::RATwo2_, true};
constexpr TagTables kAttorneys3{&TDM::RAThree1_, &TDM::RAThree2_, true};

struct TagCombo {
  int tag;
  const char* panel;
  const char* combo;
  TagValidation validation;
  TagTables tables;
};

// The narrative codes have no table pair in the data module: their entries are not checked here.
const TagCombo kTagCombos[] = {
    {10, "ClientCaseLookF1", "ClientName", kNoCheck, kNoTables},
    {20, "ClientCaseLookF1", "ClientCode", kNoCheck, kNoTables},
    {110, "ClientCaseLookF1", "AlternateID", kNoCheck, kNoTables},
    {120, "ClientCaseLookF1", "CaseSuffix", kNoCheck, kNoTables},
    {310, "DepartmentF", "TableDesc", kDepartment, kDepartments},
    {320, "DepartmentF", "TableCode", kDepartment, kDepartments},
    {410, "CaType1F", "TableDesc", kCaseType1, kCaseTypes1},
    {420, "CaType1F", "TableCode", kCaseType1, kCaseTypes1},
    {510, "CaType2F", "TableDesc", kCaseType2, kCaseTypes2},
    {520, "CaType2F", "TableCode", kCaseType2, kCaseTypes2},
    {610, "RA1F", "CCAName", kCheck, kAttorneys1},
    {620, "RA1F", "CCACode", kCheck, kAttorneys1},
    {710, "RA2F", "CCAName", kCheck, kAttorneys2},
    {720, "RA2F", "CCACode", kCheck, kAttorneys2},
    {810, "RA3F", "CCAName", kCheck, kAttorneys3},
    {820, "RA3F", "CCACode", kCheck, kAttorneys3},
    {910, "CaType3F", "TableDesc", kCaseType3, kCaseTypes3},
    {920, "CaType3F", "TableCode", kCaseType3, kCaseTypes3},
    {1010, "StMsgF", "TableDesc", kStatementMessage, kStatementMessages},
    {1020, "StMsgF", "TableCode", kStatementMessage, kStatementMessages},
    {1110, "NarrF", "TableDesc", kCheck, kNoTables},
    {1120, "NarrF", "TableCode", kCheck, kNoTables},
};

const TagCombo* tagRow(int tag) {
  const auto row = std::find_if(std::begin(kTagCombos), std::end(kTagCombos), [tag](const TagCombo& r) { return r.tag == tag; });
  return row == std::end(kTagCombos) ? nullptr : &*row;
}

AnsiString validationLetter(const TagValidation& validation) {
  if (validation.fixed) return validation.fixed;
  return SysopSettings.*(CalendarParameter ? validation.calendarSetting : validation.caseSetting);
}

bool isDescriptionCombo(const TControl* control) {
  return control->Name() == "TableDesc" || control->Name() == "CCAName";
}

// The picker's own table behind its description combo, which the combo moves to the row chosen.
TdcTbTable* chosenDescriptionRow(TControl* combo) {
  TComponent* panel = combo->Owner();
  if (auto* codes = dynamic_cast<TCodeLookF*>(panel)) return codes->Codes2_;
  if (auto* employees = dynamic_cast<TEmpLookF*>(panel)) return employees->Emp2_;
  return nullptr;
}

// The data module's tables of the row, opened when they are not yet.
bool openTables(const TagTables& tables) {
  if (!DM || !tables.byCode) return false;
  if (!(DM->*tables.byCode)->Active() || !(DM->*tables.byDescription)->Active()) {
    if (!DM->DeptCodes1_->Active()) DM->ActivateCodeTables();
    if (tables.employees) DM->ActivateRATables();
  }
  return (DM->*tables.byCode)->Active() && (DM->*tables.byDescription)->Active();
}

// The entry of Control, the combo partner shows what it found; an entry with no table to check it
// against stands.
bool entryValid(TWinControl* control, TWinControl* partner, const TagTables& tables) {
  if (!openTables(tables)) return true;
  TdcTbTable* byCode = DM->*tables.byCode;
  TdcTbTable* byDescription = DM->*tables.byDescription;
  if (isDescriptionCombo(control)) {
    if (TdcTbTable* chosen = chosenDescriptionRow(control); chosen && chosen->Active()) {
      try {
        byDescription->GotoCurrent(*chosen);
      } catch (const std::exception&) {
        // Not a row of this table: the comparison below refuses the entry.
      }
    }
    return ValidateEmployeeEntry(control, partner, byDescription, true, "Description");
  }
  if (control->Name().find("Code") != AnsiString::npos) return ValidateLookupEntry(control, partner, byCode, byDescription);
  return true;
}

bool shiftDown() { return GetKeyState(VK_SHIFT) < 0; }

}  // namespace

void TCaseF::rememberForValidation(TWinControl* Combo) {
  LastLookupControl = Combo;
  Combo->FreeNotification(this);
}

TWinControl* TCaseF::LookupComboForTag(int Tag) {
  const TagCombo* row = tagRow(Tag);
  if (!row) return nullptr;
  CurrentCodeValidation = validationLetter(row->validation);
  return FindHostedControl<TWinControl>(row->panel, row->combo);
}

void TCaseF::WndProc(TMessage& Message) {
  if (Message.Msg == MainFormMouseActivateMessage) {
    WMRepositionLookups(Message);
    return;
  }
  TForm::WndProc(Message);
}

void TCaseF::WMRepositionLookups(TMessage& Message) {
  Message.Result = 1;
  TWinControl* control = LastLookupControl;
  if (!control) return;
  TWinControl* partner = LookupComboForTag(control->Tag());
  if (!partner || CurrentCodeValidation == "X") return;
  if (!entryValid(control, partner, tagRow(control->Tag())->tables)) {
    Message.Result = 0;
    if (control->CanFocus()) control->SetFocus();
    return;
  }
  LastLookupControl = nullptr;
}

void TCaseF::MoveFromCombo(TWinControl* Combo, TWinControl* NextPanel) {
  LookupComboForTag(Combo->Tag());
  if (CurrentCodeValidation == "R" && Trim(Combo->Text()).empty()) rememberForValidation(Combo);
  if (SendMessage(this, MainFormMouseActivateMessage, 0, 0) == 1) NextPanel->SetFocus();
}

void TCaseF::MoveFromComboToEdit(TWinControl* Combo, TWinControl* NextEdit) {
  LookupComboForTag(Combo->Tag());
  const bool narrative = Combo->Owner() && Combo->Owner()->Name() == "NarrF";
  if (narrative || (CurrentCodeValidation == "R" && Trim(Combo->Text()).empty())) rememberForValidation(Combo);
  if (SendMessage(this, MainFormMouseActivateMessage, 0, 0) == 1) NextEdit->SetFocus();
}

bool TCaseF::SpaceIntoTagCombo(TMsg& Msg) {
  if (Msg.Message != WM_KEYDOWN || Msg.WParam != VK_SPACE || !Msg.Control || shiftDown()) return false;
  if (!Msg.Control->Text().empty()) return false;
  TWinControl* combo = LookupComboForTag(Msg.Control->Tag());
  if (!combo || !combo->CanFocus()) return false;
  combo->SetFocus();
  return true;
}
