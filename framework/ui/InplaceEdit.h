#pragma once
// TInplaceEdit: the editor a grid puts over its current cell. An edit (text, selection, editing
// keys, maximum length) that hands the grid the keys that move between cells, stores its text
// through the grid as it loses the focus, and keeps the edit mask the grid gives for the cell, which
// a descendant checks typed text against (maskAllows). Changing its word wrap makes its window
// again, keeping text, selection and focus.
#include "framework/ui/Edit.h"

class TCustomGrid;

class TInplaceEdit : public TCustomEdit {
  QN_CLASS(TInplaceEdit, TCustomEdit)
 public:
  explicit TInplaceEdit(TCustomGrid* Grid);

  TCustomGrid* Grid() const { return grid_; }
  const AnsiString& EditMask() const { return editMask_; }
  void SetEditMask(const AnsiString& Value) { editMask_ = Value; }
  bool WordWrap() const { return wordWrap_; }
  void SetWordWrap(bool Value);

  TWantedKeys WantedKeys() const override { return {wkArrows, wkTab, wkReturn, wkEscape}; }
  bool FocusOnPress() const override { return true; }
  void KeyDown(WORD& Key, TShiftState Shift) override;
  void KeyPress(char& Key) override;
  void DoExit() override;

 protected:
  // Whether the text may become NewText under the edit mask; the base takes every text (the
  // masked descendants check it).
  virtual bool maskAllows(const AnsiString& NewText) { return true; }
  bool CanChangeText(const AnsiString& NewText) override { return maskAllows(NewText); }

 private:
  TCustomGrid* grid_;
  AnsiString editMask_;
  bool wordWrap_ = false;
};
