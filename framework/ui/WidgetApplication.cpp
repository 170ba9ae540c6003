#include "framework/ui/WidgetApplication.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPointer>
#include <QWheelEvent>
#include <QWidget>
#include <vector>

#include "framework/base/Exception.h"
#include "framework/ui/DropDownWindow.h"
#include "framework/ui/InputRouting.h"
#include "framework/ui/SafeDispatch.h"

namespace qn::ui {

namespace {

// The receivers whose events are being dispatched, outermost first.
std::vector<QPointer<QObject>> dispatching;

struct DispatchScope {
  explicit DispatchScope(QObject* receiver) { dispatching.emplace_back(receiver); }
  ~DispatchScope() { dispatching.pop_back(); }
};

bool route(QObject* receiver, QEvent* event, bool& result) {
  if (detail::holdInput(receiver, event)) {
    result = true;
    return true;
  }
  switch (event->type()) {
    case QEvent::ShortcutOverride:
    case QEvent::KeyPress:
    case QEvent::KeyRelease:
    case QEvent::InputMethod:
      if (auto* widget = qobject_cast<QWidget*>(receiver)) return detail::routeKey(widget, event, result);
      return false;
    case QEvent::MouseButtonRelease:
      if (auto* widget = qobject_cast<QWidget*>(receiver);
          widget && detail::leftButtonUpHooked(widget, static_cast<QMouseEvent*>(event))) {
        result = true;
        return true;
      }
      if (auto* widget = qobject_cast<QWidget*>(receiver))
        return detail::routeMouse(widget, static_cast<QMouseEvent*>(event), result);
      return false;
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick:
      if (auto* widget = qobject_cast<QWidget*>(receiver)) {
        const QPoint at = static_cast<QMouseEvent*>(event)->globalPosition().toPoint();
        DropDownWindow::pressSeen(widget, {at.x(), at.y()});
      }
      [[fallthrough]];
    case QEvent::MouseMove:
      if (auto* widget = qobject_cast<QWidget*>(receiver))
        return detail::routeMouse(widget, static_cast<QMouseEvent*>(event), result);
      return false;
    case QEvent::Wheel:
      if (auto* widget = qobject_cast<QWidget*>(receiver))
        return detail::routeWheel(widget, static_cast<QWheelEvent*>(event), result);
      return false;
    case QEvent::ApplicationStateChange:
      if (receiver == QCoreApplication::instance())
        detail::applicationActivationChanged(static_cast<QApplicationStateChangeEvent*>(event)->applicationState() ==
                                              Qt::ApplicationActive);
      return false;
    default:
      return false;
  }
}

}  // namespace

WidgetApplication::WidgetApplication(int& argc, char** argv) : QApplication(argc, argv) {}

bool WidgetApplication::notify(QObject* receiver, QEvent* event) {
  DispatchScope scope(receiver);
  try {
    bool result = false;
    if (route(receiver, event, result)) return result;
    return QApplication::notify(receiver, event);
  } catch (...) {
    // Our boundaries let nothing out; what arrives here is a fault to find, and still reported.
    ++escaped_;
    handleCurrentExceptionLater();
    return true;
  }
}

WidgetApplication& widgetApplication() {
  auto* app = dynamic_cast<WidgetApplication*>(QCoreApplication::instance());
  if (!app)
    throw EInvalidOperation(QCoreApplication::instance()
                                ? "The Qt application is not the program's own: its windows' input cannot be routed."
                                : "No Qt application exists yet.");
  return *app;
}

bool widgetIsInDispatch(const QWidget* widget) {
  for (const QPointer<QObject>& receiver : dispatching) {
    QObject* object = receiver.data();
    if (object == static_cast<const QObject*>(widget)) return true;
    if (auto* w = qobject_cast<QWidget*>(object); w && widget->isAncestorOf(w)) return true;
  }
  return false;
}

int dispatchDepth() { return static_cast<int>(dispatching.size()); }

}  // namespace qn::ui
