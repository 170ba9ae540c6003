#pragma once
// The focus protocol. The framework alone decides where the focus goes; Qt's focus only shows it.
//
// A move leaves the controls from the focused one up to, not including, the innermost container
// that also holds the target, innermost first (DoExit: the value posted, OnExit), then enters the
// containers down to the target, outermost first (DoEnter: OnEnter). What any step raises stops
// the move there (nothing is undone), keeps the focus where it is shown and goes once to the
// application's handler. A SetFocus made by an exit handler replaces the move's target. Window
// activation, popups and remade windows are no moves.
class TWinControl;
class FormBase;

namespace qn::ui {

// Runs a move to target in its form (the active form; other forms only remember it). Answers
// whether the focus ended on target.
bool moveFocus(TWinControl* target);
// The focused control (or a container of it) became unusable: hidden, disabled, going. Its form's
// active control moves to the next control in tab order without exit handling, with the new
// control's enter handling; none there: the form keeps no active control.
void focusedControlUnusable(TWinControl* control);
// While a move runs: where it is going (exit handlers decide by it); nullptr outside a move.
TWinControl* focusMoveTarget();
// Gives Qt's focus to the active form's active control (or to its window when it has none).
void showFocus(FormBase* form);
// The form whose window is active; nullptr when none of ours is.
FormBase* activeForm();
// The active form's active control.
TWinControl* focusedControl();
// A form's window was activated or deactivated: the screen's active control follows, no move.
void formActivationChanged(FormBase* form, bool active);

}  // namespace qn::ui
