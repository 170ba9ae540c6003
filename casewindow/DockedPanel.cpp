#include "casewindow/DockedPanel.h"

#include "core/DM.h"
#include "core/DockedForms.h"
#include "datagrid/DcTbTable.h"
#include "framework/ui/CheckBox.h"
#include "framework/ui/Screen.h"

DockedPanel::DockedPanel(TComponent* AOwner) : TForm(AOwner) {}

void DockedPanel::CreateParams(TCreateParams& Params) {
  TForm::CreateParams(Params);
  StripFormFrame(Params);
}

void DockedPanel::WndProc(TMessage& Message) {
  if (Message.Msg == WM_MOUSEACTIVATE) NotifyMainFormMouseActivate();
  TForm::WndProc(Message);
}

void EditMatterForCheckBoxClick() {
  if (!dynamic_cast<CheckBox*>(Screen->ActiveControl())) return;
  if (DM && DM->Case1_->State() == dsBrowse) DM->Case1_->Edit();
}
