#include <gtest/gtest.h>

#include <QWheelEvent>

#include "framework/ui/tests/GridTestSupport.h"

namespace qn::ui::testing {
namespace {

// 10,000 rows and 5 columns of 64 x 20 pixels with one-pixel lines, one fixed row and column, no
// scroll bars: ten whole data rows and two whole data columns fit.
class GridKeyTest : public GridFormTest {
 protected:
  void SetUp() override {
    GridFormTest::SetUp();
    grid->setScrollBars(scrollBarsNone);
    grid->setColumnCount(5);
    grid->setRowCount(10000);
    grid->setDefaultColumnWidth(64);
    grid->setDefaultRowHeight(20);
    grid->SetBounds(0, 0, 200, 21 + 10 * 21);
    setOption(gridTabs, true);
    grid->OnScrollOriginChanged = [this](TObject*) { ++originChanges; };
  }
  void wheel(int steps) {
    QWidget* widget = grid->Window();
    const QPoint at(40, 40);
    QWheelEvent event(QPointF(at), QPointF(widget->mapToGlobal(at)), QPoint(), QPoint(0, 120 * steps), Qt::NoButton,
                      Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(widget, &event);
  }
  int originChanges = 0;
};

TEST_F(GridKeyTest, KeysMoveTheCurrentCellAndScrollOnlyWhenItLeavesTheView) {
  ASSERT_EQ(grid->fullyVisibleRows(), 10);
  ASSERT_EQ(grid->fullyVisibleColumns(), 2);
  struct Move {
    const char* name;
    GridCoord from;
    Qt::Key key;  // Qt::Key_unknown: the wheel, `wheelSteps` notches
    Qt::KeyboardModifiers modifiers;
    int wheelSteps;
    GridCoord to;
    GridCoord origin;
    int originChanges;
  };
  const std::vector<Move> moves{
      {"down inside the view", {1, 1}, Qt::Key_Down, {}, 0, {1, 2}, {1, 1}, 0},
      {"down off the last row shown", {1, 10}, Qt::Key_Down, {}, 0, {1, 11}, {1, 2}, 1},
      {"up at the first data row", {1, 1}, Qt::Key_Up, {}, 0, {1, 1}, {1, 1}, 0},
      {"page down", {1, 5}, Qt::Key_PageDown, {}, 0, {1, 15}, {1, 11}, 1},
      {"page up", {1, 15}, Qt::Key_PageUp, {}, 0, {1, 5}, {1, 1}, 1},
      {"page down near the end", {1, 9995}, Qt::Key_PageDown, {}, 0, {1, 9999}, {1, 9990}, 1},
      {"right inside the view", {1, 3}, Qt::Key_Right, {}, 0, {2, 3}, {1, 1}, 0},
      {"right off the last column shown", {2, 3}, Qt::Key_Right, {}, 0, {3, 3}, {2, 1}, 1},
      {"end", {1, 5}, Qt::Key_End, {}, 0, {4, 5}, {3, 1}, 1},
      {"home", {4, 5}, Qt::Key_Home, {}, 0, {1, 5}, {1, 1}, 1},
      {"ctrl+end", {1, 1}, Qt::Key_End, Qt::ControlModifier, 0, {4, 9999}, {3, 9990}, 1},
      {"ctrl+home", {4, 9999}, Qt::Key_Home, Qt::ControlModifier, 0, {1, 1}, {1, 1}, 1},
      {"tab over a column without tab", {1, 3}, Qt::Key_Tab, {}, 0, {3, 3}, {2, 1}, 1},
      {"shift+tab over a column without tab", {3, 3}, Qt::Key_Backtab, Qt::ShiftModifier, 0, {1, 3}, {1, 1}, 1},
      {"wheel towards the user", {1, 10}, Qt::Key_unknown, {}, -1, {1, 11}, {1, 2}, 1},
      {"wheel away from the user", {1, 5}, Qt::Key_unknown, {}, 2, {1, 3}, {1, 1}, 0},
  };
  grid->setColumnTakesTab(2, false);
  for (const Move& move : moves) {
    SCOPED_TRACE(move.name);
    grid->setScrollOrigin(1, 1);
    grid->moveCurrentCell(move.from.column, move.from.row, true);
    originChanges = 0;
    if (move.key == Qt::Key_unknown) wheel(move.wheelSteps);
    else key(move.key, move.modifiers);
    EXPECT_EQ((GridCoord{grid->Col(), grid->Row()}), move.to);
    EXPECT_EQ((GridCoord{grid->firstScrollColumn(), grid->firstScrollRow()}), move.origin);
    EXPECT_EQ(originChanges, move.originChanges);
    // The fixed row and column stay where they are, however far the cells scrolled.
    EXPECT_EQ(grid->cellBounds(0, 0), Rect(0, 0, 64, 20));
    EXPECT_EQ(grid->cellAtPoint({10, 30}), (GridCoord{0, grid->firstScrollRow()}));
    EXPECT_EQ(grid->cellAtPoint({70, 5}), (GridCoord{grid->firstScrollColumn(), 0}));
    EXPECT_TRUE(grid->Focused());
  }
}

TEST_F(GridKeyTest, TabPastTheLastColumnLeavesTheGrid) {
  grid->moveCurrentCell(3, 4, true);
  grid->setColumnTakesTab(4, false);
  key(Qt::Key_Tab);
  EXPECT_TRUE(other->Focused());
  EXPECT_EQ(grid->Col(), 3);
  grid->SetFocus();
  grid->moveCurrentCell(1, 4, true);
  key(Qt::Key_Backtab, Qt::ShiftModifier);
  EXPECT_TRUE(other->Focused());
}

TEST_F(GridKeyTest, WithoutTabsTheTabKeyMovesTheFocusAtOnce) {
  setOption(gridTabs, false);
  grid->moveCurrentCell(1, 1, true);
  key(Qt::Key_Tab);
  EXPECT_TRUE(other->Focused());
  EXPECT_EQ(grid->Col(), 1);
}

TEST_F(GridKeyTest, MovingTheCurrentCellWithoutScrollingKeepsTheOrigin) {
  grid->moveCurrentCell(2, 500);
  EXPECT_EQ((GridCoord{grid->Col(), grid->Row()}), (GridCoord{2, 500}));
  EXPECT_EQ((GridCoord{grid->firstScrollColumn(), grid->firstScrollRow()}), (GridCoord{1, 1}));
  EXPECT_EQ(originChanges, 0);
  // Outside the grid it stops at the last cell and never lands on a fixed one.
  grid->moveCurrentCell(99, 20000);
  EXPECT_EQ((GridCoord{grid->Col(), grid->Row()}), (GridCoord{4, 9999}));
  grid->moveCurrentCell(0, 0);
  EXPECT_EQ((GridCoord{grid->Col(), grid->Row()}), (GridCoord{1, 1}));
}

TEST_F(GridKeyTest, RowSelectionScrollsColumnsWithTheSideArrows) {
  setOption(gridRowSelect, true);
  grid->moveCurrentCell(1, 3, true);
  key(Qt::Key_Right);
  EXPECT_EQ((GridCoord{grid->Col(), grid->Row()}), (GridCoord{1, 3}));
  EXPECT_EQ(grid->firstScrollColumn(), 2);
  EXPECT_EQ(originChanges, 1);
}

}  // namespace
}  // namespace qn::ui::testing
