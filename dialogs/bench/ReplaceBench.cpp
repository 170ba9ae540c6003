// The case grid's global replace and search on 10,000 matters, each against the same work done
// directly through the record manager's call object. A replace over every matter (an ordinary
// field, all matching) against 10,000 updates in one transaction: "ratio replace_10k <direct time
// / replace time>". The grid's search through its filter dialog (one criterion that one matter in
// ten matches, the matches selected) against a scan making the same comparison and keeping one
// position per match: "ratio case_search_10k <direct time / search time>".
#include <benchmark/benchmark.h>

#include <QTest>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "core/DM2.h"
#include "core/Globals.h"
#include "core/SettingKeys.h"
#include "datagrid/DcTbTable.h"
#include "datagrid/FilterDialogForm.h"
#include "dialogs/CaseGridF.h"
#include "dialogs/CaseReplace.h"
#include "framework/base/FormatText.h"
#include "framework/ui/SafeDispatch.h"
#include "dialogs/bench/ScratchMachine.h"
#include "framework/ui/bench/WidgetBenchmarks.h"
#include "framework/ui/testing/ScriptedMessageBoxes.h"
#include "platform/os/ExecutablePath.h"
#include "platform/os/RegistryKey.h"
#include "recordmgr/WinBtr.h"

namespace {

constexpr int kMatters = 10000;
constexpr int kMatches = kMatters / 10;
// Where the record holds the fields the benchmark changes and compares (0-based, widths).
constexpr size_t kRateAt = 119, kRateLength = 2;
constexpr size_t kAttorneyAt = 91, kAttorneyLength = 4;

std::filesystem::path scratch;
std::string dataDir;

void makeMatters() {
  const std::filesystem::path fixture = scratch / "fixture";
  std::filesystem::create_directories(fixture);
  std::ofstream seed(fixture / "YCase.qf.seed");
  for (int i = 1; i <= kMatters; ++i)
    seed << "Client Code = C" << (i / 100) << "\nCase Suffix = \"" << Format("%7d", {i}) << "\"\nResp Atty 1 = "
         << (i % 10 == 0 ? "AB" : "XY") << "\nBilling Rate Code = R1\n\n";
  seed.close();
  dataDir = (scratch / "data").string();
  const std::string command = "'" + qn::os::runningProgramFolder() + "/qnseed' data '" + dataDir + "' '" +
                              fixture.string() + "' >/dev/null";
  if (std::system(command.c_str()) != 0) std::abort();
  qn::os::RegistryKey registry(qn::os::HKEY_LOCAL_MACHINE);
  registry.OpenKey(MainAliasKey, true);
  registry.WriteString("PhysicalName", dataDir);
  DataDir = dataDir;
}

std::unique_ptr<TdcTbTable> openCases() {
  auto cases = std::make_unique<TdcTbTable>(nullptr);
  cases->SetDatabaseName("QNWIN");
  cases->SetTableName(dataDir + "\\ycase.qf;RES:YCASE");
  cases->SetIndexName("1");
  cases->Open();
  return cases;
}

// Every run turns every matter's rate code into the other one; this is the one they hold now.
const char* const kRates[2] = {"R1", "R2"};
int rateNow = 0;

void BM_Replace_Grid(benchmark::State& state) {
  auto cases = openCases();
  for (auto _ : state) {
    const CaseReplaceOrder order{15, 2, kRates[rateNow], kRates[1 - rateNow]};
    if (ReplaceInCases(cases.get(), DM2->QNDatabase, order, {}) != kMatters) state.SkipWithError("not every matter changed");
    rateNow = 1 - rateNow;
  }
  state.SetItemsProcessed(state.iterations() * kMatters);
}

// The case file through the call object, in key 1, reading and writing whole records.
void openDirect(TWinBtr& btr) {
  btr.Open((dataDir + "/YCase.qf").c_str(), nullptr, 0);
  uint16_t length = 0;
  btr.GetRecordLength(length);
  btr.SetBufferSize(length);
  btr.KeyNumber = 1;
}

void BM_Replace_Direct(benchmark::State& state) {
  TWinBtr btr;
  openDirect(btr);
  for (auto _ : state) {
    const char* from = kRates[rateNow];
    const char* to = kRates[1 - rateNow];
    int changed = 0;
    btr.BeginTransaction(false);
    try {
      for (btr.GetFirst();; btr.GetNext()) {
        char* rate = reinterpret_cast<char*>(btr.DataBuffer) + kRateAt;
        if (std::memcmp(rate, from, kRateLength) != 0) continue;
        std::memcpy(rate, to, kRateLength);
        btr.Update();
        ++changed;
      }
    } catch (const std::exception&) {
    }
    btr.EndTransaction();
    if (changed != kMatters) state.SkipWithError("not every matter changed");
    rateNow = 1 - rateNow;
  }
  state.SetItemsProcessed(state.iterations() * kMatters);
}

void BM_Search_Grid(benchmark::State& state) {
  TCaseGridF grid(nullptr);
  grid.Show();
  grid.dcFilterDialog1->OnInitDialog = [](TdcFilterDlg* form) {
    qn::ui::postCall([form] {
      QTest::qWaitForWindowActive(form->Window());
      form->SelectField(form->FieldsListBox->Items()->IndexOf("Resp Atty 1"));
      form->MatchTypeGroup->SetItemIndex(0);
      form->ValueControl()->SetText("AB");
      form->OKButton->Click();
      if (form->ModalResult() == mrNone) form->SetModalResult(mrCancel);
    });
  };
  const AnsiString found = std::to_string(kMatches) + " records found that match your criteria.\r"
                           "Use the red scrolling arrows to move from one selected record to another";
  for (auto _ : state) {
    qn::ui::testing::ScriptedMessageBoxes boxes;
    boxes.expect(mtInformation, found);
    grid.BitBtnFindClick(grid.BitBtnFind);
    if (grid.SelectedCount() != kMatches) state.SkipWithError("the matches were not selected");
  }
  state.SetItemsProcessed(state.iterations() * kMatters);
}

void BM_Search_Direct(benchmark::State& state) {
  TWinBtr btr;
  openDirect(btr);
  for (auto _ : state) {
    std::vector<uint32_t> matches;
    try {
      for (btr.GetFirst();; btr.GetNext())
        if (std::memcmp(btr.DataBuffer + kAttorneyAt, "AB  ", kAttorneyLength) == 0) matches.push_back(btr.GetPosition());
    } catch (const std::exception&) {
    }
    if (matches.size() != kMatches) state.SkipWithError("wrong matches");
  }
  state.SetItemsProcessed(state.iterations() * kMatters);
}

BENCHMARK(BM_Replace_Grid)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Replace_Direct)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Search_Grid)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Search_Direct)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
  return qn::bench::runInScratchMachine("replace-bench", scratch, [&] {
    makeMatters();
    TDM2 dm2(nullptr);
    dm2.AfterConstruction();
    return qn::ui::runWidgetBenchmarks(argc, argv, [](const qn::testing::RatioReporter& reporter) {
      reporter.printRatio("ratio", "replace_10k", "BM_Replace_Grid", "BM_Replace_Direct");
      reporter.printRatio("ratio", "case_search_10k", "BM_Search_Grid", "BM_Search_Direct");
    });
  });
}
