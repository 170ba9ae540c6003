// The dummy-receptor reallocation of 10,000 dummy transactions with three receptors each (the log
// to a report file) against the same reads, deletes and inserts made directly through the
// record-file layer, one transaction per dummy transaction: "ratio realloc_10k <direct time /
// reallocation time>".
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "core/DM2.h"
#include "core/Globals.h"
#include "core/RecordFiles.h"
#include "core/SettingKeys.h"
#include "dialogs/DummyMatter.h"
#include "dialogs/PrintChoice.h"
#include "dialogs/PrntDefF.h"
#include "dialogs/ReAllocF.h"
#include "dialogs/ReportWriter.h"
#include "framework/base/DateTime.h"
#include "framework/base/FormatText.h"
#include "dialogs/bench/ScratchMachine.h"
#include "framework/ui/bench/WidgetBenchmarks.h"
#include "framework/ui/testing/ScriptedMessageBoxes.h"
#include "platform/os/RegistryKey.h"
#include "platform/os/ExecutablePath.h"

namespace {

constexpr int kDummies = 10000;
constexpr int kReceptors = 3;

std::filesystem::path scratch;
std::string dataDir;

std::string sequence(int i) { return Format("B%07d", {i}); }

void makeFolder() {
  const std::filesystem::path fixture = scratch / "fixture";
  std::filesystem::create_directories(fixture);
  std::ofstream(fixture / "YCase.qf.seed") << "Client Code = DUM\nCase Suffix = \"      1\"\nCase Status 2 = D\n"
                                              "Billing Rate Code = R1\n\n";
  std::ofstream split(fixture / "FSplit.qf.seed");
  for (int r = 1; r <= kReceptors; ++r)
    split << "DummyClient = DUM\nDummyCase = \"      1\"\nReceptorClient = R" << r
          << "\nReceptorCase = \"      1\"\nFeePerCent = " << (r < kReceptors ? "33.3333" : "33.3334")
          << "\nCostPerCent = 0\n\n";
  split.close();
  std::ofstream fees(fixture / "Fee.qf.seed");
  for (int i = 1; i <= kDummies; ++i) {
    fees << "Client Code = DUM\nCase Suffix = \"      1\"\nType = F\nTransaction Date = \"460315\"\nHNDR = D\n"
            "Employee Code = E1\nBillable Hours = 1.25\nActual $ = 187.50\nSequence Number = "
         << sequence(i) << "\n\n";
    for (int r = 1; r <= kReceptors; ++r)
      fees << "Client Code = R" << r << "\nCase Suffix = \"      1\"\nType = F\nTransaction Date = \"460315\"\n"
           << "HNDR = R\nEmployee Code = E1\nBillable $ = 62.50\nSequence Number = " << sequence(i) << "\n\n";
  }
  fees.close();
  for (const char* empty : {"HFee.qf", "TSC.qc", "Yemrt.qf", "ygrate.qf", "YClient.qf", "YEmpl.qf"})
    std::ofstream(fixture / (std::string(empty) + ".seed")) << "";
  std::ofstream(fixture / "Sysop.qc.seed") << "DateFmt = M\n\n";
  dataDir = (scratch / "data").string();
  const std::string command = "'" + qn::os::runningProgramFolder() + "/qnseed' data '" + dataDir + "' '" +
                              fixture.string() + "' >/dev/null";
  if (std::system(command.c_str()) != 0) std::abort();
  qn::os::RegistryKey registry(qn::os::HKEY_LOCAL_MACHINE);
  registry.OpenKey(MainAliasKey, true);
  registry.WriteString("PhysicalName", dataDir);
  DataDir = dataDir;
  RecordFileDir = dataDir;
  SystemDateText = "461211";
}

void BM_Realloc_Dialog(benchmark::State& state) {
  DummyClient = "DUM";
  DummySuffix = "      1";
  PrntDefF = nullptr;
  TReAllocF dialog(nullptr);
  dialog.Show();
  dialog.StartDatePicker->SetDate(EncodeDate(2026, 3, 1));
  dialog.EndDatePicker->SetDate(EncodeDate(2026, 3, 31));
  for (auto _ : state) {
    PrintChoice = {};
    PrintChoice.Destination = 100;
    PrintChoice.Folder = scratch.string();
    PrintChoice.FileName = "REALLOC.TXT";
    ReportPage.Started = false;
    qn::ui::testing::ScriptedMessageBoxes boxes;
    boxes.expect(mtConfirmation,
                 "Quillon is about to reallocate the Receptor transactions for the Dummy matter DUM-1 using a date "
                 "range of 03/01/2026 to 03/31/2026.\r\rContinue with this operation?",
                 mrYes);
    dialog.RunBitBtnClick(nullptr);
    if (dialog.StatusBar1->SimpleText() != "Processing complete. 10000 dummy transactions have been re-allocated")
      state.SkipWithError("not every dummy transaction was reallocated");
    dialog.RunBitBtn->SetEnabled(true);
  }
  dialog.Close();
  state.SetItemsProcessed(state.iterations() * kDummies);
}

// The same work on the fee files: the dummy's transactions in key order, the history and the
// receptors looked up by number, then the dummy rewritten, its receptors deleted and written again.
void BM_Realloc_Direct(benchmark::State& state) {
  constexpr uint8_t kFees = 100, kBySequence = 101, kHistory = 102;
  OpenRecordFile(kFees, dataDir + "\\Fee.qf;FE", 0);
  SetKeyPath(kFees, 1);
  OpenRecordFile(kBySequence, dataDir + "\\Fee.qf;FE", 0);
  SetKeyPath(kBySequence, 5);
  OpenRecordFile(kHistory, dataDir + "\\HFee.qf;HF", 0);
  SetKeyPath(kHistory, 5);
  for (auto _ : state) {
    int done = 0;
    AnsiString record(80, ' '), found(80, ' '), history(80, ' ');
    bool eof = false;
    const AnsiString matter = "DUM    " + AnsiString("      1");
    for (bool hit = FindRecord(kFees, matter + "      ", record, eof, 3); hit && !eof && record.substr(4, 14) == matter;
         GetNextRecord(kFees, record, eof, 0)) {
      const AnsiString seq = record.substr(72, 8);
      if (GetEqualRecord(kHistory, seq, history, false)) continue;
      std::vector<AnsiString> receptors;
      bool end = false;
      for (bool at = GetEqualRecord(kBySequence, seq, found, false); at && !end && found.substr(72, 8) == seq;
           GetNextRecord(kBySequence, found, end, 0))
        if (found.substr(4, 14) != matter) receptors.push_back(found);
      BeginFileTransaction();
      UpdateRecord(kFees, record.substr(4), record);
      for (bool again = true; again;) {
        again = false;
        end = false;
        for (bool at = GetEqualRecord(kBySequence, seq, found, true); at && !end && found.substr(72, 8) == seq;
             GetNextRecord(kBySequence, found, end, 1)) {
          if (found.substr(4, 14) == matter) continue;
          DeleteRecord(kBySequence);
          again = true;
          break;
        }
      }
      for (const AnsiString& receptor : receptors) InsertRecord(kBySequence, receptor.substr(4));
      EndFileTransaction();
      ++done;
    }
    if (done != kDummies) state.SkipWithError("not every dummy transaction was rewritten");
  }
  for (uint8_t fileNo : {kFees, kBySequence, kHistory}) CloseRecordFile(fileNo);
  state.SetItemsProcessed(state.iterations() * kDummies);
}

BENCHMARK(BM_Realloc_Dialog)->Unit(benchmark::kMillisecond)->Iterations(2);
BENCHMARK(BM_Realloc_Direct)->Unit(benchmark::kMillisecond)->Iterations(2);

}  // namespace

int main(int argc, char** argv) {
  return qn::bench::runInScratchMachine("realloc-bench", scratch, [&] {
    makeFolder();
    return qn::ui::runWidgetBenchmarks(argc, argv, [](const qn::testing::RatioReporter& reporter) {
      reporter.printRatio("ratio", "realloc_10k", "BM_Realloc_Dialog/iterations:2", "BM_Realloc_Direct/iterations:2");
    });
  });
}
