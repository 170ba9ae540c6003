#include "dialogs/OptFieldsF.h"

#include "core/Globals.h"
#include "core/TransactionEntry.h"
#include "framework/base/ClassRegistry.h"
#include "framework/base/FormVariables.h"
#include "framework/base/StringUtils.h"
#include "framework/base/UnitLifecycle.h"
#include "framework/ui/Beep.h"
#include "framework/ui/CheckBox.h"
#include "framework/ui/Color.h"
#include "framework/ui/Edit.h"
#include "framework/ui/GlyphButton.h"
#include "framework/ui/KeyRoute.h"
#include "framework/ui/VirtualKeys.h"
#include "framework/ui/PlaceControl.h"
#include "framework/ui/TextLabel.h"

TOptFieldsF* OptFieldsF = nullptr;

namespace {

UnitRegistration unit("dialogs/OptFieldsF", {"framework/ui/Application"}, [] {
  RegisterClass<TOptFieldsF>();
  RegisterFormVariable(OptFieldsF);
});

constexpr const char* kZero = "0.00";

TEdit* makeValue(TOptFieldsF* form, const char* name, int left) {
  auto* edit = PlaceControl<TEdit>(form, form, left, 58, 90, 22);
  edit->SetName(name);
  edit->SetText(kZero);
  return edit;
}

TextLabel* makeLabel(TOptFieldsF* form, const char* name, const char* caption, int left) {
  auto* label = PlaceControl<TextLabel>(form, form, left, 40, 98, 16);
  label->SetName(name);
  label->SetCaption(caption);
  return label;
}

}  // namespace

double BillableFieldsScale(int SizeOption) { return SizeOption == 1 ? 1.1 : SizeOption == 2 ? 1.25 : 1.0; }

BillableFieldCaptions BillableFieldCaptionsFor(int TransactionKind, bool AmountOnly) {
  if (TransactionKind == 1) return {"Billable Hours", "Billable Rate"};
  if (AmountOnly) return {"Actual Amount", "Markup Factor"};
  return {"Units", "Unit Charge"};
}

TOptFieldsF::TOptFieldsF(TComponent* AOwner) : TEmpLookF(AOwner) {
  SetName("OptFieldsF");
  SetCaption("Billable Fields");
  SetBorderStyle(bsDialog);
  SetPosition(poScreenCenter);
  SetKeyPreview(true);
  SetClientHeight(140);
  Label1->SetCaption("Billable");
  Label2->SetCaption("Employee");
  CCACode->SetBounds(80, 6, 64, 22);
  CCAName->SetBounds(150, 6, 316, 22);
  LabelHours = makeLabel(this, "LabelHours", "Billable Hours", 12);
  BillHours = makeValue(this, "BillHours", 12);
  LabelRate = makeLabel(this, "LabelRate", "Billable Rate", 112);
  BillRate = makeValue(this, "BillRate", 112);
  LabelAmount = makeLabel(this, "LabelAmount", "Billable Amount", 212);
  BillAmount = makeValue(this, "BillAmount", 212);
  CBHold = PlaceControl<CheckBox>(this, this, 316, 60, 60, 18);
  CBHold->SetName("CBHold");
  CBHold->SetCaption("Hold");
  CBNoBill = PlaceControl<CheckBox>(this, this, 382, 60, 84, 18);
  CBNoBill->SetName("CBNoBill");
  CBNoBill->SetCaption("No Bill");
  OKBitBtn = PlaceControl<GlyphButton>(this, this, 140, 100, 90, 30);
  OKBitBtn->SetName("OKBitBtn");
  OKBitBtn->SetKind(gbkOK);
  CancelBitBtn = PlaceControl<GlyphButton>(this, this, 244, 100, 90, 30);
  CancelBitBtn->SetName("CancelBitBtn");
  CancelBitBtn->SetKind(gbkCancel);

  CBHold->OnClick = [this](TObject* Sender) { CBHoldClick(Sender); };
  CBNoBill->OnClick = [this](TObject* Sender) { CBNoBillClick(Sender); };
  for (TEdit* value : {BillHours, BillRate, BillAmount})
    value->OnKeyPress = [this](TObject* Sender, char& Key) { ValueKeyPress(Sender, Key); };
  for (TWinControl* control : std::initializer_list<TWinControl*>{CCACode, CCAName, BillHours, BillRate, BillAmount})
    control->OnEnter = [this, control, previous = control->OnEnter](TObject* Sender) {
      lastOnHoursOrRate_ = control == BillHours || control == BillRate;
      if (previous) previous(Sender);
    };
  OnKeyPress = [this](TObject* Sender, char& Key) { FormKeyPress(Sender, Key); };
  scaleForSizeOption();
}

// The controls are placed for 96 pixels per inch, where the dialog is 476 pixels wide (595 at 120).
void TOptFieldsF::scaleForSizeOption() {
  const double factor = BillableFieldsScale(FormSizeOption);
  const double scale = factor * PixelsPerInch() / 96;
  if (scale != 1.0) {
    for (int i = 0; i < ControlCount(); ++i) {
      TControl* c = Controls(i);
      c->SetBounds(static_cast<int>(c->Left() * scale), static_cast<int>(c->Top() * scale),
                   static_cast<int>(c->Width() * scale), static_cast<int>(c->Height() * scale));
    }
    SetClientHeight(static_cast<int>(ClientHeight() * scale));
  }
  SetClientWidth(static_cast<int>(595.0 * PixelsPerInch() / 120 * factor));
  CCACode->Font()->SetSize(CCACode->Font()->Size() + FormSizeOption);
  if (FormSizeOption == 2) CCACode->Font()->SetStyle({fsBold});
}

void TOptFieldsF::Prepare(const BillableFieldValues& Values, bool AmountOnly) {
  handed_ = Values;
  if (TransactionEntry.UnallocatedWriteUpDown) {
    SetCaption(Caption() + ":  Unallocated write-up or write-down!");
    handed_.EmployeeCode = "    ";
  }
  OpenEmployeeTables();
  CCAName->SetText(handed_.EmployeeName);
  CCACode->SetText(handed_.EmployeeCode);
  BillHours->SetText(handed_.Hours);
  BillRate->SetText(handed_.Rate);
  BillAmount->SetText(handed_.Amount);
  CBHold->SetChecked(handed_.Hold);
  CBNoBill->SetChecked(handed_.NoBill);
  const BillableFieldCaptions captions = BillableFieldCaptionsFor(TransactionEntry.Kind, AmountOnly);
  LabelHours->SetCaption(captions.Hours);
  LabelRate->SetCaption(captions.Rate);
  if (TransactionEntry.Kind == 1 && TransactionEntry.HideBillableRateAndAmount) {
    for (TEdit* value : {BillRate, BillAmount}) {
      value->SetWidth(0);
      value->SetTabStop(false);
    }
    LabelRate->SetCaption("");
    LabelAmount->SetCaption("");
  } else if (TransactionEntry.Kind != 1 && AmountOnly) {
    BillHours->SetEnabled(false);
    BillHours->SetColor(clSilver);
  }
  if (TransactionEntry.BilledStatus || TransactionEntry.LockedStatus) {
    CBHold->SetEnabled(false);
    CBNoBill->SetEnabled(false);
  }
  if (TransactionEntry.LockedStatus) {
    BillRate->SetEnabled(false);
    BillAmount->SetEnabled(false);
  }
}

void TOptFieldsF::CBHoldClick(TObject*) {
  if (CBHold->Checked()) CBNoBill->SetChecked(false);
}

void TOptFieldsF::CBNoBillClick(TObject*) {
  if (CBNoBill->Checked()) {
    CBHold->SetChecked(false);
    for (TEdit* value : {BillHours, BillRate, BillAmount}) {
      value->SetText(kZero);
      value->SetEnabled(false);
    }
    return;
  }
  const bool untouched = BillHours->Text() == kZero && BillRate->Text() == kZero && BillAmount->Text() == kZero;
  if (untouched) {
    BillHours->SetText(handed_.Hours);
    BillRate->SetText(handed_.Rate);
    BillAmount->SetText(handed_.Amount);
  }
  for (TEdit* value : {BillHours, BillRate, BillAmount}) value->SetEnabled(true);
}

void TOptFieldsF::FormKeyPress(TObject*, char& Key) {
  if (Key != '\r') return;
  Key = 0;
  qn::ui::postKeyStroke(VK_TAB);
}

void TOptFieldsF::ValueKeyPress(TObject* Sender, char& Key) {
  auto* edit = dynamic_cast<TEdit*>(Sender);
  if (!edit || Key < ' ') return;
  const AnsiString text = edit->Text();
  const int caret = edit->SelStart();
  const bool wholeSelected = edit->SelLength() == static_cast<int>(text.size()) && !text.empty();
  if (caret < static_cast<int>(text.size()) && !wholeSelected && text[static_cast<std::size_t>(caret)] == ' ') {
    Key = 0;
    Beep();
  }
}

bool TOptFieldsF::ChangedOnOk() const {
  return ModalResult() == mrOk &&
         (Trim(CCACode->Text()) != Trim(handed_.EmployeeCode) || BillHours->Text() != handed_.Hours ||
          BillAmount->Text() != handed_.Amount || CBHold->Checked() != handed_.Hold ||
          CBNoBill->Checked() != handed_.NoBill);
}

bool TOptFieldsF::LastOnHoursOrRate() const {
  const TWinControl* focused = ActiveControl();
  return focused == BillHours || focused == BillRate || lastOnHoursOrRate_;
}

BillableFieldValues TOptFieldsF::Result() const {
  BillableFieldValues result = handed_;
  result.EmployeeCode = CCACode->Text();
  result.EmployeeName = CCAName->Text();
  result.Hours = BillHours->Text();
  result.Rate = BillRate->Text();
  result.Amount = BillAmount->Text();
  result.Hold = CBHold->Checked();
  result.NoBill = CBNoBill->Checked();
  return result;
}
