// Repaint speed of the text grid, offscreen. A 12-column grid of 1,000 (and 100,000) rows shows
// about 40 x 12 cells; each repaint goes into an RGB32 image through the grid's own painting and,
// for comparison, the same cells are drawn straight with QPainter (fill, two grid lines, text
// clipped to the cell from a ready QString). A one-row scroll with its uncovered row painted is set
// against a full repaint of the grid's own image. The first paint of each case is not counted.
//
// Prints, after the table:
//   ratio grid_paint <grid repaints/s / direct repaints/s>
//   ratio grid_paint_rows <100,000-row repaints/s / 1,000-row repaints/s>
//   ratio grid_scroll_row <one-row scroll time / full repaint time>
#include <benchmark/benchmark.h>

#include <QImage>
#include <QCoreApplication>
#include <QPainter>
#include <QWindow>
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "framework/base/AnsiString.h"
#include "framework/ui/Canvas.h"
#include "framework/ui/ColorPalette.h"
#include "framework/ui/TextGrid.h"
#include "framework/ui/bench/WidgetBenchmarks.h"

namespace {

constexpr int kColumns = 12;
constexpr int kColumnWidth = 64;
constexpr int kRowHeight = 18;
constexpr int kVisibleRows = 40;
constexpr int kWidth = kColumns * (kColumnWidth + 1);
constexpr int kHeight = kVisibleRows * (kRowHeight + 1);

// Texts of one length whatever the row, so grids of any length show alike.
AnsiString cellText(int c, int r) {
  char text[32];
  if (r == 0) std::snprintf(text, sizeof text, "Title %02d", c);
  else if (c == 0) std::snprintf(text, sizeof text, "%03d", r % 1000);
  else std::snprintf(text, sizeof text, "R%03d C%02d", r % 1000, c);
  return text;
}

// A text grid of `rows` rows with a title row and a number column, scrolled to its middle.
std::unique_ptr<TextGrid> makeGrid(int rows) {
  auto grid = std::make_unique<TextGrid>(nullptr);
  grid->setScrollBars(scrollBarsNone);
  grid->Font()->SetName("Liberation Sans");
  grid->Font()->SetHeight(-12);
  grid->setColumnCount(kColumns);
  grid->setRowCount(rows);
  grid->setDefaultColumnWidth(kColumnWidth);
  grid->setDefaultRowHeight(kRowHeight);
  grid->SetBounds(0, 0, kWidth, kHeight);
  for (int r = 0; r < rows; ++r)
    for (int c = 0; c < kColumns; ++c)
      grid->setCellText(c, r, cellText(c, r));
  grid->setFirstScrollRow(rows / 2);
  return grid;
}

void paintGrid(benchmark::State& state, int rows) {
  auto grid = makeGrid(rows);
  QImage image(kWidth, kHeight, QImage::Format_RGB32);
  image.setDevicePixelRatio(1);
  Canvas canvas(&image);
  canvas.setClipRect(Rect(0, 0, kWidth, kHeight));
  grid->paintInto(canvas);  // the first paint loads fonts and glyphs
  for (auto _ : state) {
    grid->paintInto(canvas);
    benchmark::DoNotOptimize(image.constBits());
  }
  state.SetItemsProcessed(state.iterations());
}

void BM_GridPaint_1000Rows(benchmark::State& state) { paintGrid(state, 1000); }
void BM_GridPaint_100000Rows(benchmark::State& state) { paintGrid(state, 100000); }

// The same visible cells, their colours, lines and texts drawn straight with one QPainter.
void BM_DirectPaint(benchmark::State& state) {
  auto grid = makeGrid(1000);
  struct Cell {
    QRect rect;
    QColor fill;
    QString text;
  };
  std::vector<Cell> cells;
  for (int c = 0; c < grid->columnCount(); ++c)
    for (int r = 0; r < grid->rowCount(); ++r) {
      const TRect b = grid->cellBounds(c, r);
      if (b.IsEmpty()) continue;
      const bool fixed = c < grid->FixedCols() || r < grid->fixedRowCount();
      cells.push_back({QRect(b.Left, b.Top, b.Width(), b.Height()), qn::ui::qtColor(fixed ? grid->fixedColour() : grid->Color()),
                       QString::fromStdString(qn::ansiToUtf8(grid->cellText(c, r)))});
    }
  QImage image(kWidth, kHeight, QImage::Format_RGB32);
  image.setDevicePixelRatio(1);
  Canvas fontSource(&image);
  fontSource.SetFont(grid->Font());
  const QFont font = fontSource.deviceFont();
  const QColor line = qn::ui::qtColor(clSilver);
  const QColor textColour = qn::ui::qtColor(clWindowText);
  const auto paint = [&] {
    QPainter painter(&image);
    painter.setFont(font);
    const int ascent = painter.fontMetrics().ascent();
    for (const Cell& cell : cells) {
      painter.setClipping(false);
      painter.fillRect(cell.rect, cell.fill);
      painter.fillRect(QRect(cell.rect.right() + 1, cell.rect.top(), 1, cell.rect.height() + 1), line);
      painter.fillRect(QRect(cell.rect.left(), cell.rect.bottom() + 1, cell.rect.width() + 1, 1), line);
      painter.setClipRect(cell.rect);
      painter.setPen(textColour);
      painter.drawText(cell.rect.left() + 2, cell.rect.top() + 2 + ascent, cell.text);
    }
  };
  paint();
  for (auto _ : state) {
    paint();
    benchmark::DoNotOptimize(image.constBits());
  }
  state.SetItemsProcessed(state.iterations());
}

// The grid on screen (offscreen), painting its own image.
std::unique_ptr<TextGrid> shownGrid() {
  auto grid = makeGrid(1000);
  QWidget* window = grid->Window();
  window->show();
  // Qt paints a window only once the platform has exposed it.
  for (int i = 0; i < 200 && !(window->windowHandle() && window->windowHandle()->isExposed()); ++i)
    QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
  grid->Repaint();
  return grid;
}

void BM_GridScrollOneRow(benchmark::State& state) {
  auto grid = shownGrid();
  int step = 1;
  for (auto _ : state) {
    grid->setFirstScrollRow(grid->firstScrollRow() + step);
    grid->Update();
    step = -step;
  }
  state.SetItemsProcessed(state.iterations());
}

void BM_GridFullRepaint(benchmark::State& state) {
  auto grid = shownGrid();
  for (auto _ : state) {
    grid->Invalidate();
    grid->Update();
  }
  state.SetItemsProcessed(state.iterations());
}

BENCHMARK(BM_GridPaint_1000Rows)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_GridPaint_100000Rows)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_DirectPaint)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_GridScrollOneRow)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_GridFullRepaint)->Unit(benchmark::kMicrosecond);

}  // namespace

int main(int argc, char** argv) {
  return qn::ui::runWidgetBenchmarks(argc, argv, [](const qn::testing::RatioReporter& reporter) {
    reporter.printRatio("ratio", "grid_paint", "BM_GridPaint_1000Rows", "BM_DirectPaint");
    reporter.printRatio("ratio", "grid_paint_rows", "BM_GridPaint_100000Rows", "BM_GridPaint_1000Rows");
    // Rates invert times: full repaints per second over scrolls per second is scroll time over repaint time.
    reporter.printRatio("ratio", "grid_scroll_row", "BM_GridFullRepaint", "BM_GridScrollOneRow");
  });
}
