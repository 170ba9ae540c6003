#include <gtest/gtest.h>

#include <QApplication>
#include <QImage>
#include <QTest>

#include "framework/base/Exception.h"
#include "framework/ui/Canvas.h"
#include "framework/ui/Edit.h"
#include "framework/ui/testing/QtTestApplication.h"
#include "framework/ui/testing/ScriptedMessageBoxes.h"
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
    form->Show();
    form->Window()->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(form->Window()));
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

}  // namespace
}  // namespace qn::ui::testing
