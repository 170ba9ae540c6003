#include "framework/ui/InplaceEdit.h"

#include "framework/ui/CustomGrid.h"

TInplaceEdit::TInplaceEdit(TCustomGrid* Grid) : TCustomEdit(Grid), grid_(Grid) {
  SetTabStop(false);
  SetVisible(false);
  SetParent(Grid);
}

void TInplaceEdit::SetWordWrap(bool Value) {
  if (Value == wordWrap_) return;
  wordWrap_ = Value;
  if (hasWindow()) recreateWindow();
}

void TInplaceEdit::KeyDown(WORD& Key, TShiftState Shift) {
  if (grid_->cellEditorKey(Key, Shift)) {
    Key = 0;
    return;
  }
  TCustomEdit::KeyDown(Key, Shift);
}

void TInplaceEdit::KeyPress(char& Key) {
  // Enter, Tab and Escape did their work as keys; as characters they would only beep.
  if (Key == '\r' || Key == '\t' || Key == 27) {
    Key = 0;
    return;
  }
  if (static_cast<unsigned char>(Key) >= 32 && !grid_->cellEditorAcceptsKey(Key)) {
    Key = 0;
    return;
  }
  TCustomEdit::KeyPress(Key);
}

void TInplaceEdit::DoExit() {
  grid_->storeCellEditor();
  TCustomEdit::DoExit();
}
