#include <gtest/gtest.h>

#include <QApplication>
#include <QImage>
#include <QRegion>

#include "framework/ui/BitmapImage.h"
#include "framework/ui/Canvas.h"
#include "framework/ui/ColorPalette.h"
#include "framework/ui/testing/QtTestApplication.h"

namespace {

constexpr TColor black = 0x000000;
constexpr TColor red = 0x0000FF;
constexpr TColor blue = 0xFF0000;
constexpr TColor green = 0x00FF00;

class CanvasTest : public ::testing::Test {
 protected:
  void SetUp() override {
    qn::ui::testing::qtApplication();
    bitmap.SetSize(40, 30);
    canvas().Brush = {clWhite, BrushStyle::solid};
    canvas().fillRect(Rect(0, 0, 40, 30));
  }
  Canvas& canvas() { return bitmap.canvas(); }
  TColor at(int x, int y) { return canvas().pixel(x, y); }
  // The pixels that are not white.
  int painted() {
    int count = 0;
    for (int y = 0; y < bitmap.Height(); ++y)
      for (int x = 0; x < bitmap.Width(); ++x) count += at(x, y) != clWhite;
    return count;
  }

  BitmapImage bitmap;
};

TEST_F(CanvasTest, ColoursAreBlueGreenRedValuesAndSystemColoursComeFromThePalette) {
  struct Case {
    TColor color;
    unsigned expectedQtRgb;
  } cases[] = {{red, 0xFF0000}, {blue, 0x0000FF}, {green, 0x00FF00}, {systemColor(0), 0xC0C0C0}, {clNavy, 0x000080}, {clWhite, 0xFFFFFF}};
  for (const Case& c : cases) {
    canvas().Brush.Color = c.color;
    canvas().fillRect(Rect(0, 0, 4, 4));
    EXPECT_EQ(bitmap.image().pixel(2, 2) & 0xFFFFFF, c.expectedQtRgb) << std::hex << c.color;
  }
  EXPECT_EQ(qn::ui::colorToRgb(clScrollBar), qn::ui::colorToRgb(systemColor(0)));
  canvas().Brush.Color = clScrollBar;
  canvas().fillRect(Rect(0, 0, 4, 4));
  EXPECT_EQ(at(1, 1), qn::ui::colorToRgb(clScrollBar));
}

TEST_F(CanvasTest, SystemPaletteHasFixedValues) {
  struct Case {
    TColor color;
    TColor value;
  } cases[] = {{clScrollBar, 0xC0C0C0},   {clActiveCaption, 0x800000}, {clInactiveCaption, 0x808080},
               {clWindow, 0xFFFFFF},      {clWindowFrame, 0},          {clWindowText, 0},
               {clHighlight, 0x800000},   {clHighlightText, 0xFFFFFF}, {clBtnFace, 0xC0C0C0},
               {clBtnShadow, 0x808080},   {clGrayText, 0x808080},      {clBtnText, 0},
               {clInactiveCaptionText, 0xC0C0C0}, {clBtnHighlight, 0xFFFFFF}, {clInactiveBorder, 0xC0C0C0}};
  for (const Case& c : cases) EXPECT_EQ(qn::ui::colorToRgb(c.color), c.value) << std::hex << c.color;
  EXPECT_EQ(static_cast<std::uint32_t>(clInactiveCaptionText), 0x80000000u + 19);
  EXPECT_EQ(qn::ui::colorToRgb(systemColor(200)), 0);
}

TEST_F(CanvasTest, LinesLeaveTheirEndPointUnpainted) {
  struct Case {
    TPoint from, to;
  } cases[] = {{{2, 5}, {20, 5}}, {{20, 5}, {2, 5}}, {{7, 2}, {7, 25}}, {{3, 3}, {17, 12}}, {{30, 20}, {10, 2}}};
  for (const Case& c : cases) {
    SetUp();
    canvas().Pen.Color = black;
    canvas().moveTo(c.from.X, c.from.Y);
    canvas().drawLineTo(c.to.X, c.to.Y);
    EXPECT_EQ(at(c.from.X, c.from.Y), black);
    EXPECT_EQ(at(c.to.X, c.to.Y), clWhite) << c.to.X << "," << c.to.Y;
    EXPECT_EQ(painted(), std::max(std::abs(c.to.X - c.from.X), std::abs(c.to.Y - c.from.Y)));
    EXPECT_EQ(canvas().penPosition(), c.to);
  }
}

TEST_F(CanvasTest, LinesFarBeyondTheDeviceAreClippedNotStepped) {
  canvas().Pen.Color = black;
  canvas().moveTo(0, 5);
  canvas().drawLineTo(2000000000, 5);
  EXPECT_EQ(at(0, 5), black);
  EXPECT_EQ(at(39, 5), black);
  EXPECT_EQ(painted(), 40);
}

TEST_F(CanvasTest, PolylineJoinsItsPointsAndLeavesTheLastOut) {
  canvas().Pen.Color = red;
  const TPoint points[] = {{1, 1}, {10, 1}, {10, 8}};
  canvas().drawPolyline(points);
  EXPECT_EQ(at(1, 1), red);
  EXPECT_EQ(at(10, 1), red);
  EXPECT_EQ(at(10, 7), red);
  EXPECT_EQ(at(10, 8), clWhite);
  EXPECT_EQ(painted(), 16);
}

TEST_F(CanvasTest, DottedPenPaintsEveryOtherPixel) {
  canvas().Pen = {black, 1, PenStyle::dot};
  canvas().moveTo(0, 3);
  canvas().drawLineTo(10, 3);
  for (int x = 0; x < 10; ++x) EXPECT_EQ(at(x, 3), x % 2 == 0 ? black : clWhite) << x;
}

TEST_F(CanvasTest, RectangleIsOutlinedInsideAndFilledWithTheBrush) {
  canvas().Pen.Color = black;
  canvas().Brush.Color = blue;
  canvas().drawRectangle(Rect(2, 3, 12, 9));
  EXPECT_EQ(at(2, 3), black);
  EXPECT_EQ(at(11, 8), black);
  EXPECT_EQ(at(11, 3), black);
  EXPECT_EQ(at(2, 8), black);
  EXPECT_EQ(at(5, 5), blue);
  EXPECT_EQ(at(12, 5), clWhite);
  EXPECT_EQ(at(5, 9), clWhite);
  canvas().Brush.Style = BrushStyle::clear;
  canvas().Pen.Color = red;
  canvas().drawRectangle(Rect(20, 3, 30, 9));
  EXPECT_EQ(at(20, 3), red);
  EXPECT_EQ(at(25, 5), clWhite);
}

TEST_F(CanvasTest, ClippingKeepsDrawingInsideAndSavedStatesComeBack) {
  canvas().saveState();
  canvas().setClipRect(Rect(5, 5, 10, 10));
  canvas().Brush.Color = red;
  canvas().Pen.Color = blue;
  canvas().fillRect(Rect(0, 0, 40, 30));
  EXPECT_EQ(painted(), 25);
  EXPECT_EQ(at(5, 5), red);
  EXPECT_EQ(at(10, 10), clWhite);
  canvas().restoreState();
  EXPECT_EQ(canvas().Brush.Color, clWhite);
  EXPECT_EQ(canvas().Pen.Color, 0);
  canvas().Brush.Color = green;
  canvas().fillRect(Rect(0, 0, 40, 30));
  EXPECT_EQ(at(0, 0), green);
}

TEST_F(CanvasTest, FocusRectangleInvertsEveryOtherOutlinePixelAndTwiceRestoresAll) {
  canvas().Brush.Color = 0x336699;
  canvas().fillRect(Rect(3, 3, 20, 15));
  const QImage before = bitmap.image().copy();
  const TRect frame = Rect(3, 4, 19, 14);
  canvas().DrawFocusRect(frame);
  int inverted = 0, outline = 0;
  for (int y = 0; y < 30; ++y)
    for (int x = 0; x < 40; ++x) {
      const bool onOutline = (x == frame.Left || x == frame.Right - 1 || y == frame.Top || y == frame.Bottom - 1) &&
                             x >= frame.Left && x < frame.Right && y >= frame.Top && y < frame.Bottom;
      const QRgb was = before.pixel(x, y), now = bitmap.image().pixel(x, y);
      if (!onOutline) {
        EXPECT_EQ(now, was) << x << "," << y;
        continue;
      }
      ++outline;
      if (now != was) {
        ++inverted;
        EXPECT_EQ(now & 0xFFFFFF, ~was & 0xFFFFFF);
      }
      // Along each edge the pixels alternate.
      if (y == frame.Top && x > frame.Left) {
        EXPECT_NE(now != was, bitmap.image().pixel(x - 1, y) != before.pixel(x - 1, y));
      }
    }
  EXPECT_EQ(inverted * 2, outline);
  canvas().DrawFocusRect(frame);
  EXPECT_EQ(bitmap.image(), before);
}

TEST_F(CanvasTest, TransparentColourLeavesTheBackground) {
  BitmapImage glyph(4, 4);
  glyph.canvas().Brush.Color = green;
  glyph.canvas().fillRect(Rect(0, 0, 4, 4));
  glyph.canvas().Brush.Color = red;
  glyph.canvas().fillRect(Rect(1, 1, 3, 3));
  canvas().Brush.Color = blue;
  canvas().fillRect(Rect(0, 0, 40, 30));

  canvas().drawWithTransparentColour(Bounds(0, 0, 4, 4), glyph, Bounds(0, 0, 4, 4), green);
  EXPECT_EQ(at(0, 0), blue);
  EXPECT_EQ(at(1, 1), red);
  EXPECT_EQ(at(3, 3), blue);

  // Without a colour of its own the bottom-left pixel is the transparent one.
  glyph.canvas().setPixel(0, 3, green);
  EXPECT_EQ(glyph.TransparentColor(), green);
  canvas().drawWithTransparentColour(Bounds(10, 10, 4, 4), glyph);
  EXPECT_EQ(at(10, 10), blue);
  EXPECT_EQ(at(12, 12), red);
  glyph.SetTransparent(true);
  canvas().Draw(20, 10, glyph);
  EXPECT_EQ(at(20, 13), blue);
  EXPECT_EQ(at(21, 11), red);
  glyph.SetTransparent(false);
  canvas().Draw(30, 10, glyph);
  EXPECT_EQ(at(30, 13), green);
}

TEST_F(CanvasTest, ScaledDrawAndAreaCopyFillTheirTarget) {
  BitmapImage glyph(2, 2);
  glyph.canvas().Brush.Color = red;
  glyph.canvas().fillRect(Rect(0, 0, 1, 2));
  glyph.canvas().Brush.Color = blue;
  glyph.canvas().fillRect(Rect(1, 0, 2, 2));
  canvas().drawScaled(Rect(0, 0, 10, 6), glyph);
  EXPECT_EQ(at(0, 0), red);
  EXPECT_EQ(at(4, 5), red);
  EXPECT_EQ(at(5, 0), blue);
  EXPECT_EQ(at(9, 5), blue);
  EXPECT_EQ(at(10, 0), clWhite);
  // Copied onto itself, overlapping: the pixels are read as they were.
  canvas().copyArea(Rect(5, 0, 15, 6), canvas(), Rect(0, 0, 10, 6));
  EXPECT_EQ(at(5, 0), red);
  EXPECT_EQ(at(10, 0), blue);
  EXPECT_EQ(at(14, 5), blue);
}

TEST(CanvasChangeTest, ABitmapDrawnPlainOrScaledReportsTheRectangleItDrewOn) {
  qn::ui::testing::qtApplication();
  BitmapImage glyph(4, 3);
  glyph.canvas().Brush = {red, BrushStyle::solid};
  glyph.canvas().fillRect(Rect(0, 0, 4, 3));
  struct Case {
    const char* name;
    bool transparent;
    bool scaled;
    TRect drawn;
  };
  const Case cases[] = {
      {"plain", false, false, Rect(5, 6, 9, 9)},
      {"scaled", false, true, Rect(10, 2, 30, 17)},
      {"plain transparent", true, false, Rect(5, 6, 9, 9)},
      {"scaled transparent", true, true, Rect(10, 2, 30, 17)},
      {"scaled past the edge", false, true, Rect(30, 20, 50, 40)},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    QImage image(40, 30, QImage::Format_RGB32);
    image.fill(Qt::white);
    QRegion reported;
    Canvas canvas(&image, [&](const QRect& area) { reported += area; });
    glyph.SetTransparent(c.transparent);
    if (c.transparent) glyph.SetTransparentColor(blue);  // no pixel of that colour: every pixel is drawn
    if (c.scaled)
      canvas.drawScaled(c.drawn, glyph);
    else
      canvas.Draw(c.drawn.Left, c.drawn.Top, glyph);
    const QRect expected = QRect(c.drawn.Left, c.drawn.Top, c.drawn.Width(), c.drawn.Height()) & image.rect();
    EXPECT_EQ(reported, QRegion(expected));
    EXPECT_EQ(canvas.pixel(expected.left(), expected.top()), red);
    EXPECT_EQ(canvas.pixel(expected.right(), expected.bottom()), red);
  }
}

TEST_F(CanvasTest, EdgesPutLightAndDarkOnOppositeSides) {
  struct Case {
    unsigned edge;
    TColor outerTopLeft, outerBottomRight, innerTopLeft, innerBottomRight;
  } cases[] = {{edgeRaised, cl3DLight, cl3DDkShadow, clBtnHighlight, clBtnShadow},
               {edgeSunken, clBtnShadow, clBtnHighlight, cl3DDkShadow, cl3DLight}};
  for (const Case& c : cases) {
    SetUp();
    TRect rect = Rect(2, 2, 20, 14);
    canvas().drawEdge(rect, c.edge, sidesAll | sideMiddle | sideAdjust);
    EXPECT_EQ(at(2, 8), qn::ui::colorToRgb(c.outerTopLeft));
    EXPECT_EQ(at(10, 2), qn::ui::colorToRgb(c.outerTopLeft));
    EXPECT_EQ(at(19, 8), qn::ui::colorToRgb(c.outerBottomRight));
    EXPECT_EQ(at(10, 13), qn::ui::colorToRgb(c.outerBottomRight));
    EXPECT_EQ(at(3, 8), qn::ui::colorToRgb(c.innerTopLeft));
    EXPECT_EQ(at(18, 8), qn::ui::colorToRgb(c.innerBottomRight));
    EXPECT_EQ(at(10, 8), qn::ui::colorToRgb(clBtnFace));
    EXPECT_EQ(rect, Rect(4, 4, 18, 12));
    EXPECT_EQ(at(20, 8), clWhite);
  }
  // Only the outer line, no middle: the inside stays.
  SetUp();
  TRect rect = Rect(2, 2, 20, 14);
  canvas().drawEdge(rect, edgeSunkenOuter, sidesAll);
  EXPECT_EQ(at(3, 8), clWhite);
  EXPECT_EQ(rect, Rect(2, 2, 20, 14));
}

TEST_F(CanvasTest, FrameControlsShowTheirStates) {
  const auto paintedIn = [&](const TRect& r, TColor color) {
    int count = 0;
    for (int y = r.Top; y < r.Bottom; ++y)
      for (int x = r.Left; x < r.Right; ++x) count += at(x, y) == qn::ui::colorToRgb(color);
    return count;
  };
  TRect check = Rect(0, 0, 13, 13);
  canvas().drawFrameControl(check, FrameControl::checkBox, 0);
  EXPECT_EQ(paintedIn(Rect(2, 2, 11, 11), clWindowText), 0);
  EXPECT_GT(paintedIn(Rect(2, 2, 11, 11), clWindow), 0);
  check = Rect(0, 0, 13, 13);
  canvas().drawFrameControl(check, FrameControl::checkBox, frameChecked);
  EXPECT_EQ(paintedIn(Rect(2, 2, 11, 11), clWindowText), 21);
  check = Rect(0, 0, 13, 13);
  canvas().drawFrameControl(check, FrameControl::checkBox, frameChecked | frameInactive);
  EXPECT_EQ(paintedIn(Rect(2, 2, 11, 11), clGrayText), 21);
  EXPECT_GT(paintedIn(Rect(2, 2, 11, 11), clBtnFace), 0);

  TRect arrow = Rect(20, 0, 37, 17);
  canvas().drawFrameControl(arrow, FrameControl::comboArrow, 0);
  const int arrowPixels = paintedIn(Rect(22, 2, 35, 15), clBtnText);
  EXPECT_GT(arrowPixels, 0);
  EXPECT_EQ(at(20, 0), qn::ui::colorToRgb(cl3DLight));
  arrow = Rect(20, 0, 37, 17);
  canvas().drawFrameControl(arrow, FrameControl::comboArrow, frameInactive);
  EXPECT_EQ(paintedIn(Rect(22, 2, 35, 15), clBtnText), 0);
  EXPECT_EQ(paintedIn(Rect(22, 2, 35, 15), clBtnShadow), arrowPixels);
  arrow = Rect(20, 0, 37, 17);
  canvas().drawFrameControl(arrow, FrameControl::comboArrow, framePushed | frameFlat);
  EXPECT_EQ(at(20, 0), qn::ui::colorToRgb(clBtnShadow));
  EXPECT_EQ(at(36, 16), qn::ui::colorToRgb(clBtnShadow));
  EXPECT_EQ(paintedIn(Rect(22, 2, 35, 15), clBtnText), arrowPixels);

  TRect button = Rect(0, 15, 20, 30);
  canvas().drawFrameControl(button, FrameControl::pushButton, frameAdjustRect);
  EXPECT_EQ(at(0, 15), qn::ui::colorToRgb(cl3DLight));
  EXPECT_EQ(at(19, 29), qn::ui::colorToRgb(cl3DDkShadow));
  EXPECT_EQ(button, Rect(2, 17, 18, 28));
  button = Rect(0, 15, 20, 30);
  canvas().drawFrameControl(button, FrameControl::pushButton, framePushed);
  EXPECT_EQ(at(0, 15), qn::ui::colorToRgb(clBtnShadow));
  EXPECT_EQ(at(19, 29), qn::ui::colorToRgb(clBtnHighlight));
}

}  // namespace
