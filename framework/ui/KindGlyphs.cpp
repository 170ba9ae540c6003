#include "framework/ui/KindGlyphs.h"

#include <array>

#include "framework/ui/ImageStrip.h"

namespace {

constexpr int kSide = 18;
constexpr TColor kKey = clOlive;

void drawLines(Canvas& canvas, TColor colour, std::initializer_list<std::array<TPoint, 2>> lines) {
  canvas.Pen = {colour, 3, PenStyle::solid};
  for (const auto& line : lines) {
    canvas.moveTo(line[0].X, line[0].Y);
    canvas.drawLineTo(line[1].X, line[1].Y);
  }
}

void drawPicture(KindGlyph kind, Canvas& canvas) {
  switch (kind) {
    case KindGlyph::ok: drawLines(canvas, clGreen, {{{{3, 9}, {7, 13}}}, {{{7, 13}, {15, 4}}}}); break;
    case KindGlyph::cancel: drawLines(canvas, clRed, {{{{4, 4}, {14, 14}}}, {{{14, 4}, {4, 14}}}}); break;
    case KindGlyph::help: {
      canvas.Font()->SetName("Liberation Sans");
      canvas.Font()->SetHeight(-16);
      canvas.Font()->SetStyle(TFontStyles{fsBold});
      canvas.Font()->SetColor(clNavy);
      canvas.Brush.Style = BrushStyle::clear;
      TRect box{0, 0, kSide, kSide};
      canvas.drawText(box, "?", textSingleLine | textCentre | textVerticalCentre | textNoPrefix);
      break;
    }
    case KindGlyph::close: {
      canvas.Pen = {clBlack, 1, PenStyle::solid};
      canvas.Brush = {clMaroon, BrushStyle::solid};
      canvas.drawRectangle({4, 2, 14, 17});
      canvas.Brush = {clYellow, BrushStyle::solid};
      canvas.fillRect({11, 9, 13, 11});
      break;
    }
  }
}

}  // namespace

void drawKindGlyph(KindGlyph kind, BitmapImage& bitmap) {
  BitmapImage single(kSide, kSide);
  Canvas& picture = single.canvas();
  picture.Brush = {kKey, BrushStyle::solid};
  picture.fillRect({0, 0, kSide, kSide});
  drawPicture(kind, picture);

  bitmap.SetSize(2 * kSide, kSide);
  Canvas& both = bitmap.canvas();
  both.Brush = {kKey, BrushStyle::solid};
  both.fillRect({0, 0, 2 * kSide, kSide});
  ImageStrip strip(kSide, kSide);
  strip.addMasked(single, kKey);
  strip.Draw(both, 0, 0, 0, true);
  strip.Draw(both, kSide, 0, 0, false);
  bitmap.SetTransparentColor(kKey);
}
