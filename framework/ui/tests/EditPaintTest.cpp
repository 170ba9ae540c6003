#include <gtest/gtest.h>

#include <QApplication>
#include <QImage>

#include "framework/base/Exception.h"
#include "framework/base/PublishedProperties.h"
#include "framework/ui/Canvas.h"
#include "framework/ui/Edit.h"
#include "framework/ui/testing/QtTestApplication.h"
#include "framework/ui/testing/ScriptedMessageBoxes.h"
#include "framework/ui/tests/CaretSwitchable.h"
#include "framework/ui/tests/FormTestSupport.h"
#include "framework/ui/tests/TestControls.h"

namespace qn::ui::testing {
namespace {

// What a shown edit looks like: a form with one edit holding dark text on a light window.
class EditPaintTest : public ::testing::Test {
 protected:
  void SetUp() override {
    qtApplication();
    form = new TTestForm;
    edit = new TEdit(form);
    edit->SetParent(form);
    edit->SetBounds(10, 10, 160, 26);
    edit->SetText("WWWWWW");
    ASSERT_TRUE(showActive(*form));
  }
  void TearDown() override { delete form; }

  QImage shot() { return edit->Window()->grab().toImage().convertToFormat(QImage::Format_RGB32); }
  // Pixels inside the frame that satisfy test.
  template <class Test>
  static int pixels(const QImage& image, Test test) {
    int n = 0;
    for (int y = 4; y < image.height() - 4; ++y)
      for (int x = 4; x < image.width() - 4; ++x)
        if (test(QColor(image.pixel(x, y)))) ++n;
    return n;
  }
  static bool red(const QColor& c) { return c.red() > 200 && c.green() < 60 && c.blue() < 60; }
  static bool dark(const QColor& c) { return c.red() < 100 && c.green() < 100 && c.blue() < 100; }

  TTestForm* form;
  TEdit* edit;
};

TEST_F(EditPaintTest, APaintHandlerThatPaintedShowsItsPixelsOneThatDidNotLeavesTheEditsText) {
  int calls = 0;
  bool paints = true;
  edit->SetPaintHandler([&](Canvas& canvas) {
    ++calls;
    if (!paints) return false;
    canvas.Brush.Color = clRed;
    canvas.fillRect(Rect(0, 0, canvas.width(), canvas.height()));
    return true;
  });
  QImage painted = shot();
  EXPECT_GT(calls, 0);
  EXPECT_EQ(pixels(painted, dark), 0) << "the edit's own text is not painted over the handler's";
  EXPECT_GT(pixels(painted, red), (painted.width() - 8) * (painted.height() - 8) * 9 / 10);

  paints = false;
  calls = 0;
  QImage own = shot();
  EXPECT_GT(calls, 0);
  EXPECT_EQ(pixels(own, red), 0);
  EXPECT_GT(pixels(own, dark), 20) << "the text shows";

  edit->SetPaintHandler(nullptr);
  EXPECT_EQ(pixels(shot(), red), 0);
}

TEST_F(EditPaintTest, WhatAPaintHandlerRaisesLeavesTheEditPaintingItself) {
  ScriptedMessageBoxes boxes;
  boxes.expect(mtError, "paint failed");
  bool raised = false;
  edit->SetPaintHandler([&](Canvas&) -> bool {
    if (raised) return false;
    raised = true;
    throw Exception("paint failed");
  });
  QImage own = shot();
  EXPECT_TRUE(raised);
  EXPECT_GT(pixels(own, dark), 20);
  for (int i = 0; i < 3; ++i) QApplication::processEvents();  // handed over after the paint
}

// The leftmost column holding a dark pixel inside the frame; -1 when none.
int leftmostDark(const QImage& image) {
  for (int x = 3; x < image.width() - 3; ++x)
    for (int y = 3; y < image.height() - 3; ++y) {
      const QColor c(image.pixel(x, y));
      if (c.red() < 100 && c.green() < 100 && c.blue() < 100) return x;
    }
  return -1;
}

TEST_F(EditPaintTest, AlignmentPlacesTheText) {
  edit->SetText("ab");
  struct Row {
    TAlignment alignment;
    int fromLeft;  // the text begins within [fromLeft, toLeft)
    int toLeft;
  };
  for (Row row : {Row{taLeftJustify, 0, 20}, Row{taCenter, 60, 80}, Row{taRightJustify, 120, 160}}) {
    SCOPED_TRACE(row.alignment);
    edit->SetAlignment(row.alignment);
    const int left = leftmostDark(shot());
    EXPECT_GE(left, row.fromLeft);
    EXPECT_LT(left, row.toLeft);
  }
  EXPECT_EQ(ReadEnumerationProperty(edit, "Alignment"), taRightJustify);
}

TEST_F(EditPaintTest, TheFormattingRectangleInsetsTheText) {
  edit->SetText("ab");
  const int plain = leftmostDark(shot());
  ASSERT_LT(plain, 20);
  edit->setEditRect(Rect(50, 0, edit->ClientWidth(), edit->ClientHeight()));
  EXPECT_GE(leftmostDark(shot()), 50);
  EXPECT_GE(edit->PositionOfChar(0).X, 50);
  edit->setEditRect(TRect{});
  EXPECT_EQ(leftmostDark(shot()), plain);
}

TEST_F(EditPaintTest, BorderStyleAndCtl3DChangeTheFrameOfAShownEdit) {
  edit->SetText("");
  auto corner = [&] { return QColor(shot().pixel(0, 0)); };
  const QColor inside(shot().pixel(edit->Width() / 2, edit->Height() / 2));
  edit->SetCtl3D(false);
  EXPECT_TRUE(dark(corner())) << "a flat frame is a dark line";
  edit->SetBorderStyle(bsNone);
  EXPECT_EQ(corner(), inside) << "no frame at all";
  edit->SetBorderStyle(bsSingle);
  EXPECT_TRUE(dark(corner()));
  edit->SetCtl3D(true);
  EXPECT_FALSE(dark(corner()));
}

TEST_F(EditPaintTest, TheCaretShowsOnlyWhileItIsAllowed) {
  const int flashTime = QApplication::cursorFlashTime();
  QApplication::setCursorFlashTime(0);  // a steady caret, shown at every paint
  auto* caretEdit = new TCaretSwitchable<TEdit>(form);
  caretEdit->SetParent(form);
  caretEdit->SetBounds(10, 50, 160, 26);
  caretEdit->setEditRect(Rect(20, 0, caretEdit->ClientWidth(), caretEdit->ClientHeight()));  // the caret well inside
  caretEdit->SetFocus();
  auto darkPixels = [&] {
    return pixels(caretEdit->Window()->grab().toImage().convertToFormat(QImage::Format_RGB32), dark);
  };
  EXPECT_GT(darkPixels(), 5) << "an empty edit shows its caret";
  caretEdit->setCaret(false);
  EXPECT_EQ(darkPixels(), 0);
  caretEdit->setCaret(true);
  EXPECT_GT(darkPixels(), 5);
  QApplication::setCursorFlashTime(flashTime);
}

}  // namespace
}  // namespace qn::ui::testing
