#include "dialogs/MultInF.h"

#include "framework/base/ClassRegistry.h"
#include "framework/base/IntegerText.h"
#include "framework/base/StringUtils.h"
#include "framework/base/UnitLifecycle.h"
#include "framework/ui/Dialogs.h"
#include "framework/ui/PlaceControl.h"

TMultInF::TMultInF(TComponent* AOwner) : TForm(AOwner) {
  SetName("MultInF");
  SetCaption("Quillon Multiple Case Entry");
  SetBorderStyle(bsDialog);
  SetPosition(poScreenCenter);
  SetClientWidth(300);
  SetClientHeight(130);
  StartLabel = PlaceControl<TextLabel>(this, this, 12, 16, 140, 16);
  StartLabel->SetCaption("Starting Case Number");
  StartEdit = PlaceControl<TEdit>(this, this, 160, 12, 120, 21);
  StartEdit->SetReadOnly(true);
  EndLabel = PlaceControl<TextLabel>(this, this, 12, 50, 140, 16);
  EndLabel->SetCaption("Ending Case Number");
  EndEdit = PlaceControl<TEdit>(this, this, 160, 46, 120, 21);
  EndEdit->SetMaxLength(7);
  SaveBitBtn = PlaceControl<GlyphButton>(this, this, 110, 90, 80, 28);
  SaveBitBtn->SetCaption("&OK");
  SaveBitBtn->SetDefault(true);
  CancelBitBtn = PlaceControl<GlyphButton>(this, this, 200, 90, 80, 28);
  CancelBitBtn->SetKind(gbkCancel);
  OnShow = [this](TObject* Sender) { FormShow(Sender); };
  SaveBitBtn->OnClick = [this](TObject* Sender) { SaveBitBtnClick(Sender); };
}

void TMultInF::FormShow(TObject*) {
  Cancelled = true;
  EndingNumber = 0;
  EndEdit->SetText("");
  EndEdit->SetFocus();
}

void TMultInF::SaveBitBtnClick(TObject*) {
  const AnsiString text = EndEdit->Text();
  int ending = 0;
  if (!TryStrToInt(Trim(text), ending)) {
    MessageDlg(text + " is not an acceptable value.", mtWarning, {mbOK}, 0);
    EndEdit->SetFocus();
    EndEdit->SelectAll();
    return;
  }
  if (ending < StrToIntDef(Trim(StartEdit->Text()), 0)) {
    MessageDlg("Ending case number must be greater than starting case number.", mtWarning, {mbOK}, 0);
    EndEdit->SetFocus();
    return;
  }
  EndingNumber = ending;
  Cancelled = false;
  SetModalResult(mrOk);
}

namespace {

UnitRegistration unit("dialogs/MultInF", {"framework/ui/Application"}, [] { RegisterClass<TMultInF>(); });

}  // namespace
