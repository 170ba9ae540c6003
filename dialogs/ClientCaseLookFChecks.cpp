// The checks that run as the header's combos are left: the client code and the case suffix,
// with the case range, the creation of a new matter and the calendar's attorney fill.
#include "core/DM.h"
#include "core/Globals.h"
#include "dialogs/ClientCaseLookF.h"
#include "framework/base/FormatText.h"
#include "framework/base/StringUtils.h"
#include "framework/base/TextCase.h"
#include "framework/db/Field.h"
#include "framework/ui/Application.h"
#include "framework/ui/Dialogs.h"
#include "framework/ui/Screen.h"

namespace {

const AnsiString kNoAccess = "Sorry, you don't have access to this function.";
const AnsiString kOfferCase = "No such case.  Do you want to\radd this case now?";
const AnsiString kSuffixInUse = "This case suffix is already in use!";
const AnsiString kPositionError =
    "An error was encountered while attempting to obtain a record position in the case file.\r\r";

// A typed code or suffix as a key is built from: trimmed, at most 7 characters, upper case.
AnsiString keyText(const AnsiString& text) { return UpperCase(Trim(Trim(text).substr(0, 7))); }
AnsiString left7(const AnsiString& s) { return Format("%-7s", {s}); }
AnsiString right7(const AnsiString& s) { return Format("%7s", {s}); }

// The nearest key; false when no record lies at or after it (the engine reports the end).
bool findNearest(TdcTbTable* table, const VariantArray& key) {
  try {
    table->FindNearest(key);
    return !table->Eof();
  } catch (const EDatabaseError&) {
    return false;
  }
}

}  // namespace

void TClientCaseLookF::focusAndSelect(TdcDBLookupCombo* Combo) {
  if (Combo->CanFocus()) Combo->SetFocus();
  Combo->SelectAll();
}

void TClientCaseLookF::CheckClientCode(TObject*, bool& Keep, bool& AddNew) {
  if (!ClientFilesOpen()) OpenClientFiles();
  if (!ClientFilesOpen()) return;
  if (ClientCode->Modified()) {
    ClientName->SetText("");
    CaseSuffix->SetText("");
    AlternateID->SetText("");
  }
  TdcTbTable* clients = DM->Client1_;
  if (ClientRangePending) {
    clients->CancelRange();
    clients->Refresh();
    ClientRangePending = false;
  }
  ClientCode->SetAutoDropDown(true);
  const AnsiString code = keyText(ClientCode->Text());
  if (code.empty()) {
    ClientName->SetText("");
    return;
  }
  const bool filtered = clients->Filtered();
  clients->SetFiltered(false);
  const bool found = findNearest(clients, {left7(code)}) && Trim(client1Code_->AsString()) == code;
  InactiveClientChosen = found && client1Unassigned_->AsString() > "777777";
  const bool hidden = InactiveClientChosen && HideInactiveClients;
  if (filtered) {
    clients->SetFiltered(true);
    if (found && !hidden) clients->FindKey({left7(code)});
  }
  if (found && !hidden) {
    ClientName->SetText(client1LastCommaFirst_->AsString());
    // Onto the same record through its position: the name table's order is by name.
    try {
      DM->Client2_->GotoCurrent(*clients);
    } catch (const std::exception&) {
    }
    return;
  }
  Keep = false;
  if (InactiveClientChosen) return;  // asked about when the suffix is entered
  if (OfferAdd()) {
    if (askAt(ClientCode, 20, "No such client.  Do you want to\radd this client now?", mtInformation,
              {mbYes, mbNo}) == mrYes)
      AddNew = true;
    focusAndSelect(ClientCode);
  } else {
    tellAt(ClientCode, 20, "No such client.");
  }
}

void TClientCaseLookF::SetCaseRange() {
  if (CaseRangeActive) return;
  const AnsiString client = left7(keyText(ClientCode->Text()));
  DM->Case1_->SetRange({client, AnsiString()}, {client, AnsiString("ZZZZZZZ")});
  CaseRangeClient = client;
  CaseRangeStart.clear();
  CaseRangeEnd = "ZZZZZZZ";
  CaseRangeIndex = DM->Case1_->IndexName();
  CaseRangeActive = true;
}

void TClientCaseLookF::ClearLookupSelection() {
  const bool wasSet = CaseRangeActive;
  CaseRangeActive = false;
  CaseRangeClient.clear();
  CaseRangeStart.clear();
  CaseRangeEnd.clear();
  CaseRangeIndex = "-1";
  if (wasSet && DM->Case1_->Active()) {
    DM->Case1_->CancelRange();
    DM->Case1_->Refresh();
  }
}

void TClientCaseLookF::CheckCaseSuffix(TObject*, bool& Keep, bool& AddNew) {
  if (DM->Case1_->State() == dsInsert) return;
  Keep = true;
  AddNew = false;
  ClosedCaseFound = false;
  NewCaseByPrompt = false;
  if (keyText(CaseSuffix->Text()).empty()) {
    AlternateID->SetText("");
    return;
  }
  if (!CaseFilesOpen()) OpenCaseFiles();
  if (!CaseFilesOpen() || !DM->Case1_->Active()) return;
  if (keyText(ClientCode->Text()).empty())
    checkSuffixAlone(Keep);
  else
    checkSuffixWithClient(Keep, AddNew);
}

void TClientCaseLookF::checkSuffixWithClient(bool& Keep, bool& AddNew) {
  TdcTbTable* cases = DM->Case1_;
  const AnsiString client = keyText(ClientCode->Text());
  if (CaseRangeActive && !CalendarParameter && Trim(case1ClientCode_->AsString()) != client) ClearLookupSelection();
  const AnsiString suffix = keyText(CaseSuffix->Text());
  const AnsiString index = cases->IndexName();
  const AnsiString suffixKey = index == "4" || index == "5" ? left7(suffix) : right7(suffix);
  const bool clientFirst = index < "5";
  const VariantArray key = clientFirst ? VariantArray{left7(client), suffixKey} : VariantArray{suffixKey, left7(client)};
  const auto onMatter = [&](TDataSet* table) {
    return !table->Eof() && Trim(table->FieldByName("Client Code")->AsString()) == client &&
           Trim(table->FieldByName("LeftJustCaseSuffix")->AsString()) == suffix;
  };
  const bool found = findNearest(cases, key) && onMatter(cases);
  if (!found && cases->Filtered()) {
    // Hidden by the closed-matter filter? The alternate-ID table looks without it.
    TdcTbTable* list = DM->Case2_;
    const AnsiString listIndex = list->IndexName();
    const bool listFiltered = list->Filtered();
    try {
      if (CaseListRangeActive) list->CancelRange();
      list->SetFiltered(false);
      list->SetIndexName(index);
      ClosedCaseFound = findNearest(list, key) && onMatter(list);
    } catch (const std::exception&) {
    }
    try {
      list->SetIndexName(listIndex);
      list->SetFiltered(listFiltered);
      if (CaseListRangeActive) list->SetRange({AnsiString(19, ' ') + "0"}, {AnsiString(20, 'z')});
    } catch (const std::exception&) {
    }
    if (ClosedCaseFound && HideClosedCases) {
      cases->SetFiltered(false);
      CheckCaseSuffix(this, Keep, AddNew);
      return;
    }
  }
  if (found) {
    if (index == "5" || index == "6") {
      cases->SetIndexName(index == "5" ? "4" : "1");
      cases->FindKey({left7(client), index == "5" ? left7(suffix) : right7(suffix)});
    }
    if (ActiveFileRights[1] == "Y" || CalendarParameter) {
      if (CaseListRangeActive) {
        DM->Case2_->CancelRange();
        CaseListRangeActive = false;
      }
      DM->Case2_->GotoCurrent(*cases);
      AlternateID->SetText(Trim(case1AlternateID_->AsString()));
      SetCaseShown(true);
      if (CalendarParameter) fillCalendarAttorneys();
    } else {
      tellAt(CaseSuffix, 20, kNoAccess);
      Keep = false;
      focusAndSelect(CaseSuffix);
    }
    return;
  }
  if (CaseLookup()) {
    if (CalendarParameter) {
      if (ActiveFileRights[3] == "Y") {
        if (askAt(CaseSuffix, 20, kOfferCase, mtInformation, {mbYes, mbNo}) == mrYes) {
          NewCaseByPrompt = true;
          createCase(Keep);
          return;
        }
      } else {
        tellAt(CaseSuffix, 20, "No such case.");
      }
      Keep = false;
      focusAndSelect(CaseSuffix);
      return;
    }
    if (ActiveFileRights[3] != "Y") {
      tellAt(CaseSuffix, 20, kNoAccess);
      Keep = false;
      focusAndSelect(CaseSuffix);
      return;
    }
    createCase(Keep);
    return;
  }
  if (ClosedCaseFound) return;
  Keep = false;
  if (OfferAdd()) {
    if (askAt(CaseSuffix, 20, kOfferCase, mtInformation, {mbYes, mbNo}) == mrYes) AddNew = true;
  } else {
    tellAt(CaseSuffix, 20, "No such case.");
  }
  if (!CaseSuffix->Focused()) focusAndSelect(CaseSuffix);
}

bool TClientCaseLookF::createCase(bool& Keep) {
  const AnsiString client = keyText(ClientCode->Text());
  const AnsiString suffix = keyText(CaseSuffix->Text());
  const auto refuse = [&] {
    if (CalendarParameter) Keep = false;
    focusAndSelect(CaseSuffix);
    return false;
  };
  TdcTbTable* saved = DM->CaseSave_;
  if (!saved->Active() && !DM->OpenCaseSave()) return refuse();
  // An undelete leaves the save file on "1"; the deleted-suffix test needs "4".
  saved->SetIndexName("4");
  const bool deleted = findNearest(saved, {left7(client), left7(suffix)}) &&
                       Trim(saved->FieldByName("Client Code")->AsString()) == client &&
                       Trim(saved->FieldByName("LeftJustCaseSuffix")->AsString()) == suffix;
  if (deleted) {
    tellAt(CaseSuffix, 20,
           client + "-" + suffix + " has previously been used\rand may not be reused at this time.\r\r" +
               "If you wish to UNDELETE this case, select Undelete from the Edit\rmenu or click on the Undelete button.",
           mtWarning);
    return refuse();
  }
  const AnsiString unique = SysopSettings.UniqueCaseSuffix;
  if (unique == "P" || unique == "W") {
    TdcTbTable* list = DM->Case2_;
    const TBookmarkStr mark = list->Bookmark();
    if (CaseListRangeActive) list->CancelRange();
    list->SetIndexName("2");
    const bool used = list->FindKey({right7(suffix)});
    list->SetIndexName("3");
    if (CaseListRangeActive) list->SetRange({AnsiString(19, ' ') + "0"}, {AnsiString(20, 'z')});
    if (!mark.empty()) {
      try {
        list->SetBookmark(mark);
      } catch (const std::exception&) {
      }
    }
    if (used) {
      const bool stop = unique == "W"
                            ? (tellAt(CaseSuffix, 20, kSuffixInUse, mtError), true)
                            : askAt(CaseSuffix, 20, kSuffixInUse + "\r\rContinue creating new case anyway?", mtWarning,
                                    {mbYes, mbNo}) == mrNo;
      if (stop) return refuse();
    }
  }
  // The copied fields come from the client typed, wherever the client table stands.
  if (Trim(client1Code_->AsString()) != client) {
    const bool filtered = DM->Client1_->Filtered();
    DM->Client1_->SetFiltered(false);
    DM->Client1_->FindKey({left7(client)});
    DM->Client1_->SetFiltered(filtered);
    if (filtered) DM->Client1_->FindKey({left7(client)});
  }
  SetCaseShown(true);
  DM->Case1_->Append();
  case1AltBilling_->SetAsString(client1AltBilling_->AsString());
  case1FinanceCharge_->SetAsString(client1FinanceCharge_->AsString());
  case1SalesTax_->SetAsString(client1SalesTax_->AsString());
  case1BillingRate_->SetAsString(client1BillingRate_->AsString());
  case1Threshhold_->SetAsString(client1Threshhold_->AsString());
  for (TField* budget : {case1FeeBudget_, case1CostBudget_, case1RetainerMin_}) budget->SetAsFloat(0);
  AlternateID->SetText("");
  case1ClientCode_->SetAsString(client1Code_->AsString());
  case1LeftJustSuffix_->SetAsString(left7(suffix));
  case1CaseSuffix_->SetAsString(right7(suffix));
  LockLookupFields();
  LockAlternateID();
  return true;
}

void TClientCaseLookF::fillCalendarAttorneys() {
  if (AttyOrder.empty() || AttyOrder == "0000") return;
  const AnsiString codes = Format("%-4s%-4s%-4s%-4s", {case1RespAtty1_->AsString(), case1RespAtty2_->AsString(),
                                                       case1RespAtty3_->AsString(), case1CoordAtty_->AsString()});
  const auto code = [&](int n) { return TrimRight(codes.substr(4 * (n - 1), 4)); };
  for (int n = 1; n <= 4 && n <= static_cast<int>(AttyOrder.size()); ++n) {
    const int slot = AttyOrder[n - 1] - '0';
    if (slot >= 1 && slot <= 6) AttorneySlots[slot - 1] = code(n);
  }
  // The main window lies above this layer: its attorney panel is found by name.
  TComponent* main = Application ? Application->MainForm() : nullptr;
  auto* panel = main ? dynamic_cast<TWinControl*>(main->FindComponent("PanelAttys")) : nullptr;
  if (!panel) return;
  for (int i = 0; i < panel->ControlCount(); ++i)
    if (auto* edit = dynamic_cast<TEdit*>(panel->Controls(i)); edit && edit->Tag() >= 1 && edit->Tag() <= 4)
      edit->SetText(code(edit->Tag()));
}

void TClientCaseLookF::checkSuffixAlone(bool& Keep) {
  if (CaseRangeActive) ClearLookupSelection();
  const AnsiString suffix = keyText(CaseSuffix->Text());
  const AnsiString shown = ListCasesInNumericOrder ? right7(suffix) : left7(suffix);
  CaseSuffix->SetText(shown);
  const auto onSuffix = [&](TDataSet* table) {
    return !table->IsEmpty() && !table->Eof() && Trim(table->FieldByName("LeftJustCaseSuffix")->AsString()) == suffix;
  };
  if (!onSuffix(DM->Case1_) && onSuffix(DM->Case2_)) {
    try {
      DM->Case1_->GotoCurrent(*DM->Case2_);
    } catch (const std::exception& e) {
      MessageDlg(kPositionError + e.what() + "\r\r" + "Please try your selection again.  If this error persists, please " +
                     "contact Vantor, Inc. for assistance.",
                 mtError, {mbOK}, 0);
      return;
    }
  }
  if (!onSuffix(DM->Case1_)) {
    tellAt(CaseSuffix, -20, "No such case or client for this case is inactive.  Please select from the list.");
    Keep = false;
    focusAndSelect(CaseSuffix);
    return;
  }
  if (ActiveFileRights[1] == "N" && !CalendarParameter) {
    tellAt(CaseSuffix, 20, kNoAccess);
    Keep = false;
    focusAndSelect(CaseSuffix);
    return;
  }
  if (CaseListRangeActive) {
    DM->Case2_->CancelRange();
    CaseListRangeActive = false;
  }
  DM->Case2_->GotoCurrent(*DM->Case1_);
  AlternateID->SetText(Trim(case1AlternateID_->AsString()));
  LocateCaseClient(CaseSuffix);
  CaseSuffix->SetText(shown);
  if (CaseShown() && AlternateID->CanFocus()) AlternateID->SetFocus();
}

void TClientCaseLookF::LocateCaseClient(TWinControl* FocusOnFailure) {
  if (!ClientFilesOpen()) OpenClientFiles();
  if (!ClientFilesOpen()) return;
  TdcTbTable* clients = DM->Client1_;
  if (ClientRangePending) {
    clients->CancelRange();
    clients->Refresh();
    ClientRangePending = false;
  }
  if (clients->IsEmpty()) {
    tellAt(FocusOnFailure, -40,
           "There are no active clients in your database!  Nothing to do until one or more clients are made active.");
    return;
  }
  clients->Last();
  const AnsiString matterClient = Trim(case1ClientCode_->AsString());
  const AnsiString code = CaseChosenInGrid ? keyText(ClientCode->Text()) : matterClient;
  if (matterClient > Trim(client1Code_->AsString()) || !clients->FindKey({left7(code)})) {
    tellAt(FocusOnFailure, -40,
           "The client assigned to this matter could not be located.  Another user may be altering the record or the "
           "client may be inactive. Try your request again later or call Vantor, Inc. for assistance.");
    if (FocusOnFailure->CanFocus()) FocusOnFailure->SetFocus();
    return;
  }
  ClientCode->SetText(Trim(client1Code_->AsString()));
  ClientName->SetText(client1LastCommaFirst_->AsString());
  if (FocusOnFailure == CaseSuffix) {
    TdcTbTable* cases = DM->Case1_;
    try {
      if (cases->IndexName() == "6") cases->SetIndexName("1");
      if (cases->IndexName() == "5") cases->SetIndexName("4");
      SetCaseRange();
      cases->GotoCurrent(*DM->Case2_);
    } catch (const std::exception& e) {
      MessageDlg(kPositionError + e.what(), mtError, {mbOK}, 0);
    }
  }
  SetCaseShown(true);
}

void TClientCaseLookF::CheckClientName(TObject*, bool& Keep) {
  if (!ClientFilesOpen()) OpenClientFiles();
  if (!ClientFilesOpen()) return;
  if (ClientName->Modified()) {
    ClientCode->SetText("");
    CaseSuffix->SetText("");
    AlternateID->SetText("");
  }
  if (ClientNameRangePending) {
    DM->Client2_->CancelRange();
    DM->Client2_->Refresh();
    ClientNameRangePending = false;
  }
  ClientName->PerformSearch();
  const AnsiString text = ClientName->Text();
  if (DM->Client2_->IsEmpty() || client2LastCommaFirst_->AsString() != text) {
    if (Trim(text).empty()) {
      ClientCode->SetText("");
      return;
    }
    tellAt(ClientName, -20, "No such client or inactive.  Please select from the list.");
    Keep = false;
    focusAndSelect(ClientName);
    return;
  }
  const AnsiString code = Trim(client2Code_->AsString());
  if (keyText(ClientCode->Text()) == code) return;
  ClientCode->SetText(code);
  if (findNearest(DM->Client1_, {left7(code)}) && Trim(client1Code_->AsString()) == code)
    InactiveClientChosen = client1Unassigned_->AsString() > "777777";
  Application->ProcessMessages();
}

void TClientCaseLookF::CheckAlternateID(TObject*, bool& Keep) {
  if (!AlternateID->Modified() || !CaseFilesOpen() || !DM->Case1_->Active()) return;
  const AnsiString text = Trim(AlternateID->Text());
  if (CaseLookup() && CaseShown()) {
    if (!CalendarParameter && DM->Case1_->State() == dsBrowse && text != Trim(case1AlternateID_->AsString()) &&
        ActiveFileRights[2] == "Y")
      DM->Case1_->Edit();  // the change is saved with the matter
    return;
  }
  TdcTbTable* list = DM->Case2_;
  if (list->IsEmpty() || Trim(list->FieldByName("Alternate ID")->AsString()) != text) {
    if (text.empty()) {
      for (TdcDBLookupCombo* combo : {ClientCode, ClientName, CaseSuffix}) combo->SetText("");
      return;
    }
    if (ActiveFileRights[1] != "N" || CalendarParameter) {
      tellAt(AlternateID, -20, "No such Alternate Identifier.  Please select from the list.");
    } else {
      tellAt(AlternateID, -20, kNoAccess);
      AlternateID->SetText("");
    }
    TWinControl* active = Screen->ActiveControl();
    if (!active || active->Name() != "SaveBitBtn") Keep = false;
    focusAndSelect(AlternateID);
    return;
  }
  if (CaseRangeActive) ClearLookupSelection();
  try {
    DM->Case1_->GotoCurrent(*list);
  } catch (const std::exception&) {
  }
  if (CaseListRangeActive) {
    list->CancelRange();
    CaseListRangeActive = false;
  }
  list->SetFiltered(false);
  list->GotoCurrent(*DM->Case1_);
  LocateCaseClient(AlternateID);
  CaseSuffix->SetText(list->FieldByName("LeftJustCaseSuffix")->AsString());
  if (CaseLookup()) {
    LockLookupFields();
    LockAlternateID();
  }
}
