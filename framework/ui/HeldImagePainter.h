#pragma once
// Opening a painter on an image costs more than filling a cell or drawing a short text, and a
// control's paint does hundreds of each. While a HeldImagePainter lives for an image, every drawing
// on it through paintOnImage shares one painter. Each drawing starts untransformed and unclipped;
// pen, brush and font are what the drawing before left, so a drawing sets those it draws with
// (saving and restoring the whole state for each cost more than many fills). Pixels read or
// written directly in between are the painter's own: it draws at once.
#include <QImage>
#include <functional>

class QPainter;

namespace qn::ui {

class HeldImagePainter {
 public:
  // Holds nothing for a null image; holds for one image nest.
  explicit HeldImagePainter(QImage* image);
  HeldImagePainter(const HeldImagePainter&) = delete;
  HeldImagePainter& operator=(const HeldImagePainter&) = delete;
  ~HeldImagePainter();

 private:
  QImage* image_;
};

// Runs draw with a painter on image: the held one, or one opened for the call.
void paintOnImage(QImage& image, const std::function<void(QPainter&)>& draw);

// Must come before an image held for is given other pixels (resized, loaded, assigned): a painter
// left open would draw on freed memory. The next drawing opens it again on the new pixels.
void closeHeldPainter(QImage& image);

}  // namespace qn::ui
