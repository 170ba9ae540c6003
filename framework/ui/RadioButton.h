#pragma once
// An option of a set: checking one unchecks the other radio buttons of the same parent. A click,
// or Space while it has the focus, checks it; each time it becomes checked, by the user or by
// code, OnClick runs once. The arrow keys move the focus to the previous or next button of the
// set (round from the last to the first) and check it.
#include "framework/base/Alignment.h"
#include "framework/ui/WinControl.h"

class RadioButton : public TWinControl {
  QN_PUBLISHED_CLASS(RadioButton, TWinControl)
 public:
  explicit RadioButton(TComponent* AOwner);

  AnsiString Caption() const { return Text(); }
  void SetCaption(const AnsiString& Value) { SetText(Value); }
  bool Checked() const { return checked_; }
  void SetChecked(bool Value);
  // The caption's side: taRightJustify puts it right of the circle (the usual), taLeftJustify left.
  TAlignment Alignment() const { return alignment_; }
  void SetAlignment(TAlignment Value);

  void Click() override;
  void KeyPress(char& Key) override;
  void KeyDown(WORD& Key, TShiftState Shift) override;
  TWantedKeys WantedKeys() const override;

 protected:
  QWidget* MakeWidget(QWidget* parentWidget) override;
  void WindowCreated() override;
  void TextChanged() override;

 private:
  void showChecked();

  bool checked_ = false;
  TAlignment alignment_ = taRightJustify;
};
