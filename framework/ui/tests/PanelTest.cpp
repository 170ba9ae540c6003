#include <gtest/gtest.h>

#include <QImage>
#include <QWidget>

#include "framework/ui/Panel.h"
#include "framework/ui/testing/QtTestApplication.h"
#include "framework/ui/tests/TestControls.h"

namespace qn::ui::testing {
namespace {

class PanelTest : public ::testing::Test {
 protected:
  void SetUp() override {
    qtApplication();
    form = new TTestForm;
    panel = new TPanel(form);
    panel->SetParent(form);
    panel->SetBounds(0, 0, 100, 60);
    panel->SetColor(clWhite);
  }
  void TearDown() override { delete form; }
  QImage face() { return panel->Window()->grab().toImage(); }

  TTestForm* form;
  TPanel* panel;
};

TEST_F(PanelTest, BevelsAndBorderNarrowTheClientAreaAndAlignedChildrenStayInside) {
  struct Row {
    TPanelBevel outer, inner;
    int bevelWidth, borderWidth, inset;
  };
  auto* child = new TTestPanel(form, panel);
  child->SetAlign(alClient);
  for (const Row& row : {Row{bvNone, bvNone, 1, 0, 0}, Row{bvRaised, bvNone, 1, 0, 1}, Row{bvRaised, bvLowered, 2, 3, 7},
                         Row{bvNone, bvLowered, 1, 4, 5}}) {
    SCOPED_TRACE(row.inset);
    panel->SetBevelOuter(row.outer);
    panel->SetBevelInner(row.inner);
    panel->SetBevelWidth(row.bevelWidth);
    panel->SetBorderWidth(row.borderWidth);
    EXPECT_EQ(panel->ClientRect().Left, row.inset);
    EXPECT_EQ(panel->ClientWidth(), 100 - 2 * row.inset);
    EXPECT_EQ(child->BoundsRect().Left, row.inset);
    EXPECT_EQ(child->Width(), 100 - 2 * row.inset);
  }
}

TEST_F(PanelTest, ARaisedBevelIsLightAtTheTopLeftAndDarkAtTheBottomRight) {
  form->Show();
  QImage image = face();
  EXPECT_NE(image.pixel(0, 0), image.pixel(99, 59));
  EXPECT_EQ(image.pixel(50, 30), qRgb(255, 255, 255));
  panel->SetBevelOuter(bvNone);
  image = face();
  EXPECT_EQ(image.pixel(0, 0), qRgb(255, 255, 255)) << "the bevel is painted away";
}

TEST_F(PanelTest, TheCaptionIsDrawnWhereItsAlignmentPutsIt) {
  panel->Font()->SetColor(clBlack);
  form->Show();
  auto darkColumns = [&](int from, int to) {
    QImage image = face();
    int dark = 0;
    for (int x = from; x < to; ++x)
      for (int y = 2; y < 58; ++y) dark += qGray(image.pixel(x, y)) < 128;
    return dark;
  };
  panel->SetCaption("MMM");
  panel->SetAlignment(taLeftJustify);
  EXPECT_GT(darkColumns(2, 30), 0);
  EXPECT_EQ(darkColumns(70, 98), 0);
  panel->SetAlignment(taRightJustify);
  EXPECT_EQ(darkColumns(2, 30), 0);
  EXPECT_GT(darkColumns(70, 98), 0);
}

}  // namespace
}  // namespace qn::ui::testing
