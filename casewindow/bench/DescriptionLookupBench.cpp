// The header's description lists on a small and a large data folder, each against a plain walk of
// the same file through the record-file layer. The folders hold 3,000 and 30,000 matters, each
// with a line 1 of its own and description lines 2 to 4 (9,000 and 90,000 line records), inserted
// through the record manager. The header's combo has its window, as on the screen.
//   - line1_fill: the line-1 list read from the case file into the combo, against a walk of the
//     case file;
//   - line3_fill: line 3's list read from the description-line file into the combo, against a
//     walk of the description-line file.
// Prints, after the table:
//   ratio line1_fill_30k <matters listed/s / records walked/s, 30,000 matters>
//   ratio line3_fill_30k <the same for line 3>
//   ratio line1_fill_3k, ratio line3_fill_3k <the same on the small folder>
#include <benchmark/benchmark.h>

#include <filesystem>
#include <memory>
#include <string>

#include "casewindow/ClientCaseLookF1.h"
#include "core/DM.h"
#include "core/DM2.h"
#include "core/Globals.h"
#include "core/RecordFiles.h"
#include "core/SettingKeys.h"
#include "dialogs/bench/ScratchMachine.h"
#include "dialogs/bench/SeededDataFolder.h"
#include "editors/DBSpinEdit.h"
#include "framework/base/FormatText.h"
#include "framework/db/Field.h"
#include "framework/ui/ComboBox.h"
#include "framework/ui/bench/WidgetBenchmarks.h"
#include "platform/os/RegistryKey.h"

namespace {

constexpr int kCaseFile = 2;
constexpr int kDescriptionFile = 5;

std::filesystem::path scratch;

struct Folder {
  int matters;
  std::string data;
};

std::string numbered(const std::string& prefix, int n) {
  const std::string digits = std::to_string(n);
  return prefix + std::string(digits.size() < 6 ? 6 - digits.size() : 0, '0') + digits;
}

// Matter n: client "C" + its number, suffix 1; its lines name it, in an order of their own.
Folder makeFolder(const std::string& name, int matters) {
  Folder folder{matters, qn::bench::seedEmptyDataFolder(scratch, name, {"YClient.qf", "YCase.qf", "Cdesc.qf"})};
  // Scattered over the list, so that the sort has work to do.
  const auto scattered = [matters](int n) { return static_cast<int>((static_cast<long long>(n) * 7919) % matters); };
  qn::bench::fillTable(folder.data, "YCase.qf", "YCASE", matters, [&](const auto& put, int n) {
    put("Client Code", numbered("C", n));
    put("Case Suffix", "      1");
    put("LeftJustCaseSuffix", "1      ");
    put("Description Line 1", numbered("Matter described as number ", scattered(n)));
  });
  qn::bench::fillTable(folder.data, "Cdesc.qf", "CASEDESC", matters * 3, [&](const auto& put, int n) {
    const int matter = (n - 1) / 3 + 1;
    const int line = (n - 1) % 3 + 2;
    put("ClientCode", numbered("C", matter));
    put("CaseSuffix", "      1");
    put("DescNum", "0" + std::to_string(line));
    put("Descr", numbered("Line " + std::to_string(line) + " of matter ", scattered(matter)));
  });
  return folder;
}

Folder small, large;

// The header reading a folder's files; one at a time.
std::unique_ptr<TClientCaseLookF1> header;
const Folder* headerFolder = nullptr;

TClientCaseLookF1& headerOn(const Folder& folder) {
  if (headerFolder != &folder) {
    CloseAllRecordFiles();
    RecordFileDir = folder.data;
    if (!header) {
      header = std::make_unique<TClientCaseLookF1>(nullptr);
      header->ComboBoxCaseDesc->Window();
    }
    headerFolder = &folder;
  }
  return *header;
}

void expectListed(benchmark::State& state, int listed, int matters) {
  if (listed != matters) state.SkipWithError("the list does not hold every matter");
}

void fillLineOne(benchmark::State& state, const Folder& folder) {
  TClientCaseLookF1& h = headerOn(folder);
  for (auto _ : state) {
    h.FormShow(&h);
    expectListed(state, h.ComboBoxCaseDesc->Items()->Count(), folder.matters);
  }
  state.SetItemsProcessed(state.iterations() * folder.matters);
}

void fillLineThree(benchmark::State& state, const Folder& folder) {
  TClientCaseLookF1& h = headerOn(folder);
  h.SpinEditDescLine->SetValue(3);
  for (auto _ : state) {
    h.SpinEditDescLineChange(h.SpinEditDescLine);
    expectListed(state, h.ComboBoxCaseDesc->Items()->Count(), folder.matters);
  }
  h.SpinEditDescLine->SetValue(1);
  state.SetItemsProcessed(state.iterations() * folder.matters);
}

// Every record of a file read through the record-file layer, as the lists read them.
void walk(benchmark::State& state, const Folder& folder, int file, std::size_t length, int records) {
  headerOn(folder);
  for (auto _ : state) {
    const bool wasOpen = IsRecordFileOpen(file);
    OpenStandardFile(file);
    AnsiString record(length, ' ');
    bool eof = false;
    int read = 0;
    for (GetFirstRecord(file, record, eof, 0); !eof; GetNextRecord(file, record, eof, 0)) ++read;
    if (!wasOpen) CloseRecordFile(file);
    if (read != records) state.SkipWithError("the walk missed records");
  }
  state.SetItemsProcessed(state.iterations() * folder.matters);
}

void registerCases() {
  for (auto [folder, tail] : {std::pair{&large, "_30k"}, std::pair{&small, "_3k"}}) {
    const Folder* f = folder;
    const std::string t = tail;
    benchmark::RegisterBenchmark(("line1_fill" + t).c_str(), [f](benchmark::State& s) { fillLineOne(s, *f); })
        ->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark(("case_walk" + t).c_str(),
                                 [f](benchmark::State& s) { walk(s, *f, kCaseFile, 439, f->matters); })
        ->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark(("line3_fill" + t).c_str(), [f](benchmark::State& s) { fillLineThree(s, *f); })
        ->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark(("line_walk" + t).c_str(),
                                 [f](benchmark::State& s) { walk(s, *f, kDescriptionFile, 70, f->matters * 3); })
        ->Unit(benchmark::kMillisecond);
  }
}

}  // namespace

int main(int argc, char** argv) {
  return qn::bench::runInScratchMachine("description-lookup-bench", scratch, [&] {
    small = makeFolder("small", 3000);
    large = makeFolder("large", 30000);
    qn::os::RegistryKey registry(qn::os::HKEY_LOCAL_MACHINE);
    registry.OpenKey(MainAliasKey, true);
    registry.WriteString("PhysicalName", small.data);
    DataDir = small.data;
    LookupDataDir = small.data;
    CaseDescLookupOn = true;
    TDM2 dm2(nullptr);
    dm2.AfterConstruction();
    TDM dm(nullptr);
    dm.AfterConstruction();
    qn::ui::abortOnAnyMessageBox();
    registerCases();
    const int result = qn::ui::runWidgetBenchmarks(argc, argv, [](const qn::testing::RatioReporter& reporter) {
      for (const char* tail : {"_30k", "_3k"}) {
        const std::string t = tail;
        reporter.printRatio("ratio", ("line1_fill" + t).c_str(), "line1_fill" + t, "case_walk" + t);
        reporter.printRatio("ratio", ("line3_fill" + t).c_str(), "line3_fill" + t, "line_walk" + t);
      }
      // Its windows go while the application still runs.
      header.reset();
    });
    CloseAllRecordFiles();
    return result;
  });
}
