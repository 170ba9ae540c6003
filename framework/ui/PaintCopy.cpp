#include "framework/ui/PaintCopy.h"

#include <QImage>
#include <QPainter>
#include <QWidget>

#include "framework/ui/BitmapImage.h"
#include "framework/ui/SelfPaintedControl.h"
#include "framework/ui/WindowlessControl.h"

namespace qn::ui {

namespace {

// Sets the paint-as-copy state for a scope and clears it again on every way out.
class PaintCopyState {
 public:
  explicit PaintCopyState(TControl& control) : control_(control), was_(control.IsPaintCopyState()) {
    control_.SetControlState(TControlState::FromMask(control_.ControlState().Mask()).Include(csPaintCopy));
  }
  ~PaintCopyState() {
    if (!was_) control_.SetControlState(TControlState::FromMask(control_.ControlState().Mask()).Exclude(csPaintCopy));
  }
  PaintCopyState(const PaintCopyState&) = delete;
  PaintCopyState& operator=(const PaintCopyState&) = delete;

 private:
  TControl& control_;
  bool was_;
};

// Copies the pixels into rect as they are, whatever the canvas's copy mode.
void placeCopy(Canvas& canvas, const TRect& rect, const QImage& pixels) {
  BitmapImage copy;
  copy.assignImage(pixels);
  canvas.saveState();
  canvas.CopyMode = CopyMode::sourceCopy;
  canvas.Draw(rect.Left, rect.Top, copy);
  canvas.restoreState();
}

QImage blankCopy(const TRect& rect) {
  QImage pixels(std::max(1, rect.Width()), std::max(1, rect.Height()), QImage::Format_RGB32);
  pixels.fill(Qt::white);
  return pixels;
}

// A windowed control Qt draws: its widget (made now if missing, never shown) renders itself.
void renderWidget(TWinControl& control, Canvas& canvas, const TRect& rect) {
  QImage pixels = blankCopy(rect);
  QWidget* widget = control.Window();
  if (widget->size() != pixels.size()) widget->resize(pixels.size());
  widget->ensurePolished();
  widget->render(&pixels, QPoint(), QRegion(), QWidget::DrawWindowBackground | QWidget::DrawChildren);
  placeCopy(canvas, rect, pixels);
}

// A control without a window that paints with a Qt painter of its own.
void paintThroughPainter(TControl& control, Canvas& canvas, const TRect& rect) {
  QImage pixels = blankCopy(rect);
  {
    QPainter painter(&pixels);
    control.PaintControl(painter);
  }
  placeCopy(canvas, rect, pixels);
}

}  // namespace

void paintCopyTo(TControl& control, Canvas& canvas, const TRect& rect) {
  PaintCopyState state(control);
  auto* selfPainted = dynamic_cast<SelfPaintedControl*>(&control);
  auto* windowless = dynamic_cast<WindowlessControl*>(&control);
  if (auto* windowed = dynamic_cast<TWinControl*>(&control); windowed && !selfPainted) {
    renderWidget(*windowed, canvas, rect);
    return;
  }
  if (!selfPainted && !windowless) {
    paintThroughPainter(control, canvas, rect);
    return;
  }
  canvas.saveState();
  const TPoint origin = canvas.origin();
  canvas.setOrigin({origin.X + rect.Left, origin.Y + rect.Top});
  canvas.setClipRect(Rect(0, 0, rect.Width(), rect.Height()));
  try {
    if (selfPainted) {
      selfPainted->paintInto(canvas);
    } else {
      // paintOn moves the canvas to the control's own corner: undo that here.
      canvas.setOrigin({origin.X + rect.Left - control.Left(), origin.Y + rect.Top - control.Top()});
      canvas.removeClip();
      windowless->paintOn(canvas);
    }
  } catch (...) {
    canvas.restoreState();
    throw;
  }
  canvas.restoreState();
}

}  // namespace qn::ui
