#include <gtest/gtest.h>

#include <QScrollBar>

#include "framework/ui/GroupFrame.h"
#include "framework/ui/ScreenFacts.h"
#include "framework/ui/ScrollArea.h"
#include "framework/ui/testing/QtTestApplication.h"
#include "framework/ui/tests/TestControls.h"

namespace qn::ui::testing {
namespace {

class ScrollAreaTest : public ::testing::Test {
 protected:
  void SetUp() override {
    qtApplication();
    form = new TTestForm;
    area = new ScrollArea(form);
    area->SetBorderStyle(bsNone);
    area->SetBounds(0, 0, 200, 100);
    area->SetParent(form);
    for (int i = 0; i < 8; ++i) {
      auto* edit = new TTestEdit(form, area);
      edit->SetBounds(10, 6 + 30 * i, 80, 20);
      edits.push_back(edit);
    }
    vert = area->VertScrollBar();
    vert->SetMargin(6);
    vert->SetIncrement(30);
  }
  void TearDown() override { delete form; }
  QScrollBar* shownBar(Qt::Orientation orientation) {
    for (QScrollBar* bar : area->Window()->findChildren<QScrollBar*>())
      if (bar->orientation() == orientation && bar->isVisible()) return bar;
    return nullptr;
  }

  TTestForm* form;
  ScrollArea* area;
  ScrollAreaBar* vert;
  std::vector<TTestEdit*> edits;
};

TEST_F(ScrollAreaTest, ABarShowsOnlyWhenItsRangeIsLongerThanTheRoom) {
  const ScreenFacts facts = qn::ui::screenFacts();
  form->Show();
  EXPECT_FALSE(vert->IsScrollBarVisible()) << "the range is given, never measured from the children";
  EXPECT_EQ(shownBar(Qt::Vertical), nullptr);
  EXPECT_EQ(area->ClientRect(), Rect(0, 0, 200, 100));
  vert->SetRange(6 + 30 * 8);
  EXPECT_TRUE(vert->IsScrollBarVisible());
  EXPECT_EQ(area->ClientRect(), Rect(0, 0, 200 - facts.verticalScrollBarWidth, 100));
  QScrollBar* bar = shownBar(Qt::Vertical);
  ASSERT_NE(bar, nullptr);
  EXPECT_EQ(bar->maximum(), 6 + 30 * 8 - 100);
  EXPECT_EQ(bar->singleStep(), 30);
  EXPECT_EQ(bar->geometry(), QRect(200 - facts.verticalScrollBarWidth, 0, facts.verticalScrollBarWidth, 100));
  vert->SetVisible(false);
  EXPECT_EQ(shownBar(Qt::Vertical), nullptr);
  EXPECT_EQ(area->ClientRect(), Rect(0, 0, 200, 100));
  area->HorzScrollBar()->SetRange(500);
  EXPECT_EQ(area->ClientRect(), Rect(0, 0, 200, 100 - facts.horizontalScrollBarHeight));
}

TEST_F(ScrollAreaTest, ThePositionMovesTheChildrenAndStaysInsideTheRange) {
  vert->SetRange(250);
  vert->SetPosition(60);
  EXPECT_EQ(edits[0]->Top(), 6 - 60);
  EXPECT_EQ(edits[3]->Top(), 96 - 60);
  vert->SetPosition(1000);
  EXPECT_EQ(vert->Position(), 250 - 100);
  EXPECT_EQ(edits[0]->Top(), 6 - 150);
  vert->SetPosition(-5);
  EXPECT_EQ(vert->Position(), 0);
  EXPECT_EQ(edits[0]->Top(), 6);
  EXPECT_EQ(edits[0]->Left(), 10) << "a vertical scroll leaves the columns";
  vert->SetPosition(150);
  vert->SetRange(160);
  EXPECT_EQ(vert->Position(), 60) << "a shorter range takes the position back";
  EXPECT_EQ(edits[0]->Top(), 6 - 60);
}

TEST_F(ScrollAreaTest, MovingTheBarScrollsLikeThePosition) {
  vert->SetRange(250);
  form->Show();
  QScrollBar* bar = shownBar(Qt::Vertical);
  ASSERT_NE(bar, nullptr);
  bar->triggerAction(QAbstractSlider::SliderSingleStepAdd);
  EXPECT_EQ(vert->Position(), 30);
  EXPECT_EQ(edits[1]->Top(), 36 - 30);
  EXPECT_EQ(edits[1]->Window()->geometry().top(), 36 - 30);
}

TEST_F(ScrollAreaTest, ScrollingAChildIntoViewKeepsTheMarginBesideIt) {
  vert->SetRange(250);
  area->ScrollInView(edits[5]);  // 156..176 in the content
  EXPECT_EQ(vert->Position(), 176 + 6 - 100);
  EXPECT_EQ(edits[5]->Top() + edits[5]->Height() + 6, 100);
  area->ScrollInView(edits[4]);
  EXPECT_EQ(vert->Position(), 176 + 6 - 100) << "already in view: nothing moves";
  area->ScrollInView(edits[1]);  // 36..56
  EXPECT_EQ(vert->Position(), 36 - 6);
  EXPECT_EQ(edits[1]->Top(), 6);
  area->ScrollInView(edits[0]);
  EXPECT_EQ(vert->Position(), 0);
}

TEST_F(ScrollAreaTest, ABorderTakesItsWidthFromTheRoom) {
  area->SetBorderStyle(bsSingle);
  EXPECT_EQ(area->ClientRect(), Rect(2, 2, 198, 98));
}

TEST(GroupFrameTest, AlignedChildrenStayInsideTheFrameBelowTheCaption) {
  qtApplication();
  TTestForm form;
  auto* frame = new GroupFrame(&form);
  frame->SetParent(&form);
  frame->SetBounds(0, 0, 150, 90);
  frame->SetCaption("Field &Value");
  auto* inside = new TTestPanel(&form, frame);
  inside->SetAlign(alClient);
  form.Show();
  EXPECT_EQ(inside->Left(), 2);
  EXPECT_GT(inside->Top(), 8);
  EXPECT_EQ(inside->Left() + inside->Width(), 148);
  EXPECT_EQ(inside->Top() + inside->Height(), 88);
  EXPECT_EQ(ReadStringProperty(frame, "Caption"), "Field &Value");
}

}  // namespace
}  // namespace qn::ui::testing
