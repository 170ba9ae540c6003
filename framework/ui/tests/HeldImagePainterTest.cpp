#include <gtest/gtest.h>

#include <QImage>
#include <array>
#include <functional>

#include "framework/ui/BitmapImage.h"
#include "framework/ui/Canvas.h"
#include "framework/ui/ColorPalette.h"
#include "framework/ui/testing/QtTestApplication.h"

namespace {

// Operations whose painter state would leak into the next one if a shared painter kept it: an
// origin, clips, pens and fonts; with direct pixel work (focus rectangle, a copy of pixels just
// drawn) in between, which must see what the painter drew.
void drawScene(Canvas& c) {
  c.Brush = {clWhite, BrushStyle::solid};
  c.fillRect(Rect(0, 0, 160, 120));
  c.setClipRect(Rect(5, 5, 40, 20));
  c.Font()->SetHeight(-14);
  c.drawText(2, 2, "Clipped matter text");
  c.removeClip();
  c.setOrigin({30, 40});
  c.Pen = {clRed, 3, PenStyle::solid};
  c.Brush = {clYellow, BrushStyle::solid};
  c.drawEllipse(Rect(0, 0, 40, 30));
  c.setOrigin({0, 0});
  c.Pen = {clBlue, 1, PenStyle::solid};
  c.moveTo(0, 100);
  c.drawLineTo(150, 60);
  c.Pen = {clGreen, 2, PenStyle::dot};
  c.moveTo(0, 110);
  c.drawLineTo(150, 110);
  c.Brush = {clNavy, BrushStyle::solid};
  c.fillRect(Rect(100, 5, 130, 25));
  c.DrawFocusRect(Rect(98, 3, 132, 27));
  c.copyArea(Rect(120, 80, 150, 100), c, Rect(100, 5, 130, 25));
  c.Brush = {clWhite, BrushStyle::clear};
  c.Font()->SetStyle(TFontStyles{fsBold});
  TRect box = Rect(60, 20, 100, 60);
  c.drawText(box, "Wrapped words here", textWordBreak | textCentre);
}

TEST(HeldImagePainterTest, DrawingWithTheHeldPainterGivesThePixelsOfAPainterPerOperation) {
  qn::ui::testing::qtApplication();
  BitmapImage plain(160, 120);
  drawScene(plain.canvas());
  BitmapImage held(160, 120);
  {
    const qn::ui::HeldImagePainter hold = held.canvas().holdPainter();
    drawScene(held.canvas());
    // Read while the painter is still held: what it drew is already in the pixels.
    EXPECT_EQ(held.canvas().pixel(115, 15), clNavy);
    EXPECT_EQ(held.canvas().pixel(135, 90), clNavy);
  }
  EXPECT_EQ(held.image(), plain.image());
}

TEST(HeldImagePainterTest, ACopyTakenWhileHeldKeepsItsPixelsAndAResizeReopensThePainter) {
  qn::ui::testing::qtApplication();
  BitmapImage bitmap(40, 40);
  Canvas& c = bitmap.canvas();
  const qn::ui::HeldImagePainter hold = c.holdPainter();
  c.Brush = {clRed, BrushStyle::solid};
  c.fillRect(Rect(0, 0, 40, 40));
  const QImage copy = bitmap.image();
  c.Brush = {clBlue, BrushStyle::solid};
  c.fillRect(Rect(0, 0, 40, 40));
  EXPECT_EQ(qn::ui::colorOfPixel(copy.pixel(10, 10)), clRed);
  EXPECT_EQ(c.pixel(10, 10), clBlue);

  bitmap.SetSize(80, 60);
  c.Brush = {clGreen, BrushStyle::solid};
  c.fillRect(Rect(50, 40, 80, 60));
  EXPECT_EQ(c.pixel(70, 50), clGreen);
  EXPECT_EQ(c.pixel(10, 10), clBlue);
}

}  // namespace
