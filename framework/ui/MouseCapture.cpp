#include "framework/ui/MouseCapture.h"

#include <QCoreApplication>
#include <QEventLoop>

#include "framework/ui/Application.h"
#include "framework/ui/Control.h"

namespace {

ControlRef captured;

}  // namespace

TControl* GetCaptureControl() { return captured.get(); }

void SetCaptureControl(TControl* Control) { captured = ControlRef(Control); }

void ReleaseCapture() { SetCaptureControl(nullptr); }

namespace qn::ui {

void runCaptureLoop(TControl* Control) {
  ControlRef held(Control);
  while (held && GetCaptureControl() == held.get() && !(Application && Application->Terminated()))
    QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
}

}  // namespace qn::ui
