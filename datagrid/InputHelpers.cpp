#include "datagrid/InputHelpers.h"

#include "framework/ui/ActiveForm.h"
#include "framework/ui/Form.h"
#include "framework/ui/KeyboardState.h"
#include "framework/ui/Messages.h"
#include "framework/ui/SafeDispatch.h"
#include "framework/ui/VirtualKeys.h"
#include "framework/ui/Screen.h"

namespace {

constexpr int kDesignPixelsPerInch = 96;

bool holdsLeftButton(const TControl* control) { return control->ControlState().Contains(csLButtonDown); }

// The first windowed control inside parent, depth first, that holds the left button down.
TWinControl* windowedControlHoldingButton(const TWinControl* parent) {
  for (int i = 0; i < parent->ControlCount(); ++i) {
    auto* child = dynamic_cast<TWinControl*>(parent->Controls(i));
    if (!child) continue;
    if (holdsLeftButton(child)) return child;
    if (TWinControl* inner = windowedControlHoldingButton(child)) return inner;
  }
  return nullptr;
}

}  // namespace

bool IsTextEditKey(WORD Key) {
  return Key == VK_BACK || Key == VK_SPACE || Key == VK_DELETE || (Key >= 0x30 && Key <= 0x6F) || Key > 145;
}

int ScaleByScreenDPI(int Value, int PixelsPerInch) { return Value * PixelsPerInch / kDesignPixelsPerInch; }

int ScaleByScreenDPI(int Value) { return ScaleByScreenDPI(Value, Screen->PixelsPerInch()); }

void ReleaseMouseCapture() {
  TForm* form = Screen->activeForm();
  if (!form) return;
  TWinControl* target = holdsLeftButton(form) ? form : windowedControlHoldingButton(form);
  if (target) PostMessage(target, WM_LBUTTONUP, 0, 0);
}

void SendKeyWithModifier(TWinControl* Window, WORD Key, WORD Modifier) {
  if (!Window) return;
  qn::ui::postCall(Window, [Window, Key, Modifier] {
    TKeyboardState saved;
    GetKeyboardState(saved);
    TKeyboardState pressed = saved;
    pressed[Modifier & 0xFF] |= 0x80;
    SetKeyboardState(pressed);
    ControlRef window(Window);
    Window->Perform(WM_KEYDOWN, Key, 0);
    if (window) Window->Perform(WM_KEYUP, Key, 0);
    SetKeyboardState(saved);
  });
}

TRect GetDesktopWorkArea() { return Screen->workArea(); }

TComponent* GetOwnerForm(const TComponent* Component) {
  TComponent* owner = Component ? Component->Owner() : nullptr;
  while (owner && !dynamic_cast<FormBase*>(owner) && owner->Owner()) owner = owner->Owner();
  return owner;
}
