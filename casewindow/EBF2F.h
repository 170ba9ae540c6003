#pragma once
// TEBF2F ("Transaction Codes for Electronic Billing"): which transaction codes the matter's
// electronic bills carry (task, activity, expense), as the sum EBFCodeSet of the ticked boxes'
// Tags. The main window ticks the boxes when it loads a matter and reads them when it saves;
// closing without Save puts back the boxes of the moment the dialog was shown.
#include "framework/ui/Form.h"

class CheckBox;
class GlyphButton;

// Set at the end of the main window's start-up; the misc panel clears it once the dialog has
// been shown from there.
extern bool EBFDialogFirstShow;

class TEBF2F : public TForm {
  QN_CLASS(TEBF2F, TForm)
 public:
  explicit TEBF2F(TComponent* AOwner);

  CheckBox* CheckBoxTask;      // Tag 4
  CheckBox* CheckBoxActivity;  // Tag 2
  CheckBox* CheckBoxExpense;   // Tag 1
  GlyphButton* YesBitBtn;
  GlyphButton* NoBitBtn;

  // The sum of the ticked boxes' Tags as the dialog was shown or saved: 0 to 7.
  int EBFCodeSet = 0;
  int ComputeEBFCodeSet() const;

  void FormShow(TObject* Sender);
  void FormClose(TObject* Sender, TCloseAction& Action);
  void YesBitBtnClick(TObject* Sender);
  void CheckBoxTaskClick(TObject* Sender);

 private:
  bool saved_ = false;
};

extern TEBF2F* EBF2F;
