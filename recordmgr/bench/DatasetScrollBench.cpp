// The dataset core over the clients file of 10,000 records made in the run (qnseed, then one
// transaction of inserts): reading every record with Next under a twenty-row window, and paging
// through the file and back, beside the cursor reading the same records alone. Prints
// "ratio dataset_next <x>" (dataset records per second / cursor records per second) at the start
// of its line, after the table.
#include <benchmark/benchmark.h>

#include <memory>
#include <string>
#include <vector>

#include "recordmgr/bench/ClientsBenchFile.h"
#include "testing/RatioReporter.h"

namespace {

constexpr int kRecords = 10000;
constexpr int kRows = benchfile::kRows;

std::unique_ptr<benchfile::ClientsBench>& benchHolder() {
  static std::unique_ptr<benchfile::ClientsBench> made;
  return made;
}

benchfile::ClientsBench& bench() {
  if (!benchHolder()) benchHolder() = benchfile::makeClientsBench("qn-dataset-bench-", kRecords);
  return *benchHolder();
}

void BM_Next_Dataset(benchmark::State& state) {
  bindingtest::TestTableDataset& clients = *bench().clients;
  int64_t read = 0;
  for (auto _ : state) {
    for (clients.First(); !clients.Eof(); clients.Next()) ++read;
  }
  state.SetItemsProcessed(read);
}

void BM_Next_Cursor(benchmark::State& state) {
  bindingtest::TestTableDataset& clients = *bench().clients;
  TVirtEng* engine = clients.Engine();
  std::vector<char> record(static_cast<size_t>(clients.RecordSize()));
  int64_t read = 0;
  for (auto _ : state) {
    engine->SetToBegin(clients.Handle());
    while (engine->GetNextRecord(clients.Handle(), 0, record.data(), nullptr) == 0) ++read;
  }
  state.SetItemsProcessed(read);
}

void BM_Pages_Dataset(benchmark::State& state) {
  bindingtest::TestTableDataset& clients = *bench().clients;
  int64_t moved = 0;
  for (auto _ : state) {
    clients.First();
    while (!clients.Eof()) moved += clients.MoveBy(kRows);
    while (!clients.Bof()) moved -= clients.MoveBy(-kRows);
  }
  state.SetItemsProcessed(moved);
}

BENCHMARK(BM_Next_Dataset)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Next_Cursor)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Pages_Dataset)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  qn::testing::RatioReporter reporter;
  bench();
  benchmark::RunSpecifiedBenchmarks(&reporter);
  reporter.printRatio("ratio", "dataset_next", "BM_Next_Dataset", "BM_Next_Cursor");
  benchHolder().reset();
  return 0;
}
