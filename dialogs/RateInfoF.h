#pragma once
// TRateInfoF ("Rate Calculation Information"): where the rate of a time or cost entry came from,
// decoded from the rate's source code, with the amount it gave.
#include "framework/ui/Form.h"

class GlyphButton;
class TextLabel;

// What a rate's source code says. Longer than six characters: a group or case billing rate of an
// employee department (first character "D"), an employee ("E") or an employee class ("M"), its
// code in characters 2 to 5 and the rate number in 7 and 8. Otherwise an employee's case billing
// rate: the employee in characters 1 to 4, the code in 5 and 6.
struct RateSource {
  AnsiString Kind;  // "Group" or "Case Billing Rate"
  AnsiString Type;  // "Employee Department", "Employee" or "Employee Class"
  AnsiString Code;
  AnsiString RateNumber;
  AnsiString Employee;
};
RateSource DecodeRateSource(const AnsiString& SourceCode);

class TRateInfoF : public TForm {
  QN_CLASS(TRateInfoF, TForm)
 public:
  explicit TRateInfoF(TComponent* AOwner);

  TextLabel *LabelKind, *LabelType, *LabelCode, *LabelRateNumber, *LabelEmployee;
  TextLabel *LabelAmountKind, *LabelValue, *LabelInfo1, *LabelInfo2;
  GlyphButton* OKBitBtn;

  // The labels for the source code, the entry's kind of amount and its value ("0.00"), and the
  // two lines the main window supplies.
  void ShowRate(const AnsiString& SourceCode, bool FixedAmount, const AnsiString& Value, const AnsiString& Line1,
                const AnsiString& Line2);
};
