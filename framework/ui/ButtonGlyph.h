#pragma once
// The picture of a button with a glyph: a bitmap holding up to four images side by side (up,
// disabled, pressed, held down) and the caption beside it. Both the push button with a glyph and
// the speed button place and draw them through it, so they look alike.
#include <memory>

#include "framework/base/AnsiString.h"
#include "framework/ui/BitmapImage.h"
#include "framework/ui/Geometry.h"

class Canvas;
class ImageStrip;

// The look a button is drawn in; a glyph bitmap holds one image per state, in this order.
enum TButtonState { bsUp, bsDisabled, bsDown, bsExclusive };

class ButtonGlyph {
 public:
  ButtonGlyph();
  ~ButtonGlyph();
  ButtonGlyph(const ButtonGlyph&) = delete;
  ButtonGlyph& operator=(const ButtonGlyph&) = delete;

  const BitmapImage& bitmap() const { return bitmap_; }
  // Takes the bitmap's pixels; a bitmap as wide as two to four of its squares brings that many
  // images.
  void setBitmap(const BitmapImage& source);
  bool empty() const { return bitmap_.Empty(); }
  int numGlyphs() const { return numGlyphs_; }
  // Kept between 1 and 4.
  void setNumGlyphs(int value);
  // The size of one image (0 x 0 without a bitmap).
  int imageWidth() const;
  int imageHeight() const;

  // Draws the glyph and the caption inside rect. margin -1 centres both; otherwise they start
  // margin pixels from the left. spacing -1 spreads the room left over evenly around the caption;
  // otherwise it is the gap between glyph and caption. A state without its own image uses the
  // up image (greyed when disabled).
  void draw(Canvas& canvas, const TRect& rect, const AnsiString& caption, TButtonState state, int margin, int spacing) const;

 private:
  const ImageStrip& strip() const;

  BitmapImage bitmap_;
  int numGlyphs_ = 1;
  mutable std::unique_ptr<ImageStrip> strip_;  // the bitmap cut into images, made when drawn
};
