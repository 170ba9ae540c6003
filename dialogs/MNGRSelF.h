#pragma once
// TMNGRSelF: the choice of a default template from the list the main window fills; Result tells
// whether one was chosen (1) or the choice was cancelled (0).
#include "framework/ui/Form.h"
#include "framework/ui/GlyphButton.h"
#include "framework/ui/ListBox.h"

class TMNGRSelF : public TForm {
  QN_CLASS(TMNGRSelF, TForm)
 public:
  explicit TMNGRSelF(TComponent* AOwner);

  ListBox* ListBox1;
  GlyphButton* SaveBitBtn;
  GlyphButton* CloseBitBtn;
  int Result = 0;

  void FormShow(TObject* Sender);
  void SaveBitBtnClick(TObject* Sender);
  void CloseBitBtnClick(TObject* Sender);
};

extern TMNGRSelF* MNGRSelF;
