#include <gtest/gtest.h>

#include <QPainter>
#include <array>

#include "framework/ui/BitmapImage.h"
#include "framework/ui/testing/QtTestApplication.h"

namespace {

using Pixels = std::array<TColor, 4>;  // a 2 x 2 image, row by row

void fill(BitmapImage& bitmap, const Pixels& pixels) {
  bitmap.SetSize(2, 2);
  for (int i = 0; i < 4; ++i) bitmap.canvas().setPixel(i % 2, i / 2, pixels[i]);
}

Pixels read(Canvas& canvas, int left = 0, int top = 0) {
  Pixels pixels;
  for (int i = 0; i < 4; ++i) pixels[i] = canvas.pixel(left + i % 2, top + i / 2);
  return pixels;
}

const Pixels source{0x0000FF, 0x00FF00, 0xFFFFFF, 0x000000};
const Pixels destination{0x00FFFF, 0x00FF00, 0x000000, 0x808080};

struct Case {
  const char* name;
  CopyMode mode;
  Pixels expected;
};

const Case cases[] = {
    {"Source Copy", CopyMode::sourceCopy, {0x0000FF, 0x00FF00, 0xFFFFFF, 0x000000}},
    {"Source Paint", CopyMode::sourcePaint, {0x00FFFF, 0x00FF00, 0xFFFFFF, 0x808080}},
    {"Source And", CopyMode::sourceAnd, {0x0000FF, 0x00FF00, 0x000000, 0x000000}},
    {"Source Invert", CopyMode::sourceInvert, {0x00FF00, 0x000000, 0xFFFFFF, 0x808080}},
    {"Source Erase", CopyMode::sourceErase, {0x000000, 0x000000, 0xFFFFFF, 0x000000}},
    {"Not Source Copy", CopyMode::notSourceCopy, {0xFFFF00, 0xFF00FF, 0x000000, 0xFFFFFF}},
    {"Not Source Erase", CopyMode::notSourceErase, {0xFF0000, 0xFF00FF, 0x000000, 0x7F7F7F}},
    {"Merge Paint", CopyMode::mergePaint, {0xFFFFFF, 0xFFFFFF, 0x000000, 0xFFFFFF}},
};

TEST(CopyModeTest, EachRasterOperationCombinesSourceAndDestination) {
  qn::ui::testing::qtApplication();
  BitmapImage from;
  fill(from, source);
  for (const Case& c : cases) {
    EXPECT_EQ(qn::ui::copyModeNamed(c.name), c.mode) << c.name;
    BitmapImage onto;
    fill(onto, destination);
    onto.canvas().CopyMode = c.mode;
    onto.canvas().Draw(0, 0, from);
    EXPECT_EQ(read(onto.canvas()), c.expected) << c.name;
    // The same through a copy between canvases.
    fill(onto, destination);
    onto.canvas().copyArea(Rect(0, 0, 2, 2), from.canvas(), Rect(0, 0, 2, 2));
    EXPECT_EQ(read(onto.canvas()), c.expected) << c.name;
  }
  EXPECT_EQ(qn::ui::copyModeNamed("Source Sideways"), CopyMode::sourceCopy);
  EXPECT_EQ(qn::ui::copyModeNamed(""), CopyMode::sourceCopy);
}

// A page has no pixels to read back: every operation draws as "Source Copy".
TEST(CopyModeTest, PrinterPageDrawsEveryOperationAsSourceCopy) {
  qn::ui::testing::qtApplication();
  BitmapImage from;
  fill(from, source);
  for (const Case& c : cases) {
    QImage page(4, 4, QImage::Format_RGB32);
    page.fill(Qt::black);
    QPainter painter(&page);
    Canvas canvas(&painter, 96);
    canvas.CopyMode = c.mode;
    canvas.Draw(1, 1, from);
    painter.end();
    for (int i = 0; i < 4; ++i)
      EXPECT_EQ(qn::ui::colorOfPixel(page.pixel(1 + i % 2, 1 + i / 2)), source[i]) << c.name;
  }
}

}  // namespace
