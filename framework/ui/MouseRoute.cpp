// The framework's side of every mouse event of our windows: the focus move a press makes (run
// before Qt gives the focus, and refusing the whole press when refused), capture, windowless
// controls, the control's mouse events, and the wheel, which goes to the focused control.
#include <QLineEdit>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QTextEdit>
#include <QWheelEvent>

#include "framework/ui/ActiveForm.h"
#include "framework/ui/ContextMenu.h"
#include "framework/ui/ControlWidget.h"
#include "framework/ui/DropDownWindow.h"
#include "framework/ui/Focus.h"
#include "framework/ui/FormBase.h"
#include "framework/ui/HintService.h"
#include "framework/ui/InputRouting.h"
#include "framework/ui/KeyboardState.h"
#include "framework/ui/MouseCapture.h"
#include "framework/ui/MouseHover.h"
#include "framework/ui/SafeDispatch.h"
#include "framework/ui/WidgetApplication.h"

namespace qn::ui::detail {

namespace {

// A refused press: its release and the moves in between are swallowed too.
bool swallowingPress = false;
// Wheel movement short of a whole step (touchpads, fine wheels).
int pendingWheel = 0;

TMouseButton buttonOf(Qt::MouseButton button) {
  switch (button) {
    case Qt::RightButton: return mbRight;
    case Qt::MiddleButton: return mbMiddle;
    default: return mbLeft;
  }
}

TShiftState shiftOf(Qt::KeyboardModifiers modifiers, Qt::MouseButtons buttons) {
  TShiftState shift;
  if (modifiers & Qt::ShiftModifier) shift.Include(ssShift);
  if (modifiers & Qt::ControlModifier) shift.Include(ssCtrl);
  if (modifiers & Qt::AltModifier) shift.Include(ssAlt);
  if (buttons & Qt::LeftButton) shift.Include(ssLeft);
  if (buttons & Qt::RightButton) shift.Include(ssRight);
  if (buttons & Qt::MiddleButton) shift.Include(ssMiddle);
  return shift;
}

// A middle press pastes the desktop's selection into Qt's text widgets, past the edit's own
// change checks: it never reaches them.
bool isTextWidget(QWidget* widget) {
  for (QWidget* w = widget; w; w = w->parentWidget()) {
    if (qobject_cast<QLineEdit*>(w) || qobject_cast<QTextEdit*>(w) || qobject_cast<QPlainTextEdit*>(w)) return true;
    if (linkOfWidget(w)) return false;
  }
  return false;
}

TPoint toPoint(QPoint p) { return {p.x(), p.y()}; }

}  // namespace

bool routeMouse(QWidget* receiver, QMouseEvent* event, bool& result) {
  const QEvent::Type type = event->type();
  const bool press = type == QEvent::MouseButtonPress || type == QEvent::MouseButtonDblClick;
  const bool release = type == QEvent::MouseButtonRelease;
  if (press || release) noteMouseButton(event->button(), press);

  if (swallowingPress) {
    if (release && event->buttons() == Qt::NoButton) swallowingPress = false;
    result = true;
    return true;
  }

  TWinControl* host = controlOfWidget(receiver);
  TControl* captured = GetCaptureControl();
  if (!host && !captured) return false;

  const QPoint global = event->globalPosition().toPoint();
  TControl* target = captured;
  if (!target) {
    TPoint inHost = host->ScreenToClient(toPoint(global));
    TControl* windowless = host->WindowlessControlAt(inHost);
    target = windowless ? windowless : host;
  }

  if (type == QEvent::MouseMove && !captured) mouseIsOver(target, toPoint(global));
  // A docked form hears of a press before its control does.
  if (press && !captured) {
    ControlRef pressed(target);
    guarded(target, [target] { pressComing(target); });
    if (!pressed) {
      result = true;
      return true;
    }
  }

  // A press that brings the focus: the move runs first, and a refused move takes the press.
  if (press && !captured && event->spontaneous()) {
    auto* windowed = dynamic_cast<TWinControl*>(target);
    if (windowed && windowed->FocusOnPress() && windowed->CanFocus() && !windowed->Focused() && GetParentForm(windowed) &&
        GetParentForm(windowed)->Active()) {
      ControlRef ref(windowed);
      bool moved = moveFocus(windowed);
      if (!moved || !ref) {
        swallowingPress = event->buttons() != Qt::NoButton;
        result = true;
        return true;
      }
    }
  }

  // A windowless control shows its cursor through the window it is painted on.
  if (!captured && type == QEvent::MouseMove && host->hasWindow()) {
    const TCursor cursor = target->Cursor() != crDefault ? target->Cursor() : host->Cursor();
    QWidget* window = host->Window();
    if (cursor != crDefault) window->setCursor(cursorShapeOf(cursor));
    else if (window->testAttribute(Qt::WA_SetCursor)) window->unsetCursor();
  }

  ControlRef targetRef(target);
  if (!press && !release && !captured) {
    noteMouseOver(target);  // enter and leave of windowless controls, which may free the target
    if (!targetRef) {
      result = true;
      return true;
    }
  }
  const TPoint at = target->ScreenToClient(toPoint(global));
  const TShiftState shift = shiftOf(event->modifiers(), event->buttons());
  const TMouseButton button = buttonOf(event->button());
  guarded(target, [&] {
    if (press) target->MouseDownAt(button, shift, at, type == QEvent::MouseButtonDblClick);
    else if (release) target->MouseUpAt(button, shift, at);
    else target->MouseMoveAt(shift, at);
  });
  if (release && button == mbRight && targetRef) guarded(target, [&] { openPopupMenuOf(target, toPoint(global)); });

  // Qt's widget sees the event only when it belongs to the control that got it.
  const bool ownEvent = host && targetRef && (target == host || target->Parent() == host) && !captured;
  const bool capturedHere = captured && targetRef && host == dynamic_cast<TWinControl*>(target);
  if (!(ownEvent || capturedHere) || !controlOfWidget(receiver)) {
    result = true;
    return true;
  }
  if (event->button() == Qt::MiddleButton && isTextWidget(receiver)) {
    result = true;
    return true;
  }
  return false;
}

bool routeWheel(QWidget* receiver, QWheelEvent* event, bool& result) {
  if (!controlOfWidget(receiver)) return false;
  result = true;
  // Over an open drop-down the wheel scrolls the drop-down, not the control that keeps the focus.
  const bool overDropDown = DropDownWindow::inOpenDropDown(receiver);
  TWinControl* focused = overDropDown ? controlOfWidget(receiver) : focusedControl();
  pendingWheel += event->angleDelta().y();
  const int steps = pendingWheel / 120;
  if (steps == 0 || !focused) return true;
  pendingWheel -= steps * 120;
  const int delta = steps * 120;
  const TShiftState shift = shiftOf(event->modifiers(), event->buttons());
  const TPoint at = toPoint(event->globalPosition().toPoint());
  bool handled = false;
  ControlRef ref(focused);
  guarded(focused, [&] {
    FormBase* form = GetParentForm(focused);
    handled = form && form->MouseWheelHandled(delta, shift, at);
    if (!handled && ref) handled = focused->MouseWheel(shift, delta, at);
  });
  if (handled || !ref || !focused->hasWindow()) return true;
  QWidget* widget = overDropDown ? receiver : focused->Window();
  QPointF local = widget->mapFromGlobal(event->globalPosition());
  QWheelEvent whole(local, event->globalPosition(), QPoint(), QPoint(0, delta), event->buttons(), event->modifiers(),
                    Qt::NoScrollPhase, false);
  widgetApplication().deliverToQt(widget, &whole);
  return true;
}

}  // namespace qn::ui::detail
