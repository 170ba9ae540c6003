#include "framework/ui/MaskEdit.h"

#include "framework/ui/VirtualKeys.h"

void TCustomMaskEdit::PublishProperties(PropertyPublisher<TCustomMaskEdit>& publish) {
  publish.String("EditMask", &TCustomMaskEdit::EditMask, &TCustomMaskEdit::SetEditMask);
}

bool TCustomMaskEdit::CanChangeText(const AnsiString& NewText) {
  if (!ChangeByUser()) return TCustomEdit::CanChangeText(NewText);
  if (!EditCanModify() || !TCustomEdit::CanChangeText(NewText)) return false;
  if (!Modified()) textBeforeEditing_ = Text();
  return true;
}

void TCustomMaskEdit::Reset() {
  if (Modified()) SetText(textBeforeEditing_);
  SetModified(false);
  SelectAll();
}

void TCustomMaskEdit::KeyDown(WORD& Key, TShiftState Shift) {
  TCustomEdit::KeyDown(Key, Shift);
  if (Key == VK_ESCAPE && Shift.Empty() && Modified()) {
    Reset();
    Key = 0;
  }
}
