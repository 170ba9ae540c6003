#include "framework/ui/Canvas.h"

#include <QPainter>
#include <QPen>
#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <cstdlib>

#include "framework/base/Exception.h"
#include "framework/ui/BitmapImage.h"
#include "framework/ui/FontConversion.h"
#include "framework/ui/HeldImagePainter.h"
#include "framework/ui/Screen.h"

namespace {

QRect qtRect(const TRect& rect) { return QRect(rect.Left, rect.Top, rect.Width(), rect.Height()); }

QString qtText(const AnsiString& text) { return QString::fromStdString(qn::ansiToUtf8(text)); }

}  // namespace

Canvas::Canvas(QImage* image, std::function<void(const QRect&)> changed)
    : font_(std::make_unique<TFont>()), image_(image), changed_(std::move(changed)) {}

Canvas::Canvas(QPainter* painter, int dotsPerInch)
    : font_(std::make_unique<TFont>()), pagePainter_(painter), pageDotsPerInch_(dotsPerInch) {}

Canvas::~Canvas() = default;

qreal Canvas::devicePixelRatio() const { return image_ ? image_->devicePixelRatio() : 1.0; }

int Canvas::width() const {
  return image_ ? static_cast<int>(image_->width() / devicePixelRatio()) : pagePainter_->device()->width();
}

int Canvas::height() const {
  return image_ ? static_cast<int>(image_->height() / devicePixelRatio()) : pagePainter_->device()->height();
}

QRect Canvas::toDevice(const QRect& canvasRect) const {
  const QRect rect = canvasRect.translated(origin_.X, origin_.Y);
  const qreal ratio = devicePixelRatio();
  if (ratio == 1.0) return rect;
  return QRect(QPoint(qRound(rect.left() * ratio), qRound(rect.top() * ratio)),
               QPoint(qRound((rect.right() + 1) * ratio) - 1, qRound((rect.bottom() + 1) * ratio) - 1));
}

QRect Canvas::drawableArea() const {
  const QRect device(-origin_.X, -origin_.Y, width(), height());
  return clip_ ? device & qtRect(*clip_) : device;
}

void Canvas::paint(const QRect& area, const std::function<void(QPainter&)>& draw) {
  const QRect limit = drawableArea();
  if (image_) {
    if ((area & limit).isEmpty()) return;
    qn::ui::paintOnImage(*image_, [&](QPainter& painter) {
      painter.translate(origin_.X, origin_.Y);
      painter.setClipRect(limit);
      draw(painter);
    });
    reportChanged(area & limit);
    return;
  }
  pagePainter_->save();
  pagePainter_->translate(origin_.X, origin_.Y);
  if (clip_) pagePainter_->setClipRect(qtRect(*clip_), Qt::IntersectClip);
  draw(*pagePainter_);
  pagePainter_->restore();
}

TColor Canvas::pixel(int x, int y) const {
  if (!image_) return clNone;
  const QPoint at = toDevice(QRect(x, y, 1, 1)).topLeft();
  if (!image_->rect().contains(at)) return clNone;
  return qn::ui::colorOfPixel(image_->pixel(at));
}

void Canvas::setPixel(int x, int y, TColor color) {
  paint(QRect(x, y, 1, 1), [&](QPainter& painter) { painter.fillRect(QRect(x, y, 1, 1), qn::ui::qtColor(color)); });
}

void Canvas::fillRect(const TRect& rect) {
  if (Brush.Style == BrushStyle::clear) return;
  const QRect area = qtRect(rect).normalized();
  paint(area, [&](QPainter& painter) { painter.fillRect(area, qn::ui::qtColor(Brush.Color)); });
}

void Canvas::frameRect(const TRect& rect) {
  if (rect.IsEmpty()) return;
  const QRect area = qtRect(rect);
  const QColor color = qn::ui::qtColor(Brush.Color);
  paint(area, [&](QPainter& painter) {
    painter.fillRect(QRect(area.left(), area.top(), area.width(), 1), color);
    painter.fillRect(QRect(area.left(), area.bottom(), area.width(), 1), color);
    painter.fillRect(QRect(area.left(), area.top(), 1, area.height()), color);
    painter.fillRect(QRect(area.right(), area.top(), 1, area.height()), color);
  });
}

void Canvas::drawRectangle(const TRect& rect) {
  if (rect.IsEmpty()) return;
  fillRect(rect);
  if (Pen.Style == PenStyle::clear) return;
  if (Pen.Width <= 1) {
    const std::array<TPoint, 5> outline{TPoint{rect.Left, rect.Top}, TPoint{rect.Right - 1, rect.Top},
                                        TPoint{rect.Right - 1, rect.Bottom - 1}, TPoint{rect.Left, rect.Bottom - 1},
                                        TPoint{rect.Left, rect.Top}};
    const TPoint keep = penPosition_;
    drawPolyline(outline);  // its last point is its first, so the outline closes
    penPosition_ = keep;
    return;
  }
  const QRect area = qtRect(rect);
  const int w = std::min({Pen.Width, area.width(), area.height()});
  const QColor color = qn::ui::qtColor(Pen.Color);
  paint(area, [&](QPainter& painter) {
    painter.fillRect(QRect(area.left(), area.top(), area.width(), w), color);
    painter.fillRect(QRect(area.left(), area.bottom() + 1 - w, area.width(), w), color);
    painter.fillRect(QRect(area.left(), area.top(), w, area.height()), color);
    painter.fillRect(QRect(area.right() + 1 - w, area.top(), w, area.height()), color);
  });
}

void Canvas::drawEllipse(const TRect& rect) {
  if (rect.IsEmpty()) return;
  const QRect area = qtRect(rect);
  const int w = Pen.Style == PenStyle::clear ? 0 : std::clamp(Pen.Width, 1, std::min(area.width(), area.height()));
  paint(area, [&](QPainter& painter) {
    painter.setBrush(Brush.Style == BrushStyle::clear ? QBrush(Qt::NoBrush) : QBrush(qn::ui::qtColor(Brush.Color)));
    if (w == 0) painter.setPen(Qt::NoPen);
    else painter.setPen(QPen(qn::ui::qtColor(Pen.Color), w));
    // A pen is centred on its path: the path runs half a pen inside the rectangle.
    painter.drawEllipse(QRectF(area).adjusted(w / 2.0, w / 2.0, -w / 2.0, -w / 2.0));
  });
}

void Canvas::moveTo(int x, int y) { penPosition_ = {x, y}; }

void Canvas::drawLineTo(int x, int y) {
  drawLinePixels(penPosition_, {x, y});
  penPosition_ = {x, y};
}

void Canvas::drawPolyline(std::span<const TPoint> points) {
  if (points.empty()) return;
  moveTo(points[0].X, points[0].Y);
  for (const TPoint& point : points.subspan(1)) drawLineTo(point.X, point.Y);
}

// One-pixel pens step from pixel to pixel and stop before the end point; wider pens are Qt's
// lines with flat ends, which stop at the end point as well.
void Canvas::drawLinePixels(TPoint from, TPoint to) {
  if (Pen.Style == PenStyle::clear) return;
  const QColor color = qn::ui::qtColor(Pen.Color);
  // A line reaching far beyond the device is left to Qt, which clips it before drawing: its end
  // point lies outside anyway.
  const QRect limit = drawableArea();
  const std::int64_t length = std::max(std::abs(std::int64_t{to.X} - from.X), std::abs(std::int64_t{to.Y} - from.Y));
  if (Pen.Width > 1 || length > 4 * (std::int64_t{limit.width()} + limit.height()) + 64) {
    const QRect area = Pen.Width > 1 && length <= 4 * (std::int64_t{limit.width()} + limit.height()) + 64
                           ? QRect(QPoint(from.X, from.Y), QPoint(to.X, to.Y)).normalized().adjusted(-Pen.Width, -Pen.Width, Pen.Width, Pen.Width)
                           : limit;
    paint(area, [&](QPainter& painter) {
      painter.setPen(QPen(color, std::max(1, Pen.Width), Pen.Style == PenStyle::dot ? Qt::DotLine : Qt::SolidLine, Qt::FlatCap));
      painter.drawLine(from.X, from.Y, to.X, to.Y);
    });
    return;
  }
  // Pixels that follow each other along a row or a column are filled as one run: a grid's lines
  // are hundreds of pixels long, and a fill per pixel cost more than the cells they frame.
  struct Run {
    QPoint first, last;
  };
  std::vector<Run> runs;
  const auto add = [&](QPoint pixel) {
    if (!runs.empty()) {
      Run& run = runs.back();
      const QPoint step = pixel - run.last;
      const bool single = run.first == run.last;
      const bool alongRow = step.y() == 0 && std::abs(step.x()) == 1 && (single || run.first.y() == run.last.y());
      const bool alongColumn = step.x() == 0 && std::abs(step.y()) == 1 && (single || run.first.x() == run.last.x());
      if (alongRow || alongColumn) {
        run.last = pixel;
        return;
      }
    }
    runs.push_back({pixel, pixel});
  };
  const int dx = std::abs(to.X - from.X), dy = -std::abs(to.Y - from.Y);
  const int sx = from.X < to.X ? 1 : -1, sy = from.Y < to.Y ? 1 : -1;
  int error = dx + dy, x = from.X, y = from.Y;
  for (int step = 0; x != to.X || y != to.Y; ++step) {
    if (Pen.Style == PenStyle::solid) add({x, y});
    else if (step % 2 == 0) runs.push_back({{x, y}, {x, y}});
    const int doubled = 2 * error;
    if (doubled >= dy) {
      error += dy;
      x += sx;
    }
    if (doubled <= dx) {
      error += dx;
      y += sy;
    }
  }
  if (runs.empty()) return;
  const QRect area = QRect(QPoint(from.X, from.Y), QPoint(to.X, to.Y)).normalized();
  paint(area, [&](QPainter& painter) {
    for (const Run& run : runs)
      painter.fillRect(QRect(QPoint(std::min(run.first.x(), run.last.x()), std::min(run.first.y(), run.last.y())),
                             QPoint(std::max(run.first.x(), run.last.x()), std::max(run.first.y(), run.last.y()))),
                       color);
  });
}

void Canvas::drawTextLine(QPainter& painter, int x, int top, const QString& text, int accelerator, bool fillBackground) {
  const qn::ui::CodePageFont& font = resolvedFont();
  const QFontMetrics& metrics = font.metrics();
  const QColor color = qn::ui::qtColor(font_->Color());
  if (fillBackground) painter.fillRect(QRect(x, top, font.width(text), metrics.height()), qn::ui::qtColor(Brush.Color));
  painter.setPen(color);
  // A printer page keeps its text as text, which a document reader can search and copy.
  font.draw(painter, QPoint(x, top + metrics.ascent()), text, image_ != nullptr);
  if (accelerator >= 0 && accelerator < text.size()) {
    const int left = x + font.width(text.left(accelerator));
    const int underline = top + metrics.ascent() + std::max(1, metrics.underlinePos());
    painter.fillRect(QRect(left, underline, font.width(text.mid(accelerator, 1)), std::max(1, metrics.lineWidth())), color);
  }
}

void Canvas::drawText(int x, int y, const AnsiString& text) {
  const QString shown = qtText(text);
  const QFontMetrics& metrics = deviceFontMetrics();
  const QRect area(x, y, resolvedFont().width(shown) + metrics.maxWidth(), metrics.height());
  paint(area, [&](QPainter& painter) { drawTextLine(painter, x, y, shown, -1, Brush.Style == BrushStyle::solid); });
}

void Canvas::drawTextClipped(const TRect& rect, int x, int y, const AnsiString& text) {
  const QRect area = qtRect(rect);
  const QString shown = qtText(text);
  paint(area, [&](QPainter& painter) {
    painter.setClipRect(area, Qt::IntersectClip);
    if (Brush.Style == BrushStyle::solid) painter.fillRect(area, qn::ui::qtColor(Brush.Color));
    drawTextLine(painter, x, y, shown, -1, false);
  });
}

DrawnText Canvas::drawText(TRect& rect, const AnsiString& text, unsigned format) {
  const std::vector<qn::ui::TextLine> lines = qn::ui::layoutText(qtText(text), format, rect.Width(), resolvedFont());
  const int lineHeight = deviceFontMetrics().height();
  DrawnText result;
  result.height = static_cast<int>(lines.size()) * lineHeight;
  QString shown;
  int widest = 0;
  for (const qn::ui::TextLine& line : lines) {
    if (!shown.isEmpty() || &line != &lines.front()) shown += QStringLiteral("\r\n");
    shown += line.text;
    widest = std::max(widest, line.width);
  }
  result.shown = qn::utf8ToAnsi(shown.toStdString());
  if (format & textCalculateRect) {
    rect.Right = rect.Left + widest;
    rect.Bottom = rect.Top + result.height;
    return result;
  }
  int top = rect.Top;
  if (format & textVerticalCentre) top += (rect.Height() - result.height) / 2;
  else if (format & textBottom) top = rect.Bottom - result.height;
  const QRect box = qtRect(rect);
  const bool clipped = !(format & textNoClip);
  const bool fill = !(format & textTransparent) && Brush.Style == BrushStyle::solid;
  paint(clipped ? box : drawableArea(), [&](QPainter& painter) {
    if (clipped) painter.setClipRect(box, Qt::IntersectClip);
    for (const qn::ui::TextLine& line : lines) {
      int x = rect.Left;
      if (format & textRight) x = rect.Right - line.width;
      else if (format & textCentre) x = rect.Left + (rect.Width() - line.width) / 2;
      drawTextLine(painter, x, top, line.text, line.accelerator, fill);
      top += lineHeight;
    }
  });
  return result;
}

int Canvas::textWidth(const AnsiString& text) const { return resolvedFont().width(qtText(text)); }

int Canvas::textHeight(const AnsiString&) const { return fontHeight(); }

int Canvas::fontHeight() const { return deviceFontMetrics().height(); }

int Canvas::fontAscent() const { return deviceFontMetrics().ascent(); }

int Canvas::averageCharWidth() const { return deviceFontMetrics().averageCharWidth(); }

void Canvas::combine(const TRect& target, const QImage& source, const QRect& sourceRect, std::optional<TColor> transparent) {
  const QRect area = qtRect(target).normalized();
  const QRect from = sourceRect & source.rect();
  if (area.isEmpty() || from.isEmpty()) return;
  const QRgb key = transparent ? qn::ui::qtColor(*transparent).rgb() : 0;
  if (!image_) {
    QImage part = source.copy(from).convertToFormat(QImage::Format_ARGB32);
    if (transparent)
      for (int y = 0; y < part.height(); ++y) {
        QRgb* line = reinterpret_cast<QRgb*>(part.scanLine(y));
        for (int x = 0; x < part.width(); ++x)
          if ((line[x] | 0xFF000000u) == key) line[x] = 0;
      }
    paint(area, [&](QPainter& painter) { painter.drawImage(area, part); });
    return;
  }
  const QRect device = toDevice(area);
  const QImage scaled = source.copy(from)
                            .scaled(device.size(), Qt::IgnoreAspectRatio, Qt::FastTransformation)
                            .convertToFormat(QImage::Format_RGB32);
  const QRect limit = toDevice(drawableArea());
  if (transparent) {
    const QRect inside = device & limit;
    for (int y = inside.top(); y <= inside.bottom(); ++y) {
      const QRgb* line = reinterpret_cast<const QRgb*>(scaled.constScanLine(y - device.top()));
      QRgb* to = reinterpret_cast<QRgb*>(image_->scanLine(y));
      for (int x = inside.left(); x <= inside.right(); ++x) {
        const QRgb pixel = line[x - device.left()];
        if ((pixel | 0xFF000000u) != key) to[x] = pixel | 0xFF000000u;
      }
    }
  } else {
    qn::ui::combineImage(CopyMode, scaled, *image_, device.topLeft(), limit);
  }
  reportChanged(area & drawableArea());
}

void Canvas::Draw(int x, int y, const BitmapImage& bitmap) {
  if (bitmap.Empty()) return;
  const TRect target = Bounds(x, y, bitmap.Width(), bitmap.Height());
  if (bitmap.Transparent())
    drawWithTransparentColour(target, bitmap);
  else
    combine(target, bitmap.image(), bitmap.image().rect(), std::nullopt);
}

void Canvas::drawScaled(const TRect& target, const BitmapImage& bitmap) {
  if (bitmap.Empty()) return;
  if (bitmap.Transparent())
    drawWithTransparentColour(target, bitmap);
  else
    combine(target, bitmap.image(), bitmap.image().rect(), std::nullopt);
}

void Canvas::copyArea(const TRect& target, const Canvas& source, const TRect& sourceRect) {
  if (!source.image_) throw EInvalidOperation("A printer page cannot be read back.");
  // A copy first, so an area copied onto itself reads the pixels as they were.
  const QImage pixels = source.image_->copy(source.toDevice(qtRect(sourceRect)));
  combine(target, pixels, pixels.rect(), std::nullopt);
}

void Canvas::drawWithTransparentColour(const TRect& target, const BitmapImage& bitmap, const TRect& sourceRect, TColor transparent) {
  combine(target, bitmap.image(), qtRect(sourceRect), transparent);
}

void Canvas::drawWithTransparentColour(const TRect& target, const BitmapImage& bitmap) {
  if (bitmap.Empty()) return;
  combine(target, bitmap.image(), bitmap.image().rect(), bitmap.TransparentColor());
}

void Canvas::DrawFocusRect(const TRect& rect) {
  if (rect.IsEmpty()) return;
  const QRect area = qtRect(rect);
  if (!image_) {
    paint(area, [&](QPainter& painter) {
      painter.setPen(QPen(Qt::black, 0, Qt::DotLine));
      painter.drawRect(area.adjusted(0, 0, -1, -1));
    });
    return;
  }
  const QRect device = toDevice(area);
  const QRect limit = toDevice(drawableArea());
  // Every other pixel by the parity of its position, as a checkered brush would lay them.
  const auto invert = [&](int x, int y) {
    if (!limit.contains(x, y) || (x + y) % 2 != 0) return;
    QRgb* line = reinterpret_cast<QRgb*>(image_->scanLine(y));
    line[x] ^= 0x00FFFFFFu;
  };
  for (int x = device.left(); x <= device.right(); ++x) {
    invert(x, device.top());
    if (device.bottom() != device.top()) invert(x, device.bottom());
  }
  for (int y = device.top() + 1; y < device.bottom(); ++y) {
    invert(device.left(), y);
    if (device.right() != device.left()) invert(device.right(), y);
  }
  reportChanged(area & drawableArea());
}

void Canvas::reportChanged(const QRect& area) {
  if (changed_ && !area.isEmpty()) changed_(area.translated(origin_.X, origin_.Y));
}

void Canvas::setOrigin(TPoint origin) { origin_ = origin; }

void Canvas::setClipRect(const TRect& rect) { clip_ = rect; }

void Canvas::removeClip() { clip_.reset(); }

void Canvas::saveState() {
  auto font = std::make_unique<TFont>();
  font->Assign(font_.get());
  saved_.push_back({std::move(font), Brush, Pen, CopyMode, penPosition_, clip_, origin_});
}

void Canvas::restoreState() {
  if (saved_.empty()) return;
  const SavedState& state = saved_.back();
  font_->Assign(state.font.get());
  Brush = state.brush;
  Pen = state.pen;
  CopyMode = state.copyMode;
  penPosition_ = state.penPosition;
  clip_ = state.clip;
  origin_ = state.origin;
  saved_.pop_back();
}

int Canvas::dotsPerInch() const { return image_ ? Screen->PixelsPerInch() : pageDotsPerInch_; }

const qn::ui::CodePageFont& Canvas::resolvedFont() const {
  const int dotsPerInch = this->dotsPerInch();
  qn::ui::CodePageFont::Key key = qn::ui::CodePageFont::Key::of(*font_, dotsPerInch);
  if (!resolved_ || !(resolvedKey_ == key)) {
    resolved_ = qn::ui::CodePageFont::of(*font_, dotsPerInch);
    resolvedKey_ = std::move(key);
  }
  return *resolved_;
}

const QFont& Canvas::deviceFont() const { return resolvedFont().font(); }

const QFontMetrics& Canvas::deviceFontMetrics() const { return resolvedFont().metrics(); }
