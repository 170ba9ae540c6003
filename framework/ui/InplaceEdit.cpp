#include "framework/ui/InplaceEdit.h"

#include "framework/ui/CustomGrid.h"

TInplaceEdit::TInplaceEdit(TCustomGrid* Grid) : TCustomMaskEdit(Grid), grid_(Grid) {
  SetTabStop(false);
  SetVisible(false);
  SetParent(Grid);
}

void TInplaceEdit::SetWordWrap(bool Value) {
  if (Value == WordWrap()) return;
  // The wrap is set while the edit shows one line, so the window is made again only once, by the
  // change of lines.
  if (Value) {
    TCustomMaskEdit::SetWordWrap(true);
    SetMultiLine(true);
  } else {
    SetMultiLine(false);
    TCustomMaskEdit::SetWordWrap(false);
  }
}

bool TInplaceEdit::CanChangeText(const AnsiString& NewText) {
  // The mask is asked first: a refused text must not put the grid's cell into editing.
  if (ChangeByUser() && !maskAllows(NewText)) return false;
  return TCustomMaskEdit::CanChangeText(NewText);
}

bool TInplaceEdit::EditCanModify() { return grid_->cellEditorMayModify(); }

void TInplaceEdit::KeyDown(WORD& Key, TShiftState Shift) {
  if (grid_->cellEditorKey(Key, Shift)) {
    Key = 0;
    return;
  }
  TCustomMaskEdit::KeyDown(Key, Shift);
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
  TCustomMaskEdit::KeyPress(Key);
}

void TInplaceEdit::DoExit() {
  grid_->storeCellEditor();
  TCustomMaskEdit::DoExit();
}
