#pragma once
// The framework's handling of input events before Qt delivers them, called by the application's
// notify(). Each answers true when it took the event (result then is notify()'s answer).
class QObject;
class QEvent;
class QWidget;
class QMouseEvent;
class QWheelEvent;

namespace qn::ui::detail {

bool routeMouse(QWidget* receiver, QMouseEvent* event, bool& result);
bool routeWheel(QWidget* receiver, QWheelEvent* event, bool& result);
// ShortcutOverride, KeyPress, KeyRelease and InputMethod.
bool routeKey(QWidget* receiver, QEvent* event, bool& result);
// Keeps input events and posted calls in the framework's queue during a pending-key check.
bool holdInput(QObject* receiver, QEvent* event);
// A left-button release goes to the message hook before any control; answers whether the hook
// handled it.
bool leftButtonUpHooked(QWidget* receiver, QMouseEvent* event);
// The windows of the program lost or gained activation.
void applicationActivationChanged(bool active);
// The release of an Escape press a pending-key check took is not delivered either.
void dropNextEscapeRelease();

}  // namespace qn::ui::detail
