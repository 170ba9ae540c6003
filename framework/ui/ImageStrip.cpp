#include "framework/ui/ImageStrip.h"

#include <QPainter>

#include "framework/ui/BitmapImage.h"
#include "framework/ui/Canvas.h"
#include "framework/ui/ColorPalette.h"

ImageStrip::ImageStrip(int width, int height, TComponent* owner)
    : TComponent(owner), width_(std::max(1, width)), height_(std::max(1, height)) {}

ImageStrip::~ImageStrip() = default;

int ImageStrip::addMasked(const BitmapImage& bitmap, TColor maskColor) {
  const int first = Count();
  if (bitmap.Empty()) return first;
  const int count = std::max(1, bitmap.Width() / width_);
  for (int i = 0; i < count; ++i) {
    QImage pixels(width_, height_, QImage::Format_RGB32);
    pixels.fill(qn::ui::qtColor(maskColor));
    QPainter(&pixels).drawImage(QPoint(0, 0), bitmap.image(), QRect(i * width_, 0, width_, height_));
    auto image = std::make_unique<BitmapImage>();
    image->assignImage(pixels);
    images_.push_back({std::move(image), maskColor});
  }
  return first;
}

void ImageStrip::Draw(Canvas& canvas, int x, int y, int index, bool enabled) const {
  if (index < 0 || index >= Count()) return;
  const Entry& entry = images_[static_cast<std::size_t>(index)];
  const TRect target = Bounds(x, y, width_, height_);
  const TRect whole = Bounds(0, 0, width_, height_);
  if (enabled) {
    canvas.drawWithTransparentColour(target, *entry.pixels, whole, entry.mask);
    return;
  }
  // Greyed: the image's dark pixels as a shadow over a highlight one pixel down and right, on a
  // key (black) that neither button colour of the palette is.
  const QImage& source = entry.pixels->image();
  const QRgb mask = qn::ui::qtColor(entry.mask).rgb();
  const auto dark = [&](int column, int row) {
    const QRgb pixel = source.pixel(column, row);
    return pixel != mask && qGray(pixel) < 192;
  };
  QImage greyed(width_, height_, QImage::Format_RGB32);
  greyed.fill(Qt::black);
  const QRgb highlight = qn::ui::qtColor(clBtnHighlight).rgb(), shadow = qn::ui::qtColor(clBtnShadow).rgb();
  for (int row = 0; row + 1 < height_; ++row)
    for (int column = 0; column + 1 < width_; ++column)
      if (dark(column, row)) greyed.setPixel(column + 1, row + 1, highlight);
  for (int row = 0; row < height_; ++row)
    for (int column = 0; column < width_; ++column)
      if (dark(column, row)) greyed.setPixel(column, row, shadow);
  BitmapImage shown;
  shown.assignImage(greyed);
  canvas.drawWithTransparentColour(target, shown, whole, 0);
}
