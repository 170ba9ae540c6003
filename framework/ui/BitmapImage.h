#pragma once
// A bitmap in memory: pixels in RGB32 (transparency is a colour key, not alpha), the pixel
// format it came in and is saved in, a canvas on it, and loading from a named resource of kind
// BITMAP or from a stream in the bitmap file format. A load that fails leaves the bitmap as it
// was.
#include <QImage>
#include <memory>
#include <optional>
#include <vector>

#include "framework/base/Object.h"
#include "framework/ui/BitmapFile.h"
#include "framework/ui/Canvas.h"

class TStream;

class BitmapImage : public TObject {
  QN_CLASS(BitmapImage, TObject)
 public:
  BitmapImage();
  BitmapImage(int width, int height);
  ~BitmapImage() override;
  BitmapImage(const BitmapImage&) = delete;
  BitmapImage& operator=(const BitmapImage&) = delete;

  int Width() const { return image_.width(); }
  int Height() const { return image_.height(); }
  bool Empty() const { return image_.isNull() || image_.width() < 1 || image_.height() < 1; }
  // New pixels are white; the ones kept keep their place.
  void SetSize(int width, int height);
  void SetWidth(int width) { SetSize(width, Height()); }
  void SetHeight(int height) { SetSize(Width(), height); }
  BitmapPixelFormat PixelFormat() const { return format_; }
  void SetPixelFormat(BitmapPixelFormat format) { format_ = format; }

  // Draws on the pixels; it stays the same object across size changes and loads.
  Canvas& canvas() { return *canvas_; }

  // Drawn keyed by TransparentColor when set.
  bool Transparent() const { return transparent_; }
  void SetTransparent(bool transparent) { transparent_ = transparent; }
  // The bottom-left pixel unless set.
  TColor TransparentColor() const;
  void SetTransparentColor(TColor color) { transparentColor_ = color; }

  // Raises EStreamError "The bitmap data is damaged." for a stream that holds no sound bitmap.
  void LoadFromStream(TStream& stream);
  // Raises EStreamError when the program carries no bitmap of that name.
  void LoadFromResourceName(const AnsiString& name);
  void SaveToStream(TStream& stream) const;
  // Takes the pixels of a Qt image (converted to RGB32) as they are, keeping format and
  // transparency.
  void assignImage(const QImage& image);
  // Pixels, size, format and transparency of another bitmap.
  void Assign(const BitmapImage& source);

  const QImage& image() const { return image_; }

 private:
  void take(BitmapFileContent content);

  QImage image_;
  BitmapPixelFormat format_ = BitmapPixelFormat::trueColour;
  std::vector<QRgb> palette_;  // the loaded file's, so saving gives its bytes back
  std::int32_t pixelsPerMetreX_ = 0;
  std::int32_t pixelsPerMetreY_ = 0;
  bool transparent_ = false;
  std::optional<TColor> transparentColor_;
  std::unique_ptr<Canvas> canvas_;
};
