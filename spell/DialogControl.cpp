#include "spell/DialogControl.h"

namespace {

void fire(const TNotifyEvent& event, TObject* sender) {
  if (event) event(sender);
}

}  // namespace

TDialogControl::TDialogControl(TComponent* AOwner) : TComponent(AOwner) {}

void TDialogControl::ChangeEnabled(int Element, bool Value) {
  if (OnChangeEnabled) OnChangeEnabled(this, Element, Value);
}

void TDialogControl::ChangeVisible(int Element, bool Value) {
  if (OnChangeVisible) OnChangeVisible(this, Element, Value);
}

AnsiString TDialogControl::GetCaption(int Element) {
  AnsiString text;
  if (OnGetCaption) OnGetCaption(this, Element, text);
  return text;
}

void TDialogControl::SetCaption(int Element, const AnsiString& Text) {
  if (OnSetCaption) OnSetCaption(this, Element, Text);
}

void TDialogControl::BackgroundStart() { fire(OnBackgroundStart, this); }
void TDialogControl::BackgroundEnd() { fire(OnBackgroundEnd, this); }
void TDialogControl::SuggestStart() { fire(OnSuggestStart, this); }
void TDialogControl::SuggestEnd() { fire(OnSuggestEnd, this); }
void TDialogControl::Resize() { fire(OnResize, this); }

void TDialogControl::DoAction(int Action) {
  if (handler_) handler_(Action);
}

TDialogControl* FindDialogControl(TComponent* Form) {
  if (!Form) return nullptr;
  for (int i = 0; i < Form->ComponentCount(); ++i)
    if (auto* control = dynamic_cast<TDialogControl*>(Form->Components(i))) return control;
  return nullptr;
}
