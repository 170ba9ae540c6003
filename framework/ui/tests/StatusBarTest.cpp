#include <gtest/gtest.h>

#include <QImage>
#include <QTest>

#include "framework/ui/Application.h"
#include "framework/ui/HintService.h"
#include "framework/ui/StatusBar.h"
#include "framework/ui/tests/FormTestSupport.h"
#include "framework/ui/tests/TestControls.h"

namespace qn::ui::testing {
namespace {

class StatusBarTest : public ::testing::Test {
 protected:
  void SetUp() override {
    qtApplication();
    hinted = new TTestEdit(&form, &form, "Hinted");
    hinted->SetHint("Save|Saves the matter and its docket items");
    plain = new TTestEdit(&form, &form, "Plain");
    plain->SetTop(40);
    bar = new StatusBar(&form);
    bar->SetParent(&form);
    bar->SetColor(clWhite);
    bar->Font()->SetColor(clBlack);
  }
  void TearDown() override { mouseIsOver(nullptr, {}); }
  QImage face() { return bar->Window()->grab().toImage(); }
  // How many pixels of the rectangle are not the bar's white: text and bevels.
  int inkIn(const QImage& image, QRect area) {
    int ink = 0;
    for (int y = area.top(); y <= area.bottom(); ++y)
      for (int x = area.left(); x <= area.right(); ++x)
        if (image.pixel(x, y) != qRgb(255, 255, 255)) ++ink;
    return ink;
  }

  TForm form{nullptr};
  TTestEdit* hinted;
  TTestEdit* plain;
  StatusBar* bar;
};

TEST_F(StatusBarTest, ASimplePanelWithAutoHintShowsTheHintUnderTheMouse) {
  bar->SetSimplePanel(true);
  bar->SetAutoHint(true);
  ASSERT_TRUE(showActive(form));
  const QRect textArea(2, 3, 150, bar->Height() - 5);
  EXPECT_EQ(inkIn(face(), textArea), 0);
  QTest::mouseMove(hinted->lineEdit(), QPoint(10, 5));
  EXPECT_EQ(bar->SimpleText(), "Saves the matter and its docket items");
  EXPECT_GT(inkIn(face(), textArea), 20) << "the hint is drawn";
  QTest::mouseMove(plain->lineEdit(), QPoint(10, 5));
  EXPECT_EQ(bar->SimpleText(), "");
  EXPECT_EQ(inkIn(face(), textArea), 0);
  bar->SetAutoHint(false);
  QTest::mouseMove(hinted->lineEdit(), QPoint(10, 5));
  EXPECT_EQ(bar->SimpleText(), "") << "not asked, not shown";
}

TEST_F(StatusBarTest, WithPanelsTheHintGoesIntoTheFirstPanel) {
  bar->Panels()->Add()->SetWidth(120);
  bar->Panels()->Add()->SetText("NUM");
  bar->SetAutoHint(true);
  ASSERT_TRUE(showActive(form));
  QTest::mouseMove(plain->lineEdit(), QPoint(10, 5));
  QTest::mouseMove(hinted->lineEdit(), QPoint(10, 5));
  EXPECT_EQ(bar->Panels()->Items(0)->Text(), "Saves the matter and its docket items");
  EXPECT_EQ(bar->Panels()->Items(1)->Text(), "NUM");
  EXPECT_EQ(bar->SimpleText(), "");
}

TEST_F(StatusBarTest, PanelsLieSideBySideAndTheLastReachesTheRightEdge) {
  for (int width : {100, 40, 30}) bar->Panels()->Add()->SetWidth(width);
  bar->SetWidth(300);
  EXPECT_EQ(bar->PanelRect(0).Left, 0);
  EXPECT_EQ(bar->PanelRect(0).Right, 100);
  EXPECT_EQ(bar->PanelRect(1).Left, 102);
  EXPECT_EQ(bar->PanelRect(2).Right, 300);
  EXPECT_EQ(bar->PanelAt({101, 10}), -1) << "between panels";
  EXPECT_EQ(bar->PanelAt({250, 10}), 2);
  bar->SetSimplePanel(true);
  EXPECT_EQ(bar->PanelAt({50, 10}), -1);
}

TEST_F(StatusBarTest, TextKeepsToItsPanelsAlignment) {
  StatusPanel* panel = bar->Panels()->Add();
  panel->SetWidth(200);
  panel->SetBevel(bvNone);
  panel->SetText("Ready");
  bar->Panels()->Add();
  ASSERT_TRUE(showActive(form));
  const QRect leftHalf(0, 0, 100, bar->Height()), rightHalf(100, 0, 100, bar->Height());
  QImage image = face();
  EXPECT_GT(inkIn(image, leftHalf), 0);
  EXPECT_EQ(inkIn(image, rightHalf), 0);
  panel->SetAlignment(taRightJustify);
  image = face();
  EXPECT_EQ(inkIn(image, leftHalf), 0);
  EXPECT_GT(inkIn(image, rightHalf), 0);
}

TEST_F(StatusBarTest, AnOwnerDrawnPanelIsDrawnByTheHandlerInItsRectangleAndTheBarsFont) {
  bar->Panels()->Add()->SetWidth(60);
  StatusPanel* drawn = bar->Panels()->Add();
  drawn->SetWidth(80);
  drawn->SetStyle(psOwnerDraw);
  bar->Panels()->Add();
  bar->Font()->SetSize(7);
  TRect given;
  int fontSize = 0;
  bar->OnDrawPanel = [&](StatusBar* Bar, StatusPanel* Panel, const TRect& Rect) {
    EXPECT_EQ(Panel, drawn);
    given = Rect;
    fontSize = Bar->canvas().Font()->Size();
    Bar->canvas().Brush.Color = clRed;
    Bar->canvas().fillRect({Rect.Left + 4, Rect.Top + 3, Rect.Right - 4, Rect.Bottom - 3});
  };
  ASSERT_TRUE(showActive(form));
  QImage image = face();
  EXPECT_EQ(given.Left, 62);
  EXPECT_EQ(given.Right, 142);
  EXPECT_EQ(fontSize, 7);
  EXPECT_EQ(image.pixelColor(100, 10), QColor(255, 0, 0));
  EXPECT_NE(image.pixelColor(30, 10), QColor(255, 0, 0));
}

}  // namespace
}  // namespace qn::ui::testing
