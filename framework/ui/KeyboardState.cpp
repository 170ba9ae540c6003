#include "framework/ui/KeyboardState.h"

#include "framework/ui/VirtualKeys.h"

namespace {

TKeyboardState keys{};

void setDown(WORD virtualKey, bool down) {
  if (virtualKey > 255) return;
  if (down) keys[virtualKey] |= 0x80;
  else keys[virtualKey] &= static_cast<std::uint8_t>(~0x80);
}

}  // namespace

std::int16_t GetKeyState(int VirtualKey) {
  if (VirtualKey < 0 || VirtualKey > 255) return 0;
  std::int16_t state = (keys[static_cast<size_t>(VirtualKey)] & 0x80) ? static_cast<std::int16_t>(0x8000) : 0;
  if (VirtualKey == VK_CAPITAL && qn::ui::lockKeyOn(qn::ui::LockKey::CapsLock)) state |= 1;
  if (VirtualKey == VK_NUMLOCK && qn::ui::lockKeyOn(qn::ui::LockKey::NumLock)) state |= 1;
  return state;
}

void GetKeyboardState(TKeyboardState& State) { State = keys; }

void SetKeyboardState(const TKeyboardState& State) { keys = State; }

namespace qn::ui {

void noteKey(WORD virtualKey, bool down) { setDown(virtualKey, down); }

void noteModifiers(Qt::KeyboardModifiers modifiers) {
  setDown(VK_SHIFT, modifiers & Qt::ShiftModifier);
  setDown(VK_CONTROL, modifiers & Qt::ControlModifier);
  setDown(VK_MENU, modifiers & Qt::AltModifier);
}

void noteMouseButton(Qt::MouseButton button, bool down) {
  switch (button) {
    case Qt::LeftButton: setDown(VK_LBUTTON, down); break;
    case Qt::RightButton: setDown(VK_RBUTTON, down); break;
    case Qt::MiddleButton: setDown(VK_MBUTTON, down); break;
    default: break;
  }
}

void clearKeyboardState() { keys.fill(0); }

KeysHeldDown::KeysHeldDown(WORD virtualKey, TShiftState shift) : saved_(keys) {
  setDown(virtualKey, true);
  if (shift.Contains(ssShift)) setDown(VK_SHIFT, true);
  if (shift.Contains(ssCtrl)) setDown(VK_CONTROL, true);
  if (shift.Contains(ssAlt)) setDown(VK_MENU, true);
}

KeysHeldDown::~KeysHeldDown() { keys = saved_; }

}  // namespace qn::ui
