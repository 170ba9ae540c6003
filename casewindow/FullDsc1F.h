#pragma once
// TFullDsc1F: a small frameless pop-up showing a long description with its narrative codes
// expanded, shown modally under the line it expands. Any key but Left and Right, or a click in
// the text, closes it.
#include "framework/ui/Form.h"

class ShapeControl;
class TMemo;
class TextLabel;

class TFullDsc1F : public TForm {
  QN_CLASS(TFullDsc1F, TForm)
 public:
  explicit TFullDsc1F(TComponent* AOwner);

  ShapeControl* Shape1;
  TMemo* Memo1;
  TextLabel* Label1;

  // The keys go to the text.
  void FormShow(TObject* Sender);
  void Memo1KeyDown(TObject* Sender, WORD& Key, TShiftState Shift);
  void Memo1Click(TObject* Sender);
  // The caret follows every change to the end of the text.
  void Memo1Change(TObject* Sender);
};
