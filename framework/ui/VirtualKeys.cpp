#include "framework/ui/VirtualKeys.h"

#include <QKeyEvent>
#include <array>

#include "framework/base/AnsiString.h"

namespace qn::ui {

namespace {

// One key of the US layout the system's codes are named after: its code, its Qt key, whether it
// sits on the keypad, its scan code, and the characters it types without and with Shift.
struct KeyEntry {
  WORD vk;
  int qtKey;
  bool keypad;
  unsigned scan;
  char plain;
  char shifted;
};

constexpr KeyEntry kKeys[] = {
    {VK_BACK, Qt::Key_Backspace, false, 14, 8, 8},
    {VK_TAB, Qt::Key_Tab, false, 15, 9, 9},
    {VK_RETURN, Qt::Key_Return, false, 28, 13, 13},
    {VK_RETURN, Qt::Key_Enter, true, 28, 13, 13},
    {VK_SHIFT, Qt::Key_Shift, false, 42, 0, 0},
    {VK_CONTROL, Qt::Key_Control, false, 29, 0, 0},
    {VK_MENU, Qt::Key_Alt, false, 56, 0, 0},
    {VK_PAUSE, Qt::Key_Pause, false, 69, 0, 0},
    {VK_CAPITAL, Qt::Key_CapsLock, false, 58, 0, 0},
    {VK_ESCAPE, Qt::Key_Escape, false, 1, 27, 27},
    {VK_SPACE, Qt::Key_Space, false, 57, ' ', ' '},
    {VK_PRIOR, Qt::Key_PageUp, false, 73, 0, 0},
    {VK_NEXT, Qt::Key_PageDown, false, 81, 0, 0},
    {VK_END, Qt::Key_End, false, 79, 0, 0},
    {VK_HOME, Qt::Key_Home, false, 71, 0, 0},
    {VK_LEFT, Qt::Key_Left, false, 75, 0, 0},
    {VK_UP, Qt::Key_Up, false, 72, 0, 0},
    {VK_RIGHT, Qt::Key_Right, false, 77, 0, 0},
    {VK_DOWN, Qt::Key_Down, false, 80, 0, 0},
    {VK_INSERT, Qt::Key_Insert, false, 82, 0, 0},
    {VK_DELETE, Qt::Key_Delete, false, 83, 0, 0},
    {VK_APPS, Qt::Key_Menu, false, 93, 0, 0},
    {VK_MULTIPLY, Qt::Key_Asterisk, true, 55, '*', '*'},
    {VK_ADD, Qt::Key_Plus, true, 78, '+', '+'},
    {VK_SUBTRACT, Qt::Key_Minus, true, 74, '-', '-'},
    {VK_DECIMAL, Qt::Key_Period, true, 83, '.', '.'},
    {VK_DECIMAL, Qt::Key_Comma, true, 83, ',', ','},
    {VK_DIVIDE, Qt::Key_Slash, true, 53, '/', '/'},
    {VK_NUMLOCK, Qt::Key_NumLock, false, 69, 0, 0},
    {VK_SCROLL, Qt::Key_ScrollLock, false, 70, 0, 0},
    {VK_OEM_1, Qt::Key_Semicolon, false, 39, ';', ':'},
    {VK_OEM_1, Qt::Key_Colon, false, 39, ';', ':'},
    {VK_OEM_PLUS, Qt::Key_Equal, false, 13, '=', '+'},
    {VK_OEM_PLUS, Qt::Key_Plus, false, 13, '=', '+'},
    {VK_OEM_COMMA, Qt::Key_Comma, false, 51, ',', '<'},
    {VK_OEM_COMMA, Qt::Key_Less, false, 51, ',', '<'},
    {VK_OEM_MINUS, Qt::Key_Minus, false, 12, '-', '_'},
    {VK_OEM_MINUS, Qt::Key_Underscore, false, 12, '-', '_'},
    {VK_OEM_PERIOD, Qt::Key_Period, false, 52, '.', '>'},
    {VK_OEM_PERIOD, Qt::Key_Greater, false, 52, '.', '>'},
    {VK_OEM_2, Qt::Key_Slash, false, 53, '/', '?'},
    {VK_OEM_2, Qt::Key_Question, false, 53, '/', '?'},
    {VK_OEM_3, Qt::Key_QuoteLeft, false, 41, '`', '~'},
    {VK_OEM_3, Qt::Key_AsciiTilde, false, 41, '`', '~'},
    {VK_OEM_4, Qt::Key_BracketLeft, false, 26, '[', '{'},
    {VK_OEM_4, Qt::Key_BraceLeft, false, 26, '[', '{'},
    {VK_OEM_5, Qt::Key_Backslash, false, 43, '\\', '|'},
    {VK_OEM_5, Qt::Key_Bar, false, 43, '\\', '|'},
    {VK_OEM_6, Qt::Key_BracketRight, false, 27, ']', '}'},
    {VK_OEM_6, Qt::Key_BraceRight, false, 27, ']', '}'},
    {VK_OEM_7, Qt::Key_Apostrophe, false, 40, '\'', '"'},
    {VK_OEM_7, Qt::Key_QuoteDbl, false, 40, '\'', '"'},
    // The shifted digits of the top row.
    {'1', Qt::Key_Exclam, false, 2, '1', '!'},
    {'2', Qt::Key_At, false, 3, '2', '@'},
    {'3', Qt::Key_NumberSign, false, 4, '3', '#'},
    {'4', Qt::Key_Dollar, false, 5, '4', '$'},
    {'5', Qt::Key_Percent, false, 6, '5', '%'},
    {'6', Qt::Key_AsciiCircum, false, 7, '6', '^'},
    {'7', Qt::Key_Ampersand, false, 8, '7', '&'},
    {'8', Qt::Key_Asterisk, false, 9, '8', '*'},
    {'9', Qt::Key_ParenLeft, false, 10, '9', '('},
    {'0', Qt::Key_ParenRight, false, 11, '0', ')'},
};

// Scan codes of the letter rows, A to Z.
constexpr std::array<unsigned, 26> kLetterScan{30, 48, 46, 32, 18, 33, 34, 35, 23, 36, 37, 38, 50,
                                               49, 24, 25, 16, 19, 31, 20, 22, 47, 17, 45, 21, 44};
constexpr std::array<char, 10> kShiftedDigits{')', '!', '@', '#', '$', '%', '^', '&', '*', '('};
constexpr std::array<unsigned, 10> kKeypadScan{82, 79, 80, 81, 75, 76, 77, 71, 72, 73};

}  // namespace

TShiftState shiftStateOf(Qt::KeyboardModifiers modifiers) {
  TShiftState shift;
  if (modifiers & Qt::ShiftModifier) shift.Include(ssShift);
  if (modifiers & Qt::ControlModifier) shift.Include(ssCtrl);
  if (modifiers & Qt::AltModifier) shift.Include(ssAlt);
  return shift;
}

WORD virtualKeyOf(const QKeyEvent& event) {
  const int key = event.key();
  const bool keypad = event.modifiers() & Qt::KeypadModifier;
  if (key >= Qt::Key_A && key <= Qt::Key_Z) return static_cast<WORD>('A' + (key - Qt::Key_A));
  if (key >= Qt::Key_0 && key <= Qt::Key_9)
    return static_cast<WORD>(keypad ? VK_NUMPAD0 + (key - Qt::Key_0) : '0' + (key - Qt::Key_0));
  if (key >= Qt::Key_F1 && key <= Qt::Key_F24) return static_cast<WORD>(VK_F1 + (key - Qt::Key_F1));
  if (key == Qt::Key_Backtab) return VK_TAB;
  for (const KeyEntry& entry : kKeys)
    if (entry.qtKey == key && (entry.keypad == keypad || entry.qtKey == Qt::Key_Return)) return entry.vk;
  // A key of another layout: its letter when the text is one.
  const QString text = event.text();
  if (text.size() == 1 && text[0].toUpper() >= QChar('A') && text[0].toUpper() <= QChar('Z'))
    return static_cast<WORD>(text[0].toUpper().unicode());
  for (const KeyEntry& entry : kKeys)
    if (entry.qtKey == key) return entry.vk;
  return 0;
}

TypedCharacter characterOfText(const QString& character) {
  const std::string utf8 = character.toStdString();
  if (utf8.empty()) return {};
  if (!utf8FitsAnsi(utf8)) return {TypedCharacter::Unrepresentable, 0};
  const AnsiString ansi = utf8ToAnsi(utf8);
  if (ansi.size() != 1) return {TypedCharacter::Unrepresentable, 0};
  return {TypedCharacter::Byte, static_cast<unsigned char>(ansi[0])};
}

TypedCharacter characterOf(const QKeyEvent& event, WORD virtualKey) {
  const Qt::KeyboardModifiers modifiers = event.modifiers();
  const bool ctrl = modifiers & Qt::ControlModifier;
  const bool alt = modifiers & Qt::AltModifier;
  switch (virtualKey) {
    case VK_BACK: return {TypedCharacter::Byte, 8};
    case VK_TAB: return ctrl || alt ? TypedCharacter{} : TypedCharacter{TypedCharacter::Byte, 9};
    case VK_RETURN: return {TypedCharacter::Byte, 13};
    case VK_ESCAPE: return {TypedCharacter::Byte, 27};
    default: break;
  }
  if (ctrl && !alt) {
    if (virtualKey >= 'A' && virtualKey <= 'Z') return {TypedCharacter::Byte, static_cast<unsigned char>(virtualKey - 'A' + 1)};
    return {};
  }
  if (alt && !ctrl) return {};
  const QString text = event.text();
  if (text.isEmpty() || text[0].unicode() < 0x20 || text[0].unicode() == 0x7F) return {};
  return characterOfText(text);
}

unsigned scanCodeOf(WORD virtualKey) {
  if (virtualKey >= 'A' && virtualKey <= 'Z') return kLetterScan[virtualKey - 'A'];
  if (virtualKey >= '1' && virtualKey <= '9') return 2 + (virtualKey - '1');
  if (virtualKey == '0') return 11;
  if (virtualKey >= VK_NUMPAD0 && virtualKey <= VK_NUMPAD9) return kKeypadScan[virtualKey - VK_NUMPAD0];
  if (virtualKey >= VK_F1 && virtualKey <= VK_F1 + 9) return 59 + (virtualKey - VK_F1);
  if (virtualKey == VK_F1 + 10) return 87;
  if (virtualKey == VK_F12) return 88;
  for (const KeyEntry& entry : kKeys)
    if (entry.vk == virtualKey) return entry.scan;
  return 0;
}

QtKeyFields qtKeyFieldsOf(WORD virtualKey, TShiftState shift) {
  QtKeyFields fields;
  if (shift.Contains(ssShift)) fields.modifiers |= Qt::ShiftModifier;
  if (shift.Contains(ssCtrl)) fields.modifiers |= Qt::ControlModifier;
  if (shift.Contains(ssAlt)) fields.modifiers |= Qt::AltModifier;
  const bool shifted = shift.Contains(ssShift);
  const bool typing = !shift.Contains(ssCtrl) && !shift.Contains(ssAlt);
  if (virtualKey >= 'A' && virtualKey <= 'Z') {
    fields.key = Qt::Key_A + (virtualKey - 'A');
    if (typing) fields.text = QChar(shifted ? virtualKey : virtualKey + ('a' - 'A'));
    else if (shift.Contains(ssCtrl) && !shift.Contains(ssAlt)) fields.text = QChar(virtualKey - 'A' + 1);
    return fields;
  }
  if (virtualKey >= '0' && virtualKey <= '9') {
    fields.key = Qt::Key_0 + (virtualKey - '0');
    if (typing) fields.text = QChar(shifted ? kShiftedDigits[virtualKey - '0'] : static_cast<char>(virtualKey));
    return fields;
  }
  if (virtualKey >= VK_NUMPAD0 && virtualKey <= VK_NUMPAD9) {
    fields.key = Qt::Key_0 + (virtualKey - VK_NUMPAD0);
    fields.modifiers |= Qt::KeypadModifier;
    if (typing) fields.text = QChar('0' + (virtualKey - VK_NUMPAD0));
    return fields;
  }
  if (virtualKey >= VK_F1 && virtualKey <= VK_F1 + 23) {
    fields.key = Qt::Key_F1 + (virtualKey - VK_F1);
    return fields;
  }
  for (const KeyEntry& entry : kKeys) {
    if (entry.vk != virtualKey) continue;
    fields.key = entry.qtKey;
    if (virtualKey == VK_TAB && shifted) fields.key = Qt::Key_Backtab;
    if (entry.keypad) fields.modifiers |= Qt::KeypadModifier;
    char c = shifted ? entry.shifted : entry.plain;
    if (c && (typing || c < 0x20)) fields.text = QChar(c);
    return fields;
  }
  return fields;
}

}  // namespace qn::ui
