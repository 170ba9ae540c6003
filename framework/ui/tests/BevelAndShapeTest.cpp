#include <gtest/gtest.h>

#include "framework/ui/BevelLine.h"
#include "framework/ui/BitmapImage.h"
#include "framework/ui/ColorPalette.h"
#include "framework/ui/PaintCopy.h"
#include "framework/ui/ShapeControl.h"
#include "framework/ui/testing/QtTestApplication.h"

namespace qn::ui::testing {
namespace {

constexpr TColor background = clAqua;

// The control painted into a bitmap of its size over the background colour.
template <class Control>
BitmapImage& paintOf(Control& control, BitmapImage& cell) {
  cell.SetSize(control.Width(), control.Height());
  cell.canvas().Brush = {background, BrushStyle::solid};
  cell.canvas().fillRect({0, 0, control.Width(), control.Height()});
  qn::ui::paintCopyTo(control, cell.canvas(), {0, 0, control.Width(), control.Height()});
  return cell;
}

TEST(ShapeControlTest, AnEllipseLeavesTheCornersAndARectangleFillsThem) {
  qtApplication();
  ShapeControl shape(nullptr);
  shape.SetBounds(0, 0, 40, 30);
  shape.SetBrushColor(clRed);
  shape.SetPen({clBlue, 2, PenStyle::solid});
  BitmapImage cell;
  Canvas& c = paintOf(shape, cell).canvas();
  EXPECT_EQ(c.pixel(0, 0), clBlue);
  EXPECT_EQ(c.pixel(1, 1), clBlue);
  EXPECT_EQ(c.pixel(2, 2), clRed);
  EXPECT_EQ(c.pixel(39, 29), clBlue);

  shape.SetShape(shapeEllipse);
  paintOf(shape, cell);
  EXPECT_EQ(c.pixel(0, 0), background);
  EXPECT_EQ(c.pixel(39, 29), background);
  EXPECT_EQ(c.pixel(20, 15), clRed);
  EXPECT_EQ(c.pixel(20, 0), clBlue) << "the outline touches the middle of each side";
  EXPECT_EQ(c.pixel(0, 15), clBlue);

  shape.SetBrush({clRed, BrushStyle::clear});
  shape.SetPen({clBlue, 1, PenStyle::clear});
  paintOf(shape, cell);
  EXPECT_EQ(c.pixel(20, 15), background);
  EXPECT_EQ(c.pixel(20, 0), background);
}

TEST(ShapeControlTest, ShapeAndColoursArePublishedByName) {
  qtApplication();
  ShapeControl shape(nullptr);
  ASSERT_TRUE(WriteEnumerationProperty(&shape, "Shape", shapeEllipse));
  ASSERT_TRUE(WriteIntegerProperty(&shape, "PenColor", clNavy));
  ASSERT_TRUE(WriteIntegerProperty(&shape, "BrushColor", clNavy));
  EXPECT_EQ(shape.Shape(), shapeEllipse);
  EXPECT_EQ(shape.Pen().Color, clNavy);
  EXPECT_EQ(shape.Brush().Color, clNavy);
}

TEST(BevelLineTest, EachShapeDrawsShadowAndHighlightWhereItBelongs) {
  qtApplication();
  const TColor shadow = qn::ui::colorOfPixel(qn::ui::qtColor(clBtnShadow).rgb());
  const TColor highlight = qn::ui::colorOfPixel(qn::ui::qtColor(clBtnHighlight).rgb());
  struct Probe {
    int x, y;
    TColor expected;  // 0: the shadow, 1: the highlight, else that colour
  };
  struct Row {
    BevelShape shape;
    BevelStyle style;
    std::vector<Probe> probes;
  };
  const std::vector<Row> rows{
      {bevelTopLine, bevelLowered, {{10, 0, 0}, {10, 1, 1}, {10, 2, background}}},
      {bevelTopLine, bevelRaised, {{10, 0, 1}, {10, 1, 0}}},
      {bevelBottomLine, bevelLowered, {{10, 18, 0}, {10, 19, 1}, {10, 0, background}}},
      {bevelLeftLine, bevelLowered, {{0, 10, 0}, {1, 10, 1}, {2, 10, background}}},
      {bevelRightLine, bevelRaised, {{28, 10, 1}, {29, 10, 0}}},
      {bevelBox, bevelLowered, {{0, 10, 0}, {29, 10, 1}, {15, 10, background}}},
      {bevelFrame, bevelLowered, {{0, 10, 0}, {1, 10, 1}, {28, 10, 0}, {29, 10, 1}, {15, 10, background}}},
      {bevelSpacer, bevelLowered, {{0, 0, background}, {29, 19, background}}},
  };
  BevelLine bevel(nullptr);
  bevel.SetBounds(0, 0, 30, 20);
  BitmapImage cell;
  for (const Row& row : rows) {
    SCOPED_TRACE(kBevelShapeType.NameOf(row.shape) + " " + kBevelStyleType.NameOf(row.style));
    bevel.SetShape(row.shape);
    bevel.SetStyle(row.style);
    Canvas& c = paintOf(bevel, cell).canvas();
    for (const Probe& p : row.probes) {
      const TColor expected = p.expected == 0 ? shadow : p.expected == 1 ? highlight : p.expected;
      EXPECT_EQ(c.pixel(p.x, p.y), expected) << p.x << "," << p.y;
    }
  }
}

}  // namespace
}  // namespace qn::ui::testing
