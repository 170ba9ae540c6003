// The helpers draw offscreen into a bitmap, probed in pixels.
#include <gtest/gtest.h>

#include "datagrid/DrawingHelpers.h"
#include "framework/ui/BitmapImage.h"
#include "framework/ui/Canvas.h"
#include "framework/ui/ColorPalette.h"
#include "framework/ui/Font.h"
#include "framework/ui/testing/QtTestApplication.h"

namespace {

class DrawingHelpersTest : public ::testing::Test {
 protected:
  void SetUp() override {
    qn::ui::testing::qtApplication();
    bitmap.SetSize(40, 24);
    canvas().Brush = {clWhite, BrushStyle::solid};
    canvas().fillRect(Rect(0, 0, 40, 24));
  }
  Canvas& canvas() { return bitmap.canvas(); }
  TColor at(int x, int y) { return canvas().pixel(x, y); }
  static TColor rgb(TColor color) { return qn::ui::colorToRgb(color); }
  int countIn(const TRect& r, TColor color) {
    int n = 0;
    for (int y = r.Top; y < r.Bottom; ++y)
      for (int x = r.Left; x < r.Right; ++x) n += at(x, y) == rgb(color);
    return n;
  }

  BitmapImage bitmap;
};

TEST_F(DrawingHelpersTest, TheEllipsisButtonShowsThreeSquaresOnARaisedOrFlatFace) {
  const TControlState none;
  DrawEllipsisButton(canvas(), Rect(0, 0, 32, 16), 0, none);
  // Side 32 / 8 = 4, the middle square at 14..17, the others two sides away.
  for (int x : {6, 9, 14, 17, 22, 25}) EXPECT_EQ(at(x, 6), rgb(clBlack)) << x;
  for (int x : {5, 10, 13, 18, 21, 26}) EXPECT_NE(at(x, 7), rgb(clBlack)) << x;
  EXPECT_EQ(at(15, 5), rgb(clBtnFace));
  EXPECT_EQ(at(15, 10), rgb(clBtnFace));
  // Inside the edges (whose outer shadow is black too) only the squares are black.
  EXPECT_EQ(countIn(Rect(2, 2, 30, 14), clBlack), 3 * 16);
  EXPECT_EQ(at(0, 0), rgb(cl3DLight));

  DrawEllipsisButton(canvas(), Rect(0, 0, 32, 16), 2, none);
  EXPECT_EQ(at(0, 0), rgb(clBtnShadow));
  EXPECT_EQ(at(31, 15), rgb(clBtnShadow));
  // Painted as a copy, the flat style is drawn raised.
  DrawEllipsisButton(canvas(), Rect(0, 0, 32, 16), 2, TControlState{csPaintCopy});
  EXPECT_EQ(at(0, 0), rgb(cl3DLight));
  // A narrow button still has squares of one pixel.
  DrawEllipsisButton(canvas(), Rect(0, 0, 7, 16), 0, none);
  EXPECT_EQ(countIn(Rect(0, 2, 6, 14), clBlack), 3);
}

TEST_F(DrawingHelpersTest, TheDropDownButtonIsInactiveWhenDisabledAndPushedWhenPressed) {
  const TRect r = Rect(20, 0, 37, 17);
  const TRect inside = Rect(22, 2, 35, 15);
  const TControlState none;
  DrawDropDownButton(canvas(), r, false, none, true);
  const int arrow = countIn(inside, clBtnText);
  EXPECT_GT(arrow, 0);
  EXPECT_EQ(at(20, 0), rgb(cl3DLight));

  DrawDropDownButton(canvas(), r, false, none, false);
  EXPECT_EQ(countIn(inside, clBtnText), 0);
  EXPECT_EQ(countIn(inside, clBtnShadow), arrow);

  DrawDropDownButton(canvas(), r, true, none, true);
  EXPECT_EQ(at(20, 0), rgb(clBtnShadow));
  EXPECT_EQ(at(36, 16), rgb(clBtnShadow));
  EXPECT_EQ(countIn(inside, clBtnText), arrow);

  // Pressed while painted as a copy: drawn as not pushed.
  canvas().Brush = {clWhite, BrushStyle::solid};
  canvas().fillRect(Rect(0, 0, 40, 24));
  DrawDropDownButton(canvas(), r, true, TControlState{csPaintCopy}, true);
  EXPECT_EQ(at(20, 0), rgb(cl3DLight));
  EXPECT_EQ(countIn(inside, clBtnText), arrow);
}

TEST_F(DrawingHelpersTest, TheFocusFrameOutlinesInTheHighlightColourAndKeepsBrushAndPen) {
  canvas().Brush = {clRed, BrushStyle::solid};
  canvas().Pen = {clGreen, 2, PenStyle::dot};
  DrawFocusFrame(canvas(), Rect(2, 2, 20, 12));
  EXPECT_EQ(canvas().Brush.Color, clRed);
  EXPECT_EQ(canvas().Brush.Style, BrushStyle::solid);
  EXPECT_EQ(canvas().Pen.Color, clGreen);
  EXPECT_EQ(canvas().Pen.Width, 2);
  EXPECT_EQ(canvas().Pen.Style, PenStyle::dot);
  EXPECT_EQ(canvas().Font()->Color(), clHighlight);
  // The inside is left alone (clear brush); the outline is the highlight colour, every other
  // pixel of it inverted by the focus rectangle.
  EXPECT_EQ(countIn(Rect(3, 3, 19, 11), clWhite), 16 * 8);
  const int outline = 2 * 18 + 2 * 8;
  const int highlight = countIn(Rect(2, 2, 20, 12), clHighlight);
  const int inverted = countIn(Rect(2, 2, 20, 12), rgb(clHighlight) ^ 0xFFFFFF);
  EXPECT_GT(highlight, 0);
  EXPECT_GT(inverted, 0);
  EXPECT_EQ(highlight + inverted, outline);
  EXPECT_EQ(at(1, 1), rgb(clWhite));
  EXPECT_EQ(at(20, 12), rgb(clWhite));
}

TEST_F(DrawingHelpersTest, ARectangleIsOneLineHighWhenALineWithBordersFillsIt) {
  const int line = canvas().textHeight(" ") + 2 + 3;
  EXPECT_TRUE(IsOneLineHigh(canvas(), Rect(0, 0, 50, line)));
  EXPECT_TRUE(IsOneLineHigh(canvas(), Rect(0, 0, 50, line - 1)));
  EXPECT_FALSE(IsOneLineHigh(canvas(), Rect(0, 0, 50, line + 1)));
}

}  // namespace
