#pragma once
// The one route every key of our windows takes (the application's notify() hands it every
// ShortcutOverride, KeyPress, KeyRelease and InputMethod event of a widget inside a control,
// before Qt's shortcut map and before the widget):
//   1. the application's message hook, which may mark the key handled;
//   2. the menu keys of the active form (shortcuts and accelerators), then Alt and a label's
//      accelerator, which moves the focus to the control the label names;
//   3. the focused control's wanted keys (WantedKeys);
//   4. KeyDown: the form first when its KeyPreview is set, then the control (each may change the
//      key or set it to 0);
//   5. navigation for keys the control does not want: Tab and Shift+Tab, Enter and Escape (the
//      form's DialogKey), the arrows between controls;
//   6. the character: KeyPress, form first with KeyPreview, then the control; the widget gets
//      the possibly changed character, or nothing when it became 0;
//   7. the Qt widget;
//   8. on release, KeyUp in the same order.
// Every ShortcutOverride is accepted, so Qt's shortcut map never acts on its own. Characters come
// from the key's text and from each character an input method commits; one Windows-1252 cannot
// hold is refused with Beep(). An auto-repeated release is dropped, so KeyUp comes once.
#include <cstdint>
#include <functional>

#include "framework/ui/InputTypes.h"

class TWinControl;
class FormBase;

// A key as the message hook sees it: WM_KEYDOWN, WM_SYSKEYDOWN, WM_CHAR, WM_SYSCHAR or WM_KEYUP,
// for the control it goes to; WParam the key or the character, LParam the scan code in bits
// 16..23 and the repeat flag in bit 30.
struct TMsg {
  TWinControl* Control = nullptr;
  unsigned Message = 0;
  std::intptr_t WParam = 0;
  std::intptr_t LParam = 0;
};
using TMessageEvent = std::function<void(TMsg& Msg, bool& Handled)>;

namespace qn::ui {

// Installs the application's message hook (step 1; an empty one uninstalls); answers the one
// replaced.
TMessageEvent setApplicationMessageHook(TMessageEvent hook);
// Installs the handler of menu keys (step 2): answers whether the key was a menu's.
using MenuKeyHandler = std::function<bool(FormBase* form, WORD key, TShiftState shift)>;
MenuKeyHandler setMenuKeyHandler(MenuKeyHandler handler);

// Sends Control the key as a key-down: it enters at step 3, with no hook and no preview.
void sendKey(TWinControl* Control, WORD Key, TShiftState Shift);
// Queue keys for the control focused when they are delivered, entering at step 1; a replayed
// key shows itself pressed in the keyboard state while it is delivered.
void postKeyDown(WORD Key, TShiftState Shift, unsigned ScanCode = 0);
void postKeyUp(WORD Key, TShiftState Shift, unsigned ScanCode = 0);
void postCharacter(char Character);
// A key-down and key-up pair.
void postKeyStroke(WORD Key, TShiftState Shift = {});

}  // namespace qn::ui
