#include <gtest/gtest.h>

#include <QApplication>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QRegion>
#include <QTest>
#include <QWidget>
#include <functional>
#include <string>

#include "framework/ui/BitmapImage.h"
#include "framework/ui/ColorPalette.h"
#include "framework/ui/PaintCopy.h"
#include "framework/ui/SelfPaintedControl.h"
#include "framework/ui/WindowlessControl.h"
#include "framework/ui/testing/QtTestApplication.h"
#include "TestControls.h"

namespace {

constexpr TColor red = 0x0000FF;
constexpr TColor blue = 0xFF0000;
constexpr TColor green = 0x00FF00;
constexpr TColor yellow = 0x00FFFF;

// Fills itself with its colour and counts its paints, noting whether each was a copy.
class TTestPainted : public SelfPaintedControl {
  QN_CLASS(TTestPainted, SelfPaintedControl)
 public:
  explicit TTestPainted(TComponent* owner) : SelfPaintedControl(owner) {
    SetBounds(0, 0, 60, 40);
    SetColor(blue);
  }
  int paints = 0;
  bool paintedAsCopy = false;

 protected:
  void Paint() override {
    ++paints;
    paintedAsCopy = IsPaintCopyState();
    canvas().Brush.Color = Color();
    canvas().fillRect(ClientRect());
  }
};

// Red while the mouse is over it, green otherwise.
class TTestHover : public WindowlessControl {
  QN_CLASS(TTestHover, WindowlessControl)
 public:
  explicit TTestHover(TComponent* owner) : WindowlessControl(owner) {}
  int paints = 0;

 protected:
  void Paint() override {
    ++paints;
    canvas().Brush.Color = MouseInside() ? red : green;
    canvas().fillRect(ClientRect());
  }
};

TColor screenPixel(QWidget* widget, int x, int y) { return qn::ui::colorOfPixel(widget->grab().toImage().pixel(x, y)); }

void moveMouse(QWidget* widget, QPoint at) {
  QMouseEvent move(QEvent::MouseMove, QPointF(at), QPointF(widget->mapToGlobal(at)), Qt::NoButton, Qt::NoButton, Qt::NoModifier);
  QApplication::sendEvent(widget, &move);
}

class SelfPaintedControlTest : public ::testing::Test {
 protected:
  void SetUp() override { qn::ui::testing::qtApplication(); }
};

// A colour of its own for every pixel, so a pixel that moves wrongly shows.
class TTestScrolled : public TTestPainted {
  QN_CLASS(TTestScrolled, TTestPainted)
 public:
  using TTestPainted::TTestPainted;
  using TTestPainted::scrollImage;
  static TColor patternAt(int x, int y) { return static_cast<TColor>((x * 0x0301 + y * 0x050007) & 0xFFFFFF); }
  void drawPattern() {
    for (int y = 0; y < Height(); ++y)
      for (int x = 0; x < Width(); ++x) canvas().setPixel(x, y, patternAt(x, y));
  }
};

TEST_F(SelfPaintedControlTest, ScrollingMovesEveryPixelOfTheAreaByItsDistanceAndLeavesTheRest) {
  struct Case {
    TRect area;
    int dx, dy;
  } cases[] = {{Rect(0, 0, 60, 40), 0, -7},  {Rect(0, 0, 60, 40), 0, 9},  {Rect(0, 0, 60, 40), -5, 0},
               {Rect(0, 0, 60, 40), 11, 0},  {Rect(0, 0, 60, 40), 3, -4}, {Rect(6, 5, 50, 33), -2, 6},
               {Rect(6, 5, 50, 33), 0, -1},  {Rect(-10, -10, 90, 90), 4, 4}};
  for (const Case& c : cases) {
    SCOPED_TRACE(std::to_string(c.dx) + "," + std::to_string(c.dy) + " in " + std::to_string(c.area.Left));
    TTestScrolled control(nullptr);
    control.drawPattern();
    control.scrollImage(c.area, c.dx, c.dy);
    const TRect box = intersectionOf(c.area, control.ClientRect());
    int wrong = 0;
    for (int y = 0; y < control.Height(); ++y)
      for (int x = 0; x < control.Width(); ++x) {
        const bool inBox = x >= box.Left && x < box.Right && y >= box.Top && y < box.Bottom;
        const int fromX = x - c.dx, fromY = y - c.dy;
        const bool cameFromBox = fromX >= box.Left && fromX < box.Right && fromY >= box.Top && fromY < box.Bottom;
        if (inBox && !cameFromBox) continue;  // the uncovered strip, left to the next paint
        const TColor expected = inBox ? TTestScrolled::patternAt(fromX, fromY) : TTestScrolled::patternAt(x, y);
        wrong += control.canvas().pixel(x, y) != expected;
      }
    EXPECT_EQ(wrong, 0);
  }
}

TEST_F(SelfPaintedControlTest, CanvasUsedOutsideThePaintHandlerShowsAtTheNextPaint) {
  TTestPainted control(nullptr);
  QWidget* widget = control.Window();
  widget->show();
  EXPECT_EQ(screenPixel(widget, 30, 20), blue);
  const int paints = control.paints;
  EXPECT_GE(paints, 1);

  control.canvas().Brush.Color = red;
  control.canvas().fillRect(Rect(10, 10, 20, 20));
  EXPECT_EQ(screenPixel(widget, 15, 15), red);
  EXPECT_EQ(screenPixel(widget, 30, 20), blue);
  EXPECT_EQ(control.paints, paints);  // shown by copying the image, not by painting again

  // An exclusive-or focus rectangle drawn twice outside the paint handler leaves the screen as it was.
  const QImage before = widget->grab().toImage();
  control.canvas().DrawFocusRect(Rect(5, 5, 50, 30));
  EXPECT_NE(widget->grab().toImage(), before);
  control.canvas().DrawFocusRect(Rect(5, 5, 50, 30));
  EXPECT_EQ(widget->grab().toImage(), before);

  control.Invalidate();
  EXPECT_EQ(screenPixel(widget, 15, 15), blue);
  EXPECT_EQ(control.paints, paints + 1);
}

TEST_F(SelfPaintedControlTest, WithRedrawOffNothingPaintsAndSwitchedOnItPaintsOnce) {
  TTestPainted control(nullptr);
  QWidget* widget = control.Window();
  widget->show();
  QApplication::processEvents();
  const int paints = control.paints;
  control.SetRedraw(false);
  control.Invalidate();
  control.Repaint();
  QApplication::processEvents();
  EXPECT_EQ(control.paints, paints);
  control.SetRedraw(true);
  QApplication::processEvents();
  EXPECT_EQ(control.paints, paints + 1);
  control.Repaint();
  EXPECT_EQ(control.paints, paints + 2) << "and paints as before";
}

// Counts the paint events a widget gets and the region they asked for.
class PaintEvents : public QObject {
 public:
  explicit PaintEvents(QWidget* widget) { widget->installEventFilter(this); }
  QRegion asked;

 protected:
  bool eventFilter(QObject*, QEvent* event) override {
    if (event->type() == QEvent::Paint) asked += static_cast<QPaintEvent*>(event)->region();
    return false;
  }
};

TEST_F(SelfPaintedControlTest, ABitmapDrawnOutsideThePaintHandlerIsRepaintedWhereItWasDrawn) {
  TTestPainted control(nullptr);
  QWidget* widget = control.Window();
  widget->show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(widget));
  BitmapImage glyph(4, 4);
  glyph.canvas().Brush = {red, BrushStyle::solid};
  glyph.canvas().fillRect(Rect(0, 0, 4, 4));
  const std::pair<const char*, std::function<void()>> draws[] = {
      {"plain", [&] { control.canvas().Draw(10, 10, glyph); }},
      {"scaled", [&] { control.canvas().drawScaled(Rect(30, 5, 50, 25), glyph); }},
  };
  const QRect drawn[] = {QRect(10, 10, 4, 4), QRect(30, 5, 20, 20)};
  for (size_t i = 0; i < 2; ++i) {
    SCOPED_TRACE(draws[i].first);
    QCoreApplication::processEvents();
    PaintEvents events(widget);
    draws[i].second();
    QCoreApplication::processEvents();
    EXPECT_TRUE((QRegion(drawn[i]) - events.asked).isEmpty()) << "the drawn rectangle was never shown";
    EXPECT_EQ(screenPixel(widget, drawn[i].center().x(), drawn[i].center().y()), red);
  }
}

TEST_F(SelfPaintedControlTest, PaintCopyOfASelfPaintedControlRunsItsPaintHandlerAsACopy) {
  TTestPainted control(nullptr);
  control.SetColor(red);
  BitmapImage cell(100, 60);
  cell.canvas().Brush.Color = clWhite;
  cell.canvas().fillRect(Rect(0, 0, 100, 60));
  qn::ui::paintCopyTo(control, cell.canvas(), Rect(10, 5, 40, 25));
  EXPECT_TRUE(control.paintedAsCopy);
  EXPECT_FALSE(control.IsPaintCopyState());
  EXPECT_EQ(cell.canvas().pixel(10, 5), red);
  EXPECT_EQ(cell.canvas().pixel(39, 24), red);
  // Only the rectangle given, though the control is larger.
  EXPECT_EQ(cell.canvas().pixel(40, 24), clWhite);
  EXPECT_EQ(cell.canvas().pixel(39, 25), clWhite);
  EXPECT_EQ(cell.canvas().pixel(9, 5), clWhite);
  EXPECT_FALSE(control.hasWindow());
}

TEST_F(SelfPaintedControlTest, PaintCopyOfANeverShownEditPutsItsTextIntoABitmap) {
  const auto darkPixels = [](const AnsiString& text) {
    qn::ui::testing::TTestEdit edit(nullptr);
    edit.Hide();
    edit.SetText(text);
    BitmapImage cell(80, 20);
    qn::ui::paintCopyTo(edit, cell.canvas(), Rect(0, 0, 80, 20));
    EXPECT_FALSE(edit.Window()->isVisible());
    int dark = 0;
    for (int y = 0; y < 20; ++y)
      for (int x = 0; x < 80; ++x) dark += qGray(cell.image().pixel(x, y)) < 100;
    return dark;
  };
  const int empty = darkPixels("");
  EXPECT_GT(darkPixels("WWWW"), empty + 20);
}

TEST_F(SelfPaintedControlTest, WindowlessControlRepaintsOnMouseEnterAndLeaveAlone) {
  TTestPainted parent(nullptr);
  parent.SetBounds(0, 0, 80, 50);
  TTestHover hover(nullptr);
  hover.SetBounds(20, 10, 30, 20);
  hover.SetParent(&parent);
  QWidget* widget = parent.Window();
  widget->show();
  EXPECT_EQ(screenPixel(widget, 25, 15), green);
  EXPECT_EQ(screenPixel(widget, 5, 5), blue);
  // A mark of the parent's own, outside the control: it must survive the control's repaints.
  parent.canvas().Brush.Color = yellow;
  parent.canvas().fillRect(Rect(2, 2, 4, 4));
  const int parentPaints = parent.paints;

  moveMouse(widget, QPoint(30, 20));
  EXPECT_TRUE(hover.MouseInside());
  EXPECT_EQ(screenPixel(widget, 25, 15), red);
  EXPECT_EQ(screenPixel(widget, 49, 29), red);
  EXPECT_EQ(screenPixel(widget, 50, 30), blue);
  EXPECT_EQ(screenPixel(widget, 3, 3), yellow);

  moveMouse(widget, QPoint(70, 40));
  EXPECT_FALSE(hover.MouseInside());
  EXPECT_EQ(screenPixel(widget, 25, 15), green);
  EXPECT_EQ(screenPixel(widget, 3, 3), yellow);
  EXPECT_EQ(screenPixel(widget, 70, 40), blue);
  // The parent's handler ran only for the control's area: clipped, its mark stays.
  EXPECT_EQ(parent.paints, parentPaints + 2);

  // Drawing outside its paint handler lands in its own corner of the parent, clipped to it.
  hover.canvas().Brush.Color = yellow;
  hover.canvas().fillRect(Rect(0, 0, 100, 100));
  EXPECT_EQ(screenPixel(widget, 20, 10), yellow);
  EXPECT_EQ(screenPixel(widget, 49, 29), yellow);
  EXPECT_EQ(screenPixel(widget, 50, 30), blue);
  EXPECT_EQ(screenPixel(widget, 19, 10), blue);

  // Painted as a copy on its own.
  BitmapImage cell(40, 30);
  qn::ui::paintCopyTo(hover, cell.canvas(), Rect(5, 5, 35, 25));
  EXPECT_EQ(cell.canvas().pixel(5, 5), green);
  EXPECT_EQ(cell.canvas().pixel(34, 24), green);
  EXPECT_EQ(cell.canvas().pixel(35, 24), clWhite);
}

}  // namespace
