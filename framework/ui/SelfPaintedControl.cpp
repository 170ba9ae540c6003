#include "framework/ui/SelfPaintedControl.h"

#include <QPainter>
#include <QWidget>
#include <cstring>

#include "framework/ui/ColorPalette.h"
#include "framework/ui/ControlWidget.h"
#include "framework/ui/HeldImagePainter.h"
#include "framework/ui/WindowlessControl.h"

namespace {

// Moves the pixels of from so its top-left corner lands on to, within the control's image (32 bits
// a pixel): a grid scrolled by a row moves nearly all its pixels, and copying them out and drawing
// them back moved each twice.
void movePixels(QImage& image, const QRect& from, QPoint to) {
  const QPoint offset = to - from.topLeft();
  const QRect source = from & image.rect() & image.rect().translated(-offset);
  if (source.isEmpty()) return;
  const QRect target = source.translated(offset);
  const qsizetype stride = image.bytesPerLine();
  uchar* bits = image.bits();
  const auto bytes = static_cast<std::size_t>(source.width()) * sizeof(QRgb);
  // Rows moving down are moved from the bottom up, so none is overwritten before it moves.
  const bool bottomUp = offset.y() > 0;
  for (int i = 0; i < source.height(); ++i) {
    const int row = bottomUp ? source.height() - 1 - i : i;
    std::memmove(bits + (target.top() + row) * stride + target.left() * sizeof(QRgb),
                 bits + (source.top() + row) * stride + source.left() * sizeof(QRgb), bytes);
  }
}

}  // namespace

SelfPaintedControl::SelfPaintedControl(TComponent* AOwner)
    : TWinControl(AOwner),
      ownCanvas_(std::make_unique<Canvas>(&image_, [this](const QRect& area) { imageChanged(area); })),
      activeCanvas_(ownCanvas_.get()) {
  ownCanvas_->Font()->Assign(Font());
}

SelfPaintedControl::~SelfPaintedControl() = default;

QWidget* SelfPaintedControl::MakeWidget(QWidget* parentWidget) {
  auto* widget = new ControlWidget<QWidget>(this, parentWidget);
  // Every pixel comes from the image: Qt need not clear the background first.
  widget->setAttribute(Qt::WA_OpaquePaintEvent);
  return widget;
}

void SelfPaintedControl::imageChanged(const QRect& area) {
  if (!painting_ && hasWindow()) Window()->update(area);
}

void SelfPaintedControl::fitImage() {
  const qreal ratio = hasWindow() ? Window()->devicePixelRatioF() : 1.0;
  const QSize size(std::max(1, static_cast<int>(Width() * ratio)), std::max(1, static_cast<int>(Height() * ratio)));
  if (image_.size() == size && image_.devicePixelRatio() == ratio) return;
  QImage fitted(size, QImage::Format_RGB32);
  fitted.fill(qn::ui::qtColor(Color()));
  fitted.setDevicePixelRatio(ratio);
  invalid_ = QRegion(0, 0, Width(), Height());
  qn::ui::closeHeldPainter(image_);
  image_ = fitted;
}

Canvas& SelfPaintedControl::canvas() {
  if (activeCanvas_ == ownCanvas_.get()) fitImage();
  return *activeCanvas_;
}

std::unique_ptr<Canvas> SelfPaintedControl::newCanvasOnImage() {
  fitImage();
  return std::make_unique<Canvas>(&image_, [this](const QRect& area) { imageChanged(area); });
}

void SelfPaintedControl::Invalidate() { invalidateRect(ClientRect()); }

void SelfPaintedControl::invalidateRect(const TRect& rect) {
  const QRect area(rect.Left, rect.Top, rect.Width(), rect.Height());
  invalid_ += area;
  if (hasWindow()) Window()->update(area);
}

void SelfPaintedControl::scrollImage(const TRect& area, int dx, int dy) {
  fitImage();
  const QRect box = QRect(area.Left, area.Top, area.Width(), area.Height()) & QRect(0, 0, Width(), Height());
  if (box.isEmpty() || (dx == 0 && dy == 0)) return;
  const QRect moved = box.translated(dx, dy) & box;
  if (!moved.isEmpty()) {
    const qreal ratio = image_.devicePixelRatio();
    const QRect from = moved.translated(-dx, -dy);
    movePixels(image_, QRect(from.topLeft() * ratio, from.size() * ratio), moved.topLeft() * ratio);
  }
  const QRegion pending = invalid_ & box;
  invalid_ = (invalid_ - box) + (pending.translated(dx, dy) & box) + (QRegion(box) - moved);
  if (hasWindow()) Window()->update(box);
}

void SelfPaintedControl::Update() {
  if (hasWindow() && !invalid_.isEmpty() && Window()->isVisible()) Window()->repaint(invalid_.boundingRect());
}

void SelfPaintedControl::Repaint() {
  invalid_ += QRect(0, 0, Width(), Height());
  TWinControl::Repaint();
}

void SelfPaintedControl::FontChanged() {
  ownCanvas_->Font()->Assign(Font());
  TWinControl::FontChanged();
}

void SelfPaintedControl::Paint() {
  if (OnPaint) OnPaint(this);
}

void SelfPaintedControl::paintWithChildren(Canvas& canvas) {
  Canvas* previous = activeCanvas_;
  activeCanvas_ = &canvas;
  const qn::ui::HeldImagePainter held = canvas.holdPainter();
  try {
    canvas.Font()->Assign(Font());
    Paint();
    for (int i = 0; i < ControlCount(); ++i)
      if (auto* child = dynamic_cast<WindowlessControl*>(Controls(i)); child && child->Visible()) child->paintOn(canvas);
  } catch (...) {
    activeCanvas_ = previous;
    throw;
  }
  activeCanvas_ = previous;
}

void SelfPaintedControl::paintInto(Canvas& target) { paintWithChildren(target); }

void SelfPaintedControl::PaintWindow(QPainter& painter) {
  fitImage();
  if (!invalid_.isEmpty()) {
    const QRect area = invalid_.boundingRect();
    invalid_ = QRegion();
    painting_ = true;
    ownCanvas_->saveState();
    ownCanvas_->setClipRect(Rect(area.left(), area.top(), area.right() + 1, area.bottom() + 1));
    try {
      paintWithChildren(*ownCanvas_);
    } catch (...) {
      ownCanvas_->restoreState();
      painting_ = false;
      throw;
    }
    ownCanvas_->restoreState();
    painting_ = false;
  }
  painter.drawImage(QPoint(0, 0), image_);
}
