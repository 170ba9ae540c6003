// The lookup combo's search over a clients file of 100,000 records: the search step of a closed
// combo over the application's table for a client code near the end of the file, and of one
// whose display field is the calculated "LastCommaFirst" (made as the data module's client tables
// make it) for a name near the end, each against a direct scan of the same file through the
// record manager's calls with the same case-insensitive prefix test.
//
// Prints, after the table:
//   ratio lookup_code <combo searches/s / direct scans/s, client code>
//   ratio lookup_name <the same, calculated name>
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <cctype>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "core/DM.h"
#include "core/LayoutFields.h"
#include "datagrid/DcTbTable.h"
#include "editors/DBLookupCombo.h"
#include "framework/base/StringList.h"
#include "framework/base/UnitLifecycle.h"
#include "framework/db/Field.h"
#include "framework/ui/bench/WidgetBenchmarks.h"
#include "recordmgr/bench/EmptyClientsFile.h"
#include "testing/OwnMachineRoot.h"

namespace {

constexpr int kRecords = 100000;
// Near the end of the file: the searches read almost every record.
constexpr int kSought = kRecords - 5;

std::string lastName(int n) { return "Name" + std::to_string(n); }
std::string firstName(int n) { return "First" + std::to_string(n % 997); }

bool startsWithNoCase(const char* text, const std::string& prefix) {
  for (size_t i = 0; i < prefix.size(); ++i)
    if (!text[i] || std::toupper(static_cast<unsigned char>(text[i])) != std::toupper(static_cast<unsigned char>(prefix[i])))
      return false;
  return true;
}

struct Clients {
  Clients() {
    folder = benchfile::seedEmptyClientsFolder("qn-lookup-bench-");
    codes.SetDatabaseName(folder + "/data");
    codes.SetTableName("YClient.qf;RES:YCLIENT");
    codes.SetIndexName("1");
    codes.Open();
    benchfile::insertClients(codes, kRecords, [this](TVirtEng& engine, TBaseTable* cursor, char* record, int n) {
      auto put = [&](const char* name, const std::string& value) {
        engine.PutField(cursor, static_cast<uint16_t>(codes.FieldByName(name)->FieldNo()), record, value.c_str());
      };
      put("Client Code", benchfile::clientCode(n));
      put("Client Last Name", lastName(n));
      put("Client First Name", firstName(n));
    });
    codes.Refresh();
    names.SetDatabaseName(folder + "/data");
    names.SetTableName("YClient.qf;RES:YCLIENT");
    names.SetIndexName("1");
    AddCalculatedText(&names, "LastCommaFirst", 40 + 2 + 30);
    DeclareLayoutFields(&names, {"City", "Client Code", "Client First Name", "Client Last Name", "Unassigned"});
    names.OnCalcFields = [](TDataSet* d) { calculateLastCommaFirst(d, "Client Last Name", "Client First Name"); };
    names.Open();
    codeCombo = combo(codes, "");
    nameCombo = combo(names, "LastCommaFirst\t30\tName");
  }
  ~Clients() {
    delete codeCombo;
    delete nameCombo;
    codes.Close();
    names.Close();
    std::filesystem::remove_all(folder);
  }
  static TdcDBLookupCombo* combo(TDataSet& table, const char* selected) {
    auto* c = new TdcDBLookupCombo(nullptr);
    c->SetLookupTable(&table);
    c->SetLookupField("Client Code");
    StringList lines;
    if (*selected) lines.Add(selected);
    c->SetSelected(&lines);
    return c;
  }

  std::string folder;
  TdcTbTable codes{nullptr};
  TdcTbTable names{nullptr};
  TdcDBLookupCombo* codeCombo = nullptr;
  TdcDBLookupCombo* nameCombo = nullptr;
};

std::unique_ptr<Clients> made;

// Made on first use, while the program's units run.
Clients& clients() {
  if (!made) made = std::make_unique<Clients>();
  return *made;
}

// The closed combo's search for Text, from the first record each time.
void comboSearches(benchmark::State& state, TdcDBLookupCombo* combo, TDataSet& table, const std::string& text,
                   const char* field) {
  combo->SetText(text);
  for (auto _ : state) {
    table.First();
    combo->PerformSearch();
    if (!combo->Found() || table.FieldByName(field)->AsString().compare(0, text.size(), text) != 0)
      state.SkipWithError("the record was not found");
  }
  state.SetItemsProcessed(state.iterations());
}

// The same file read record by record through the record manager until the field starts with
// Text, compared without case.
void directScans(benchmark::State& state, TdcTbTable& table, const std::string& text, const char* field) {
  TVirtEng* engine = table.Engine();
  const auto fieldNo = static_cast<uint16_t>(table.FieldByName(field)->FieldNo());
  std::vector<char> record(static_cast<size_t>(table.RecordSize()));
  char value[256];
  for (auto _ : state) {
    bool found = false;
    engine->SetToBegin(table.Handle());
    while (!found && engine->GetNextRecord(table.Handle(), 0, record.data(), nullptr) == 0) {
      bool blank = false;
      engine->GetField(table.Handle(), fieldNo, record.data(), value, blank);
      found = !blank && startsWithNoCase(value, text);
    }
    if (!found) state.SkipWithError("the record was not found");
  }
  state.SetItemsProcessed(state.iterations());
}

void BM_ComboSearch_Code(benchmark::State& state) {
  Clients& c = clients();
  comboSearches(state, c.codeCombo, c.codes, benchfile::clientCode(kSought), "Client Code");
}

void BM_DirectScan_Code(benchmark::State& state) {
  directScans(state, clients().codes, benchfile::clientCode(kSought), "Client Code");
}

void BM_ComboSearch_Name(benchmark::State& state) {
  Clients& c = clients();
  comboSearches(state, c.nameCombo, c.names, lastName(kSought) + ", " + firstName(kSought), "LastCommaFirst");
}

void BM_DirectScan_Name(benchmark::State& state) {
  directScans(state, clients().codes, lastName(kSought), "Client Last Name");
}

BENCHMARK(BM_ComboSearch_Code)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_DirectScan_Code)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ComboSearch_Name)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_DirectScan_Name)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
  // A machine root and runtime folder of the run's own: the sessions never touch a developer's.
  const std::filesystem::path scratch =
      std::filesystem::temp_directory_path() / ("qn-lookup-bench-root-" + std::to_string(::getpid()));
  qn::testing::useOwnMachineRoot(scratch);
  int result = 0;
  {
    RunningUnits units;
    result = qn::ui::runWidgetBenchmarks(argc, argv, [](const qn::testing::RatioReporter& reporter) {
      reporter.printRatio("ratio", "lookup_code", "BM_ComboSearch_Code", "BM_DirectScan_Code");
      reporter.printRatio("ratio", "lookup_name", "BM_ComboSearch_Name", "BM_DirectScan_Name");
      made.reset();
    });
  }
  std::filesystem::remove_all(scratch);
  return result;
}
