#pragma once
// A check box: checked, unchecked or greyed. A click, or Space while it has the focus, moves it to
// the next state (greyed only with AllowGrayed); every change of its state, by the user or by
// code, runs OnClick once.
#include "framework/base/Alignment.h"
#include "framework/ui/WinControl.h"

enum TCheckBoxState { cbUnchecked, cbChecked, cbGrayed };
extern const EnumerationType kCheckBoxStateType;

class CheckBox : public TWinControl {
  QN_PUBLISHED_CLASS(CheckBox, TWinControl)
 public:
  explicit CheckBox(TComponent* AOwner);

  AnsiString Caption() const { return Text(); }
  void SetCaption(const AnsiString& Value) { SetText(Value); }
  TCheckBoxState State() const { return state_; }
  void SetState(TCheckBoxState Value);
  bool Checked() const { return state_ == cbChecked; }
  void SetChecked(bool Value) { SetState(Value ? cbChecked : cbUnchecked); }
  bool AllowGrayed() const { return allowGrayed_; }
  void SetAllowGrayed(bool Value) { allowGrayed_ = Value; }
  // The caption's side: taRightJustify puts it right of the box (the usual), taLeftJustify left.
  TAlignment Alignment() const { return alignment_; }
  void SetAlignment(TAlignment Value);

  void Click() override;
  void KeyPress(char& Key) override;

 protected:
  QWidget* MakeWidget(QWidget* parentWidget) override;
  void WindowCreated() override;
  void TextChanged() override;

 private:
  void showState();

  TCheckBoxState state_ = cbUnchecked;
  bool allowGrayed_ = false;
  TAlignment alignment_ = taRightJustify;
};
