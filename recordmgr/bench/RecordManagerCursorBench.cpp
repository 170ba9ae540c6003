// The record-manager cursor against its call object alone, on one file of 100,000 records made
// in the run: reading next in key order through the whole file, get-equal by a string key, and
// counting. Prints "ratio cursor_scan <x>" and "ratio cursor_getequal <x>" (cursor operations per
// second / call-object operations per second) at the start of their lines, after the table.
// Beside them the table component on a clients file of 100,000 records of the program's layout:
// First to Eof with Next under a twenty-row link, and FindKey on the client code, each against the
// call object on the same file (next in key 1, get-equal); "ratio dataset_scan <x>" and
// "ratio dataset_findkey <x>".
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <cstdio>
#include <cstring>
#include <filesystem>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include "recordmgr/BtrTable.h"
#include "recordmgr/BtrieveEngine.h"
#include "recordmgr/DictionaryFieldRecord.h"
#include "recordmgr/EngineError.h"
#include "recordmgr/bench/ClientsBenchFile.h"
#include "testing/RatioReporter.h"

namespace {

constexpr int kRecords = 100000;
constexpr uint16_t kRecordLength = 64;
constexpr uint16_t kCodeLength = 8;
constexpr uint16_t kCodeAt = 4;  // 0-based

std::string codeOf(int n) {
  char code[kCodeLength + 1];
  std::snprintf(code, sizeof code, "C%07d", n);
  return code;
}

void put16(std::vector<uint8_t>& bytes, size_t at, uint16_t value) {
  bytes[at] = static_cast<uint8_t>(value);
  bytes[at + 1] = static_cast<uint8_t>(value >> 8);
}

struct Setup {
  std::string folder;
  std::string path;
};

// The file: Id (4-byte integer, key 0), Code (8-byte string, key 1), the rest text.
const Setup& setup() {
  static const Setup made = [] {
    Setup s;
    s.folder = (std::filesystem::temp_directory_path() / ("qn-cursor-bench-" + std::to_string(::getpid()))).string();
    std::filesystem::create_directories(s.folder);
    s.path = s.folder + "/CODES.DAT";
    const uint16_t status = LoadBtrieveEngine("", "wbtrv32.dll");
    if (status != 0 && status != 1016) std::abort();

    std::vector<uint8_t> spec(16 + 2 * 16);
    put16(spec, 0, kRecordLength);
    put16(spec, 2, 4096);
    put16(spec, 4, 2);
    put16(spec, 16, 1);
    put16(spec, 18, 4);
    spec[16 + 10] = 1;
    put16(spec, 32, kCodeAt + 1);
    put16(spec, 34, kCodeLength);
    uint8_t position[128] = {};
    char key[256] = {};
    std::memcpy(key, s.path.c_str(), s.path.size());
    uint16_t length = static_cast<uint16_t>(spec.size());
    if (CallBtrieve(14, position, spec.data(), &length, key, 255, 0) != 0) std::abort();

    TWinBtr btr;
    btr.Open(s.path.c_str(), nullptr, 0);
    btr.BeginTransaction(false);
    for (int n = 0; n < kRecords; ++n) {
      std::memset(btr.DataBuffer, ' ', kRecordLength);
      std::memcpy(btr.DataBuffer, &n, sizeof n);
      std::memcpy(btr.DataBuffer + kCodeAt, codeOf(n).data(), kCodeLength);
      btr.Insert();
    }
    btr.EndTransaction();
    return s;
  }();
  return made;
}

std::unique_ptr<TBtrTable> openCursor(const char* index) {
  std::unique_ptr<TBtrTable> table(
      CreateCursor<TBtrTable>(nullptr, 0u, 0u, "", setup().path.c_str(), nullptr, nullptr));
  DictionaryFieldRecord id{1, 1, "Id                 ", 1, 0, 4, 0};
  DictionaryFieldRecord code{2, 1, "Code               ", 0, kCodeAt, kCodeLength, 0};
  DictionaryFieldRecord rest{3, 1, "Rest               ", 0, 12, kRecordLength - 12, 0};
  table->AddDictionaryField(id, 1);
  table->AddDictionaryField(code, 2);
  table->AddDictionaryField(rest, 3);
  table->Activate();
  table->SwitchToIndex(index, nullptr, 0, false);
  return table;
}

void BM_Scan_Cursor(benchmark::State& state) {
  auto table = openCursor("0");
  std::vector<uint8_t> record(table->GetRecordBufferSize());
  int64_t read = 0;
  for (auto _ : state) {
    table->SetToBegin();
    try {
      for (;;) {
        table->GetNextRecord(0, record.data(), nullptr);
        ++read;
      }
    } catch (const EKorvoEOFError&) {
    }
  }
  state.SetItemsProcessed(read);
}

// Reads the open file from its first record to its end, again and again.
void scanDirectly(benchmark::State& state, TWinBtr& btr) {
  int64_t read = 0;
  for (auto _ : state) {
    try {
      for (btr.GetFirst();; btr.GetNext()) ++read;
    } catch (const EKorvoEOFError&) {
    }
  }
  state.SetItemsProcessed(read);
}

void BM_Scan_Direct(benchmark::State& state) {
  TWinBtr btr;
  btr.Open(setup().path.c_str(), nullptr, 0);
  scanDirectly(state, btr);
}

void BM_GetEqual_Cursor(benchmark::State& state) {
  auto table = openCursor("1");
  std::vector<uint8_t> record(table->GetRecordBufferSize());
  std::mt19937 random(7);
  for (auto _ : state) {
    const std::string code = codeOf(static_cast<int>(random() % kRecords));
    table->SearchKey(scEqual, true, record.data(), code.data(), 0, 0);
  }
  state.SetItemsProcessed(state.iterations());
}

void BM_GetEqual_Direct(benchmark::State& state) {
  TWinBtr btr;
  btr.Open(setup().path.c_str(), nullptr, 0);
  std::mt19937 random(7);
  for (auto _ : state) {
    const std::string code = codeOf(static_cast<int>(random() % kRecords));
    btr.GetEqual(code.data(), kCodeLength, 1);
  }
  state.SetItemsProcessed(state.iterations());
}

void BM_ExactRecordCount_Cursor(benchmark::State& state) {
  auto table = openCursor("0");
  for (auto _ : state) {
    uint32_t count = 0;
    table->GetExactRecordCount(count);
    if (count != kRecords) state.SkipWithError("wrong count");
  }
  state.SetItemsProcessed(state.iterations());
}

std::unique_ptr<benchfile::ClientsBench>& clientsHolder() {
  static std::unique_ptr<benchfile::ClientsBench> made;
  return made;
}

benchfile::ClientsBench& clientsBench() {
  if (!clientsHolder()) clientsHolder() = benchfile::makeClientsBench("qn-table-bench-", kRecords);
  return *clientsHolder();
}

void BM_TableScan_Dataset(benchmark::State& state) {
  TttTable& clients = *clientsBench().clients;
  int64_t read = 0;
  for (auto _ : state) {
    for (clients.First(); !clients.Eof(); clients.Next()) ++read;
  }
  state.SetItemsProcessed(read);
}

void BM_TableScan_Direct(benchmark::State& state) {
  TWinBtr btr;
  btr.Open(clientsBench().clientsPath().c_str(), nullptr, 0);
  btr.KeyNumber = 1;
  scanDirectly(state, btr);
}

void BM_FindKey_Dataset(benchmark::State& state) {
  TttTable& clients = *clientsBench().clients;
  std::mt19937 random(7);
  for (auto _ : state) {
    const std::string code = benchfile::clientCode(1 + static_cast<int>(random() % kRecords));
    if (!clients.FindKey({Variant(code)})) state.SkipWithError("client not found");
  }
  state.SetItemsProcessed(state.iterations());
}

void BM_FindKey_Direct(benchmark::State& state) {
  TWinBtr btr;
  btr.Open(clientsBench().clientsPath().c_str(), nullptr, 0);
  std::mt19937 random(7);
  for (auto _ : state) {
    const std::string code = benchfile::clientCode(1 + static_cast<int>(random() % kRecords));
    btr.GetEqual(code.data(), benchfile::kClientCodeLength, 1);
  }
  state.SetItemsProcessed(state.iterations());
}

BENCHMARK(BM_Scan_Cursor)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Scan_Direct)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_GetEqual_Cursor)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_GetEqual_Direct)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_ExactRecordCount_Cursor)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_TableScan_Dataset)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_TableScan_Direct)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FindKey_Dataset)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_FindKey_Direct)->Unit(benchmark::kMicrosecond);

}  // namespace

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  qn::testing::RatioReporter reporter;
  setup();
  benchmark::RunSpecifiedBenchmarks(&reporter);
  reporter.printRatio("ratio", "cursor_scan", "BM_Scan_Cursor", "BM_Scan_Direct");
  reporter.printRatio("ratio", "cursor_getequal", "BM_GetEqual_Cursor", "BM_GetEqual_Direct");
  reporter.printRatio("ratio", "dataset_scan", "BM_TableScan_Dataset", "BM_TableScan_Direct");
  reporter.printRatio("ratio", "dataset_findkey", "BM_FindKey_Dataset", "BM_FindKey_Direct");
  clientsHolder().reset();
  std::filesystem::remove_all(setup().folder);
  return 0;
}
