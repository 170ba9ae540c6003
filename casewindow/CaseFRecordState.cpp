// The record state: what the status bar says of the case record (viewing, editing, adding, or
// waiting for input), the matter's panels shown only while a matter is, and the buttons and menu
// entries that go with each state. The case data source tells every state change; the status
// bar's panels are drawn by the window in maroon.
#include "casewindow/AttorneyPickerPanels.h"
#include "casewindow/BillingBoxF.h"
#include "casewindow/CaseDescriptionF.h"
#include "casewindow/CaseF.h"
#include "casewindow/CaseMiscF.h"
#include "casewindow/ClientCaseLookF1.h"
#include "casewindow/EBF2F.h"
#include "casewindow/FCSalesTaxF.h"
#include "casewindow/HostedPanels.h"
#include "core/DM.h"
#include "core/Globals.h"
#include "datagrid/DBNavigator.h"
#include "datagrid/NavButton.h"
#include "dialogs/CodeLookF.h"
#include "dialogs/EmpLookF.h"
#include "dialogs/NotesF.h"
#include "editors/DBDateTimePicker.h"
#include "framework/base/StringUtils.h"
#include "framework/db/Field.h"
#include "framework/ui/CheckBox.h"
#include "framework/ui/Color.h"
#include "framework/ui/GlyphButton.h"
#include "framework/ui/MenuItem.h"
#include "framework/ui/Panel.h"
#include "framework/ui/ShapeControl.h"
#include "framework/ui/StatusBar.h"
#include "framework/ui/TextLabel.h"

namespace {

constexpr int kFileRightEdit = 2;

const char* const kAttorneyPanels[] = {"RA1F", "RA2F", "RA3F"};
const char* const kCodePanels[] = {"StMsgF", "DepartmentF", "CaType1F", "CaType2F", "CaType3F"};

void showControl(TControl* control, bool shown) {
  if (!control) return;
  if (auto* label = dynamic_cast<TextLabel*>(control)) label->SetAutoSize(false);
  control->SetVisible(shown);
}

TClientCaseLookF1* header() { return dynamic_cast<TClientCaseLookF1*>(FindHostedPanel("ClientCaseLookF1")); }

}  // namespace

void TCaseF::ShowRecordState(bool Shown) {
  CaseNavigator->SetVisible(Shown && !CalendarSearchMode);
  if (CaseNavigator->Visible() && !CaseNavigator->Enabled()) SetNavigatorEnabled(true);
  showMatterControls(Shown);

  TClientCaseLookF1* lookups = header();
  const TDataSetState state = caseState();
  if (state == dsInactive || state == dsBrowse) {
    if (Shown) {
      setRecordStateText("Viewing Current Record");
      // A dummy ("D") or a receptor ("R") has a fee split to show.
      const AnsiString status2 = Case1CaseStatus2 ? Trim(Case1CaseStatus2->AsString()) : AnsiString();
      const bool split = !status2.empty() && AnsiString("DR").find(status2) != AnsiString::npos;
      if (lookups) lookups->FeeSplitBitBtn->SetEnabled(split);
      FeeSplit1->Enabled = split;
    } else {
      setRecordStateText("Waiting for Input");
      clearNotesBox();
    }
  }
  CaseShown = Shown;
  DeleteBitBtn->SetEnabled(Shown);
  Delete1->Enabled = Shown;
  if (state == dsInsert) {
    if (lookups) lookups->FeeSplitBitBtn->SetEnabled(false);
    FeeSplit1->Enabled = false;
    DeleteBitBtn->SetEnabled(false);
  }
}

void TCaseF::showMatterControls(bool Shown) {
  if (TClientCaseLookF1* lookups = header())
    for (TControl* c : std::initializer_list<TControl*>{lookups->AltBillFormat, lookups->CaseAddressBitBtn,
                                                        lookups->FeeSplitBitBtn, lookups->LabelFormatCode})
      showControl(c, Shown);
  BitBtnNotes->SetVisible(Shown);
  for (TMenuItem* item : {Entereditnotes1, Dummyreceptorreallocation1, CaseAddresses1, CaseDescriptions1})
    item->Enabled = Shown;
  showControl(FindHostedControl<TPanel>("CaseDescriptionF", "PanelCaseDescription"), Shown);
  for (const char* name : kAttorneyPanels) {
    auto* panel = dynamic_cast<TEmpLookF*>(FindHostedPanel(name));
    if (!panel) continue;
    for (TControl* c : std::initializer_list<TControl*>{panel->Label1, panel->CCACode, panel->CCAName})
      showControl(c, Shown);
  }
  showControl(FindHostedControl<ShapeControl>("RA3F", "Shape1"), Shown);
  for (const char* name : kCodePanels) {
    auto* panel = dynamic_cast<TCodeLookF*>(FindHostedPanel(name));
    if (!panel) continue;
    for (TControl* c : std::initializer_list<TControl*>{panel->LabelCode, panel->TableCode, panel->TableDesc})
      showControl(c, Shown);
  }
  showControl(FindHostedControl<TPanel>("FCSalesTaxF", "PanelTax"), Shown);
  showControl(FindHostedControl<TPanel>("BillingBoxF", "PanelBilling"), Shown);
  showControl(FindHostedControl<TPanel>("CaseMiscF", "PanelMisc"), Shown);
}

void TCaseF::clearNotesBox() {
  if (!NotesF) return;
  // The text goes first, while the box still names its matter: an empty box without one would
  // ask for a case.
  NotesF->NotesMemo->SetText("");
  NotesF->SetCase("", "");
}

void TCaseF::UpdateRecordStateLabel(TObject* Sender) {
  // The data module is going away: its tables close with nothing left to show.
  if (!DM) return;
  takeCaseReferences();
  TClientCaseLookF1* lookups = header();
  switch (caseState()) {
    case dsBrowse:
      if (CalendarParameter || BatchRunning) break;
      if (CaseShown && !CaseNavigator->Enabled()) SetNavigatorEnabled(true);
      // The table is open before any matter is chosen: only a shown matter is being viewed.
      setRecordStateText(CaseShown ? "Viewing Current Record" : "Waiting for Input");
      break;
    case dsEdit:
      if (CalendarParameter || ActiveFileRights[kFileRightEdit] != "Y" || BatchRunning) break;
      setRecordStateText("Editing Current Record");
      DeleteBitBtn->SetEnabled(true);
      Delete1->Enabled = true;
      SetNavigatorEnabled(false);
      if (lookups) {
        lookups->SetCoverEdits();
        lookups->AlternateID->SetDropDownCount(-1);
      }
      break;
    case dsInsert:
      setRecordStateText("Adding Current Record");
      SaveBitBtn->SetEnabled(true);
      AddMultipleCases1->Enabled = true;
      Save1->Enabled = true;
      DeleteBitBtn->SetEnabled(false);
      Delete1->Enabled = false;
      SetNavigatorEnabled(false);
      showInsertedMatterDefaults();
      break;
    case dsSetKey:
      // A search key being set passes on to the record it finds: the record's state is unchanged.
      return;
    default:
      if (CalendarParameter) break;
      setRecordStateText("");
      DeleteBitBtn->SetEnabled(false);
      Delete1->Enabled = false;
      break;
  }
  StatusBar1->Repaint();
}

void TCaseF::showInsertedMatterDefaults() {
  if (auto* box = dynamic_cast<TBillingBoxF*>(FindHostedPanel("BillingBoxF"))) {
    box->DateClosed->SetText("");
    box->DateOpened->SetDate(SystemDate);
    box->DateLastPosted->SetVisible(false);
    box->LabelLastPosted->SetCaption("This case has not been posted");
  }
  if (auto* codes = dynamic_cast<TEBF2F*>(FindHostedPanel("EBF2F")))
    for (CheckBox* box : {codes->CheckBoxTask, codes->CheckBoxActivity, codes->CheckBoxExpense}) box->SetChecked(false);
}

void TCaseF::SetNavigatorEnabled(bool On) {
  CaseNavigator->SetEnabled(On);
  for (int i = 0; i < CaseNavigator->Buttons()->Count(); ++i) {
    TdcNavButton* button = CaseNavigator->Buttons()->GetButton(i);
    const TdcNavButtonStyle style = button->Style();
    if (style == nbsFirst || style == nbsPrior || style == nbsNext || style == nbsLast) button->SetEnabled(On);
  }
}

void TCaseF::takeCaseReferences() {
  if (!DM) return;
  Client1_ = DM->Client1_;
  Case1_ = DM->Case1_;
  // The case table declares no fields of its own: they are made as it opens and go as it closes.
  const bool open = Case1_->Active();
  Case1ClientCode = open ? Case1_->FindField("Client Code") : nullptr;
  Case1CaseSuffix = open ? Case1_->FindField("Case Suffix") : nullptr;
  Case1CaseStatus2 = open ? Case1_->FindField("Case Status 2") : nullptr;
}

TDataSetState TCaseF::caseState() const {
  if (!DM || !Case1_ || DM->Case1_ != Case1_) return dsInactive;
  return Case1_->State();
}

void TCaseF::setRecordStateText(const AnsiString& Text) {
  if (Text == RecordStateText) return;
  RecordStateText = Text;
  StatusBar1->Invalidate();
}

AnsiString TCaseF::StatusPanelText(int Index) const {
  switch (Index) {
    case 0: return RecordStateText;
    case 1: return WorkstationId;
    case 2: return AliasDescription;
    case 3: return SystemDateDisplay;
    default: return {};
  }
}

void TCaseF::StatusBar1DrawPanel(StatusBar* Bar, StatusPanel* Panel, const TRect& Rect) {
  Canvas& canvas = Bar->canvas();
  canvas.Font()->SetColor(clMaroon);
  // On the panel's face as the bar drew it, bevel included; a long text ends at the panel's edge.
  canvas.Brush.Style = BrushStyle::clear;
  canvas.drawTextClipped(Rect, Rect.Left + 4, Rect.Top + 3, StatusPanelText(Panel->Index()));
  canvas.Brush.Style = BrushStyle::solid;
}
