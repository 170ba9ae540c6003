#include "dialogs/ClientCaseLookF.h"

#include "core/DM.h"
#include "core/Globals.h"
#include "core/LookupComboHelpers.h"
#include "dialogs/LookupComboPlacing.h"
#include "framework/base/ClassRegistry.h"
#include "framework/base/StringList.h"
#include "framework/base/UnitLifecycle.h"
#include "framework/db/Field.h"
#include "framework/ui/Dialogs.h"
#include "framework/ui/IntervalTimer.h"
#include "framework/ui/PlaceControl.h"
#include "framework/ui/Screen.h"
#include "platform/os/Files.h"
#include "platform/os/Paths.h"

bool CaseRangeActive = false;
AnsiString CaseRangeClient, CaseRangeStart, CaseRangeEnd;
AnsiString CaseRangeIndex = "-1";
bool CaseListRangeActive = false;
bool ClientRangePending = false, ClientNameRangePending = false;
bool InactiveClientChosen = false;
bool ClosedCaseFound = false;
bool NewCaseByPrompt = false;
AnsiString TypedSuffixPrefix;
bool SuffixTyping = false;
bool CaseChosenInGrid = false;

namespace {

constexpr int kComboTop = 4, kComboHeight = 22;

TdcDBLookupCombo* makeCombo(TClientCaseLookF* form, const char* name, int tag, int left, int width,
                            TDataSet* table, const char* lookupField, std::initializer_list<const char*> columns) {
  auto* combo =
      PlaceLookupCombo(form, name, tag, left, kComboTop, width, kComboHeight, table, lookupField, columns);
  combo->SetAutoDropDown(true);
  combo->SetShowButton(true);
  combo->SetAllowClearKey(true);
  combo->SetShowMatchText(true);
  return combo;
}

TEdit* makeCover(TClientCaseLookF* form, const char* name, int tag) {
  auto* edit = PlaceControl<TEdit>(form, form, 0, kComboTop, 10, kComboHeight);
  edit->SetName(name);
  edit->SetTag(tag);
  edit->SetReadOnly(true);
  edit->SetVisible(false);
  edit->SetTabStop(false);
  return edit;
}

// Copies a template of the program folder into the data folder unless the file is there.
void copyTemplate(const char* templateName, const char* fileName, const AnsiString& failure) {
  const AnsiString target = LookupDataDir + "\\" + fileName;
  if (qn::os::fileExists(target)) return;
  if (!qn::os::copyFile(qn::os::resolvePath(LookupProgramDir + "\\" + templateName), qn::os::resolvePath(target), true))
    MessageDlg(failure, mtError, {mbOK}, 0);
}

AnsiString missingFileText(const char* file) {
  return AnsiString("Your ") + file +
         " file is missing and Quillon was unable\rto create a new one.\rPlease contact Vantor, Inc. for assistance.";
}

void openTable(TdcTbTable* table, bool filtered, const char* filter, const char* index) {
  if (table->Active()) table->Close();
  table->SetTableName(LookupDataDir + "\\" + (table == DM->Client1_ || table == DM->Client2_
                                                  ? "yclient.QF;RES:YCLIENT"
                                                  : "ycase.QF;RES:YCASE"));
  table->SetFilter(filtered ? filter : "");
  table->SetFiltered(filtered);
  table->SetIndexName(index);
  table->Open();
}

}  // namespace

TClientCaseLookF::TClientCaseLookF(TComponent* AOwner) : TForm(AOwner) {
  SetName("ClientCaseLookF");
  SetBorderStyle(bsNone);
  SetClientHeight(kComboTop * 2 + kComboHeight);
  ClientCode = makeCombo(this, "ClientCode", 10, 4, 80, DM->Client1_, "Client Code",
                         {"Client Code\t10\tClient Code\tF", "LastCommaFirst\t45\tLastCommaFirst\tF", "City\t28\tCity\tF"});
  ClientCode->SetCharCase(ecUpperCase);
  ClientCode->SetMaxLength(7);
  ClientName = makeCombo(this, "ClientName", 20, 90, 280, DM->Client2_, "LastCommaFirst",
                         {"LastCommaFirst\t45\tLastCommaFirst\tF", "Client Code\t11\tClient Code\tF", "City\t28\tCity\tF"});
  CaseSuffix = makeCombo(this, "CaseSuffix", 110, 376, 80, DM->Case1_, "", {});
  CaseSuffix->SetCharCase(ecUpperCase);
  CaseSuffix->SetMaxLength(7);
  CaseSuffix->SetSeqSearchOptions({});
  CaseSuffix->SetShowMatchText(false);
  AlternateID = makeCombo(this, "AlternateID", 120, 462, 296, DM->Case2_, "Alternate ID",
                          {"Alternate ID\t23\tAlternate ID\tF", "Client Code\t9\tClient Code\tF",
                           "LeftJustCaseSuffix\t9\tLeftJustCaseSuffix\tF", "Description Line 1\t38\tDescription Line 1\tF",
                           "Case Status 1\t3\tCase Status 1\tF", "Resp Atty 1\t6\tResp Atty 1\tF"});
  AlternateID->SetCharCase(ecUpperCase);
  AlternateID->SetMaxLength(20);
  Edit1 = makeCover(this, "Edit1", 1);
  Edit2 = makeCover(this, "Edit2", 2);
  Edit3 = makeCover(this, "Edit3", 3);
  Timer1 = new IntervalTimer(this);
  Timer1->SetName("Timer1");
  Timer1->SetInterval(25);
  Timer1->SetEnabled(false);

  for (TEdit* cover : {Edit1, Edit2, Edit3}) cover->OnClick = [this](TObject* Sender) { Edit1Click(Sender); };
  ClientCode->OnEnter = [this](TObject* Sender) { ClientCodeEnter(Sender); };
  ClientCode->OnExit = [this](TObject* Sender) { ClientCodeExit(Sender); };
  ClientCode->OnCloseUp = [this](TObject* S, TDataSet* L, TDataSet* F, bool M) { ClientCodeCloseUp(S, L, F, M); };
  ClientName->OnEnter = [this](TObject* Sender) { ClientNameEnter(Sender); };
  ClientName->OnExit = [this](TObject* Sender) { ClientNameExit(Sender); };
  ClientName->OnCloseUp = [this](TObject* S, TDataSet* L, TDataSet* F, bool M) { ClientNameCloseUp(S, L, F, M); };
  AlternateID->OnEnter = [this](TObject* Sender) { AlternateIDEnter(Sender); };
  AlternateID->OnExit = [this](TObject* Sender) { AlternateIDExit(Sender); };
  CaseSuffix->OnEnter = [this](TObject* Sender) { CaseSuffixEnter(Sender); };
  CaseSuffix->OnExit = [this](TObject* Sender) { CaseSuffixExit(Sender); };
  ClientCode->OnChange = [this](TObject* Sender) { ClientCodeChange(Sender); };
  CaseSuffix->OnChange = [this](TObject* Sender) { CaseSuffixChange(Sender); };
  CaseSuffix->OnKeyDown = [this](TObject* Sender, WORD& Key, TShiftState Shift) { CaseSuffixKeyDown(Sender, Key, Shift); };
  for (TdcDBLookupCombo* combo : {ClientCode, ClientName, CaseSuffix, AlternateID})
    combo->OnKeyPress = [this](TObject* Sender, char& Key) { ClientNameKeyPress(Sender, Key); };
  Timer1->OnTimer = [this](TObject* Sender) { Timer1Timer(Sender); };
  OnMouseWheel = [this](TObject* Sender, TShiftState Shift, int Delta, TPoint At, bool& Handled) {
    FormMouseWheel(Sender, Shift, Delta, At, Handled);
  };
  FormCreate(this);
}

TClientCaseLookF::~TClientCaseLookF() { FormDestroy(this); }

void TClientCaseLookF::FormCreate(TObject*) {
  caseShown_ = false;
  SetWidth(765);
  CaseSuffix->Font()->SetName("Courier New");
  CaseSuffix->Font()->SetSize(9);
  CaseSuffix->Font()->SetPitch(fpFixed);
  // The suffix's list is always in the same face; it is sized by it before any list is made.
  CaseSuffix->DropDownList()->Font()->SetName("Courier New");
  SizeLookupFields();
  HighlightLookupCombos(this);
}

void TClientCaseLookF::FormDestroy(TObject*) {
  // The tables outlive the form in the data module; they are only closed.
  try {
    if (DM) DM->Case1_->AfterOpen = nullptr;
    if (DM)
      for (TdcTbTable* table : {DM->Client1_, DM->Client2_, DM->Case1_, DM->Case2_}) table->Close();
  } catch (const std::exception&) {
  }
}

// The exit checks' results are the header panel's to act on; here they are only run.
void TClientCaseLookF::ClientCodeExit(TObject* Sender) {
  bool keep = true, addNew = false;
  CheckClientCode(Sender, keep, addNew);
}

void TClientCaseLookF::ClientNameExit(TObject* Sender) {
  bool keep = true;
  CheckClientName(Sender, keep);
}

void TClientCaseLookF::AlternateIDExit(TObject* Sender) {
  bool keep = true;
  CheckAlternateID(Sender, keep);
}

void TClientCaseLookF::ClientCodeEnter(TObject*) {
  if (!ClientFilesOpen()) OpenClientFiles();
}

void TClientCaseLookF::ClientNameEnter(TObject*) {
  if (!ClientFilesOpen()) OpenClientFiles();
}

void TClientCaseLookF::AlternateIDEnter(TObject*) {
  if (!CaseFilesOpen()) OpenCaseFiles();
}

// A range a first letter set on the client tables ends at the first close-up.
void TClientCaseLookF::ClientCodeCloseUp(TObject*, TDataSet*, TDataSet*, bool) {
  if (!ClientRangePending) return;
  ClientRangePending = false;
  DM->Client1_->CancelRange();
  DM->Client1_->Refresh();
}

void TClientCaseLookF::ClientNameCloseUp(TObject*, TDataSet*, TDataSet*, bool) {
  if (!ClientNameRangePending) return;
  ClientNameRangePending = false;
  DM->Client2_->CancelRange();
  DM->Client2_->Refresh();
}

void TClientCaseLookF::CaseSuffixExit(TObject* Sender) {
  bool keep = true, addNew = false;
  CheckCaseSuffix(Sender, keep, addNew);
}

void TClientCaseLookF::FormMouseWheel(TObject*, TShiftState, int, TPoint, bool& Handled) { Handled = true; }

void TClientCaseLookF::SetCaseLookup(bool Value) {
  if (caseLookup_ != Value) caseLookup_ = Value;
}

void TClientCaseLookF::SetCaseShown(bool Value) {
  if (caseShown_ != Value) caseShown_ = Value;
}

void TClientCaseLookF::SetOfferAdd(bool Value) {
  if (offerAdd_ != Value) offerAdd_ = Value;
}

TModalResult TClientCaseLookF::askAt(TWinControl* Combo, int Dy, const AnsiString& Text, TMsgDlgType Kind,
                                     TMsgDlgButtons Buttons) {
  const TPoint origin = Combo->ClientToScreen(TPoint{0, 0});
  return MessageDlgPos(Text, Kind, Buttons, 0, origin.X + 30, origin.Y + Dy);
}

void TClientCaseLookF::tellAt(TWinControl* Combo, int Dy, const AnsiString& Text, TMsgDlgType Kind) {
  askAt(Combo, Dy, Text, Kind, {mbOK});
}

void TClientCaseLookF::OpenClientFiles() {
  HourglassCursor hourglass;
  try {
    openTable(DM->Client1_, HideInactiveClients, "[Unassigned] < '8'", "1");
    TdcTbTable* c = DM->Client1_;
    client1Code_ = c->FieldByName("Client Code");
    client1FirstName_ = c->FieldByName("Client First Name");
    client1LastName_ = c->FieldByName("Client Last Name");
    client1SecondNameLine_ = c->FieldByName("Second Name Line");
    client1Address1_ = c->FieldByName("Address Line 1");
    client1Address2_ = c->FieldByName("Address Line 2");
    client1StateZip_ = c->FieldByName("State Zip Country");
    client1Phone1_ = c->FieldByName("Phone 1");
    client1Phone2_ = c->FieldByName("Phone 2");
    client1LastCommaFirst_ = c->FieldByName("LastCommaFirst");
    client1FinanceCharge_ = c->FieldByName("Finance Charge");
    client1SalesTax_ = c->FieldByName("Sales Tax");
    client1Threshhold_ = c->FieldByName("Threshhold");
    client1BillingRate_ = c->FieldByName("Billing Rate Code");
    client1AltBilling_ = c->FieldByName("Alt Billing Format");
    client1Unassigned_ = c->FieldByName("Unassigned");
    openTable(DM->Client2_, HideInactiveClients, "[Unassigned] < '8'", "3");
    TdcTbTable* n = DM->Client2_;
    client2City_ = n->FieldByName("City");
    client2Code_ = n->FieldByName("Client Code");
    client2LastCommaFirst_ = n->FieldByName("LastCommaFirst");
    client2FirstName_ = n->FieldByName("Client First Name");
    client2LastName_ = n->FieldByName("Client Last Name");
  } catch (const std::exception& e) {
    // A missing client file is told once; the next entry tries again.
    client1Code_ = nullptr;
    MessageDlg(e.what(), mtError, {mbOK}, 0);
    return;
  }
  copyTemplate("Yclient.clo", "ClntSave.QF", missingFileText("ClntSave.Qf"));
}

void TClientCaseLookF::takeCase1Fields() {
  TdcTbTable* c = DM->Case1_;
  case1AutoIncrement_ = c->FieldByName("AutoIncrement");
  case1ClientCode_ = c->FieldByName("Client Code");
  case1CaseSuffix_ = c->FieldByName("Case Suffix");
  case1LeftJustSuffix_ = c->FieldByName("LeftJustCaseSuffix");
  case1AlternateID_ = c->FieldByName("Alternate ID");
  case1AltBilling_ = c->FieldByName("Alt Billing Format");
  case1Description1_ = c->FieldByName("Description Line 1");
  case1RespAtty1_ = c->FieldByName("Resp Atty 1");
  case1RespAtty2_ = c->FieldByName("Resp Atty 2");
  case1RespAtty3_ = c->FieldByName("Resp Atty 3");
  case1CoordAtty_ = c->FieldByName("Client Coord Atty");
  // The client's name is no field of the record; a form that adds it as a calculated field gets it.
  case1ClientName_ = c->FindField("ClientName");
  case1FinanceCharge_ = c->FieldByName("Finance Charge");
  case1SalesTax_ = c->FieldByName("Sales Tax");
  case1Threshhold_ = c->FieldByName("Threshhold");
  case1FeeBudget_ = c->FieldByName("Fee Budget $");
  case1CostBudget_ = c->FieldByName("Cost Budget $");
  case1RetainerMin_ = c->FieldByName("Retainer Min $");
  case1BillingRate_ = c->FieldByName("Billing Rate Code");
  case1CaseClient_ = c->FieldByName("CaseClient");
  case1RJCaseClient_ = c->FieldByName("RJCaseClient");
  case1CaseType2_ = c->FieldByName("Case Type 2");
}

void TClientCaseLookF::OpenCaseFiles() {
  if (!ClientFilesOpen()) OpenClientFiles();
  HourglassCursor hourglass;
  DM->Case1_->AfterOpen = [this](TDataSet*) {
    AlternateID->SetCharCase(SysopSettings.AltIDCap == "Y" ? ecUpperCase : ecNormal);
    // Case1_ declares no fields of its own: its references follow each opening.
    takeCase1Fields();
  };
  if (DM->Case1_->Active()) {
    takeCase1Fields();
  } else {
    DM->Case1_->SetTableName(LookupDataDir + "\\ycase.QF;RES:YCASE");
  }
  try {
    openTable(DM->Case2_, HideClosedCases, "[Case Status 1] <> 'X'", "3");
    case2AutoIncrement_ = DM->Case2_->FieldByName("AutoIncrement");
    DM->Case2_->SetRange({AnsiString(19, ' ') + "0"}, {AnsiString(20, 'z')});
    CaseListRangeActive = true;
  } catch (const std::exception& e) {
    case2AutoIncrement_ = nullptr;
    MessageDlg(e.what(), mtError, {mbOK}, 0);
    return;
  }
  if (CalendarParameter) return;
  if (qn::os::fileExists(LookupDataDir + "\\CaseSave.QF")) return;
  copyTemplate("Ycase.clo", "CaseSave.QF", missingFileText("CaseSave.Qf"));
  copyTemplate("CDesc.clo", "CDescSav.QF", missingFileText("CDescSav.Qf"));
  copyTemplate("caseaddr.clo", "AddrSave.QF", missingFileText("AddrSave.Qf"));
}

namespace {
UnitRegistration unit("dialogs/ClientCaseLookF", {"framework/ui/Application"},
                      [] { RegisterClass<TClientCaseLookF>(); });
}  // namespace
