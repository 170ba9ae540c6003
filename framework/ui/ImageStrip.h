#pragma once
// Images of one size, kept in order and drawn by index: a navigator's buttons, a grid's
// image-index cells. Each image comes with a mask colour whose pixels stay transparent; drawn
// greyed, the image shows as an embossed outline in the button colours. A component, so the
// controls that draw from a list placed beside them learn when it is freed.
#include <memory>
#include <vector>

#include "framework/base/Component.h"
#include "framework/ui/Color.h"

class BitmapImage;
class Canvas;

class ImageStrip : public TComponent {
  QN_CLASS(ImageStrip, TComponent)
 public:
  ImageStrip(int width, int height, TComponent* owner = nullptr);
  ~ImageStrip() override;

  int Width() const { return width_; }
  int Height() const { return height_; }
  int Count() const { return static_cast<int>(images_.size()); }

  // Adds every whole image of the bitmap, left to right (a bitmap narrower than one image adds
  // one, filled out with the mask colour). Answers the index of the first.
  int addMasked(const BitmapImage& bitmap, TColor maskColor);

  // Draws image index with its top-left corner at (x, y); an index outside the strip draws
  // nothing.
  void Draw(Canvas& canvas, int x, int y, int index, bool enabled = true) const;

 private:
  struct Entry {
    std::unique_ptr<BitmapImage> pixels;  // the mask colour where the image is transparent
    TColor mask;
  };

  int width_;
  int height_;
  std::vector<Entry> images_;
};
