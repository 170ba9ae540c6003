// The description editor's transaction fields: hours, rate and amount as they are typed, and the
// rate information and billable-fields dialogs they open.
#include "core/DockedForms.h"
#include "core/TransactionEntry.h"
#include "dialogs/MemoF.h"
#include "editors/DBLookupCombo.h"
#include "dialogs/OptFieldsF.h"
#include "dialogs/RateInfoF.h"
#include "dialogs/TransactionValues.h"
#include "framework/base/FormatText.h"
#include "framework/base/StringUtils.h"
#include "framework/ui/Application.h"
#include "framework/ui/CheckBox.h"
#include "framework/ui/Dialogs.h"
#include "framework/ui/Focus.h"
#include "framework/ui/GlyphButton.h"
#include "framework/ui/KeyRoute.h"
#include "framework/ui/VirtualKeys.h"
#include "framework/ui/Messages.h"
#include "framework/ui/Screen.h"

void TMemoF::TransactionFieldChange(TObject* Sender) {
  auto* field = dynamic_cast<TdcDBSpinEdit*>(Sender);
  if (!field) return;
  const bool decidedTheRate = TransactionEntry.Kind > 1 || (TransactionEntry.FixedAmount ? field == Amount : field == Rate);
  if (decidedTheRate) RateInfoBitBtn->SetVisible(false);
  if (field == Amount) AmountChange(Sender);
  if (field->Focused() && field->SelLength() == 0 && TwoDecimalsComplete(field->Text()) &&
      field->SelStart() == static_cast<int>(field->Text().size()))
    qn::ui::postKeyStroke(VK_TAB);
}

void TMemoF::AmountChange(TObject*) {
  if (TransactionEntry.Kind != 8 || CBNonApplied->Checked()) return;
  if (!IsNegativeAmount(Amount->Text())) return;
  MessageDlg("Debit retainer transfers must be non-applied.", mtWarning, {mbOK}, 0);
  CBNonApplied->SetChecked(true);
  if (CBNonApplied->CanFocus()) CBNonApplied->SetFocus();
}

void TMemoF::HoursExit(TObject*) {
  // Hours the main window has not yet taken keep the focus from the fields that depend on them.
  if (!Hours->Modified()) return;
  TWinControl* to = qn::ui::focusMoveTarget();
  if (!to || to == Hours) return;
  if (dynamic_cast<TdcDBCustomLookupCombo*>(to) || dynamic_cast<TdcDBSpinEdit*>(to) || to->Name() == "DateEdit")
    Hours->SetFocus();
}

void TMemoF::AmountExit(TObject*) {
  if (!TransactionEntry.CodesRequired && Description->CanFocus()) Description->SetFocus();
}

void TMemoF::ToggleTrTypeCBClick(TObject*) {
  TransactionEntry.IndirectCost = ToggleTrTypeCB->Checked();
  if (Description->CanFocus()) Description->SetFocus();
}

void TMemoF::RateInfoBitBtnClick(TObject*) {
  RememberedControl = Screen->ActiveControl();
  AnsiString value = Rate->Text();
  if (TransactionEntry.FixedAmount) value = Amount->Text() == "0.00" ? TransactionEntry.StoredRateValue : Amount->Text();
  {
    TRateInfoF dialog(this);
    dialog.ShowRate(TransactionEntry.RateSourceCode, TransactionEntry.FixedAmount, value, TransactionEntry.RateInfoLine1,
                    TransactionEntry.RateInfoLine2);
    dialog.runModal();
  }
  if (RememberedControl && RememberedControl->CanFocus()) RememberedControl->SetFocus();
}

void TMemoF::OptFieldsBitBtnClick(TObject*) {
  auto* main = dynamic_cast<TControl*>(Application->MainForm());
  if (main && SendMessage(main, MainFormMouseActivateMessage, 0, 0) != 0) return;
  BillableFieldValues handed = BillableFields;
  // An amount-only entry has no hours field: its amount stands in the billable hours.
  const bool amountOnly = Hours->Width() == 0;
  if (amountOnly) handed.Hours = Amount->Text();
  bool changed = false, fromHours = false;
  BillableFieldValues result;
  {
    TOptFieldsF dialog(this);
    dialog.Prepare(handed, amountOnly);
    dialog.runModal();
    changed = dialog.ChangedOnOk();
    fromHours = dialog.LastOnHoursOrRate();
    result = dialog.Result();
  }
  if (!changed) return;
  BillableFields = BillableValuesTaken(result);
  BillableFromHours = fromHours;
  if (main) SendMessage(main, MainFormMouseActivateMessage, 0, fromHours ? 2 : 1);
}
