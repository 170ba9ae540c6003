#include "casewindow/ClientCaseLookF1.h"

#include "core/DM.h"
#include "core/DockedForms.h"
#include "core/Globals.h"
#include "core/LookupComboHelpers.h"
#include "datagrid/DcTbTable.h"
#include "framework/base/ClassRegistry.h"
#include "framework/base/FormVariables.h"
#include "framework/base/FormatText.h"
#include "framework/base/StringUtils.h"
#include "framework/base/UnitLifecycle.h"
#include "framework/db/Field.h"
#include "framework/ui/Color.h"
#include "framework/ui/Command.h"
#include "framework/ui/Dialogs.h"
#include "framework/ui/GlyphButton.h"
#include "framework/ui/IntervalTimer.h"
#include "framework/ui/PlaceControl.h"
#include "framework/ui/Screen.h"
#include "framework/ui/SpeedButton.h"
#include "framework/ui/TextLabel.h"

TClientCaseLookF1* ClientCaseLookF1 = nullptr;
bool HeaderExitsSuspended = false;
bool AddClientRequested = false;
bool CalendarSearchMode = false;
bool TSCFormatFound = false;

namespace {

constexpr int kSecondRow = 34;

GlyphButton* hiddenButton(TClientCaseLookF1* form, const char* name, const char* caption, int left) {
  auto* button = PlaceControl<GlyphButton>(form, form, left, kSecondRow, 90, 25);
  button->SetName(name);
  button->SetCaption(caption);
  button->SetVisible(false);
  return button;
}

Command* visibilityCommand(TClientCaseLookF1* form, const char* name) {
  auto* command = new Command(form);
  command->SetName(name);
  command->List = form->ActionList1;
  command->Caption = name;
  return command;
}

}  // namespace

TClientCaseLookF1::TClientCaseLookF1(TComponent* AOwner) : TClientCaseLookF(AOwner) {
  SetName("ClientCaseLookF1");
  SetTag(100);
  // The combos are reached by the main window's keyboard routing, not by Tab.
  for (TdcDBLookupCombo* combo : {ClientCode, ClientName, CaseSuffix, AlternateID}) {
    combo->SetTabStop(false);
    combo->Font()->SetName("Courier New");
  }
  CaseSuffix->SetAutoDropDown(false);
  CaseSuffix->SetAllowClearKey(false);
  AlternateID->SetCharCase(ecNormal);

  LabelFormatCode = PlaceControl<TextLabel>(this, this, 764, 8, 70, 16);
  LabelFormatCode->SetName("LabelFormatCode");
  LabelFormatCode->SetCaption("Format Code");
  LabelFormatCode->SetVisible(false);
  AltBillFormat = PlaceControl<TdcDBLookupCombo>(this, this, 836, 4, 60, 22);
  AltBillFormat->SetName("AltBillFormat");
  AltBillFormat->SetDataSource(DM->SourceOf(DM->Case1_));
  AltBillFormat->SetDataField("Alt Billing Format");
  AltBillFormat->SetCharCase(ecUpperCase);
  AltBillFormat->SetMaxLength(3);
  AltBillFormat->SetVisible(false);
  AltBillFormat->SetTabStop(false);
  AltBillFormat->SetHint("Right click to view or edit this format table");
  AltBillFormat->SetShowHint(true);
  CaseAddressBitBtn = hiddenButton(this, "CaseAddressBitBtn", "&Addresses", 376);
  FeeSplitBitBtn = hiddenButton(this, "FeeSplitBitBtn", "Fee Spl&it", 470);
  LabelDelinquent = PlaceControl<TextLabel>(this, this, 904, 6, 14, 18);
  LabelDelinquent->SetName("LabelDelinquent");
  LabelDelinquent->SetCaption("D");
  LabelDelinquent->Font()->SetColor(clRed);
  LabelDelinquent->Font()->SetStyle({fsBold});
  LabelDelinquent->SetHint("Click on this label to show this matter's delinquent notes");
  LabelDelinquent->SetShowHint(true);
  LabelDelinquent->SetVisible(false);
  SBDelinquent = PlaceControl<TSpeedButton>(this, this, 920, 4, 22, 22);
  SBDelinquent->SetName("SBDelinquent");
  SBDelinquent->SetCaption("$");
  SBDelinquent->SetHint("Go to Delinquent Accounts");
  SBDelinquent->SetShowHint(true);
  SBDelinquent->SetVisible(false);
  ActionList1 = new CommandList(this);
  ActionList1->SetName("ActionList1");
  HideEdits = visibilityCommand(this, "HideEdits");
  ShowEdits = visibilityCommand(this, "ShowEdits");

  ClientCode->OnExit = [this](TObject* Sender) { ClientCodeExit(Sender); };
  ClientName->OnExit = [this](TObject* Sender) { ClientNameExit(Sender); };
  CaseSuffix->OnExit = [this](TObject* Sender) { CaseSuffixExit(Sender); };
  CaseSuffix->OnChange = [this](TObject* Sender) { CaseSuffixChange(Sender); };
  CaseSuffix->OnDropDown = [this](TObject* Sender) { CaseSuffixDropDown(Sender); };
  AlternateID->OnExit = [this](TObject* Sender) { AlternateIDExit(Sender); };
  AlternateID->OnChange = [this](TObject* Sender) { AlternateIDChange(Sender); };
  LabelDelinquent->OnClick = [this](TObject* Sender) { LabelDelinquentClick(Sender); };
  SBDelinquent->OnClick = [this](TObject* Sender) { LabelDelinquentClick(Sender); };
  HideEdits->OnExecute = [this](TObject* Sender) { HideEditsExecute(Sender); };
  ShowEdits->OnExecute = [this](TObject* Sender) { ShowEditsExecute(Sender); };
  ActionList1->OnExecute = [this](TComponent* Action, bool& Handled) { ActionList1Execute(Action, Handled); };
  OnActivate = [this](TObject* Sender) { FormActivate(Sender); };
  OnDeactivate = [this](TObject* Sender) { FormDeactivate(Sender); };
  createDescriptionLookup();
  createFormatComponents();
  FormCreate(this);
}

void TClientCaseLookF1::CreateParams(TCreateParams& Params) {
  TClientCaseLookF::CreateParams(Params);
  StripFormFrame(Params);
}

void TClientCaseLookF1::WndProc(TMessage& Message) {
  if (Message.Msg == WM_MOUSEACTIVATE) NotifyMainFormMouseActivate();
  if (Message.Msg == WM_COMMAND) {
    const unsigned code = static_cast<unsigned>(Message.WParam) >> 16;
    auto* control = reinterpret_cast<TWinControl*>(Message.LParam);
    if (ActiveControl() == AltBillFormat) {
      if (code == EN_SETFOCUS) commandControl_ = control;
      if (code == EN_CHANGE && control == commandControl_) rememberLookupControl(ActiveControl());
    }
    // The suffix's own focus notice is dropped while it is the screen's active control.
    if (Screen->ActiveControl() == CaseSuffix && code == EN_SETFOCUS && control == CaseSuffix) return;
  }
  TClientCaseLookF::WndProc(Message);
}

void TClientCaseLookF1::rememberLookupControl(TWinControl* control) {
  LastLookupControl = control;
  if (control) control->FreeNotification(this);
}

void TClientCaseLookF1::Notification(TComponent* AComponent, TOperation Operation) {
  TClientCaseLookF::Notification(AComponent, Operation);
  if (Operation != opRemove) return;
  if (AComponent == LastLookupControl) LastLookupControl = nullptr;
  if (AComponent == commandControl_) commandControl_ = nullptr;
}

void TClientCaseLookF1::FormActivate(TObject*) {
  if (!CalendarMode) SetCaseLookup(true);
  SetOfferAdd(!CalendarSearchMode);
  HighlightLookupCombos(this);
  if (!firstActivation_) return;
  firstActivation_ = false;
  OpenCaseFiles();
  try {
    if (HideClosedCases) {
      DM->Case1_->Close();
      DM->Case1_->SetFilter("[Case Status 1] <> 'X'");
      DM->Case1_->SetFiltered(true);
    }
    DM->Case1_->Open();
  } catch (const Exception&) {
    MessageDlg("Unable to open the case file.\rPlease Call Vantor, Inc. for assistance.", mtWarning, {mbOK}, 0);
  }
}

void TClientCaseLookF1::FormDeactivate(TObject*) {
  if (!CalendarSearchMode && Trim(CaseSuffix->Text()).empty() && !Trim(ClientCode->Text()).empty() &&
      DM->Case1_->Active())
    CaseSuffix->SetText(DM->Case1_->FieldByName("LeftJustCaseSuffix")->AsString());
  Timer1->SetEnabled(false);
}

void TClientCaseLookF1::ClearHeader(bool Clear) {
  UnlockLookupFields();
  if (Clear) {
    if (CaseShown()) HideEdits->Execute();
    AltBillFormat->SetTabStop(false);
    HeaderEditsShown = false;
    LabelDelinquent->SetVisible(false);
    SBDelinquent->SetVisible(false);
    for (TdcDBLookupCombo* combo : {ClientCode, ClientName, CaseSuffix, AlternateID}) combo->SetText("");
    SetCaseShown(false);
  }
  if (EntryMode == "A") CaseSuffix->SetTabStop(false);
  LastLookupControl = nullptr;
}

void TClientCaseLookF1::releaseMatter() {
  HideEdits->Execute();
  HeaderEditsShown = false;
  LabelDelinquent->SetVisible(false);
  SBDelinquent->SetVisible(false);
  SetCaseShown(false);
}

void TClientCaseLookF1::showMatter(TWinControl* next) {
  HourglassCursor hourglass;
  SetLookupComboMatch(AlternateID, false);
  AlternateID->SetShowButton(false);
  ShowEdits->Execute();
  AltBillFormat->SetVisible(true);
  LabelFormatCode->SetVisible(true);
  AltBillFormat->SetTabStop(true);
  HeaderEditsShown = true;
  CheckForDelinquentNotes();
  if (!CaseSuffix->Enabled()) SetCoverEdits();
  if (next->CanFocus()) next->SetFocus();
}

void TClientCaseLookF1::ClientCodeExit(TObject* Sender) {
  if (HeaderExitsSuspended) return;
  const bool modified = ClientCode->Modified();
  bool keep = true, addNew = false;
  CheckClientCode(Sender, keep, addNew);
  if (addNew) {
    if (ClientCode->CanFocus()) ClientCode->SetFocus();
    AddClientRequested = true;
    return;
  }
  if (modified && HeaderEditsShown && !CalendarMode) releaseMatter();
}

void TClientCaseLookF1::ClientNameExit(TObject* Sender) {
  if (HeaderExitsSuspended) return;
  const bool modified = ClientName->Modified();
  bool keep = true;
  CheckClientName(Sender, keep);
  if (modified && HeaderEditsShown && !CalendarMode) releaseMatter();
}

void TClientCaseLookF1::CaseSuffixExit(TObject* Sender) {
  if (HeaderExitsSuspended) return;
  bool keep = true, addNew = false;
  CheckCaseSuffix(Sender, keep, addNew);
  if (CaseShown() && !HeaderEditsShown && !CalendarMode) showMatter(AlternateID);
}

void TClientCaseLookF1::AlternateIDExit(TObject* Sender) {
  if (HeaderExitsSuspended) return;
  bool keep = true;
  CheckAlternateID(Sender, keep);
  if (CaseShown() && !HeaderEditsShown && !CalendarMode) showMatter(AltBillFormat);
  if (!CaseShown() && !Trim(AlternateID->Text()).empty()) {
    AltBillFormat->SetVisible(false);
    LabelFormatCode->SetVisible(false);
  }
}

void TClientCaseLookF1::CaseSuffixChange(TObject* Sender) {
  TClientCaseLookF::CaseSuffixChange(Sender);
  CheckForDelinquentNotes();
}

void TClientCaseLookF1::CaseSuffixDropDown(TObject*) {
  if (!CaseShown() || !DM->Case1_->Active() || DM->Case1_->State() != dsBrowse) return;
  const AnsiString text = CaseSuffix->Text();
  if (text.size() == 7 && !CaseSuffix->Modified() && text == Trim(DM->Case1_->FieldByName("Case Suffix")->AsString()))
    releaseMatter();
}

void TClientCaseLookF1::AlternateIDChange(TObject*) {
  if (!MatterLoaded || ActiveControl() != AlternateID || !AlternateID->Modified()) return;
  if (DM->Case1_->State() == dsBrowse && ActiveFileRights[2] == "Y") DM->Case1_->Edit();
}

void TClientCaseLookF1::SetCoverEdits() {
  const char* format = ListCasesInNumericOrder ? "%7s" : "%-7s";
  Edit1->SetText(ClientCode->Text());
  Edit2->SetText(ClientName->Text());
  Edit3->SetText(Format(format, {CaseSuffix->Text()}));
  for (TEdit* cover : {Edit1, Edit2, Edit3}) {
    cover->SetVisible(true);
    cover->Repaint();
  }
}

void TClientCaseLookF1::HideEditsExecute(TObject*) { HeaderEditsShown = false; }

void TClientCaseLookF1::ShowEditsExecute(TObject*) { HeaderEditsShown = true; }

// Left unhandled: the main window's command hook and then each command's own handler run.
void TClientCaseLookF1::ActionList1Execute(TComponent*, bool& Handled) { Handled = false; }

namespace {

// The main block creates the header by its class name and keeps it in ClientCaseLookF1.
UnitRegistration unit("casewindow/ClientCaseLookF1", {"framework/ui/Application"}, [] {
  RegisterClass<TClientCaseLookF1>();
  RegisterFormVariable(ClientCaseLookF1);
});

}  // namespace
