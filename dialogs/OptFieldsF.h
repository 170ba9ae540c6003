#pragma once
// TOptFieldsF ("Billable Fields"): the billable employee, hours, rate and amount of a time or cost
// entry, with Hold and No Bill. An employee picker that keeps its frame; the description editor
// opens it modally and takes what it changed.
#include "dialogs/EmpLookF.h"
#include "dialogs/MemoF.h"

class CheckBox;
class GlyphButton;
class TEdit;

// The dialog's size factor for the window-size option: 1, 1.1 or 1.25 for settings 0, 1, 2.
double BillableFieldsScale(int SizeOption);

// What the hours and rate fields are called for an entry: billable hours and rate for time
// (kind 1), actual amount and markup factor for amount-only entries, units and unit charge else.
struct BillableFieldCaptions {
  AnsiString Hours, Rate;
};
BillableFieldCaptions BillableFieldCaptionsFor(int TransactionKind, bool AmountOnly);

class TOptFieldsF : public TEmpLookF {
  QN_CLASS(TOptFieldsF, TEmpLookF)
 public:
  explicit TOptFieldsF(TComponent* AOwner);

  TextLabel *LabelHours, *LabelRate, *LabelAmount;
  TEdit *BillHours, *BillRate, *BillAmount;
  CheckBox* CBHold;
  CheckBox* CBNoBill;
  GlyphButton* OKBitBtn;
  GlyphButton* CancelBitBtn;

  // The snapshot and the entry's own values handed over; the fields are named for the entry's
  // kind, and the employee tables opened.
  void Prepare(const BillableFieldValues& Values, bool AmountOnly);
  // OK with a change of employee, values, Hold or No Bill.
  bool ChangedOnOk() const;
  // The focus is, or last was among the fields, on the hours or the rate.
  bool LastOnHoursOrRate() const;
  // What the dialog leaves: the employee code and name and the values as typed.
  BillableFieldValues Result() const;

  void CBHoldClick(TObject* Sender);
  void CBNoBillClick(TObject* Sender);
  void ValueKeyPress(TObject* Sender, char& Key);
  void FormKeyPress(TObject* Sender, char& Key);

 private:
  void scaleForSizeOption();

  BillableFieldValues handed_;
  bool lastOnHoursOrRate_ = false;
};

extern TOptFieldsF* OptFieldsF;
