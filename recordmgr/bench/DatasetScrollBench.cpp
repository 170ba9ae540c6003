// The dataset core over the clients file of 10,000 records made in the run (qnseed, then one
// transaction of inserts): reading every record with Next under a twenty-row window, and paging
// through the file and back, beside the cursor reading the same records alone. Prints
// "ratio dataset_next <x>" (dataset records per second / cursor records per second) at the start
// of its line, after the table.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "framework/db/DataLink.h"
#include "framework/db/DataSource.h"
#include "recordmgr/BaseTable.h"
#include "recordmgr/BtrieveEngine.h"
#include "recordmgr/VirtEng.h"
#include "recordmgr/tests/TestBinding.h"
#include "recordmgr/tests/TestDataset.h"
#include "testing/RatioReporter.h"

namespace {

constexpr int kRecords = 10000;
constexpr int kRows = 20;
constexpr uint16_t kClientCodeField = 2;

std::string programFolder() { return std::filesystem::canonical("/proc/self/exe").parent_path().string(); }

struct Bench {
  std::string folder;
  bindingtest::TestSessionList sessions;
  std::unique_ptr<bindingtest::TestTableDataset> clients;
  TDataSource source{nullptr};
  TDataLink link;
};

Bench& bench() {
  static Bench* made = [] {
    auto* b = new Bench;
    b->folder = (std::filesystem::temp_directory_path() / ("qn-dataset-bench-" + std::to_string(::getpid()))).string();
    const std::string fixture = b->folder + "/fixture";
    std::filesystem::create_directories(fixture);
    std::FILE* seed = std::fopen((fixture + "/YClient.qf.seed").c_str(), "w");
    std::fclose(seed);
    const std::string command = "'" + programFolder() + "/qnseed' data '" + b->folder + "/data' '" + fixture + "' >/dev/null";
    if (std::system(command.c_str()) != 0) std::abort();
    const uint16_t status = LoadBtrieveEngine("", "wbtrv32.dll");
    if (status != 0 && status != 1016) std::abort();

    auto* standard = new bindingtest::TestSessionComponent(nullptr, b->sessions);
    standard->SetSessionName("Btrieve");
    b->clients = std::make_unique<bindingtest::TestTableDataset>(nullptr, b->sessions);
    b->clients->SetDatabaseName(b->folder + "/data");
    b->clients->SetTableName("YClient.qf;RES:YCLIENT");
    b->clients->SetIndexName("1");
    b->clients->Open();
    TVirtEng* engine = b->clients->Engine();
    std::vector<char> record(static_cast<size_t>(b->clients->RecordSize()));
    b->clients->Database()->StartTransaction();
    for (int n = 1; n <= kRecords; ++n) {
      char code[8];
      std::snprintf(code, sizeof code, "C%05d", n);
      engine->InitRecord(b->clients->Handle(), record.data());
      engine->PutField(b->clients->Handle(), kClientCodeField, record.data(), code);
      if (engine->InsertRecord(b->clients->Handle(), 0, record.data()) != 0) std::abort();
    }
    b->clients->Database()->Commit();
    b->source.SetDataSet(b->clients.get());
    b->link.SetBufferCount(kRows);
    b->link.SetDataSource(&b->source);
    return b;
  }();
  return *made;
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
  const std::string folder = bench().folder;
  bench().link.SetDataSource(nullptr);
  delete &bench();
  std::filesystem::remove_all(folder);
  return 0;
}
