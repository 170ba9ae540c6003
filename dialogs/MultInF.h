#pragma once
// TMultInF ("Quillon Multiple Case Entry"): the last number of a numeric series of new matters,
// the first being the caller's. Cancelled stays set unless OK accepted the ending number.
#include "framework/ui/Edit.h"
#include "framework/ui/Form.h"
#include "framework/ui/GlyphButton.h"
#include "framework/ui/TextLabel.h"

class TMultInF : public TForm {
  QN_CLASS(TMultInF, TForm)
 public:
  explicit TMultInF(TComponent* AOwner);

  TextLabel* StartLabel;
  TEdit* StartEdit;  // read-only: the numeric suffix of the first matter, put in by the caller
  TextLabel* EndLabel;
  TEdit* EndEdit;
  GlyphButton* SaveBitBtn;
  GlyphButton* CancelBitBtn;

  bool Cancelled = true;
  int EndingNumber = 0;

  void FormShow(TObject* Sender);
  void SaveBitBtnClick(TObject* Sender);
};
