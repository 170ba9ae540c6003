#pragma once
// The keyboard state as the framework saw it: which keys and mouse buttons are down, kept from
// the events of the program's windows and cleared when they lose activation (a release in another
// program is never seen). A replayed key is shown pressed while it is delivered and the state is
// put back afterwards. The toggle state of Caps Lock and Num Lock comes from one reader: the X
// server's keyboard indicators where there is one, "off" elsewhere, a script in tests.
#include <Qt>
#include <array>
#include <cstdint>
#include <functional>

#include "framework/ui/InputTypes.h"

using TKeyboardState = std::array<std::uint8_t, 256>;

// The state of one key: the high bit set while it is down, the low bit its toggle (lock keys).
std::int16_t GetKeyState(int VirtualKey);
void GetKeyboardState(TKeyboardState& State);
void SetKeyboardState(const TKeyboardState& State);

namespace qn::ui {

void noteKey(WORD virtualKey, bool down);
void noteModifiers(Qt::KeyboardModifiers modifiers);
void noteMouseButton(Qt::MouseButton button, bool down);
void clearKeyboardState();

// Shows keys pressed for a scope (a replayed key) and puts the state found back at its end.
class KeysHeldDown {
 public:
  KeysHeldDown(WORD virtualKey, TShiftState shift);
  ~KeysHeldDown();
  KeysHeldDown(const KeysHeldDown&) = delete;
  KeysHeldDown& operator=(const KeysHeldDown&) = delete;

 private:
  TKeyboardState saved_;
};

enum class LockKey { CapsLock, NumLock };
using LockKeyReader = std::function<bool(LockKey)>;
// Whether the lock key's light is on.
bool lockKeyOn(LockKey key);
// Puts reader in place of the desktop's (an empty one restores it); answers the one replaced.
LockKeyReader setLockKeyReader(LockKeyReader reader);

}  // namespace qn::ui
