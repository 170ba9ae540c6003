#include "dialogs/PermDelF.h"

#include "framework/base/ClassRegistry.h"
#include "framework/base/FormVariables.h"
#include "framework/base/StringUtils.h"
#include "framework/base/UnitLifecycle.h"
#include "framework/ui/Dialogs.h"
#include "framework/ui/PlaceControl.h"

TPermDelF* PermDelF = nullptr;

TPermDelF::TPermDelF(TComponent* AOwner) : TForm(AOwner) {
  SetName("PermDelF");
  SetCaption(DefaultCaption);
  SetBorderStyle(bsDialog);
  SetPosition(poScreenCenter);
  SetClientWidth(520);
  SetClientHeight(330);
  ListBox1 = PlaceControl<ListBox>(this, this, 10, 10, 500, 270);
  ListBox1->Font()->SetName("Courier New");
  OKBitBtn = PlaceControl<GlyphButton>(this, this, 190, 292, 210, 28);
  OKBitBtn->SetCaption("&Permanently Delete Client");
  CancelBitBtn = PlaceControl<GlyphButton>(this, this, 410, 292, 100, 28);
  CancelBitBtn->SetKind(gbkCancel);
  OnShow = [this](TObject* Sender) { FormShow(Sender); };
  ListBox1->OnClick = [this](TObject* Sender) { ListBox1Click(Sender); };
  OKBitBtn->OnClick = [this](TObject* Sender) { OKBitBtnClick(Sender); };
}

bool TPermDelF::matters() const { return Caption().find("matter") != AnsiString::npos; }

void TPermDelF::FormShow(TObject*) {
  Confirmed = false;
  SelectedKey.clear();
  ListBox1->SetSorted(true);
  OKBitBtn->SetEnabled(false);
}

void TPermDelF::ListBox1Click(TObject*) {
  for (int i = 0; i < ListBox1->Items()->Count(); ++i) {
    if (!ListBox1->Selected(i)) continue;
    SelectedKey = ListBox1->Items()->Strings(i).substr(0, matters() ? 14 : 7);
    OKBitBtn->SetEnabled(true);
    return;
  }
}

void TPermDelF::OKBitBtnClick(TObject*) {
  const AnsiString question =
      matters() ? "Are you sure you wish to PERMANENTLY remove the matter " + Trim(SelectedKey.substr(0, 7)) + "-" +
                      Trim(SelectedKey.substr(7)) + " from Quillon?"
                : "Are you sure you wish to PERMANENTLY remove the client " + Trim(SelectedKey) + " from Quillon?";
  if (MessageDlg(question, mtConfirmation, {mbYes, mbNo}, 0) != mrYes) return;
  Confirmed = true;
  SetModalResult(mrOk);
}

namespace {

// The main block creates the dialog by its class name and keeps it in PermDelF.
UnitRegistration unit("dialogs/PermDelF", {"framework/ui/Application"}, [] {
  RegisterClass<TPermDelF>();
  RegisterFormVariable(PermDelF);
});

}  // namespace
