#include "framework/ui/MouseCapture.h"

#include <QApplication>
#include <QCursor>
#include <QEventLoop>

#include "framework/ui/Application.h"
#include "framework/ui/Control.h"
#include "framework/ui/ControlWidget.h"

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
  while (held && GetCaptureControl() == held.get() && !(Application && Application->Terminated()))
    QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
}

TWinControl* windowedControlAt(TPoint screenPoint) {
  if (!qobject_cast<QApplication*>(QCoreApplication::instance())) return nullptr;
  QWidget* widget = QApplication::widgetAt(QPoint(screenPoint.X, screenPoint.Y));
  return widget ? controlOfWidget(widget) : nullptr;
}

}  // namespace qn::ui
