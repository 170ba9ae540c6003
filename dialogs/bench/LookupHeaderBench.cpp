// The client/case header's exit checks on a small and a large data folder, each against the keyed
// reads the check needs made directly through the record manager's call object on the same files.
// The folders hold 1,000 clients with 3,000 matters and 100,000 clients with 300,000 matters (three
// a client, suffixes 1 to 3), inserted through the record manager. The header is made but never
// shown; the codes looked up are drawn at random over the whole file.
//   - CheckClientCode on a client's code, against a get-equal of the code on the client file;
//   - CheckCaseSuffix on an existing matter with its client given, in numeric order, against a
//     get-equal of (client "%-7s", suffix "%7s") on the case file.
// Prints, after the table:
//   ratio check_client <checks/s / direct reads/s, 100,000 clients>
//   ratio check_suffix <the same for the matter, 300,000 matters>
//   ratio check_client_1k, ratio check_suffix_1k <the same on the small folder>
#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <random>
#include <string>

#include "core/DM.h"
#include "core/DM2.h"
#include "core/Globals.h"
#include "core/SettingKeys.h"
#include "datagrid/DcTbTable.h"
#include "dialogs/ClientCaseLookF.h"
#include "framework/base/FormatText.h"
#include "framework/base/StringUtils.h"
#include "framework/db/Field.h"
#include "dialogs/bench/ScratchMachine.h"
#include "dialogs/bench/SeededDataFolder.h"
#include "framework/ui/bench/WidgetBenchmarks.h"
#include "platform/os/ExecutablePath.h"
#include "platform/os/RegistryKey.h"
#include "recordmgr/WinBtr.h"

namespace {

constexpr int kMattersPerClient = 3;

std::filesystem::path scratch;

// Client n's code: six digits, so that typing it never fills the combo and sends a Tab.
std::string codeOf(int n) {
  char code[16];
  std::snprintf(code, sizeof code, "%06d", n);
  return code;
}

struct Folder {
  int clients;
  std::string data;
};

// A data folder with empty client and case files made by qnseed, then filled through the record
// manager in one transaction a file.
Folder makeFolder(const std::string& name, int clients) {
  Folder folder{clients, qn::bench::seedEmptyDataFolder(scratch, name, {"YClient.qf", "YCase.qf"})};
  qn::bench::fillTable(folder.data, "YClient.qf", "YCLIENT", clients, [](const auto& put, int n) {
    put("Client Code", codeOf(n));
    put("Client Last Name", "Name" + std::to_string(n));
    put("City", "City");
  });
  qn::bench::fillTable(folder.data, "YCase.qf", "YCASE", clients * kMattersPerClient, [](const auto& put, int n) {
    const AnsiString client = Format("%-7s", {AnsiString(codeOf((n - 1) / kMattersPerClient + 1))});
    const AnsiString suffix = std::to_string((n - 1) % kMattersPerClient + 1);
    put("Client Code", client);
    put("Case Suffix", Format("%7s", {suffix}));
    put("LeftJustCaseSuffix", Format("%-7s", {suffix}));
    put("CaseClient", Format("%-7s", {suffix}) + client);
    put("RJCaseClient", Format("%7s", {suffix}) + client);
    put("Description Line 1", "Matter");
  });
  return folder;
}

Folder small, large;

// The header on a folder, made on first use while the application runs; one at a time.
std::unique_ptr<TClientCaseLookF> header;
const Folder* headerFolder = nullptr;

TClientCaseLookF& headerOn(const Folder& folder) {
  if (headerFolder != &folder) {
    header.reset();
    LookupDataDir = folder.data;
    header = std::make_unique<TClientCaseLookF>(nullptr);
    header->OpenCaseFiles();
    headerFolder = &folder;
  }
  return *header;
}

void checkClients(benchmark::State& state, const Folder& folder) {
  TClientCaseLookF& h = headerOn(folder);
  std::mt19937 random(7);
  for (auto _ : state) {
    const std::string code = codeOf(1 + static_cast<int>(random() % folder.clients));
    h.ClientCode->SetText(code);
    bool keep = true, addNew = false;
    h.CheckClientCode(h.ClientCode, keep, addNew);
    if (!keep || h.ClientName->Text() != "Name" + std::to_string(std::stoi(code)))
      state.SkipWithError("the client was not found");
  }
  state.SetItemsProcessed(state.iterations());
}

void checkSuffixes(benchmark::State& state, const Folder& folder) {
  TClientCaseLookF& h = headerOn(folder);
  ListCasesInNumericOrder = true;
  h.ClientCode->SetText(codeOf(1));
  h.CaseSuffixEnter(h.CaseSuffix);
  std::mt19937 random(7);
  for (auto _ : state) {
    const int client = 1 + static_cast<int>(random() % folder.clients);
    const std::string suffix = std::to_string(1 + static_cast<int>(random() % kMattersPerClient));
    h.ClientCode->SetText(codeOf(client));
    h.CaseSuffix->SetText(suffix);
    bool keep = true, addNew = false;
    h.CheckCaseSuffix(h.CaseSuffix, keep, addNew);
    if (!keep || Trim(DM->Case1_->FieldByName("Client Code")->AsString()) != codeOf(client) ||
        Trim(DM->Case1_->FieldByName("LeftJustCaseSuffix")->AsString()) != suffix)
      state.SkipWithError("the matter was not found");
  }
  state.SetItemsProcessed(state.iterations());
}

// The same keys read through the call object alone.
void readClients(benchmark::State& state, const Folder& folder) {
  TWinBtr btr;
  btr.Open((folder.data + "/YClient.qf").c_str(), nullptr, 0);
  std::mt19937 random(7);
  for (auto _ : state) {
    const std::string key = Format("%-7s", {AnsiString(codeOf(1 + static_cast<int>(random() % folder.clients)))});
    btr.GetEqual(key.data(), static_cast<uint16_t>(key.size()), 1);
  }
  state.SetItemsProcessed(state.iterations());
}

void readMatters(benchmark::State& state, const Folder& folder) {
  TWinBtr btr;
  btr.Open((folder.data + "/YCase.qf").c_str(), nullptr, 0);
  std::mt19937 random(7);
  for (auto _ : state) {
    const int client = 1 + static_cast<int>(random() % folder.clients);
    const AnsiString suffix = std::to_string(1 + static_cast<int>(random() % kMattersPerClient));
    const std::string key = Format("%-7s%7s", {AnsiString(codeOf(client)), suffix});
    btr.GetEqual(key.data(), static_cast<uint16_t>(key.size()), 1);
  }
  state.SetItemsProcessed(state.iterations());
}

void registerCases() {
  for (auto [folder, tail] : {std::pair{&large, ""}, std::pair{&small, "_1k"}}) {
    const Folder* f = folder;
    const std::string t = tail;
    benchmark::RegisterBenchmark(("check_client" + t).c_str(), [f](benchmark::State& s) { checkClients(s, *f); })
        ->Unit(benchmark::kMicrosecond);
    benchmark::RegisterBenchmark(("read_client" + t).c_str(), [f](benchmark::State& s) { readClients(s, *f); })
        ->Unit(benchmark::kMicrosecond);
    benchmark::RegisterBenchmark(("check_suffix" + t).c_str(), [f](benchmark::State& s) { checkSuffixes(s, *f); })
        ->Unit(benchmark::kMicrosecond);
    benchmark::RegisterBenchmark(("read_matter" + t).c_str(), [f](benchmark::State& s) { readMatters(s, *f); })
        ->Unit(benchmark::kMicrosecond);
  }
}

}  // namespace

int main(int argc, char** argv) {
  return qn::bench::runInScratchMachine("lookup-header-bench", scratch, [&] {
    small = makeFolder("small", 1000);
    large = makeFolder("large", 100000);
    qn::os::RegistryKey registry(qn::os::HKEY_LOCAL_MACHINE);
    registry.OpenKey(MainAliasKey, true);
    registry.WriteString("PhysicalName", small.data);
    DataDir = small.data;
    // The save files' templates, which qnseed made beside the program.
    LookupProgramDir = qn::os::runningProgramFolder();
    for (int i = 1; i <= 99; ++i) ActiveFileRights[i] = "Y";
    TDM2 dm2(nullptr);
    dm2.AfterConstruction();
    TDM dm(nullptr);
    dm.AfterConstruction();
    qn::ui::abortOnAnyMessageBox();
    registerCases();
    const int result = qn::ui::runWidgetBenchmarks(argc, argv, [](const qn::testing::RatioReporter& reporter) {
      for (const char* tail : {"", "_1k"}) {
        const std::string t = tail;
        reporter.printRatio("ratio", ("check_client" + t).c_str(), "check_client" + t, "read_client" + t);
        reporter.printRatio("ratio", ("check_suffix" + t).c_str(), "check_suffix" + t, "read_matter" + t);
      }
    });
    header.reset();
    return result;
  });
}
