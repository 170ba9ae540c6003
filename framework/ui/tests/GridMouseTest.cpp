#include <gtest/gtest.h>

#include "framework/base/Clock.h"
#include "framework/base/PublishedProperties.h"
#include "framework/ui/Application.h"
#include "framework/ui/tests/GridTestSupport.h"

namespace qn::ui::testing {
namespace {

// 6 x 8 cells of 64 x 24 pixels with one-pixel lines, one fixed row and column, titles "h<column>".
// Column c's right-hand line lies at x = 65 c + 64.
class GridMouseTest : public GridFormTest {
 protected:
  void SetUp() override {
    GridFormTest::SetUp();
    grid->setScrollBars(scrollBarsNone);
    grid->SetBounds(0, 0, 460, 200);
    grid->setColumnCount(6);
    grid->setRowCount(8);
    for (int c = 0; c < 6; ++c) grid->setCellText(c, 0, "h" + std::to_string(c));
    grid->OnColumnWidthsChanged = [this](TObject*) { ++widthChanges; };
    grid->OnColumnMoved = [this](TObject*, int from, int to) { moves.push_back({from, to}); };
  }
  std::vector<int> widths() {
    std::vector<int> all;
    for (int c = 0; c < grid->columnCount(); ++c) all.push_back(grid->columnWidth(c));
    return all;
  }
  int widthChanges = 0;
  std::vector<std::pair<int, int>> moves;
};

TEST_F(GridMouseTest, TheSizeHitTestAnswersOnlyOnAColumnLine) {
  setOption(gridColumnSizing, true);
  struct Probe {
    TPoint at;
    int column;
  };
  const std::vector<Probe> probes{
      {{129, 10}, 1},   // on the line after column 1
      {{127, 10}, 1},   // just inside the cell, within reach of the line
      {{131, 10}, 1},   // just after the line
      {{64, 5}, 0},     // the fixed column's line
      {{100, 10}, -1},  // inside a title cell
      {{133, 10}, -1},  // past the reach of the line
      {{129, 40}, -1},  // on the line, but in a data row
      {{129, 199}, -1}, // far down in the data rows
      {{-3, 10}, -1},   // outside the grid
  };
  for (const Probe& probe : probes) {
    SCOPED_TRACE(std::to_string(probe.at.X) + "," + std::to_string(probe.at.Y));
    EXPECT_EQ(grid->columnSizeHit(probe.at), probe.column);
  }
}

TEST_F(GridMouseTest, SizingAColumnByMouseChangesOneWidthAndTellsOnce) {
  setOption(gridColumnSizing, true);
  std::vector<int> expected = widths();
  press({129, 10});
  EXPECT_EQ(grid->mouseState(), GridMouseState::sizingColumn);
  moveTo({139, 12});
  moveTo({149, 12});
  moveTo({159, 11});
  EXPECT_EQ(widthChanges, 0);
  release({159, 11});
  expected[1] = 94;
  EXPECT_EQ(widths(), expected);
  EXPECT_EQ(widthChanges, 1);
  EXPECT_EQ(grid->mouseState(), GridMouseState::normal);
  // Without column sizing the same press selects nothing and sizes nothing.
  setOption(gridColumnSizing, false);
  press({159, 10});
  moveTo({200, 10});
  release({200, 10});
  EXPECT_EQ(widths(), expected);
  EXPECT_EQ(widthChanges, 1);
}

TEST_F(GridMouseTest, AMovedColumnCarriesItsWidthTabStopAndTexts) {
  setOption(gridColumnMoving, true);
  grid->setColumnWidth(1, 80);
  grid->setColumnTakesTab(1, false);
  widthChanges = 0;
  // Column 1 now spans 65..145, column 2 146..210, column 3 211..275.
  press({90, 10});
  moveTo({150, 10});
  moveTo({230, 10});
  release({230, 10});
  EXPECT_EQ(moves, (std::vector<std::pair<int, int>>{{1, 3}}));
  EXPECT_EQ(widths(), (std::vector<int>{64, 64, 64, 80, 64, 64}));
  EXPECT_FALSE(grid->columnTakesTab(3));
  EXPECT_TRUE(grid->columnTakesTab(1));
  EXPECT_EQ(grid->rowTexts(0), (std::vector<AnsiString>{"h0", "h2", "h3", "h1", "h4", "h5"}));
  EXPECT_EQ(widthChanges, 0);
  // Dropped where it started, nothing moves.
  press({230, 10});
  release({240, 10});
  EXPECT_EQ(moves.size(), 1u);
}

TEST_F(GridMouseTest, APressOnACellMakesItCurrentAndAPressOnTheCurrentOneOpensTheEditor) {
  setOption(gridEditing, true);
  grid->setEditorReadOnly(false);
  press({140, 60});
  release({140, 60});
  EXPECT_EQ((GridCoord{grid->Col(), grid->Row()}), (GridCoord{2, 2}));
  EXPECT_FALSE(grid->cellEditorShown());
  press({140, 60});
  release({140, 60});
  EXPECT_TRUE(grid->cellEditorShown());
  // Presses on fixed cells move nothing.
  grid->hideCellEditor();
  press({10, 60});
  release({10, 60});
  EXPECT_EQ((GridCoord{grid->Col(), grid->Row()}), (GridCoord{2, 2}));
}

TEST_F(GridMouseTest, HoldingTheMouseBelowTheCellsMovesDownOneRowEachTick) {
  qn::ManualClock clock{10000};
  qn::setClock(&clock);
  grid->setRowCount(100);
  const int lastWhole = grid->firstScrollRow() + grid->fullyVisibleRows() - 1;
  press({140, 60});
  moveTo({140, grid->Height() + 30});
  const int row = grid->Row();
  for (int tick = 1; tick <= lastWhole + 3; ++tick) {
    clock.advance(100);
    Application->ProcessMessages();
  }
  const int afterTicks = grid->Row();
  release({140, grid->Height() + 30});
  clock.advance(500);
  Application->ProcessMessages();
  qn::setClock(nullptr);
  EXPECT_EQ(row, 2);
  EXPECT_EQ(afterTicks, row + lastWhole + 3);
  EXPECT_GT(grid->firstScrollRow(), 1);
  EXPECT_EQ(grid->Row(), afterTicks);  // the release stops it
  EXPECT_FALSE(grid->cellBounds(2, afterTicks).IsEmpty());
}

TEST_F(GridMouseTest, OptionsReadByNameFollowAChangeMadeInCode) {
  GridOptions options;
  options.Include(gridEditing);
  options.Include(gridTabs);
  options.Include(gridHorizontalLines);
  grid->SetOptions(options);
  const auto mask = ReadSetProperty(grid, "Options");
  ASSERT_TRUE(mask.has_value());
  EXPECT_EQ(*mask, (1u << gridEditing) | (1u << gridTabs) | (1u << gridHorizontalLines));
  EXPECT_TRUE(WriteSetProperty(grid, "Options", 1u << gridRowSelect));
  EXPECT_EQ(grid->Options(), GridOptions{gridRowSelect});
  grid->SetFixedCols(2);
  EXPECT_EQ(ReadIntegerProperty(grid, "FixedCols"), 2);
  grid->setFixedColour(clYellow);
  EXPECT_EQ(ReadIntegerProperty(grid, "FixedColor"), static_cast<int>(clYellow));
}

}  // namespace
}  // namespace qn::ui::testing
