#include "casewindow/FullDsc1F.h"

#include "framework/ui/Color.h"
#include "framework/ui/KeyRoute.h"
#include "framework/ui/Memo.h"
#include "framework/ui/PlaceControl.h"
#include "framework/ui/ShapeControl.h"
#include "framework/ui/TextLabel.h"
#include "framework/ui/VirtualKeys.h"

TFullDsc1F::TFullDsc1F(TComponent* AOwner) : TForm(AOwner) {
  SetName("FullDsc1F");
  SetBorderStyle(bsNone);
  SetPosition(poDesigned);
  SetColor(clWhite);
  SetClientWidth(420);
  SetClientHeight(110);
  Shape1 = PlaceControl<ShapeControl>(this, this, 0, 0, 420, 110);
  Shape1->SetName("Shape1");
  Shape1->SetAlign(alClient);
  Shape1->SetPenColor(clNavy);
  Shape1->SetBrushColor(clWhite);
  Memo1 = PlaceControl<TMemo>(this, this, 3, 3, 414, 88);
  Memo1->SetName("Memo1");
  Memo1->SetBorderStyle(bsNone);
  Memo1->SetReadOnly(true);
  // Made last, the label lies in front of the frame.
  Label1 = PlaceControl<TextLabel>(this, this, 5, 92, 412, 16);
  Label1->SetName("Label1");
  Label1->SetCaption("press any key to exit");
  Label1->SetTransparent(true);
  Label1->Font()->SetColor(clGray);
  OnShow = [this](TObject* Sender) { FormShow(Sender); };
  Memo1->OnKeyDown = [this](TObject* Sender, WORD& Key, TShiftState Shift) { Memo1KeyDown(Sender, Key, Shift); };
  Memo1->OnClick = [this](TObject* Sender) { Memo1Click(Sender); };
  Memo1->OnChange = [this](TObject* Sender) { Memo1Change(Sender); };
}

void TFullDsc1F::FormShow(TObject*) { SetFocus(); }

void TFullDsc1F::Memo1KeyDown(TObject*, WORD& Key, TShiftState) {
  if (Key == VK_LEFT || Key == VK_RIGHT) return;
  Key = 0;
  Close();
}

void TFullDsc1F::Memo1Click(TObject*) { Close(); }

void TFullDsc1F::Memo1Change(TObject*) { qn::ui::postKeyStroke(VK_RIGHT); }
