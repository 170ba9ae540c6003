// Paging speed of the data-aware grid, offscreen. A grid of 25 visible rows and 6 columns pages
// through the application's table on a clients file of 100,000 records and on one of 1,000, down
// from the first record to the last and back, each page through the grid's scroll-bar path (the
// table moves, the grid follows, the bar is set) and painted once into an image. The baseline
// makes the same page moves on the table through a plain data link of 25 buffered records, so
// both read through the record manager. The grid must not cost more as the table grows.
//
// Prints, after the table:
//   ratio grid_page_scroll_100k <grid pages/s / table pages/s, 100,000 records>
//   ratio grid_page_scroll_1k   <the same, 1,000 records>
//   ratio incremental_find      <IncrementalFind searches/s / FindNearest searches/s>
//                               (IncrementalFindBench.cpp)
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <QImage>
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "datagrid/CustomDBGrid.h"
#include "datagrid/DcTbTable.h"
#include "datagrid/bench/IncrementalFindBench.h"
#include "framework/db/DataLink.h"
#include "framework/db/DataSource.h"
#include "framework/base/UnitLifecycle.h"
#include "framework/db/Field.h"
#include "framework/ui/Canvas.h"
#include "framework/ui/bench/WidgetBenchmarks.h"
#include "recordmgr/bench/EmptyClientsFile.h"
#include "testing/OwnMachineRoot.h"

namespace {

constexpr int kVisibleRows = 25;

// The grid's page keys' path made callable.
class PagingGrid : public TdcCustomDBGrid {
  QN_CLASS(PagingGrid, TdcCustomDBGrid)
 public:
  using TdcCustomDBGrid::TdcCustomDBGrid;
  void page(bool down) { VerticalScroll(down ? ScrollAction::pageDown : ScrollAction::pageUp, 0); }
};

// A clients file of the program's layout in a folder of its own: qnseed makes it empty, one
// transaction inserts the clients, and the table shows six of their fields in client-code order.
struct Table {
  explicit Table(int records) {
    folder = benchfile::seedEmptyClientsFolder("qn-grid-bench-" + std::to_string(records) + "-");
    data.SetDatabaseName(folder + "/data");
    data.SetTableName("YClient.qf;RES:YCLIENT");
    data.SetIndexName("1");
    data.Open();
    insert(records);
    const std::vector<AnsiString> shown = {"Client Code", "Client Last Name", "Client First Name",
                                           "City",        "Phone 1",          "Office Code"};
    for (int i = 0; i < data.Fields().Count(); ++i)
      data.Fields()[i]->SetVisible(std::find(shown.begin(), shown.end(), data.Fields()[i]->FieldName()) != shown.end());
    data.First();
    source.SetDataSet(&data);
  }
  ~Table() {
    source.SetDataSet(nullptr);
    data.Close();
    std::filesystem::remove_all(folder);
  }

  void insert(int records) {
    benchfile::insertClients(data, records, [this](TVirtEng& engine, TBaseTable* cursor, char* record, int n) {
      const int i = n - 1;
      auto put = [&](const char* name, const std::string& value) {
        engine.PutField(cursor, static_cast<uint16_t>(data.FieldByName(name)->FieldNo()), record, value.c_str());
      };
      put("Client Code", benchfile::clientCode(i));
      put("Client Last Name", "Client number " + std::to_string(i));
      put("Client First Name", "Given " + std::to_string(i % 997));
      put("City", "City " + std::to_string(i % 50));
      put("Phone 1", "555-" + std::to_string(1000 + i % 9000));
      put("Office Code", std::to_string(i % 10));
    });
  }

  std::string folder;
  TdcTbTable data{nullptr};
  TDataSource source{nullptr};
};

std::unique_ptr<Table> large;
std::unique_ptr<Table> small;

Table& table(int records) {
  std::unique_ptr<Table>& slot = records > 1000 ? large : small;
  if (!slot) slot = std::make_unique<Table>(records);
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
  grid.ColumnByName("Office Code").SetFooterValue("Total");
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
  // A machine root and runtime folder of the run's own: the sessions never touch a developer's.
  const std::filesystem::path scratch =
      std::filesystem::temp_directory_path() / ("qn-grid-bench-root-" + std::to_string(::getpid()));
  qn::testing::useOwnMachineRoot(scratch);
  int result = 0;
  {
    RunningUnits units;
    result = qn::ui::runWidgetBenchmarks(argc, argv, [](const qn::testing::RatioReporter& reporter) {
      reporter.printRatio("ratio", "grid_page_scroll_100k", "BM_GridPages_100k", "BM_TablePages_100k");
      reporter.printRatio("ratio", "grid_page_scroll_1k", "BM_GridPages_1k", "BM_TablePages_1k");
      reporter.printRatio("ratio", "incremental_find", "BM_IncrementalFind", "BM_FindNearest");
      large.reset();
      small.reset();
      ReleaseIncrementalFindClients();
    });
  }
  std::filesystem::remove_all(scratch);
  return result;
}
