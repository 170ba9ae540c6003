// Entering the suffix (the case table re-opened for the kind of list that follows), the
// reactivation of an inactive client, and fixing and freeing the header.
#include "core/DM.h"
#include "core/Globals.h"
#include "core/LookupComboHelpers.h"
#include "dialogs/ClientCaseLookF.h"
#include "dialogs/DatasetLockRetry.h"
#include "framework/base/FormatText.h"
#include "framework/base/StringList.h"
#include "framework/base/StringUtils.h"
#include "framework/db/Field.h"
#include <QImage>

#include "framework/ui/Canvas.h"
#include "framework/ui/Dialogs.h"
#include "framework/ui/IntervalTimer.h"
#include "framework/ui/Screen.h"
#include "framework/ui/ScreenFacts.h"

namespace {

// The space between two combos of the row.
constexpr int kLookupGap = 6;

struct SuffixListing {
  const char* index;
  std::initializer_list<const char*> columns;
  const char* lookupField;
};

// By client given and numeric order.
const SuffixListing& listingFor(bool client, bool numeric) {
  static const SuffixListing listings[4] = {
      {"5",
       {"CaseClient\t7\tCaseClient", "ClientName\t35\tClientName", "Description Line 1\t30\tDescription Line 1",
        "Case Status 1\t3\t", "Resp Atty 1\t6\t"},
       "CaseClient"},
      {"6",
       {"RJCaseClient\t7\t", "ClientName\t35\tClientName", "Description Line 1\t30\t", "Case Status 1\t3\t",
        "Resp Atty 1\t6\t"},
       "RJCaseClient"},
      {"4", {"LeftJustCaseSuffix\t9\t", "Description Line 1\t30\t", "Case Status 1\t3\t", "Resp Atty 1\t6\t"},
       "LeftJustCaseSuffix"},
      // One client's matters: the right-justified suffix alone is their key, and it fits the box,
      // so what the box shows is always a value the list can find again (the compound key would
      // put the client after the suffix, past the seven characters).
      {"1", {"Case Suffix\t7\t", "Description Line 1\t30\t", "Case Status 1\t3\t", "Resp Atty 1\t6\t"}, "Case Suffix"},
  };
  return listings[(client ? 2 : 0) + (numeric ? 1 : 0)];
}

}  // namespace

bool TClientCaseLookF::caseRangeStale() const {
  return CaseRangeClient != Format("%-7s", {Trim(Trim(ClientCode->Text()).substr(0, 7))}) || !CaseRangeStart.empty() ||
         CaseRangeEnd != "ZZZZZZZ";
}

void TClientCaseLookF::CaseSuffixEnter(TObject*) {
  if (InactiveClientChosen) {
    InactiveClientChosen = false;
    if (MessageDlg("This client is inactive and may not have any matters assigned to it.\r\rDo you wish to reactivate "
                   "this client now?",
                   mtConfirmation, {mbYes, mbNo}, 0) != mrYes) {
      if (ClientCode->CanFocus()) ClientCode->SetFocus();
      return;
    }
    try {
      ReactivateClient();
    } catch (...) {
      // Still inactive: the question comes again at the next entry.
      InactiveClientChosen = true;
      if (ClientCode->CanFocus()) ClientCode->SetFocus();
      throw;
    }
  }
  if (!CaseSuffix->Enabled()) {
    // A disabled suffix belongs to a fixed matter, which may be a new one being appended: its
    // list is never prepared again, as re-opening the case table would drop that record.
    if (Screen->ActiveControl() == ClientCode) {
      CaseSuffix->SetColor(clGray);
      if (ClientCode->CanFocus()) ClientCode->SetFocus();
    }
    return;
  }
  const bool client = !Trim(ClientCode->Text()).empty();
  if (CaseRangeActive && !client && LastLookupControl == CaseSuffix && Screen->ActiveControl() == CaseSuffix &&
      !Trim(CaseSuffix->Text()).empty())
    return;
  if (!CaseFilesOpen()) OpenCaseFiles();
  if (!CaseFilesOpen()) return;
  if (CaseLookup() && client && DM->Case1_->Active()) {
    const AnsiString field = CaseSuffix->LookupField();
    if (field == "LeftJustCaseSuffix" || field == "Case Suffix" || field == "RJCaseClient") {
      if (caseRangeStale()) {
        ClearLookupSelection();
        SetCaseRange();
      }
      if (field == "LeftJustCaseSuffix" && CaseSuffix->GetShowButton() && ActiveFileRights[1] == "Y")
        CaseSuffix->DropDown();
      return;
    }
  }
  reopenCase1();
}

void TClientCaseLookF::reopenCase1() {
  HourglassCursor hourglass;
  TdcTbTable* cases = DM->Case1_;
  const AnsiString typed = CaseSuffix->Text();
  cases->Close();
  ClearLookupSelection();
  cases->SetTableName("");
  cases->SetIndexName("");
  StringList none;
  CaseSuffix->SetSelected(&none);
  cases->SetTableName(LookupDataDir + "\\ycase.QF;RES:YCASE");
  cases->SetFilter(HideClosedCases ? "[Case Status 1] <> 'X'" : "");
  cases->SetFiltered(HideClosedCases);
  try {
    cases->Open();
  } catch (const std::exception& e) {
    MessageDlg(e.what(), mtError, {mbOK}, 0);
    return;
  }
  const bool client = !Trim(ClientCode->Text()).empty();
  const bool numeric = ListCasesInNumericOrder;
  const SuffixListing& listing = listingFor(client, numeric);
  cases->SetIndexName(listing.index);
  if (client)
    SetCaseRange();
  else if (Trim(typed).empty())
    cases->First();
  StringList lines;
  for (const char* column : listing.columns) lines.Add(column);
  CaseSuffix->SetSelected(&lines);
  CaseSuffix->SetLookupField(listing.lookupField);
  CaseSuffix->DropDownList()->Font()->SetName("Courier New");
  Timer1->SetEnabled(!client && !numeric);
  if (client) {
    SetLookupComboMatch(CaseSuffix, !numeric);
  } else {
    TypedSuffixPrefix.clear();
    SuffixTyping = false;
    if (numeric) SetLookupComboMatch(CaseSuffix, false);
  }
  CaseSuffix->SetText(typed);
  if (CaseLookup() && ActiveFileRights[1] == "Y" && CaseSuffix->Showing()) CaseSuffix->DropDown();
  if (CaseSuffix->SelLength() > 7) CaseSuffix->SetSelLength(7);
}

void TClientCaseLookF::ReactivateClient() {
  static const AnsiString digits = "0123456789ABCDEF";
  TdcTbTable* clients = DM->Client1_;
  const AnsiString code = Format("%-7s", {Trim(Trim(ClientCode->Text()).substr(0, 7))});
  // The client is inactive, so the hide filter may keep it out of sight: it is found without it.
  const bool filtered = clients->Filtered();
  clients->SetFiltered(false);
  try {
    if (clients->FindKey({code})) {
      const AnsiString value = client1Unassigned_->AsString();
      if (!value.empty()) {
        const std::size_t at = digits.find(value[0]);
        // Past the eight inactive places the character moves back eight; one that cannot (a
        // first character below '8' of a value still above "777777") is written alone, which
        // makes the client active too.
        const char first = at != AnsiString::npos && at >= 8 ? digits[at - 8] : value[0];
        RetryWhileRecordLocked([clients] { clients->Edit(); });
        client1Unassigned_->SetAsString(Format("%-6s", {AnsiString(1, first)}));
        RetryWhileRecordLocked([clients] { clients->Post(); });
      }
    }
  } catch (...) {
    if (clients->State() == dsEdit) clients->Cancel();
    clients->SetFiltered(filtered);
    throw;
  }
  clients->SetFiltered(filtered);
  if (filtered) clients->FindKey({code});
}

void TClientCaseLookF::LockLookupFields() {
  SetLookupComboMatch(CaseSuffix, false);
  CaseSuffix->SetText(ListCasesInNumericOrder ? case1CaseSuffix_->AsString() : case1LeftJustSuffix_->AsString());
  CaseSuffix->SetShowButton(false);
  for (TdcDBLookupCombo* combo : {ClientCode, ClientName, CaseSuffix}) combo->SetEnabled(false);
  if (CalendarParameter) AlternateID->SetEnabled(false);
  const std::pair<TEdit*, TdcDBLookupCombo*> covers[] = {{Edit1, ClientCode}, {Edit2, ClientName}, {Edit3, CaseSuffix}};
  for (auto [cover, combo] : covers) {
    cover->SetBounds(combo->Left(), combo->Top(), combo->Width(), combo->Height());
    cover->Font()->Assign(combo->Font());
    cover->SetColor(clWindow);
    cover->SetText(combo->Text());
    cover->SetVisible(true);
  }
}

void TClientCaseLookF::LockAlternateID() {
  SetLookupComboMatch(AlternateID, false);
  AlternateID->SetDropDownCount(-1);
  AlternateID->SetShowButton(false);
}

void TClientCaseLookF::UnlockLookupFields() {
  if (DM->Case1_->State() == dsEdit || DM->Case1_->State() == dsInsert) DM->Case1_->Cancel();
  for (TEdit* cover : {Edit1, Edit2, Edit3}) cover->SetVisible(false);
  for (TdcDBLookupCombo* combo : {ClientCode, ClientName, CaseSuffix}) {
    combo->SetEnabled(true);
    combo->SetVisible(true);
  }
  SetLookupComboMatch(ClientCode, true);
  SetLookupComboMatch(CaseSuffix, true);
  CaseSuffix->SetShowMatchText(false);
  CaseSuffix->SetShowButton(true);
  if (CalendarParameter || ActiveFileRights[1] != "N") {
    AlternateID->SetEnabled(true);
    AlternateID->SetDropDownCount(8);
    AlternateID->SetShowButton(true);
  }
}

void TClientCaseLookF::Edit1Click(TObject* Sender) {
  const int tag = Sender ? static_cast<TControl*>(Sender)->Tag() : 0;
  const char* names[] = {"Client Code", "Client Name", "Case Suffix"};
  if (tag < 1 || tag > 3) return;
  MessageDlg(AnsiString(names[tag - 1]) + " cannot be changed here.\rUse Global Change utility instead", mtInformation,
             {mbOK}, 0);
  if (AlternateID->CanFocus()) AlternateID->SetFocus();
}

void TClientCaseLookF::SizeLookupFields() {
  const int allowance = std::max(qn::ui::screenFacts().verticalScrollBarWidth + 4, 18);
  int margin = 0;
  const int size = CaseSuffix->Font()->Size();
  switch (FormSizeOption) {
    case 0: margin = 4; break;
    case 2: margin = 9; break;
    default:
      if (size < 4 || size > 13) return;
      margin = size >= 12 ? 8 : size >= 10 ? 7 : 6;
  }
  QImage image(1, 1, QImage::Format_RGB32);
  Canvas measure(&image);
  measure.SetFont(CaseSuffix->DropDownList()->Font());
  const int width = measure.textWidth("iiiiiii") + allowance + margin;
  const int right = CaseSuffix->Left() + CaseSuffix->Width();
  CaseSuffix->SetBounds(right - width, CaseSuffix->Top(), width, CaseSuffix->Height());
  // The client code stays first in the row: it takes the suffix's width and font, and a wider code
  // pushes the name's left edge on rather than covering it.
  ClientCode->SetWidth(width);
  ClientCode->Font()->Assign(CaseSuffix->Font());
  const int nameRight = ClientName->Left() + ClientName->Width();
  const int nameLeft = std::max(ClientName->Left(), ClientCode->Left() + width + kLookupGap);
  ClientName->SetBounds(nameLeft, ClientName->Top(), nameRight - nameLeft, ClientName->Height());
  AlternateID->Font()->SetSize(size);
  AlternateID->DropDownList()->Font()->SetSize(size - 1);
}
