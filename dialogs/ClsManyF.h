#pragma once
// TClsManyF ("Quillon Close Matters"): the criteria for closing many matters at once - the
// history cut-off date and the coordinating-attorney and RA1 filters, each "All" or an employee
// code - and whether the user chose OK.
#include "editors/DBDateTimePicker.h"
#include "framework/ui/ComboBox.h"
#include "framework/ui/Form.h"
#include "framework/ui/GlyphButton.h"
#include "framework/ui/TextLabel.h"

class TClsManyF : public TForm {
  QN_CLASS(TClsManyF, TForm)
 public:
  explicit TClsManyF(TComponent* AOwner);

  TextLabel* Label1;
  TextLabel* Label2;
  TextLabel* Label3;
  TextLabel* Label4;
  // The history cut-off date, unbound, a date only.
  TdcDBDateTimePicker* DateTimePicker1;
  ComboBox* CBCCA;
  ComboBox* CBRA1;
  GlyphButton* BitBtn1;
  GlyphButton* BitBtn2;

  bool OkPressed = false;

  // "All" and one item per employee of the employee file, in code order: the code, two blanks,
  // "Last, First".
  void FormShow(TObject* Sender);
  void BitBtn1Click(TObject* Sender);
  void BitBtn2Click(TObject* Sender);
  // When either list closes, both show only the code (or "All").
  void CBRA1CloseUp(TObject* Sender);

 private:
  bool realigned_ = false;
};
