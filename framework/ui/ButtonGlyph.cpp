#include "framework/ui/ButtonGlyph.h"

#include <algorithm>

#include "framework/ui/Canvas.h"
#include "framework/ui/ImageStrip.h"

ButtonGlyph::ButtonGlyph() = default;
ButtonGlyph::~ButtonGlyph() = default;

void ButtonGlyph::setBitmap(const BitmapImage& source) {
  bitmap_.Assign(source);
  strip_.reset();
  if (bitmap_.Empty()) return;
  const int squares = bitmap_.Width() / bitmap_.Height();
  if (bitmap_.Width() % bitmap_.Height() == 0 && squares >= 2 && squares <= 4) numGlyphs_ = squares;
}

void ButtonGlyph::setNumGlyphs(int value) {
  numGlyphs_ = std::clamp(value, 1, 4);
  strip_.reset();
}

int ButtonGlyph::imageWidth() const { return bitmap_.Empty() ? 0 : bitmap_.Width() / numGlyphs_; }

int ButtonGlyph::imageHeight() const { return bitmap_.Empty() ? 0 : bitmap_.Height(); }

const ImageStrip& ButtonGlyph::strip() const {
  if (!strip_) {
    strip_ = std::make_unique<ImageStrip>(imageWidth(), imageHeight());
    strip_->addMasked(bitmap_, bitmap_.TransparentColor());
  }
  return *strip_;
}

void ButtonGlyph::draw(Canvas& canvas, const TRect& rect, const AnsiString& caption, TButtonState state, int margin, int spacing) const {
  const int glyphWidth = imageWidth(), glyphHeight = imageHeight();
  TRect measured = rect;
  const unsigned textFormat = textSingleLine | textVerticalCentre;
  const int captionWidth = caption.empty() ? 0 : (canvas.drawText(measured, caption, textFormat | textCalculateRect), measured.Width());
  if (glyphWidth == 0 || captionWidth == 0) spacing = 0;
  const int room = rect.Width() - glyphWidth - captionWidth;
  if (margin < 0 && spacing < 0) {
    margin = spacing = room / 3;
  } else if (margin < 0) {
    margin = (room - spacing) / 2;
  } else if (spacing < 0) {
    spacing = (room - margin) / 2;
  }

  const int glyphLeft = rect.Left + margin;
  if (glyphWidth > 0) {
    const int top = rect.Top + (rect.Height() - glyphHeight) / 2;
    const int index = state < numGlyphs_ ? static_cast<int>(state) : 0;
    strip().Draw(canvas, glyphLeft, top, index, state != bsDisabled || index != 0);
  }
  if (captionWidth == 0) return;
  TRect textRect{glyphLeft + glyphWidth + spacing, rect.Top, rect.Right, rect.Bottom};
  canvas.saveState();
  canvas.Brush.Style = BrushStyle::clear;
  if (state == bsDisabled) canvas.Font()->SetColor(clGrayText);
  canvas.drawText(textRect, caption, textFormat);
  canvas.restoreState();
}
