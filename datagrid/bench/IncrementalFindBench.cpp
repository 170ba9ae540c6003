// Incremental search on a large record-manager table: the extended table's IncrementalFind of a
// client-code prefix on the code index of a 100,000-record clients file, against the table's own
// nearest-key search for the same prefix. The search goes by key, so it should cost about what
// one keyed read costs.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>
#include <unistd.h>
#include <vector>

#include "datagrid/bench/IncrementalFindBench.h"

#include "datagrid/DcEngineHelpers.h"
#include "datagrid/DcTable.h"
#include "recordmgr/BtrieveEngine.h"
#include "recordmgr/Database.h"
#include "recordmgr/VirtEng.h"

namespace {

constexpr int kRecords = 100000;
constexpr uint16_t kClientCodeField = 2;

std::string clientCode(int n) {
  char code[16];
  std::snprintf(code, sizeof code, "C%06d", n);
  return code;
}

// The n-th code without its last digit: the search stops on the first of ten codes.
AnsiString prefix(int n) { return clientCode(n).substr(0, 6); }

struct LargeClients {
  LargeClients() {
    folder = (std::filesystem::temp_directory_path() / ("incremental-find" + std::to_string(::getpid()))).string();
    const std::string fixture = folder + "/fixture";
    std::filesystem::create_directories(fixture);
    std::FILE* seed = std::fopen((fixture + "/YClient.qf.seed").c_str(), "w");
    std::fclose(seed);
    const std::string programs = std::filesystem::canonical("/proc/self/exe").parent_path().string();
    const std::string command = "'" + programs + "/qnseed' data '" + folder + "/data' '" + fixture + "' >/dev/null";
    if (std::system(command.c_str()) != 0) std::abort();
    const uint16_t status = LoadBtrieveEngine("", "wbtrv32.dll");
    if (status != 0 && status != 1016) std::abort();
    table = std::make_unique<TdcTable>(nullptr);
    table->SetDatabaseName(folder + "/data");
    table->SetTableName("YClient.qf;RES:YCLIENT");
    table->SetIndexName("1");
    table->Open();
    TVirtEng* engine = table->Engine();
    std::vector<char> record(static_cast<size_t>(table->RecordSize()));
    table->Database()->StartTransaction();
    for (int n = 1; n <= kRecords; ++n) {
      engine->InitRecord(table->Handle(), record.data());
      engine->PutField(table->Handle(), kClientCodeField, record.data(), clientCode(n).c_str());
      if (engine->InsertRecord(table->Handle(), 0, record.data()) != 0) std::abort();
    }
    table->Database()->Commit();
    table->Refresh();
  }
  ~LargeClients() {
    table.reset();
    std::filesystem::remove_all(folder);
  }
  std::string folder;
  std::unique_ptr<TdcTable> table;
};

std::unique_ptr<LargeClients> made;

// Made on first use, while the program's units run.
LargeClients& clients() {
  if (!made) made = std::make_unique<LargeClients>();
  return *made;
}

void BM_IncrementalFind(benchmark::State& state) {
  TdcTable& table = *clients().table;
  int n = 1;
  for (auto _ : state) {
    if (!IncrementalFind(&table, prefix(n), 0)) state.SkipWithError("a prefix was not found");
    n = (n + 7919) % (kRecords - 10) + 1;
  }
  state.SetItemsProcessed(state.iterations());
}

void BM_FindNearest(benchmark::State& state) {
  TdcTable& table = *clients().table;
  int n = 1;
  for (auto _ : state) {
    table.FindNearest({Variant(prefix(n))});
    n = (n + 7919) % (kRecords - 10) + 1;
  }
  state.SetItemsProcessed(state.iterations());
}

BENCHMARK(BM_IncrementalFind)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_FindNearest)->Unit(benchmark::kMicrosecond);

}  // namespace

void ReleaseIncrementalFindClients() { made.reset(); }
