#include "casewindow/BillingBoxF.h"

#include "core/DM.h"
#include "core/Globals.h"
#include "core/MessageBoxes.h"
#include "datagrid/DcTbTable.h"
#include "editors/DBDateTimePicker.h"
#include "editors/DBEdit.h"
#include "framework/base/ClassRegistry.h"
#include "framework/base/FormVariables.h"
#include "framework/base/FormatText.h"
#include "framework/base/StringUtils.h"
#include "framework/base/UnitLifecycle.h"
#include "framework/ui/CheckBox.h"
#include "framework/ui/Color.h"
#include "framework/ui/GroupFrame.h"
#include "framework/ui/KeyRoute.h"
#include "framework/ui/Panel.h"
#include "framework/ui/PlaceControl.h"
#include "casewindow/RatesF.h"
#include "framework/ui/Screen.h"
#include "framework/ui/TextLabel.h"
#include "framework/ui/VirtualKeys.h"

TBillingBoxF* BillingBoxF = nullptr;

namespace {

constexpr int kWidth = 295;
// 203 at 120 pixels per inch, as the main window sizes it.
constexpr int kHeight = 162;
constexpr int kFileRightEdit = 2;

TextLabel* label(TBillingBoxF* form, TWinControl* parent, const char* name, const char* caption, int left, int top,
                 int width) {
  auto* text = PlaceControl<TextLabel>(form, parent, left, top, width, 16);
  text->SetName(name);
  text->SetCaption(caption);
  return text;
}

TdcDBEdit* edit(TBillingBoxF* form, const char* name, const char* field, int left, int top, int width, int maxLength) {
  auto* box = PlaceControl<TdcDBEdit>(form, form->PanelBilling, left, top, width, 22);
  box->SetName(name);
  if (DM) box->SetDataSource(DM->SourceOf(DM->Case1_));
  box->SetDataField(field);
  box->SetMaxLength(maxLength);
  return box;
}

TdcDBDateTimePicker* datePicker(TBillingBoxF* form, const char* name, int left, int top) {
  auto* picker = PlaceControl<TdcDBDateTimePicker>(form, form->PanelBilling, left, top, 92, 22);
  picker->SetName(name);
  picker->SetUnboundDataType(dcDTEdtDate);
  picker->SetDisplayFormat("mm/dd/yy");
  picker->SetEpoch(1980);
  picker->SetText("");
  return picker;
}

// A retainer-transfer box with its label beside it; a click on the label focuses the box.
CheckBox* transferBox(TBillingBoxF* form, const char* name, int tag, const char* labelName, const char* caption,
                      int left, int top, TextLabel*& text) {
  auto* check = PlaceControl<CheckBox>(form, form->RTGroupBox, left, top, 17, 17);
  check->SetName(name);
  check->SetTag(tag);
  check->SetColor(clScrollBar);
  text = label(form, form->RTGroupBox, labelName, caption, left + 20, top + 1, 34);
  text->SetTag(tag);
  text->SetTransparent(false);
  text->SetColor(clScrollBar);
  text->OnClick = [check](TObject*) { check->SetFocus(); };
  return check;
}

// Puts the matter into edit when the user changed one of the panel's own controls (the screen's
// active control is then of that kind) while it is browsing and the user may edit it.
template <class Control>
void editMatterOnUserChange() {
  if (!dynamic_cast<Control*>(Screen->ActiveControl())) return;
  if (DM && DM->Case1_->Active() && DM->Case1_->State() == dsBrowse && ActiveFileRights[kFileRightEdit] == "Y")
    DM->Case1_->Edit();
}

}  // namespace

TBillingBoxF::TBillingBoxF(TComponent* AOwner) : DockedPanel(AOwner) {
  SetName("BillingBoxF");
  SetColor(clScrollBar);
  SetClientWidth(kWidth);
  SetClientHeight(kHeight);
  PanelBilling = PlaceControl<TPanel>(this, this, 0, 0, kWidth, kHeight);
  PanelBilling->SetName("PanelBilling");
  PanelBilling->SetBevelOuter(bvNone);
  PanelBilling->SetColor(clScrollBar);

  // Two columns of rows 24 pixels apart, the retainer-transfer group along the bottom.
  LabelBillingStatus1 = label(this, PanelBilling, "LabelBillingStatus1", "Status 1", 4, 5, 68);
  BillingStatus1 = edit(this, "BillingStatus1", "Case Status 1", 74, 2, 22, 1);
  BillingStatus1->SetCharCase(ecUpperCase);
  BillingStatus1->SetHint("Valid choices are CDFGHIPRTUVX or Blank.\rSee Help for more detail.");
  BillingStatus1->SetShowHint(true);
  LabelBillingStatus2 = label(this, PanelBilling, "LabelBillingStatus2", "Status 2", 150, 5, 70);
  BillingStatus2 = edit(this, "BillingStatus2", "Case Status 2", 222, 2, 22, 1);
  BillingStatus2->SetCharCase(ecUpperCase);
  BillingStatus2->SetHint(
      "Valid choices are <blank> or\rD     Dummy Case\rR     Receptor Case\rC     Contingency Case\rN     "
      "Non-Billable Case\rF     Frozen Case\r\rSee Help for more detail.");
  BillingStatus2->SetShowHint(true);
  LabelFBCC = label(this, PanelBilling, "LabelFBCC", "Fee BCC", 4, 29, 68);
  FBCC = edit(this, "FBCC", "Fee BCC", 74, 26, 22, 1);
  LabelCBBC = label(this, PanelBilling, "LabelCBBC", "Cost BCC", 150, 29, 70);
  CBBC = edit(this, "CBBC", "Cost BCC", 222, 26, 22, 1);
  LabelBillingRateCode = label(this, PanelBilling, "LabelBillingRateCode", "Rate Code", 4, 53, 68);
  BillingRate = edit(this, "BillingRate", "Billing Rate Code", 74, 50, 30, 2);
  LabelThreshhold = label(this, PanelBilling, "LabelThreshhold", "Threshold", 150, 53, 70);
  Threshhold = edit(this, "Threshhold", "Threshhold", 222, 50, 60, 5);
  LabelDateOpened = label(this, PanelBilling, "LabelDateOpened", "Opened", 4, 77, 52);
  DateOpened = datePicker(this, "DateOpened", 58, 74);
  LabelDateClosed = label(this, PanelBilling, "LabelDateClosed", "Closed", 154, 77, 46);
  DateClosed = datePicker(this, "DateClosed", 201, 74);
  LabelLastPosted = label(this, PanelBilling, "LabelLastPosted", "This case was last posted on", 2, 101, 202);
  DateLastPosted = datePicker(this, "DateLastPosted", 205, 98);
  DateLastPosted->SetWidth(88);
  DateLastPosted->SetEnabled(false);

  RTGroupBox = PlaceControl<GroupFrame>(this, PanelBilling, 2, 120, kWidth - 4, 40);
  RTGroupBox->SetName("RTGroupBox");
  RTGroupBox->SetCaption(" Retainer Transfers ");
  RTFeesCB = transferBox(this, "RTFeesCB", 0, "LabelRTFees", "Fees", 6, 16, LabelRTFees);
  RTDirectCostsCB = transferBox(this, "RTDirectCostsCB", 1, "LabelRTDirectCosts", "DC", 66, 16, LabelRTDirectCosts);
  RTIndirectCostsCB =
      transferBox(this, "RTIndirectCostsCB", 2, "LabelRTIndirectCosts", "IC", 122, 16, LabelRTIndirectCosts);
  RTFinanceChargesCB =
      transferBox(this, "RTFinanceChargesCB", 3, "LabelRTFinanceCharges", "FC", 178, 16, LabelRTFinanceCharges);
  RTSalesTaxCB = transferBox(this, "RTSalesTaxCB", 4, "LabelRTSalesTax", "Tax", 234, 16, LabelRTSalesTax);

  FeeSplit_ = new TdcTbTable(this);
  FeeSplit_->SetName("FeeSplit_");
  FeeSplit_->SetDatabaseName("QNWIN");
  receptors_ = new TdcTbTable(this);
  receptors_->SetName("Receptors");
  receptors_->SetDatabaseName("QNWIN");

  BillingStatus1->OnKeyDown = [this](TObject* Sender, WORD& Key, TShiftState Shift) {
    BillingStatus1KeyDown(Sender, Key, Shift);
  };
  BillingStatus1->OnKeyPress = [this](TObject* Sender, char& Key) { BillingStatus1KeyPress(Sender, Key); };
  BillingStatus1->OnChange = [this](TObject* Sender) { BillingStatus1Change(Sender); };
  BillingStatus2->OnKeyDown = [this](TObject* Sender, WORD& Key, TShiftState Shift) {
    BillingStatus2KeyDown(Sender, Key, Shift);
  };
  BillingStatus2->OnChange = [this](TObject* Sender) { BillingStatus2Change(Sender); };
  for (TdcDBEdit* full : {BillingRate, Threshhold})
    full->OnChange = [this](TObject* Sender) { BillingRateChange(Sender); };
  for (CheckBox* box : {RTFeesCB, RTDirectCostsCB, RTIndirectCostsCB, RTFinanceChargesCB, RTSalesTaxCB}) {
    box->OnClick = [this](TObject* Sender) { RTFeesCBClick(Sender); };
    box->OnEnter = [this](TObject* Sender) { RTFeesCBEnter(Sender); };
  }
  RTGroupBox->OnExit = [this](TObject* Sender) { RTGroupBoxExit(Sender); };
  for (TdcDBDateTimePicker* date : {DateOpened, DateClosed}) {
    date->OnChange = [this](TObject* Sender) { DateOpenedChange(Sender); };
    date->OnKeyDown = [this](TObject* Sender, WORD& Key, TShiftState Shift) { DateClosedKeyDown(Sender, Key, Shift); };
  }
  LabelBillingRateCode->OnClick = [this](TObject* Sender) { LabelBillingRateCodeClick(Sender); };
  // The label seems pressed while the button is down.
  LabelBillingRateCode->OnMouseDown = [this](TObject*, TMouseButton, TShiftState, int, int) {
    LabelBillingRateCode->SetTop(LabelBillingRateCode->Top() + 1);
  };
  LabelBillingRateCode->OnMouseUp = [this](TObject*, TMouseButton, TShiftState, int, int) {
    LabelBillingRateCode->SetTop(LabelBillingRateCode->Top() - 1);
  };
  OnDeactivate = [this](TObject* Sender) { FormDeactivate(Sender); };
}

void TBillingBoxF::BillingRateChange(TObject* Sender) {
  auto* full = static_cast<TdcDBEdit*>(Sender);
  // Only the user's typing moves on; a matter shown while the edit has the focus does not.
  if (Screen->ActiveControl() != full || !full->Modified()) return;
  if (static_cast<int>(full->Text().size()) < full->MaxLength()) return;
  if (full == Threshhold && full->SelStart() < static_cast<int>(full->Text().size())) return;
  qn::ui::postKeyStroke(VK_TAB);
}

void TBillingBoxF::ResetTransferHighlight() {
  for (CheckBox* box : {RTFeesCB, RTDirectCostsCB, RTIndirectCostsCB, RTFinanceChargesCB, RTSalesTaxCB})
    box->SetColor(clScrollBar);
  for (TextLabel* text : {LabelRTFees, LabelRTDirectCosts, LabelRTIndirectCosts, LabelRTFinanceCharges, LabelRTSalesTax})
    text->SetColor(clScrollBar);
}

void TBillingBoxF::RTFeesCBEnter(TObject* Sender) {
  ResetTransferHighlight();
  auto* entered = static_cast<CheckBox*>(Sender);
  TextLabel* const labels[] = {LabelRTFees, LabelRTDirectCosts, LabelRTIndirectCosts, LabelRTFinanceCharges,
                               LabelRTSalesTax};
  entered->SetColor(clRed);
  if (entered->Tag() >= 0 && entered->Tag() <= 4) labels[entered->Tag()]->SetColor(clRed);
}

void TBillingBoxF::RTGroupBoxExit(TObject*) { ResetTransferHighlight(); }

void TBillingBoxF::FormDeactivate(TObject*) {
  if (MatterLoaded) ResetTransferHighlight();
}

void TBillingBoxF::RTFeesCBClick(TObject*) { editMatterOnUserChange<CheckBox>(); }

void TBillingBoxF::DateOpenedChange(TObject*) { editMatterOnUserChange<TdcDBCustomDateTimePicker>(); }

void TBillingBoxF::DateClosedKeyDown(TObject*, WORD& Key, TShiftState) {
  if (Key >= VK_NUMPAD0 && Key <= VK_NUMPAD0 + 9) Key = static_cast<WORD>('0' + (Key - VK_NUMPAD0));
  else if (Key >= 'A' && Key <= 'Z') Key = 0;
}

void TBillingBoxF::LabelBillingRateCodeClick(TObject*) {
  const AnsiString code = BillingRate->Text();
  if (Trim(code).empty()) {
    ShowInformationBox("Please supply a billing rate.");
    BillingRate->SetFocus();
    return;
  }
  RateCodeShown = Format("%-2.2s", {code});
  std::unique_ptr<TRatesF> rates = std::make_unique<TRatesF>(this);
  rates->runModal();
}

namespace {

// The main block creates the panel by its class name and keeps it in BillingBoxF.
UnitRegistration unit("casewindow/BillingBoxF", {"framework/ui/Application"}, [] {
  RegisterClass<TBillingBoxF>();
  RegisterFormVariable(BillingBoxF);
});

}  // namespace
