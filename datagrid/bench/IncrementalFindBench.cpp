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
#include "recordmgr/bench/EmptyClientsFile.h"

namespace {

constexpr int kRecords = 100000;
using benchfile::clientCode;

// The n-th code without its last digit: the search stops on the first of ten codes.
AnsiString prefix(int n) { return clientCode(n).substr(0, 6); }

struct LargeClients {
  LargeClients() {
    folder = benchfile::seedEmptyClientsFolder("incremental-find");
    table = std::make_unique<TdcTable>(nullptr);
    table->SetDatabaseName(folder + "/data");
    table->SetTableName("YClient.qf;RES:YCLIENT");
    table->SetIndexName("1");
    table->Open();
    benchfile::insertClients(*table, kRecords, [](TVirtEng& engine, TBaseTable* cursor, char* record, int n) {
      engine.PutField(cursor, benchfile::kClientCodeField, record, clientCode(n).c_str());
    });
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
