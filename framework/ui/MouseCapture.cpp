#include "framework/ui/MouseCapture.h"

#include <QApplication>
#include <QCursor>

#include "framework/ui/Application.h"
#include "framework/ui/Control.h"
#include "framework/ui/ControlWidget.h"
#include "framework/ui/EventLoop.h"

namespace {

ControlRef captured;

}  // namespace

TPoint GetCursorPos() {
  const QPoint p = QCursor::pos();
  return {p.x(), p.y()};
}

TControl* GetCaptureControl() { return captured.get(); }

void SetCaptureControl(TControl* Control) { captured = ControlRef(Control); }

void ReleaseCapture() { SetCaptureControl(nullptr); }

namespace qn::ui {

void runCaptureLoop(TControl* Control) {
  ControlRef held(Control);
  runLoop([&] { return !held || GetCaptureControl() != held.get(); });
}

TWinControl* windowedControlAt(TPoint screenPoint) {
  if (!qobject_cast<QApplication*>(QCoreApplication::instance())) return nullptr;
  QWidget* widget = QApplication::widgetAt(QPoint(screenPoint.X, screenPoint.Y));
  return widget ? controlOfWidget(widget) : nullptr;
}

}  // namespace qn::ui
