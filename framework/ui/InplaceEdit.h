#pragma once
// TInplaceEdit: the editor a grid puts over its current cell. A masked edit (text, selection,
// editing keys, maximum length, the cell's edit mask) that hands the grid the keys that move
// between cells, Escape among them, so the grid gives back the cell's own text; stores its text
// through the grid as it loses the focus; and asks the grid before each change the user makes
// whether the cell may be edited. Word wrap makes it a multi-line edit wrapping at words; changing
// it makes its window again, keeping text, selection and focus.
#include "framework/ui/MaskEdit.h"

class TCustomGrid;

class TInplaceEdit : public TCustomMaskEdit {
  QN_CLASS(TInplaceEdit, TCustomMaskEdit)
 public:
  explicit TInplaceEdit(TCustomGrid* Grid);

  TCustomGrid* Grid() const { return grid_; }
  using TCustomMaskEdit::WordWrap;
  void SetWordWrap(bool Value);

  TWantedKeys WantedKeys() const override { return {wkArrows, wkTab, wkReturn, wkEscape}; }
  bool FocusOnPress() const override { return true; }
  void KeyDown(WORD& Key, TShiftState Shift) override;
  void KeyPress(char& Key) override;
  void DoExit() override;

 protected:
  // Whether the user may make the text NewText under the edit mask; the base takes every text
  // (the masked descendants check it). Text set by code, the cell's own, is never refused.
  virtual bool maskAllows(const AnsiString& NewText) { return true; }
  bool CanChangeText(const AnsiString& NewText) override;
  // The grid decides whether its cell may be edited now.
  bool EditCanModify() override;

 private:
  TCustomGrid* grid_;
};
