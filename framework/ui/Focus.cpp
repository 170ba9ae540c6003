#include "framework/ui/Focus.h"

#include <QApplication>
#include <QWidget>
#include <algorithm>
#include <deque>

#include "framework/ui/ActiveForm.h"
#include "framework/ui/ControlWidget.h"
#include "framework/ui/FormBase.h"
#include "framework/ui/HandlerCall.h"
#include "framework/ui/SafeDispatch.h"
#include "framework/ui/Screen.h"

namespace qn::ui {

namespace {

// The move under way: an exit or enter handler's SetFocus in the same form lands here.
struct Move {
  FormBase* form;
  TWinControl* target;
  TWinControl* redirect = nullptr;
  std::vector<TWinControl*> exited;
};
Move* runningMove = nullptr;

void announceActiveControl() {
  guarded(nullptr, [] { focusSettled(); });
  guarded(nullptr, [] {
    callHandler(Screen->activeControlChanged, Screen);
  });
}

// The innermost control from `from` upwards that also holds `target` (the form when none does).
TWinControl* commonContainer(TWinControl* from, TWinControl* target, FormBase* form) {
  for (TWinControl* c = from; c; c = c->Parent())
    if (c->ContainsControl(target)) return c;
  return form;
}

bool runMove(FormBase* form, TWinControl* target) {
  Move move{form, target, nullptr, {}};
  Move* outer = std::exchange(runningMove, &move);
  TWinControl* const from = form->ActiveControl();
  TWinControl* const asked = target;
  TWinControl* enterFrom = from;
  try {
    // Leave, innermost first; an exit handler's SetFocus replaces the target and the leaving goes
    // on towards the new one, skipping what was already left.
    for (bool again = true; again;) {
      again = false;
      for (TWinControl* c = from; c && c != form && !c->ContainsControl(target); c = c->Parent()) {
        if (std::find(move.exited.begin(), move.exited.end(), c) != move.exited.end()) continue;
        move.exited.push_back(c);
        c->DoExit();
        if (move.redirect) {
          target = std::exchange(move.redirect, nullptr);
          move.target = target;
          again = true;
          break;
        }
      }
    }
    if (!target->CanFocus()) {
      runningMove = outer;
      showFocus(form);
      return false;
    }
    form->setActiveControlQuietly(target);
    showFocus(form);
    // Enter, outermost first.
    std::deque<TWinControl*> entering;
    TWinControl* common = commonContainer(enterFrom, target, form);
    for (TWinControl* c = target; c && c != common && c != form; c = c->Parent()) entering.push_front(c);
    for (TWinControl* c : entering) {
      c->DoEnter();
      if (move.redirect) break;
    }
  } catch (...) {
    runningMove = outer;
    showFocus(form);
    handleCurrentException(nullptr);
    return false;
  }
  runningMove = outer;
  if (TWinControl* next = move.redirect) return moveFocus(next);
  announceActiveControl();
  return form->ActiveControl() == asked;
}

}  // namespace

FormBase* activeForm() {
  if (!qobject_cast<QApplication*>(QCoreApplication::instance())) return nullptr;
  QWidget* window = QApplication::activeWindow();
  if (!window) return nullptr;
  return dynamic_cast<FormBase*>(controlOfWidget(window));
}

TWinControl* focusMoveTarget() { return runningMove ? runningMove->target : nullptr; }

TWinControl* focusedControl() {
  FormBase* form = activeForm();
  return form ? form->ActiveControl() : nullptr;
}

bool moveFocus(TWinControl* target) {
  FormBase* form = GetParentForm(target);
  if (!form || target == form) return false;
  if (runningMove && runningMove->form == form) {
    runningMove->redirect = target;
    return false;
  }
  if (!form->Active()) {
    form->setActiveControlQuietly(target);
    return false;
  }
  if (form->ActiveControl() == target) {
    showFocus(form);
    return true;
  }
  return runMove(form, target);
}

void focusedControlUnusable(TWinControl* control) {
  FormBase* form = GetParentForm(control);
  if (!form) return;
  TWinControl* active = form->ActiveControl();
  if (!active || !control->ContainsControl(active)) return;
  // The next control in tab order outside what became unusable.
  TWinControl* next = active;
  for (;;) {
    next = form->FindNextControl(next, true, true);
    if (!next || next == active) {
      next = nullptr;
      break;
    }
    if (!control->ContainsControl(next)) break;
  }
  form->setActiveControlQuietly(next);
  if (!form->Active()) return;
  showFocus(form);
  if (next) {
    ControlRef ref(next);
    guarded(next, [next] { next->DoEnter(); });
  }
  announceActiveControl();
}

void showFocus(FormBase* form) {
  if (!form || !form->Active() || !form->hasWindow()) return;
  TWinControl* active = form->ActiveControl();
  QWidget* widget = active && active->hasWindow() ? active->Window() : form->Window();
  if (QApplication::focusWidget() && controlOfWidget(QApplication::focusWidget()) == active && active) return;
  widget->setFocus(Qt::OtherFocusReason);
}

void formActivationChanged(FormBase* form, bool active) {
  if (!active) return;
  showFocus(form);
  announceActiveControl();
}

}  // namespace qn::ui
