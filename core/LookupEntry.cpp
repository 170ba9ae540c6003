#include "core/LookupEntry.h"

#include <algorithm>

#include "core/AddCodeMessages.h"
#include "core/Globals.h"
#include "core/MessageBoxes.h"
#include "datagrid/DcTbTable.h"
#include "framework/base/StringUtils.h"
#include "framework/base/TextCompare.h"
#include "framework/db/Field.h"
#include "framework/ui/Application.h"
#include "framework/ui/Screen.h"
#include "framework/ui/WinControl.h"
#include "platform/os/AtomTable.h"
#include "platform/os/MessageBus.h"

namespace {

const AnsiString NotFound = "NOT FOUND";
const AnsiString EntryRequired = "A valid entry is required.";
const AnsiString InactiveEmployee = "The employee you have entered is currently inactive.";
const AnsiString EmployeeEdit = "CCACode";

struct AddCodeRequest {
  int tag;
  const char* command;
  const AnsiString& name;
};

// The code kinds the main program can be asked to add, by the Tag of the edit box.
const AddCodeRequest AddCodeRequests[] = {
    {310, "Sending message to QnlMain: Add Department code", AddCodeMessageNames[1]},
    {410, "Sending message to QnlMain: Add Case Type code", AddCodeMessageNames[2]},
    {510, "Sending message to QnlMain: Add Case Type code", AddCodeMessageNames[2]},
    {910, "Sending message to QnlMain: Add Case Type code", AddCodeMessageNames[2]},
    {1010, "Sending message to QnlMain: Add Statement message code", AddCodeMessageNames[3]},
};

bool neverOffersToAdd(int tag) { return tag == 610 || tag == 710 || tag == 810; }

bool isEmployeeEdit(const TControl* Edit) { return Edit->Name() == EmployeeEdit; }

// The name of the inactive employee with exactly this code; nothing when none has it.
const AnsiString* inactiveEmployeeName(const AnsiString& code) {
  const auto at = std::find(InactiveEmployeeCodes.begin(), InactiveEmployeeCodes.end(), code);
  if (at == InactiveEmployeeCodes.end()) return nullptr;
  const auto index = static_cast<std::size_t>(at - InactiveEmployeeCodes.begin());
  return index < InactiveEmployeeNames.size() ? &InactiveEmployeeNames[index] : nullptr;
}

// Shows the inactive employee's name and refuses; false when the code is no inactive employee's.
bool refuseInactiveEmployee(const AnsiString& code, TControl* Combo) {
  const AnsiString* name = inactiveEmployeeName(code);
  if (!name) return false;
  Combo->SetText(*name);
  Combo->Repaint();
  ShowErrorBox(InactiveEmployee);
  return true;
}

// An unknown code: shown as such under "N", refused otherwise.
bool unknownCode(TControl* Combo) {
  if (CurrentCodeValidation == "N") {
    Combo->SetText(NotFound);
    return true;
  }
  ShowWarningBox(EntryRequired);
  return false;
}

void sendAddCodeRequest(int tag) {
  for (const AddCodeRequest& request : AddCodeRequests) {
    if (request.tag != tag) continue;
    // The receiver owns the atom and deletes it; the text travels with the message as well,
    // since atoms stay within their program.
    const qn::os::Atom atom = qn::os::addAtom(request.command);
    Application->Bus().broadcast(request.name, static_cast<std::intptr_t>(Application->Handle()), atom,
                                 request.command);
    return;
  }
}

bool saveButtonActive() {
  const TWinControl* active = Screen->ActiveControl();
  return active && active->Name() == "SaveBitBtn";
}

}  // namespace

bool IsEmployeeAllowed(const AnsiString& Code) {
  const AnsiString code = Trim(Code);
  if (code.empty()) return true;
  for (int i = 1; i <= PermittedEmployeeCodes.Count; ++i)
    if (Trim(PermittedEmployeeCodes[i]) == code) return true;
  return false;
}

bool ValidateLookupEntry(TControl* Edit, TControl* Combo, TdcTbTable* CodeTable, TttTable* SyncTable) {
  bool result = true;
  Combo->SetText("");
  const AnsiString typed = Edit->Text();
  const AnsiString trimmed = Trim(typed);
  const bool employeeEdit = isEmployeeEdit(Edit);

  if (!trimmed.empty() && HasInactiveEmployees() && employeeEdit && refuseInactiveEmployee(typed, Combo)) return false;

  if (trimmed.empty()) {
    if (CurrentCodeValidation == "R") {
      ShowWarningBox(EntryRequired);
      result = false;
    }
  } else {
    try {
      if (!CodeTable->FindKey({typed})) {
        if (employeeEdit && HasInactiveEmployees() && refuseInactiveEmployee(typed, Combo)) return false;
        result = unknownCode(Combo);
      } else {
        if (CodeTable->Fields()[1]->AsString() == trimmed) {
          if (SecurityActive && employeeEdit && !IsEmployeeAllowed(trimmed)) {
            ShowInformationBox("Your security rights do not allow you to enter transactions for " + trimmed);
            return false;
          }
          Combo->SetText(CodeTable->Fields()[0]->AsString());
        } else {
          // The index ignores case: look among the codes equal but for case for the exact one.
          bool exact = false;
          for (CodeTable->Next(); !CodeTable->Eof() && SameText(Trim(CodeTable->Fields()[1]->AsString()), trimmed);
               CodeTable->Next()) {
            if (CodeTable->Fields()[1]->AsString() == trimmed) {
              exact = true;
              break;
            }
          }
          if (exact) {
            Combo->SetText(CodeTable->Fields()[0]->AsString());
            if (SecurityActive && !IsEmployeeAllowed(trimmed)) {
              ShowInformationBox("Your security rights do not allow you to alter transactions for " + trimmed);
              return false;
            }
          } else {
            if (employeeEdit && HasInactiveEmployees() && refuseInactiveEmployee(typed, Combo)) return false;
            result = unknownCode(Combo);
          }
        }
        if (SyncTable) {
          try {
            SyncTable->GotoCurrent(*CodeTable);
          } catch (const std::exception&) {
            // The second table only follows; the entry stands without it.
          }
        }
      }
    } catch (const std::exception&) {
      Combo->SetText(NotFound);
    }
  }

  if (!neverOffersToAdd(Edit->Tag()) && Combo->Text() == NotFound && !saveButtonActive() &&
      AskYesNo("Do you wish to add this code now?")) {
    sendAddCodeRequest(Edit->Tag());
    result = false;
  }
  return result;
}

bool ValidateEmployeeEntry(TControl* Edit, TControl* Combo, TdcTbTable* Table, bool ShowMessage, const AnsiString& KindText) {
  const AnsiString trimmed = Trim(Edit->Text());
  if (trimmed.empty()) {
    if (CurrentCodeValidation != "R") return true;
    ShowWarningBox(EntryRequired);
    return false;
  }
  if (trimmed != Trim(Table->Fields()[0]->AsString())) {
    if (ShowMessage) ShowWarningBox("No such " + KindText + " or employee inactive.  Please select from list.");
    return false;
  }
  // Rights are kept by employee code: the code typed, which is the record's first field.
  if (SecurityActive && Combo->Name() == EmployeeEdit && !IsEmployeeAllowed(trimmed)) {
    ShowInformationBox("Your security rights do not allow you to enter transactions for " + trimmed);
    return false;
  }
  Combo->SetText(Table->Fields()[1]->AsString());
  return true;
}
