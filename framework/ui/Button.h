#pragma once
// The push button. A click (mouse, Space while focused, or Enter and Escape through its form)
// runs OnClick and, when the button has a modal result, gives it to its form, which ends a modal
// run with it. Enter in a form presses the focused button, else the form's default button;
// Escape presses its cancel button.
#include "framework/ui/MessageDialogTypes.h"
#include "framework/ui/WinControl.h"

class FormBase;

class TButton : public TWinControl {
  QN_PUBLISHED_CLASS(TButton, TWinControl)
 public:
  explicit TButton(TComponent* AOwner);

  AnsiString Caption() const { return Text(); }
  void SetCaption(const AnsiString& Value) { SetText(Value); }
  // Pressed by Enter when no other button has the focus.
  bool Default() const { return default_; }
  void SetDefault(bool Value);
  // Pressed by Escape.
  bool Cancel() const { return cancel_; }
  void SetCancel(bool Value) { cancel_ = Value; }
  TModalResult ModalResult() const { return modalResult_; }
  void SetModalResult(TModalResult Value) { modalResult_ = Value; }

  void Click() override;
  void KeyPress(char& Key) override;

 protected:
  QWidget* MakeWidget(QWidget* parentWidget) override;
  void WindowCreated() override;
  void TextChanged() override;

 private:
  bool default_ = false;
  bool cancel_ = false;
  TModalResult modalResult_ = mrNone;
};

namespace qn::ui {

// Enter or Escape for a form: presses the button they stand for (shown and enabled); answers
// whether one was pressed.
bool pressDialogButton(FormBase* form, WORD Key);

}  // namespace qn::ui
