#include "framework/ui/ReplaceablePaint.h"

#include <QPainter>

#include "framework/ui/Canvas.h"
#include "framework/ui/SafeDispatch.h"
#include "framework/ui/WinControl.h"

namespace qn::ui::detail {

bool paintedByHandler(QWidget* widget, WidgetOfControl& link) {
  TWinControl* control = link.control();
  auto* replaceable = dynamic_cast<ReplaceablePaint*>(control);
  if (!replaceable || !replaceable->PaintHandler()) return false;
  bool painted = false;
  // No box may show inside a paint: what the handler raises is handed over after it, and the
  // widget then paints itself.
  guardedDeferred([&] {
    const TPaintHandler handler = replaceable->PaintHandler();
    QPainter painter(paintSurfaceOf(widget));
    Canvas canvas(&painter, Screen->PixelsPerInch());
    canvas.SetFont(control->Font());
    painted = handler(canvas);
    if (painted) control->PaintWindowlessChildren(painter);
  });
  return painted;
}

}  // namespace qn::ui::detail
