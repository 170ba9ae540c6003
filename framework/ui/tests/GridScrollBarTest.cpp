#include <gtest/gtest.h>

#include <QScrollBar>

#include "framework/ui/tests/GridTestSupport.h"

namespace qn::ui::testing {
namespace {

// A grid whose vertical bar tells where it stands in something else than its rows (0..4), and
// which answers the bar's moves itself.
class TOwnRangeGrid : public TextGrid {
  QN_CLASS(TOwnRangeGrid, TextGrid)
 public:
  explicit TOwnRangeGrid(TComponent* owner) : TextGrid(owner) {}
  std::vector<std::pair<ScrollAction, int>> asked;
  int position = 2;

 protected:
  void updateVerticalScrollBar() override {
    setVerticalScrollRange(0, 4);
    setVerticalScrollPosition(position);
  }
  void VerticalScroll(ScrollAction Action, int Position) override {
    asked.push_back({Action, Position});
    position = Action == ScrollAction::bottom ? 4 : Action == ScrollAction::top ? 0 : position;
    updateVerticalScrollBar();
  }
};

QScrollBar* barOf(TWinControl* grid, Qt::Orientation orientation) {
  for (QScrollBar* bar : grid->Window()->findChildren<QScrollBar*>())
    if (bar->orientation() == orientation) return bar;
  return nullptr;
}

class GridScrollBarTest : public GridFormTest {
 protected:
  void SetUp() override {
    GridFormTest::SetUp();
    grid->SetBounds(0, 0, 300, 200);
    grid->setRowCount(100);
    grid->setColumnCount(20);
  }
};

TEST_F(GridScrollBarTest, TheBarsScrollTheCellsAndFollowTheOrigin) {
  QScrollBar* vertical = barOf(grid, Qt::Vertical);
  QScrollBar* horizontal = barOf(grid, Qt::Horizontal);
  ASSERT_TRUE(vertical && horizontal);
  EXPECT_EQ(grid->ClientRect().Right, vertical->x());
  EXPECT_EQ(grid->ClientRect().Bottom, horizontal->y());
  vertical->triggerAction(QAbstractSlider::SliderSingleStepAdd);
  EXPECT_EQ(grid->firstScrollRow(), 2);
  vertical->triggerAction(QAbstractSlider::SliderPageStepAdd);
  EXPECT_EQ(grid->firstScrollRow(), 2 + grid->fullyVisibleRows());
  vertical->triggerAction(QAbstractSlider::SliderToMaximum);
  EXPECT_EQ(grid->verticalScrollPosition(), grid->verticalScrollRange().second);
  EXPECT_EQ(grid->firstScrollRow(), 1 + grid->verticalScrollRange().second);
  // The last row is then whole at the bottom.
  EXPECT_FALSE(grid->cellBounds(1, 99).IsEmpty());
  EXPECT_LE(grid->cellBounds(1, 99).Bottom, grid->ClientRect().Bottom);
  horizontal->triggerAction(QAbstractSlider::SliderSingleStepAdd);
  EXPECT_EQ(grid->firstScrollColumn(), 2);
  // Keys move the bars with the origin.
  key(Qt::Key_Home, Qt::ControlModifier);
  EXPECT_EQ(vertical->value(), 0);
  EXPECT_EQ(horizontal->value(), 0);
  // Without bars the client area is the whole grid.
  grid->setScrollBars(scrollBarsNone);
  EXPECT_EQ(grid->ClientRect(), Rect(0, 0, 300, 200));
  EXPECT_FALSE(vertical->isVisible());
}

TEST_F(GridScrollBarTest, ADescendantKeepsItsOwnRangeAndAnswersTheBarsMoves) {
  auto* own = new TOwnRangeGrid(form);
  own->SetParent(form);
  own->SetBounds(0, 0, 300, 200);
  own->setRowCount(100);
  QScrollBar* vertical = barOf(own, Qt::Vertical);
  ASSERT_TRUE(vertical);
  EXPECT_EQ(own->verticalScrollRange(), (std::pair{0, 4}));
  EXPECT_EQ(vertical->value(), 2);
  vertical->triggerAction(QAbstractSlider::SliderSingleStepAdd);
  vertical->triggerAction(QAbstractSlider::SliderToMaximum);
  EXPECT_EQ(own->asked.size(), 2u);
  EXPECT_EQ(own->asked[0].first, ScrollAction::lineDown);
  EXPECT_EQ(own->asked[1].first, ScrollAction::bottom);
  EXPECT_EQ(vertical->value(), 4);
  // The grid's own moves leave the range alone.
  own->SetFocus();
  own->moveCurrentCell(1, 60, true);
  EXPECT_EQ(own->verticalScrollRange(), (std::pair{0, 4}));
  EXPECT_EQ(own->firstScrollRow() > 1, true);
  EXPECT_EQ(vertical->value(), 4);
}

}  // namespace
}  // namespace qn::ui::testing
