#include "framework/ui/Messages.h"

#include "framework/ui/Control.h"
#include "framework/ui/SafeDispatch.h"

std::intptr_t SendMessage(TControl* Control, unsigned Msg, std::intptr_t WParam, std::intptr_t LParam) {
  return Control ? Control->Perform(Msg, WParam, LParam) : 0;
}

void PostMessage(TControl* Control, unsigned Msg, std::intptr_t WParam, std::intptr_t LParam) {
  // Addressed to the control's message target: freed with the control, its queue goes with it.
  qn::ui::postCall(Control, [Control, Msg, WParam, LParam] { Control->Perform(Msg, WParam, LParam); });
}
