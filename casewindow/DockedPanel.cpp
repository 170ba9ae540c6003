#include "casewindow/DockedPanel.h"

#include "core/DM.h"
#include "core/DockedForms.h"
#include "core/Globals.h"
#include "datagrid/DcTbTable.h"
#include "framework/ui/CheckBox.h"
#include "framework/ui/Color.h"
#include "framework/ui/PlaceControl.h"
#include "framework/ui/Screen.h"
#include "framework/ui/ShapeControl.h"

DockedPanel::DockedPanel(TComponent* AOwner) : TForm(AOwner) {}

void DockedPanel::CreateParams(TCreateParams& Params) {
  TForm::CreateParams(Params);
  StripFormFrame(Params);
}

void DockedPanel::WndProc(TMessage& Message) {
  if (Message.Msg == WM_MOUSEACTIVATE) NotifyMainFormMouseActivate();
  TForm::WndProc(Message);
}

void LookupNoticeWatch::Hear(const TMessage& Message) {
  if (Message.Msg == WM_MOUSEACTIVATE) NotifyMainFormMouseActivate();
  if (Message.Msg != WM_COMMAND) return;
  TWinControl* active = picker_->ActiveControl();
  if (!active || Screen->ActiveControl() != active) return;
  const unsigned code = static_cast<unsigned>(Message.WParam) >> 16;
  auto* control = reinterpret_cast<TWinControl*>(Message.LParam);
  if (code == EN_SETFOCUS) focused_ = control;
  if (code == EN_CHANGE && control == focused_) {
    LastLookupControl = active;
    active->FreeNotification(picker_);
  }
}

void LookupNoticeWatch::Forget(TComponent* gone) {
  if (gone == LastLookupControl) LastLookupControl = nullptr;
  if (gone == focused_) focused_ = nullptr;
}

ShapeControl* AddPurpleBand(TForm* panel, const char* name) {
  constexpr int kBandHeight = 3;
  auto* band = PlaceControl<ShapeControl>(panel, panel, 0, panel->ClientHeight() - kBandHeight, panel->Width(), kBandHeight);
  band->SetName(name);
  band->SetAlign(alBottom);
  band->SetPenColor(clPurple);
  band->SetBrushColor(clPurple);
  return band;
}

void EditMatterForCheckBoxClick() {
  if (!dynamic_cast<CheckBox*>(Screen->ActiveControl())) return;
  if (DM && DM->Case1_->State() == dsBrowse) DM->Case1_->Edit();
}
