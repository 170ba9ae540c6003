#include "dialogs/MNGRSelF.h"

#include "core/MessageBoxes.h"
#include "framework/base/ClassRegistry.h"
#include "framework/base/FormVariables.h"
#include "framework/base/UnitLifecycle.h"
#include "framework/ui/PlaceControl.h"

TMNGRSelF* MNGRSelF = nullptr;

TMNGRSelF::TMNGRSelF(TComponent* AOwner) : TForm(AOwner) {
  SetName("MNGRSelF");
  SetCaption("Select a Template");
  SetBorderStyle(bsDialog);
  SetClientWidth(330);
  SetClientHeight(260);
  ListBox1 = PlaceControl<ListBox>(this, this, 8, 8, 314, 206);
  SaveBitBtn = PlaceControl<GlyphButton>(this, this, 70, 224, 90, 27);
  SaveBitBtn->SetKind(gbkOK);
  SaveBitBtn->SetModalResult(mrNone);  // the choice is checked before the form closes
  SaveBitBtn->SetCaption("&OK");
  SaveBitBtn->SetDefault(true);
  CloseBitBtn = PlaceControl<GlyphButton>(this, this, 170, 224, 90, 27);
  CloseBitBtn->SetKind(gbkCancel);
  CloseBitBtn->SetModalResult(mrNone);
  CloseBitBtn->SetCaption("&Cancel");
  CloseBitBtn->SetCancel(true);
  OnShow = [this](TObject* Sender) { FormShow(Sender); };
  SaveBitBtn->OnClick = [this](TObject* Sender) { SaveBitBtnClick(Sender); };
  CloseBitBtn->OnClick = [this](TObject* Sender) { CloseBitBtnClick(Sender); };
}

void TMNGRSelF::FormShow(TObject*) { Result = 0; }

void TMNGRSelF::SaveBitBtnClick(TObject*) {
  if (ListBox1->ItemIndex() < 0) {
    ShowInformationBox("Please select a template.");
    return;
  }
  Result = 1;
  Close();
}

void TMNGRSelF::CloseBitBtnClick(TObject*) {
  Result = 0;
  Close();
}

namespace {
UnitRegistration unit("dialogs/MNGRSelF", {"framework/ui/Application"}, [] {
  RegisterClass<TMNGRSelF>();
  RegisterFormVariable(MNGRSelF);
});
}  // namespace
