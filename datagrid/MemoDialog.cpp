#include "datagrid/MemoDialog.h"

#include "framework/db/DataSet.h"
#include "framework/db/Field.h"
#include "framework/ui/Application.h"
#include "framework/ui/Screen.h"

TdcMemoDialog::TdcMemoDialog(TComponent* AOwner) : TComponent(AOwner), font_(std::make_unique<TFont>()) {
  link_.SetControl(this);
}

TdcMemoDialog::~TdcMemoDialog() = default;

void TdcMemoDialog::DoInitDialog(TdcMemoDlg* Dialog) {
  if (OnInitDialog) OnInitDialog(Dialog);
}

void TdcMemoDialog::DoCloseDialog(TdcMemoDlg* Dialog) {
  if (OnCloseDialog) OnCloseDialog(Dialog);
}

TField* TdcMemoDialog::boundField() const {
  if (!link_.DataSet() || DataField().empty()) return nullptr;
  return link_.Field();
}

bool TdcMemoDialog::Execute() {
  auto form = std::make_unique<TdcMemoDlg>(Application);
  if (const TForm* active = Screen->activeForm(); active && active->FormStyle() == fsStayOnTop)
    form->SetFormStyle(fsStayOnTop);
  TField* field = boundField();
  if (field) {
    if (field->IsBlob()) form->Memo->Lines()->SetText(field->AsString());
    else form->Memo->SetText(field->AsString());
  }
  const bool viewOnly = MemoAttributes.Contains(mViewOnly);
  form->Memo->SetWordWrap(MemoAttributes.Contains(mWordWrap));
  form->SetBorderStyle(MemoAttributes.Contains(mSizeable) ? bsSizeable : bsDialog);
  form->Memo->SetFont(font_.get());
  form->SetCaption(Caption);
  if (viewOnly) {
    form->CancelBtn->SetVisible(false);
    form->Memo->SetReadOnly(true);
  }
  form->SetPlacement(DlgLeft, DlgTop, DlgWidth, DlgHeight);
  form->UserButton1->SetCaption(UserButton1Caption);
  form->UserButton2->SetCaption(UserButton2Caption);
  form->OnInit = [this](TdcMemoDlg* dialog) { DoInitDialog(dialog); };
  form->OnUserButton1 = OnUserButton1Click;
  form->OnUserButton2 = OnUserButton2Click;

  const bool confirmed = form->runModal() == mrOk;
  DoCloseDialog(form.get());
  if (confirmed && !viewOnly && field) {
    link_.Edit();
    // Through AsString: the field's value is whole before anything can post the record.
    field->SetAsString(form->Memo->Text());
  }
  return confirmed;
}
