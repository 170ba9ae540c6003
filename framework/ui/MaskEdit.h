#pragma once
// The edit with a reset: Escape, after the user changed the text, gives back the text the control
// had when that editing began (and leaves Modified cleared); an unchanged edit passes Escape on to
// its form. Before each change the user makes, EditCanModify is asked, so a descendant can refuse
// editing or prepare for it (put its record into edit); text set by code is not asked.
//
// EditMask is kept (a form description or a descendant sets it) and applied to nothing: no mask
// language is carried out here.
#include "framework/ui/Edit.h"

class TCustomMaskEdit : public TCustomEdit {
  QN_PUBLISHED_CLASS(TCustomMaskEdit, TCustomEdit)
 public:
  explicit TCustomMaskEdit(TComponent* AOwner) : TCustomEdit(AOwner) {}

  AnsiString EditMask() const { return editMask_; }
  void SetEditMask(const AnsiString& Value) { editMask_ = Value; }

  // Gives back the text of when editing began, all selected, Modified cleared.
  virtual void Reset();

  void KeyDown(WORD& Key, TShiftState Shift) override;

 protected:
  // Whether the user may change the text now; the base allows it.
  virtual bool EditCanModify() { return true; }
  bool CanChangeText(const AnsiString& NewText) override;

 private:
  AnsiString editMask_;
  AnsiString textBeforeEditing_;
};

class TMaskEdit : public TCustomMaskEdit {
  QN_CLASS(TMaskEdit, TCustomMaskEdit)
 public:
  explicit TMaskEdit(TComponent* AOwner) : TCustomMaskEdit(AOwner) {}
};
