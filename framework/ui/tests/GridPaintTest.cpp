#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDir>
#include <set>

#include "framework/base/Exception.h"
#include "framework/ui/BitmapImage.h"
#include "framework/ui/Button.h"
#include "framework/ui/ColorPalette.h"
#include "framework/ui/OwnerDrawGrid.h"
#include "framework/ui/tests/GridTestSupport.h"

namespace qn::ui::testing {
namespace {

using Cells = std::set<std::pair<int, int>>;

class GridPaintTest : public GridFormTest {
 protected:
  void SetUp() override {
    GridFormTest::SetUp();
    grid->SetBounds(0, 0, 300, 200);
    grid->setColumnCount(6);
    grid->setRowCount(40);
    grid->setDefaultRowHeight(20);
    for (int c = 0; c < 6; ++c)
      for (int r = 0; r < 40; ++r) grid->setCellText(c, r, r == 0 ? "Head " + std::to_string(c) : "Cell " + std::to_string(c * 100 + r));
    QApplication::processEvents();
    grid->drawn.clear();
  }
  // The cells with any part on screen, from their bounds.
  Cells visibleCells() {
    Cells cells;
    for (int c = 0; c < grid->columnCount(); ++c)
      for (int r = 0; r < grid->rowCount(); ++r)
        if (!grid->cellBounds(c, r).IsEmpty()) cells.insert({c, r});
    return cells;
  }
  Cells drawnCells() {
    Cells cells;
    for (const auto& [cell, times] : grid->drawn) cells.insert(cell);
    return cells;
  }
  QImage shown() { return grid->Window()->grab().toImage(); }
};

TEST_F(GridPaintTest, AFullRepaintDrawsEachVisibleCellOnce) {
  grid->setFirstScrollRow(7);
  grid->drawn.clear();
  grid->Repaint();
  EXPECT_EQ(drawnCells(), visibleCells());
  for (const auto& [cell, times] : grid->drawn) EXPECT_EQ(times, 1) << cell.first << "," << cell.second;
  // Scrolled-away rows are not among them, fixed ones are.
  EXPECT_EQ(grid->drawn.count({1, 3}), 0u);
  EXPECT_EQ(grid->drawn.count({0, 0}), 1u);
}

TEST_F(GridPaintTest, TheCurrentCellShowsWhetherTheGridHasTheFocus) {
  grid->moveCurrentCell(2, 3);
  QApplication::processEvents();
  const TRect r = grid->cellBounds(2, 3);
  const QRect cell(r.Left, r.Top, r.Width(), r.Height());
  const QImage focused = shown().copy(cell);
  other->SetFocus();
  QApplication::processEvents();
  const QImage unfocused = shown().copy(cell);
  EXPECT_NE(focused, unfocused);
  grid->SetFocus();
  QApplication::processEvents();
  EXPECT_EQ(shown().copy(cell), focused);
}

TEST_F(GridPaintTest, RepaintingOneCellDrawsOnlyIt) {
  grid->repaintCell(2, 3);
  grid->Update();
  EXPECT_EQ(drawnCells(), (Cells{{2, 3}}));
  grid->drawn.clear();
  grid->setCellText(3, 4, "changed");
  grid->Update();
  EXPECT_EQ(drawnCells(), (Cells{{3, 4}}));
}

TEST_F(GridPaintTest, ScrollingOneRowDrawsOnlyTheUncoveredRowAndShowsWhatAFullPaintShows) {
  grid->setFirstScrollRow(2);
  grid->Update();
  const QImage scrolled = shown();
  // Only cells of the rows at the bottom: the row that came into view, and the row cut at the edge.
  EXPECT_FALSE(grid->drawn.empty());
  for (const auto& [cell, times] : grid->drawn) EXPECT_GE(cell.second, grid->firstScrollRow() + grid->fullyVisibleRows() - 1) << cell.second;
  EXPECT_LE(grid->drawn.size(), 2u * static_cast<size_t>(grid->columnCount()));
  grid->Repaint();
  EXPECT_EQ(scrolled, shown());
}

TEST_F(GridPaintTest, APaintRedirectedToAnotherCanvasLeavesTheGridsOwnPixels) {
  const QImage before = shown();
  BitmapImage target(grid->Width(), grid->Height());
  target.canvas().Brush.Color = clFuchsia;
  target.canvas().fillRect(Rect(0, 0, grid->Width(), grid->Height()));
  grid->paintInto(target.canvas());
  EXPECT_EQ(shown(), before);
  EXPECT_FALSE(grid->drawn.empty());
  // The copy shows what the grid shows, cell for cell.
  for (const auto& cell : visibleCells()) {
    const TRect r = grid->cellBounds(cell.first, cell.second);
    const int x = r.Left + 1, y = r.Top + r.Height() / 2;
    EXPECT_EQ(target.canvas().pixel(x, y), colorOfPixel(before.pixel(x, y))) << cell.first << "," << cell.second;
  }
}

TEST_F(GridPaintTest, AnEmptyGridAndOneNarrowerThanItsFixedColumnsPaintWithoutError) {
  BitmapImage target(grid->Width(), grid->Height());
  grid->SetFixedCols(0);
  grid->setFixedRowCount(0);
  grid->setColumnCount(0);
  grid->setRowCount(0);
  EXPECT_NO_THROW(grid->paintInto(target.canvas()));
  EXPECT_TRUE(grid->drawn.empty());
  EXPECT_FALSE(grid->cellAtPoint({10, 10}).has_value());
  EXPECT_EQ(grid->fullyVisibleRows(), 0);
  EXPECT_NO_THROW(key(Qt::Key_Down));
  EXPECT_NO_THROW(key(Qt::Key_End, Qt::ControlModifier));
  EXPECT_EQ(target.canvas().pixel(100, 100), qn::ui::colorToRgb(grid->Color()));

  grid->setColumnCount(4);
  grid->setRowCount(10);
  grid->SetFixedCols(3);
  grid->setFixedRowCount(1);
  grid->SetBounds(0, 0, 100, 120);
  grid->drawn.clear();
  EXPECT_NO_THROW(grid->paintInto(target.canvas()));
  for (const auto& [cell, times] : grid->drawn) EXPECT_LT(cell.first, 2) << "only the fixed columns that show";
  EXPECT_FALSE(grid->drawn.empty());
  EXPECT_EQ(grid->fullyVisibleColumns(), 0);
  EXPECT_NO_THROW(key(Qt::Key_Right));
  EXPECT_NO_THROW(grid->Repaint());
}

TEST_F(GridPaintTest, BadSizesRaiseAndLeaveTheGridAsItWas) {
  struct Bad {
    const char* name;
    std::function<void()> act;
    const char* message;  // nullptr: an index error
  };
  const char* negative = "A grid size may not be negative.";
  const std::vector<Bad> table{
      {"negative columns", [&] { grid->setColumnCount(-1); }, negative},
      {"negative rows", [&] { grid->setRowCount(-5); }, negative},
      {"negative fixed columns", [&] { grid->SetFixedCols(-1); }, negative},
      {"fixed columns as many as columns", [&] { grid->SetFixedCols(6); }, "The fixed columns must be fewer than the columns."},
      {"fixed rows above rows", [&] { grid->setFixedRowCount(41); }, "The fixed rows must be fewer than the rows."},
      {"columns down to the fixed ones", [&] { grid->setColumnCount(1); }, "The fixed columns must be fewer than the columns."},
      {"negative width", [&] { grid->setColumnWidth(1, -3); }, negative},
      {"negative height", [&] { grid->setRowHeight(2, -1); }, negative},
      {"negative default width", [&] { grid->setDefaultColumnWidth(-10); }, negative},
      {"negative default height", [&] { grid->setDefaultRowHeight(-1); }, negative},
      {"negative line width", [&] { grid->setLineWidth(-1); }, negative},
      {"width of a column past the end", [&] { grid->setColumnWidth(6, 10); }, nullptr},
      {"text of a column past the end", [&] { (void)grid->cellText(6, 0); }, nullptr},
      {"text of a negative row", [&] { (void)grid->cellText(0, -1); }, nullptr},
      {"texts of a row past the end", [&] { (void)grid->rowTexts(40); }, nullptr},
  };
  grid->setColumnWidth(2, 90);
  grid->moveCurrentCell(3, 5, true);
  const auto snapshot = [&] {
    std::vector<int> values{grid->columnCount(), grid->rowCount(), grid->FixedCols(), grid->fixedRowCount(),
                            grid->defaultColumnWidth(), grid->defaultRowHeight(), grid->lineWidth(), grid->Col(), grid->Row()};
    for (int c = 0; c < grid->columnCount(); ++c) values.push_back(grid->columnWidth(c));
    for (int r = 0; r < grid->rowCount(); ++r) values.push_back(grid->rowHeight(r));
    return values;
  };
  const std::vector<int> before = snapshot();
  for (const Bad& bad : table) {
    SCOPED_TRACE(bad.name);
    if (bad.message) {
      try {
        bad.act();
        ADD_FAILURE() << "no error";
      } catch (const EInvalidOperation& e) {
        EXPECT_EQ(e.Message(), bad.message);
      }
    } else {
      EXPECT_THROW(bad.act(), EListError);
    }
    EXPECT_EQ(snapshot(), before);
  }
  // Points outside the cells are no cell.
  EXPECT_FALSE(grid->cellAtPoint({-1, 5}).has_value());
  EXPECT_FALSE(grid->cellAtPoint({5, -1}).has_value());
  EXPECT_FALSE(grid->cellAtPoint({grid->Width() + 3, 5}).has_value());
}

TEST_F(GridPaintTest, ADragImageDrawnOutsideThePaintHandlerFollowsTheMouseAndLeavesNothingBehind) {
  grid->setScrollBars(scrollBarsNone);
  setOption(gridColumnMoving, true);
  QApplication::processEvents();
  const QImage reference = shown();
  TRect last;
  const auto removeImage = [&] {
    if (last.IsEmpty()) return;
    grid->invalidateRect(last);
    grid->Update();
  };
  grid->OnMouseMove = [&](TObject*, TShiftState, int X, int) {
    removeImage();
    last = Bounds(X - 20, 15, 40, 16);
    Canvas& canvas = grid->canvas();
    canvas.Brush.Color = clRed;
    canvas.fillRect(last);
    canvas.Brush.Color = clBlack;
    canvas.fillRect(Rect(last.Right - 1, last.Top, last.Right, last.Bottom));
  };
  grid->OnMouseUp = [&](TObject*, TMouseButton, TShiftState, int, int) { removeImage(); };
  press({90, 8});
  TRect previous;
  for (int x : {100, 112, 126}) {
    moveTo({x, 8});
    QApplication::processEvents();
    const QImage now = shown();
    EXPECT_EQ(colorOfPixel(now.pixel(x, 20)), clRed) << x;
    // Where the image was and no longer is, the grid shows its own pixels again.
    for (int px = previous.Left; px < previous.Right; ++px)
      for (int py = previous.Top; py < previous.Bottom; ++py)
        if (!last.Contains({px, py})) {
          ASSERT_EQ(now.pixel(px, py), reference.pixel(px, py)) << px << "," << py;
        }
    previous = last;
  }
  release({126, 8});  // over the column it came from: no move
  QApplication::processEvents();
  EXPECT_EQ(shown(), reference);
}

TEST_F(GridPaintTest, TheOwnerPaintsEachCellKnowingItsStateAndColour) {
  auto* owned = new OwnerDrawGrid(form);
  owned->SetParent(form);
  owned->SetBounds(0, 210, 300, 120);
  owned->setColumnCount(4);
  owned->setRowCount(4);
  std::map<std::pair<int, int>, std::pair<GridCellStates, TColor>> seen;
  owned->OnDrawCell = [&](TObject* sender, Canvas& canvas, int c, int r, TRect rect, GridCellStates state) {
    EXPECT_EQ(sender, owned);
    EXPECT_EQ(rect, owned->cellBounds(c, r));
    seen[{c, r}] = {state, canvas.Brush.Color};
  };
  owned->SetFocus();
  owned->moveCurrentCell(2, 1);
  owned->Repaint();
  EXPECT_EQ(seen.at({0, 0}).first, GridCellStates{cellFixed});
  EXPECT_EQ(seen.at({0, 2}).second, owned->fixedColour());
  EXPECT_EQ(seen.at({2, 1}).first, (GridCellStates{cellSelected, cellFocused}));
  EXPECT_EQ(seen.at({3, 1}).first, GridCellStates{});
  EXPECT_EQ(seen.at({3, 1}).second, owned->Color());
  // Whole rows selected: the row's other cells are selected and highlighted, not focused.
  GridOptions options = owned->Options();
  options.Include(gridRowSelect);
  owned->SetOptions(options);
  owned->Repaint();
  EXPECT_EQ(seen.at({3, 1}).first, GridCellStates{cellSelected});
  EXPECT_EQ(seen.at({3, 1}).second, clHighlight);
  // Without the default filling the owner's pixels are all the cell has.
  owned->setDefaultCellFilling(false);
  owned->OnDrawCell = nullptr;
  const TRect cell = owned->cellBounds(1, 2);
  owned->canvas().Brush.Color = clLime;
  owned->canvas().fillRect(cell);
  owned->repaintCell(1, 2);
  owned->Update();
  EXPECT_EQ(owned->canvas().pixel(cell.Left + 3, cell.Top + 3), clLime);
  owned->setDefaultCellFilling(true);
  owned->repaintCell(1, 2);
  owned->Update();
  EXPECT_EQ(owned->canvas().pixel(cell.Left + 3, cell.Top + 3), qn::ui::colorToRgb(owned->Color()));
  // A control placed on a cell by its bounds covers that cell.
  auto* button = new TButton(form);
  button->SetParent(owned);
  button->SetBoundsRect(owned->cellBounds(2, 3));
  EXPECT_EQ(owned->cellAtPoint({button->Left() + 1, button->Top() + 1}), (GridCoord{2, 3}));
}

TEST_F(GridPaintTest, ASmallTextGridIsSavedAsAScreenshot) {
  grid->SetBounds(0, 0, 330, 130);
  grid->setColumnCount(4);
  grid->setRowCount(5);
  grid->setColumnWidth(0, 40);
  grid->setColumnWidth(1, 110);
  const std::vector<std::vector<AnsiString>> rows{
      {"", "Matter", "Opened", "Fee"},
      {"1", "Smith v. Jones", "03/02/2026", "1,250.00"},
      {"2", "Estate of M\xfcller", "11/05/2026", "480.00"},
      {"3", "Caf\xe9 lease", "12/09/2026", "95.50"},
      {"4", "Baker trust", "12/10/2026", "0.00"}};
  for (int r = 0; r < 5; ++r) grid->setRowTexts(r, rows[static_cast<size_t>(r)]);
  grid->moveCurrentCell(2, 2);
  grid->Repaint();
  const QString folder = QCoreApplication::applicationDirPath() + "/../screenshots";
  QDir().mkpath(folder);
  const QString file = folder + "/text_grid.png";
  ASSERT_TRUE(shown().save(file));
  const QImage saved(file);
  ASSERT_FALSE(saved.isNull());
  // Text shows as dark pixels inside a data cell.
  const TRect cell = grid->cellBounds(1, 1);
  int dark = 0;
  for (int x = cell.Left; x < cell.Right; ++x)
    for (int y = cell.Top; y < cell.Bottom; ++y) dark += qGray(saved.pixel(x, y)) < 100;
  EXPECT_GT(dark, 20);
}

}  // namespace
}  // namespace qn::ui::testing
