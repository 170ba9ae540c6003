#pragma once
// The framework's active forms. The active top-level form follows Qt's window activation and
// also every modal service call (message boxes, the login dialog, standard dialogs): the form
// under the box is deactivated while it is open and activated again afterwards, so a scripted box
// in a test does what a real one does. Each docked form is active while the focus is inside it.
// OnActivate and OnDeactivate run only when the active form really changes.
class TForm;
class TControl;
class TWinControl;

namespace qn::ui {

TForm* activeTopLevelForm();
// The docked form the focus is in; nullptr when none.
TForm* activeDockedForm();

// Called by a top-level form's window.
void formWindowActivated(TForm* form);
void formWindowDeactivated(TForm* form);
// A form that was active hides: the form active before it, still shown, becomes active.
void activatePreviousForm(TForm* hidden);
// The form goes: it is active no more, without events.
void formGoing(TForm* form);
// A focus move has settled: the docked form holding the focus follows, and it hears from the
// control that got the focus (WM_COMMAND, EN_SETFOCUS).
void focusSettled();
// A control tells the docked form it is in (WM_COMMAND with the code, the control in LParam); no
// docked form: nothing.
void notifyDockedForm(TWinControl* control, unsigned code);
// A press is about to reach target: the docked form it is in hears WM_MOUSEACTIVATE first.
void pressComing(TControl* target);

// While one lives, no top-level form is active; the one it found is activated again at its end.
class ModalServiceScope {
 public:
  ModalServiceScope();
  ~ModalServiceScope();
  ModalServiceScope(const ModalServiceScope&) = delete;
  ModalServiceScope& operator=(const ModalServiceScope&) = delete;
};

}  // namespace qn::ui
