// Paging speed of the data-aware grid, offscreen. A grid of 25 visible rows and 6 columns pages
// through a table of 100,000 records and one of 1,000, down from the first record to the last and
// back, each page through the grid's scroll-bar path (the table moves, the grid follows, the bar
// is set) and painted once into an image. The baseline makes the same page moves on the table
// through a plain data link of 25 buffered records. The grid must not cost more as the table grows.
//
// Prints, after the table:
//   ratio grid_page_scroll_100k <grid pages/s / table pages/s, 100,000 records>
//   ratio grid_page_scroll_1k   <the same, 1,000 records>
//   ratio incremental_find      <IncrementalFind searches/s / FindNearest searches/s>
//                               (IncrementalFindBench.cpp)
#include <benchmark/benchmark.h>

#include <QImage>
#include <cstdio>
#include <memory>
#include <string>

#include "datagrid/CustomDBGrid.h"
#include "framework/db/DataLink.h"
#include "framework/db/DataSource.h"
#include "framework/db/MemoryDataSet.h"
#include "framework/ui/Canvas.h"
#include "framework/ui/bench/WidgetBenchmarks.h"

namespace {

constexpr int kVisibleRows = 25;

// The grid's page keys' path made callable.
class PagingGrid : public TdcCustomDBGrid {
  QN_CLASS(PagingGrid, TdcCustomDBGrid)
 public:
  using TdcCustomDBGrid::TdcCustomDBGrid;
  void page(bool down) { VerticalScroll(down ? ScrollAction::pageDown : ScrollAction::pageUp, 0); }
};

// A table of matters: six columns of fixed-width texts and numbers.
struct Table {
  explicit Table(int records) {
    data.FieldDefs().Add("CaseID", ftString, 8);
    data.FieldDefs().Add("Client", ftString, 7);
    data.FieldDefs().Add("Title", ftString, 30);
    data.FieldDefs().Add("Attorney", ftString, 4);
    data.FieldDefs().Add("Opened", ftInteger);
    data.FieldDefs().Add("Amount", ftInteger);
    data.Open();
    char id[16];
    for (int i = 0; i < records; ++i) {
      std::snprintf(id, sizeof id, "C%07d", i);
      data.AppendRecord({id, "CL" + std::to_string(i % 997), "Matter number " + std::to_string(i),
                         "A" + std::to_string(i % 50), 20000101 + i % 28, i * 7});
    }
    data.First();
    source.SetDataSet(&data);
  }
  MemoryDataSet data;
  TDataSource source;
};

Table& table(int records) {
  static Table* large = nullptr;
  static Table* small = nullptr;
  Table*& slot = records > 1000 ? large : small;
  if (!slot) slot = new Table(records);
  return *slot;
}

// Moves one page at a time, turning at either end; answers the new direction.
bool turnAtEnds(TDataSet& data, bool down) {
  if (down && data.Eof()) return false;
  if (!down && data.Bof()) return true;
  return down;
}

void gridPages(benchmark::State& state, int records) {
  Table& t = table(records);
  t.data.First();
  PagingGrid grid(nullptr);
  grid.Font()->SetName("Liberation Sans");
  grid.Font()->SetHeight(-12);
  grid.SetBounds(0, 0, 900, 200);
  grid.createWindow();
  grid.SetDataSource(&t.source);
  grid.SetDBOptions(grid.DBOptions().Include(dgShowFooter).Include(dgTrailingEllipsis));
  grid.ColumnByName("Amount").SetFooterValue("Total");
  for (int height = 200; grid.VisibleRowCount() < kVisibleRows && height < 2000; height += 4) grid.SetBounds(0, 0, 900, height);
  if (grid.VisibleRowCount() != kVisibleRows) grid.SetBounds(0, 0, 900, grid.Height() - 4);
  QImage image(grid.Width(), grid.Height(), QImage::Format_RGB32);
  image.setDevicePixelRatio(1);
  Canvas canvas(&image);
  canvas.setClipRect(Rect(0, 0, grid.Width(), grid.Height()));
  grid.paintInto(canvas);
  bool down = true;
  for (auto _ : state) {
    down = turnAtEnds(t.data, down);
    grid.page(down);
    grid.paintInto(canvas);
    benchmark::DoNotOptimize(image.constBits());
  }
  state.SetItemsProcessed(state.iterations());
  grid.SetDataSource(nullptr);
}

void tablePages(benchmark::State& state, int records) {
  Table& t = table(records);
  t.data.First();
  // Buffering the grid's rows, so the table fills the same window on each move.
  TDataLink link;
  link.SetBufferCount(kVisibleRows);
  link.SetDataSource(&t.source);
  bool down = true;
  for (auto _ : state) {
    down = turnAtEnds(t.data, down);
    t.data.MoveBy(down ? kVisibleRows : -kVisibleRows);
  }
  state.SetItemsProcessed(state.iterations());
  link.SetDataSource(nullptr);
}

void BM_GridPages_100k(benchmark::State& state) { gridPages(state, 100000); }
void BM_TablePages_100k(benchmark::State& state) { tablePages(state, 100000); }
void BM_GridPages_1k(benchmark::State& state) { gridPages(state, 1000); }
void BM_TablePages_1k(benchmark::State& state) { tablePages(state, 1000); }
BENCHMARK(BM_GridPages_100k)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_TablePages_100k)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_GridPages_1k)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_TablePages_1k)->Unit(benchmark::kMicrosecond);

}  // namespace

int main(int argc, char** argv) {
  return qn::ui::runWidgetBenchmarks(argc, argv, [](const qn::testing::RatioReporter& reporter) {
    reporter.printRatio("ratio", "grid_page_scroll_100k", "BM_GridPages_100k", "BM_TablePages_100k");
    reporter.printRatio("ratio", "grid_page_scroll_1k", "BM_GridPages_1k", "BM_TablePages_1k");
    reporter.printRatio("ratio", "incremental_find", "BM_IncrementalFind", "BM_FindNearest");
  });
}
