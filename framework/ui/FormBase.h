#pragma once
// The top-level container of controls: a window of its own on the desktop, the control that
// holds the focus while the window is active (ActiveControl), and key preview (the form sees
// KeyDown, KeyPress and KeyUp before the focused control). TForm builds on it.
#include "framework/ui/WinControl.h"

class FormBase : public TWinControl {
  QN_CLASS(FormBase, TWinControl)
 public:
  explicit FormBase(TComponent* AOwner);
  ~FormBase() override;

  bool KeyPreview() const { return keyPreview_; }
  void SetKeyPreview(bool Value) { keyPreview_ = Value; }

  // The control that has the focus while this form is active.
  TWinControl* ActiveControl() const { return activeControl_; }
  // Moves the focus there when this form is active (a move: exit handling first); otherwise
  // only remembers it.
  void SetActiveControl(TWinControl* Value);
  // Whether this form's window is the active window of the desktop.
  bool Active() const;
  // Moves the focus to the next (previous) control in tab order from the active control.
  void focusNextControl(bool GoForward);

  // Navigation keys the focused control did not want: Enter and Escape (the default and cancel
  // buttons) and others the form acts on. Answers whether the key was used. The base uses none.
  virtual bool DialogKey(WORD Key, TShiftState Shift) { return false; }
  // The wheel, before the focused control gets it; answers whether it was used. The base uses
  // none.
  virtual bool MouseWheelHandled(int WheelDelta, TShiftState Shift, TPoint MousePos) { return false; }

  // Called by the focus protocol: records the new active control without any handling.
  void setActiveControlQuietly(TWinControl* Value);

 protected:
  QWidget* MakeWidget(QWidget* parentWidget) override;
  void Notification(TComponent* AComponent, TOperation Operation) override;

 private:
  bool keyPreview_ = false;
  TWinControl* activeControl_ = nullptr;
};

// The form a control is in; nullptr when it is in none.
FormBase* GetParentForm(const TControl* Control);
