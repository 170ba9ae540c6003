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
#include "core/StagedPanel.h"
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

struct TagCombo {
  int tag;
  const char* panel;
  const char* combo;
  TagValidation validation;
};

const TagCombo kTagCombos[] = {
    {10, "ClientCaseLookF1", "ClientName", kNoCheck},
    {20, "ClientCaseLookF1", "ClientCode", kNoCheck},
    {110, "ClientCaseLookF1", "AlternateID", kNoCheck},
    {120, "ClientCaseLookF1", "CaseSuffix", kNoCheck},
    {310, "DepartmentF", "TableDesc", kDepartment},
    {320, "DepartmentF", "TableCode", kDepartment},
    {410, "CaType1F", "TableDesc", kCaseType1},
    {420, "CaType1F", "TableCode", kCaseType1},
    {510, "CaType2F", "TableDesc", kCaseType2},
    {520, "CaType2F", "TableCode", kCaseType2},
    {610, "RA1F", "CCAName", kCheck},
    {620, "RA1F", "CCACode", kCheck},
    {710, "RA2F", "CCAName", kCheck},
    {720, "RA2F", "CCACode", kCheck},
    {810, "RA3F", "CCAName", kCheck},
    {820, "RA3F", "CCACode", kCheck},
    {910, "CaType3F", "TableDesc", kCaseType3},
    {920, "CaType3F", "TableCode", kCaseType3},
    {1010, "StMsgF", "TableDesc", kStatementMessage},
    {1020, "StMsgF", "TableCode", kStatementMessage},
    {1110, "NarrF", "TableDesc", kCheck},
    {1120, "NarrF", "TableCode", kCheck},
};

AnsiString validationLetter(const TagValidation& validation) {
  if (validation.fixed) return validation.fixed;
  return SysopSettings.*(CalendarParameter ? validation.calendarSetting : validation.caseSetting);
}

bool isDescriptionCombo(const TControl* control) {
  return control->Name() == "TableDesc" || control->Name() == "CCAName";
}

// The lookup tables of the picker a combo lies on: code order first, description order second,
// opened now when the idle staging has not come to the picker yet. None for other forms.
struct PickerTables {
  TdcTbTable* byCode = nullptr;
  TdcTbTable* byDescription = nullptr;
};

PickerTables pickerTablesOf(TControl* combo) {
  TComponent* panel = combo->Owner();
  if (auto* staged = dynamic_cast<StagedPanel*>(panel)) staged->OpenStagedPanel();
  if (auto* codes = dynamic_cast<TCodeLookF*>(panel)) return {codes->Codes1_, codes->Codes2_};
  if (auto* employees = dynamic_cast<TEmpLookF*>(panel)) return {employees->Emp1_, employees->Emp2_};
  return {};
}

// The entry of Control against its picker's tables; an entry with nothing to check it against
// stands.
bool entryValid(TWinControl* control, TWinControl* partner) {
  const PickerTables tables = pickerTablesOf(control);
  if (!tables.byCode || !tables.byCode->Active() || !tables.byDescription->Active()) return true;
  if (isDescriptionCombo(control)) return ValidateEmployeeEntry(control, partner, tables.byDescription, true, "Description");
  if (control->Name().find("Code") != AnsiString::npos)
    return ValidateLookupEntry(control, partner, tables.byCode, tables.byDescription);
  return true;
}

bool shiftDown() { return GetKeyState(VK_SHIFT) < 0; }

}  // namespace

void TCaseF::rememberForValidation(TWinControl* Combo) {
  LastLookupControl = Combo;
  Combo->FreeNotification(this);
}

TWinControl* TCaseF::LookupComboForTag(int Tag) {
  const auto row = std::find_if(std::begin(kTagCombos), std::end(kTagCombos), [Tag](const TagCombo& r) { return r.tag == Tag; });
  if (row == std::end(kTagCombos)) return nullptr;
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
  if (!entryValid(control, partner)) {
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
