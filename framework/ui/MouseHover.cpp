#include "framework/ui/MouseHover.h"

#include "framework/ui/SafeDispatch.h"
#include "framework/ui/WinControl.h"

namespace qn::ui {

namespace {

ControlRef& hovered() {
  static ControlRef control;
  return control;
}

}  // namespace

void noteMouseOver(TControl* control) {
  if (dynamic_cast<TWinControl*>(control)) control = nullptr;
  TControl* previous = hovered().get();
  if (previous == control) return;
  hovered() = ControlRef(control);
  if (previous) guarded(previous, [previous] { previous->MouseLeave(); });
  ControlRef entered(control);
  if (entered) guarded(control, [control] { control->MouseEnter(); });
}

}  // namespace qn::ui
