#include "framework/ui/BitmapImage.h"

#include <QPainter>

#include "framework/base/Exception.h"
#include "framework/base/MemoryStream.h"
#include "framework/ui/HeldImagePainter.h"
#include "platform/os/Resources.h"

BitmapImage::BitmapImage() : canvas_(std::make_unique<Canvas>(&image_)) {}

BitmapImage::BitmapImage(int width, int height) : BitmapImage() { SetSize(width, height); }

BitmapImage::~BitmapImage() = default;

void BitmapImage::SetSize(int width, int height) {
  width = std::max(0, width);
  height = std::max(0, height);
  if (width == Width() && height == Height()) return;
  QImage resized;
  if (width > 0 && height > 0) {
    resized = QImage(width, height, QImage::Format_RGB32);
    if (resized.isNull()) throw EOutOfMemory("There is not enough memory for the bitmap.");
    resized.fill(Qt::white);
    if (!image_.isNull()) {
      QPainter painter(&resized);
      painter.drawImage(0, 0, image_);
    }
  }
  qn::ui::closeHeldPainter(image_);
  image_ = resized;
}

TColor BitmapImage::TransparentColor() const {
  if (transparentColor_) return *transparentColor_;
  if (Empty()) return 0;
  return qn::ui::colorOfPixel(image_.pixel(0, image_.height() - 1));
}

void BitmapImage::take(BitmapFileContent content) {
  qn::ui::closeHeldPainter(image_);
  image_ = std::move(content.image);
  format_ = content.format;
  palette_ = std::move(content.palette);
  pixelsPerMetreX_ = content.pixelsPerMetreX;
  pixelsPerMetreY_ = content.pixelsPerMetreY;
}

void BitmapImage::LoadFromStream(TStream& stream) { take(qn::ui::readBitmapFile(stream)); }

void BitmapImage::LoadFromResourceName(const AnsiString& name) {
  const auto bytes = qn::os::findResource(name, "BITMAP");
  if (!bytes) throw EStreamError("The program carries no bitmap named " + name + ".");
  MemoryStream stream;
  stream.WriteBuffer(bytes->data(), static_cast<int64_t>(bytes->size()));
  stream.SetPosition(0);
  LoadFromStream(stream);
}

void BitmapImage::SaveToStream(TStream& stream) const {
  if (Empty()) return;
  BitmapFileContent content{image_, format_, palette_, pixelsPerMetreX_, pixelsPerMetreY_};
  qn::ui::writeBitmapFile(content, stream);
}

void BitmapImage::assignImage(const QImage& image) {
  qn::ui::closeHeldPainter(image_);
  image_ = image.convertToFormat(QImage::Format_RGB32);
  image_.setDevicePixelRatio(1.0);
}

void BitmapImage::Assign(const BitmapImage& source) {
  if (&source == this) return;
  qn::ui::closeHeldPainter(image_);
  image_ = source.image_.copy();
  format_ = source.format_;
  palette_ = source.palette_;
  pixelsPerMetreX_ = source.pixelsPerMetreX_;
  pixelsPerMetreY_ = source.pixelsPerMetreY_;
  transparent_ = source.transparent_;
  transparentColor_ = source.transparentColor_;
}
