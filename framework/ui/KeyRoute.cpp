#include "framework/ui/KeyRoute.h"

#include <QApplication>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QMouseEvent>

#include "framework/base/AnsiString.h"
#include "framework/ui/Application.h"
#include "framework/ui/Beep.h"
#include "framework/ui/ContextMenu.h"
#include "framework/ui/ControlWidget.h"
#include "framework/ui/Focus.h"
#include "framework/ui/FormBase.h"
#include "framework/ui/HelpService.h"
#include "framework/ui/InputRouting.h"
#include "framework/ui/KeyboardState.h"
#include "framework/ui/Messages.h"
#include "framework/ui/SafeDispatch.h"
#include "framework/ui/TextLabel.h"
#include "framework/ui/VirtualKeys.h"
#include "framework/ui/WidgetApplication.h"

namespace qn::ui {

namespace {

TMessageEvent& messageHook() {
  static TMessageEvent hook;
  return hook;
}

MenuKeyHandler& menuKeys() {
  static MenuKeyHandler handler;
  return handler;
}

enum class Entry { Hook, Control };

std::intptr_t keyLParam(unsigned scan, bool repeat, bool up) {
  std::intptr_t lparam = 1 | (static_cast<std::intptr_t>(scan & 0xFF) << 16);
  if (repeat || up) lparam |= std::intptr_t{1} << 30;
  if (up) lparam |= std::intptr_t{1} << 31;
  return lparam;
}

// Step 1. Answers whether the hook handled the message; it may change WParam.
bool hookHandled(TWinControl* control, unsigned message, std::intptr_t& wparam, std::intptr_t lparam) {
  if (!messageHook()) return false;
  TMessageEvent hook = messageHook();
  TMsg msg{control, message, wparam, lparam};
  bool handled = false;
  hook(msg, handled);
  wparam = msg.WParam;
  return handled;
}

FormBase* previewingForm(TWinControl* control, Entry entry) {
  if (entry != Entry::Hook) return nullptr;
  FormBase* form = GetParentForm(control);
  return form && form != control && form->KeyPreview() ? form : nullptr;
}

// Step 5 for a key the control did not ask for; answers whether the framework used it.
bool navigated(TWinControl* control, WORD key, TShiftState shift) {
  FormBase* form = GetParentForm(control);
  if (!form) return false;
  const TWantedKeys wanted = control->WantedKeys();
  const bool plain = !shift.Contains(ssCtrl) && !shift.Contains(ssAlt);
  switch (key) {
    case VK_TAB:
      if (wanted.Contains(wkTab) || !plain) return false;
      form->focusNextControl(!shift.Contains(ssShift));
      return true;
    case VK_RETURN:
      return !wanted.Contains(wkReturn) && form->DialogKey(key, shift);
    case VK_ESCAPE:
      return !wanted.Contains(wkEscape) && form->DialogKey(key, shift);
    case VK_LEFT:
    case VK_UP:
    case VK_RIGHT:
    case VK_DOWN:
      if (wanted.Contains(wkArrows) || !plain) return false;
      form->focusNextControl(key == VK_RIGHT || key == VK_DOWN);
      return true;
    case VK_F1:
      return plain && !shift.Contains(ssShift) && helpRequestedFor(control);
    case VK_APPS: {
      TPoint centre = control->ClientToScreen({control->Width() / 2, control->Height() / 2});
      return openPopupMenuOf(control, centre);
    }
    default:
      return false;
  }
}

// Step 6 for one character: the hook, then KeyPress in preview order. Answers the character the
// widget is to get (0: none).
char typed(TWinControl* control, char character, bool system, Entry entry, unsigned scan, bool repeat) {
  ControlRef ref(control);
  if (entry == Entry::Hook) {
    std::intptr_t wparam = static_cast<unsigned char>(character);
    if (hookHandled(control, system ? WM_SYSCHAR : WM_CHAR, wparam, keyLParam(scan, repeat, false))) return 0;
    character = static_cast<char>(wparam);
  }
  if (system) return 0;
  if (FormBase* form = previewingForm(control, entry)) {
    form->KeyPress(character);
    if (!ref) return 0;
  }
  if (character) control->KeyPress(character);
  return ref ? character : 0;
}

QString textOf(char character) { return QString::fromStdString(ansiToUtf8(std::string(1, character))); }

// The widget of the control that is to get its keys: Qt's focus widget when it lies inside it.
QWidget* keyWidgetOf(TWinControl* control) {
  QWidget* focus = QApplication::focusWidget();
  if (focus && controlOfWidget(focus) == control) return focus;
  return control->hasWindow() ? control->Window() : nullptr;
}

// Steps 1 to 7 for a key press. Answers false when the event itself is to go to the widget;
// true when the route took it (and delivered what the widget is to get).
bool routePress(TWinControl* control, QWidget* receiver, QKeyEvent* event, Entry entry, unsigned scan) {
  ControlRef ref(control);
  WORD key = virtualKeyOf(*event);
  const TShiftState shift = shiftStateOf(event->modifiers());
  const bool repeat = event->isAutoRepeat();
  const bool system = shift.Contains(ssAlt) && !shift.Contains(ssCtrl);
  TypedCharacter character = characterOf(*event, key);
  if (scan == 0) scan = scanCodeOf(key);
  char result = 0;
  bool hasCharacter = false;
  bool take = false;
  try {
    if (entry == Entry::Hook) {
      std::intptr_t wparam = key;
      if (hookHandled(control, system ? WM_SYSKEYDOWN : WM_KEYDOWN, wparam, keyLParam(scan, repeat, false)) || !ref) return true;
      key = static_cast<WORD>(wparam);
      if (menuKeys() && key && menuKeys()(GetParentForm(control), key, shift)) return true;
      if (system && focusByLabelAccelerator(GetParentForm(control), key)) return true;
    }
    const WORD original = key;
    if (FormBase* form = previewingForm(control, entry); form && key) {
      form->KeyDown(key, shift);
      if (!ref) return true;
    }
    if (key) control->KeyDown(key, shift);
    if (!ref) return true;
    if (key && navigated(control, key, shift)) return true;
    if (!ref) return true;
    if (character.kind == TypedCharacter::Unrepresentable) {
      Beep();
      return true;
    }
    if (system && entry == Entry::Hook) {
      QtKeyFields plain = qtKeyFieldsOf(key, {});
      if (!plain.text.isEmpty()) typed(control, plain.text[0].toLatin1(), true, entry, scan, repeat);
      if (!ref) return true;
    }
    if (character.kind == TypedCharacter::Byte) {
      hasCharacter = true;
      result = typed(control, static_cast<char>(character.byte), false, entry, scan, repeat);
      if (!ref) return true;
      if (result == 0) return true;
    }
    take = key != original || (hasCharacter && static_cast<unsigned char>(result) != character.byte) || key == 0;
    if (key == 0 && !hasCharacter) return true;
  } catch (...) {
    handleCurrentException(ref.get());
    return true;
  }
  if (!take) return false;
  // The widget gets the key as the handlers left it.
  QWidget* target = ref && receiver ? receiver : nullptr;
  if (!target) return true;
  const int qtKey = key == virtualKeyOf(*event) ? event->key() : (key ? qtKeyFieldsOf(key, shift).key : Qt::Key_unknown);
  QKeyEvent changed(QEvent::KeyPress, qtKey, event->modifiers(), hasCharacter ? textOf(result) : QString(), repeat);
  widgetApplication().deliverToQt(target, &changed);
  return true;
}

// Step 8.
bool routeRelease(TWinControl* control, QKeyEvent* event, Entry entry, unsigned scan) {
  ControlRef ref(control);
  WORD key = virtualKeyOf(*event);
  const TShiftState shift = shiftStateOf(event->modifiers());
  if (scan == 0) scan = scanCodeOf(key);
  try {
    if (entry == Entry::Hook) {
      std::intptr_t wparam = key;
      if (hookHandled(control, WM_KEYUP, wparam, keyLParam(scan, false, true)) || !ref) return true;
      key = static_cast<WORD>(wparam);
    }
    if (FormBase* form = previewingForm(control, entry); form && key) {
      form->KeyUp(key, shift);
      if (!ref) return true;
    }
    if (key) control->KeyUp(key, shift);
  } catch (...) {
    handleCurrentException(ref.get());
    return true;
  }
  return !ref || key == 0;
}

bool routeCommit(TWinControl* control, QWidget* receiver, QInputMethodEvent* event) {
  const QString commit = event->commitString();
  if (commit.isEmpty()) return false;  // pre-edit text changes nothing until committed
  ControlRef ref(control);
  QString kept;
  try {
    for (char32_t codePoint : commit.toUcs4()) {
      TypedCharacter character = characterOfText(QString::fromUcs4(&codePoint, 1));
      if (character.kind != TypedCharacter::Byte) {
        Beep();
        continue;
      }
      char result = typed(control, static_cast<char>(character.byte), false, Entry::Hook, 0, false);
      if (!ref) return true;
      if (result) kept += textOf(result);
    }
  } catch (...) {
    handleCurrentException(ref.get());
    return true;
  }
  if (kept == commit) return false;
  if (kept.isEmpty() && event->preeditString().isEmpty()) return true;
  QInputMethodEvent changed(event->preeditString(), event->attributes());
  changed.setCommitString(kept, event->replacementStart(), event->replacementLength());
  widgetApplication().deliverToQt(receiver, &changed);
  return true;
}

QKeyEvent syntheticKey(QEvent::Type type, WORD key, TShiftState shift, bool withText) {
  QtKeyFields fields = qtKeyFieldsOf(key, shift);
  return QKeyEvent(type, fields.key, fields.modifiers, withText ? fields.text : QString());
}

void deliverPosted(QEvent::Type type, WORD key, TShiftState shift, unsigned scan) {
  TWinControl* control = focusedControl();
  if (!control) return;
  QWidget* widget = keyWidgetOf(control);
  KeysHeldDown held(key, shift);
  QKeyEvent event = syntheticKey(type, key, shift, type == QEvent::KeyPress);
  ControlRef ref(control);
  bool taken = type == QEvent::KeyPress ? routePress(control, widget, &event, Entry::Hook, scan)
                                        : routeRelease(control, &event, Entry::Hook, scan);
  if (!taken && ref && widget) widgetApplication().deliverToQt(widget, &event);
}

}  // namespace

TMessageEvent setApplicationMessageHook(TMessageEvent hook) { return std::exchange(messageHook(), std::move(hook)); }

MenuKeyHandler setMenuKeyHandler(MenuKeyHandler handler) { return std::exchange(menuKeys(), std::move(handler)); }

void sendKey(TWinControl* Control, WORD Key, TShiftState Shift) {
  if (!Control) return;
  QWidget* widget = keyWidgetOf(Control);
  QKeyEvent event = syntheticKey(QEvent::KeyPress, Key, Shift, false);
  ControlRef ref(Control);
  if (!routePress(Control, widget, &event, Entry::Control, 0) && ref && widget)
    widgetApplication().deliverToQt(widget, &event);
}

void postKeyDown(WORD Key, TShiftState Shift, unsigned ScanCode) {
  postCall([=] { deliverPosted(QEvent::KeyPress, Key, Shift, ScanCode); });
}

void postKeyUp(WORD Key, TShiftState Shift, unsigned ScanCode) {
  postCall([=] { deliverPosted(QEvent::KeyRelease, Key, Shift, ScanCode); });
}

void postCharacter(char Character) {
  postCall([Character] {
    TWinControl* control = focusedControl();
    if (!control) return;
    ControlRef ref(control);
    QWidget* widget = keyWidgetOf(control);
    char result = typed(control, Character, false, Entry::Hook, 0, false);
    if (!result || !ref || !widget) return;
    QKeyEvent event(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, textOf(result));
    widgetApplication().deliverToQt(widget, &event);
  });
}

void postKeyStroke(WORD Key, TShiftState Shift) {
  postKeyDown(Key, Shift, scanCodeOf(Key));
  postKeyUp(Key, Shift, scanCodeOf(Key));
}

namespace detail {

namespace {
bool droppingEscapeRelease = false;
}

void dropNextEscapeRelease() { droppingEscapeRelease = true; }

bool routeKey(QWidget* receiver, QEvent* event, bool& result) {
  TWinControl* control = controlOfWidget(receiver);
  if (!control) return false;
  switch (event->type()) {
    case QEvent::ShortcutOverride:
      // Taken: the key comes to the route as a press, never to Qt's shortcut map.
      event->accept();
      result = true;
      return true;
    case QEvent::KeyPress: {
      auto* key = static_cast<QKeyEvent*>(event);
      noteModifiers(key->modifiers());
      noteKey(virtualKeyOf(*key), true);
      result = true;
      return routePress(control, receiver, key, Entry::Hook, 0);
    }
    case QEvent::KeyRelease: {
      auto* key = static_cast<QKeyEvent*>(event);
      result = true;
      if (key->isAutoRepeat()) return true;
      noteKey(virtualKeyOf(*key), false);
      noteModifiers(key->modifiers());
      if (droppingEscapeRelease && key->key() == Qt::Key_Escape) {
        droppingEscapeRelease = false;
        return true;
      }
      return routeRelease(control, key, Entry::Hook, 0);
    }
    case QEvent::InputMethod:
      result = true;
      return routeCommit(control, receiver, static_cast<QInputMethodEvent*>(event));
    default:
      return false;
  }
}

void applicationActivationChanged(bool active) {
  if (!active) clearKeyboardState();
  if (Application) Application->activationChanged(active);
}

bool leftButtonUpHooked(QWidget* receiver, QMouseEvent* event) {
  if (event->button() != Qt::LeftButton) return false;
  const QPoint at = event->position().toPoint();
  std::intptr_t wparam = 0;
  bool handled = false;
  guarded(nullptr, [&] { handled = hookHandled(controlOfWidget(receiver), WM_LBUTTONUP, wparam, MakeLParam(at.x(), at.y())); });
  return handled;
}

}  // namespace detail

}  // namespace qn::ui
