#include "framework/ui/ActiveForm.h"

#include <vector>

#include "framework/ui/Focus.h"
#include "framework/ui/Form.h"
#include "framework/ui/SafeDispatch.h"

namespace qn::ui {

namespace {

ControlRef topLevel;
// The top-level forms in the order they were last activated, the latest last.
std::vector<ControlRef> activationOrder;
ControlRef docked;
ControlRef serviceSaved;
int serviceDepth = 0;

TForm* formOf(const ControlRef& ref) { return static_cast<TForm*>(ref.get()); }

// Switches ref to next, deactivating the old form and activating the new one.
void change(ControlRef& ref, TForm* next) {
  TForm* old = formOf(ref);
  if (old == next) return;
  ref = ControlRef(next);
  if (old) guarded(old, [old] { old->DoDeactivate(); });
  if (next && formOf(ref) == next) guarded(next, [next] { next->DoActivate(); });
}

TForm* dockedFormOf(TControl* control) {
  for (TControl* c = control; c; c = c->Parent())
    if (auto* form = dynamic_cast<TForm*>(c); form && form->Docked()) return form;
  return nullptr;
}

void remember(TForm* form) {
  std::erase_if(activationOrder, [form](const ControlRef& r) { return !r || r.get() == form; });
  activationOrder.push_back(ControlRef(form));
}

}  // namespace

TForm* activeTopLevelForm() { return formOf(topLevel); }
TForm* activeDockedForm() { return formOf(docked); }

void formWindowActivated(TForm* form) {
  remember(form);
  if (serviceDepth > 0) {
    serviceSaved = ControlRef(form);
    return;
  }
  change(topLevel, form);
}

void formWindowDeactivated(TForm* form) {
  if (serviceDepth > 0 || form->remakingWindow()) return;
  if (formOf(topLevel) == form) change(topLevel, nullptr);
}

void activatePreviousForm(TForm* hidden) {
  for (auto it = activationOrder.rbegin(); it != activationOrder.rend(); ++it) {
    auto* form = static_cast<TForm*>(it->get());
    if (form && form != hidden && form->Visible() && form->hasWindow() && !form->Docked()) {
      form->BringToFront();
      return;
    }
  }
}

void formGoing(TForm* form) {
  if (formOf(topLevel) == form) topLevel = ControlRef();
  if (formOf(docked) == form) docked = ControlRef();
}

void focusSettled() {
  TWinControl* focused = focusedControl();
  TForm* form = dockedFormOf(focused);
  if (form && focused != form) form->setActiveControlQuietly(focused);
  change(docked, form);
  if (form && focused != form) notifyDockedForm(focused, EN_SETFOCUS);
}

void notifyDockedForm(TWinControl* control, unsigned code) {
  TForm* form = dockedFormOf(control);
  if (!form || form == control) return;
  form->Perform(WM_COMMAND, static_cast<std::intptr_t>(code) << 16, reinterpret_cast<std::intptr_t>(control));
}

void pressComing(TControl* target) {
  if (TForm* form = dockedFormOf(target)) form->Perform(WM_MOUSEACTIVATE, 0, 0);
}

ModalServiceScope::ModalServiceScope() {
  if (serviceDepth++ > 0) return;
  serviceSaved = topLevel;
  change(topLevel, nullptr);
}

ModalServiceScope::~ModalServiceScope() {
  if (--serviceDepth > 0) return;
  TForm* back = formOf(serviceSaved);
  serviceSaved = ControlRef();
  change(topLevel, back);
}

}  // namespace qn::ui
