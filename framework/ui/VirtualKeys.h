#pragma once
// Virtual-key codes, the key numbers the system's handlers compare, and the one table that turns
// Qt's key events into them (from the Qt key, the keypad flag and the text, never from native
// key or scan codes, which differ between desktops and are 0 under the offscreen platform), the
// character a key types, and the scan codes replayed keys carry.
#include <QString>
#include <Qt>
#include <optional>

#include "framework/ui/InputTypes.h"

class QKeyEvent;

constexpr WORD VK_LBUTTON = 0x01;
constexpr WORD VK_RBUTTON = 0x02;
constexpr WORD VK_MBUTTON = 0x04;
constexpr WORD VK_BACK = 0x08;
constexpr WORD VK_TAB = 0x09;
constexpr WORD VK_RETURN = 0x0D;
constexpr WORD VK_SHIFT = 0x10;
constexpr WORD VK_CONTROL = 0x11;
constexpr WORD VK_MENU = 0x12;
constexpr WORD VK_PAUSE = 0x13;
constexpr WORD VK_CAPITAL = 0x14;
constexpr WORD VK_ESCAPE = 0x1B;
constexpr WORD VK_SPACE = 0x20;
constexpr WORD VK_PRIOR = 0x21;
constexpr WORD VK_NEXT = 0x22;
constexpr WORD VK_END = 0x23;
constexpr WORD VK_HOME = 0x24;
constexpr WORD VK_LEFT = 0x25;
constexpr WORD VK_UP = 0x26;
constexpr WORD VK_RIGHT = 0x27;
constexpr WORD VK_DOWN = 0x28;
constexpr WORD VK_INSERT = 0x2D;
constexpr WORD VK_DELETE = 0x2E;
constexpr WORD VK_APPS = 0x5D;
constexpr WORD VK_NUMPAD0 = 0x60;
constexpr WORD VK_NUMPAD9 = 0x69;
constexpr WORD VK_MULTIPLY = 0x6A;
constexpr WORD VK_ADD = 0x6B;
constexpr WORD VK_SUBTRACT = 0x6D;
constexpr WORD VK_DECIMAL = 0x6E;
constexpr WORD VK_DIVIDE = 0x6F;
constexpr WORD VK_F1 = 0x70;
constexpr WORD VK_F2 = 0x71;
constexpr WORD VK_F3 = 0x72;
constexpr WORD VK_F4 = 0x73;
constexpr WORD VK_F5 = 0x74;
constexpr WORD VK_F12 = 0x7B;
constexpr WORD VK_NUMLOCK = 0x90;
constexpr WORD VK_SCROLL = 0x91;
constexpr WORD VK_OEM_1 = 0xBA;       // ;:
constexpr WORD VK_OEM_PLUS = 0xBB;    // =+
constexpr WORD VK_OEM_COMMA = 0xBC;   // ,<
constexpr WORD VK_OEM_MINUS = 0xBD;   // -_
constexpr WORD VK_OEM_PERIOD = 0xBE;  // .>
constexpr WORD VK_OEM_2 = 0xBF;       // /?
constexpr WORD VK_OEM_3 = 0xC0;       // `~
constexpr WORD VK_OEM_4 = 0xDB;       // [{
constexpr WORD VK_OEM_5 = 0xDC;       // \|
constexpr WORD VK_OEM_6 = 0xDD;       // ]}
constexpr WORD VK_OEM_7 = 0xDE;       // '"

namespace qn::ui {

// The character a key event types: none, a Windows-1252 byte, or one the code page cannot hold.
struct TypedCharacter {
  enum Kind { None, Byte, Unrepresentable } kind = None;
  unsigned char byte = 0;
};

WORD virtualKeyOf(const QKeyEvent& event);
TShiftState shiftStateOf(Qt::KeyboardModifiers modifiers);
TypedCharacter characterOf(const QKeyEvent& event, WORD virtualKey);
// One character of committed text (an input method's), as Windows-1252.
TypedCharacter characterOfText(const QString& character);

// The scan code a key carries when replayed; 0 when the table has none.
unsigned scanCodeOf(WORD virtualKey);
// The Qt key event fields that type the virtual key with that shift state (for keys the program
// sends or replays itself).
struct QtKeyFields {
  int key = Qt::Key_unknown;
  Qt::KeyboardModifiers modifiers;
  QString text;
};
QtKeyFields qtKeyFieldsOf(WORD virtualKey, TShiftState shift);

}  // namespace qn::ui
