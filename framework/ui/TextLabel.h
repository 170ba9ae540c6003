#pragma once
// A caption without a window, drawn on its parent: aligned, wrapped at words when asked, on its
// colour or transparent, sized to its text when AutoSize is on. '&' underlines the letter after
// it; that letter's accelerator belongs to FocusControl, the control it labels.
#include "framework/base/Alignment.h"
#include "framework/ui/WindowlessControl.h"

class TWinControl;
class FormBase;

class TextLabel : public WindowlessControl {
  QN_PUBLISHED_CLASS(TextLabel, WindowlessControl)
 public:
  explicit TextLabel(TComponent* AOwner);

  AnsiString Caption() const { return Text(); }
  void SetCaption(const AnsiString& Value) { SetText(Value); }
  TAlignment Alignment() const { return alignment_; }
  void SetAlignment(TAlignment Value);
  bool AutoSize() const { return autoSize_; }
  void SetAutoSize(bool Value);
  bool WordWrap() const { return wordWrap_; }
  void SetWordWrap(bool Value);
  bool Transparent() const { return transparent_; }
  void SetTransparent(bool Value);
  // Whether '&' marks an accelerator (otherwise it shows as itself).
  bool ShowAccelChar() const { return showAccelChar_; }
  void SetShowAccelChar(bool Value);
  TWinControl* FocusControl() const { return focusControl_; }
  void SetFocusControl(TWinControl* Value);
  // The letter after the single '&' of the caption, upper case; 0 when none.
  char AcceleratorChar() const;

 protected:
  void Paint() override;
  void TextChanged() override;
  void FontChanged() override;
  // Sized to its caption, it fits it again once scaled: a kept font needs the size it had.
  void scaleInParent(int M, int D, FontScaling Fonts) override;
  void Notification(TComponent* AComponent, TOperation Operation) override;

 private:
  unsigned textFormat() const;
  // Fits the size to the caption (the width kept when it wraps at words).
  void fitToText();

  TAlignment alignment_ = taLeftJustify;
  bool autoSize_ = true;
  bool wordWrap_ = false;
  bool transparent_ = false;
  bool showAccelChar_ = true;
  TWinControl* focusControl_ = nullptr;
};

namespace qn::ui {

// Alt and a letter or digit: the first shown, enabled label of form with that accelerator whose
// FocusControl can take the focus moves the focus there, as Tab would (exit handling first, which
// may refuse). Answers whether a label took the key.
bool focusByLabelAccelerator(FormBase* form, WORD key);

}  // namespace qn::ui
