// Checking a long description through the checker (CheckString, the Hunspell-backed en_US, a
// dialog answering Ignore at every stop) against Hunspell's own lookup of the same words plus the
// queue pump the checker owes the program every tenth word (ratio check_string). A second run with
// suggestions on is reported alone: Hunspell's suggest dominates it.
#include <benchmark/benchmark.h>
#include <hunspell.hxx>

#include <filesystem>
#include <fstream>
#include <unistd.h>

#include "framework/ui/Application.h"
#include "framework/ui/Form.h"
#include "platform/os/ExecutablePath.h"
#include "platform/spellengine/HunspellDictionary.h"
#include "spell/DialogControl.h"
#include "spell/VorlexSpell.h"
#include "spell/bench/SpellBenchText.h"

namespace {

constexpr int kDescriptionWords = 20000;
constexpr int kMisspellings = 40;

struct Description {
  AnsiString text;
  std::vector<std::string> wordsUtf8;
  std::string folder;
};

const Description& description() {
  static Description d = [] {
    Description d;
    const std::vector<AnsiString>& words = BenchProseWords();
    for (int i = 0; i < kDescriptionWords && !words.empty(); ++i) {
      AnsiString word = words[static_cast<size_t>(i) % words.size()];
      if (i % (kDescriptionWords / kMisspellings) == 7) word += "qz";
      d.text += (i ? " " : "") + word;
      d.wordsUtf8.push_back(qn::ansiToUtf8(word));
    }
    d.folder = std::filesystem::temp_directory_path() / ("spell-check-bench-" + std::to_string(::getpid()));
    std::filesystem::create_directories(d.folder);
    return d;
  }();
  return d;
}

// A checker over en_US in a folder of the bench's own, with a dialog that ignores every stop.
class Checker {
 public:
  explicit Checker(bool suggestions) : program_(description().folder + "/qncases") {
    spell_.EndShowMessage = emNever;
    spell_.BackgroundSuggestions = false;
    spell_.ReloadConfiguration();
    TConfiguration& config = *spell_.Configuration();
    config.Mains() = {{BenchAffPath(), true, "Hunspell en_US"}};
    config.Users().clear();
    config.SetUserIndex(-1);
    config.SetOptions(soInternet | soRecheck | soRepeated | (suggestions ? soAutoSuggest : 0));
    config.SetModified(true);
    config.Save();
    spell_.ReloadConfiguration();
    spell_.OnCreateDialog = [this](TObject*, TForm*& form) {
      form = new TForm(&spell_);
      new TDialogControl(form);
    };
    spell_.OnMisspelledWord = [this](TObject*) { spell_.DialogControl()->DoAction(daIgnore); };
  }
  void check() {
    AnsiString text = description().text;
    spell_.CheckString(text);
  }
  int wordCount() const { return spell_.WordCount(); }

 private:
  qn::os::ExecutablePathOverride program_;
  TVorlexSpell spell_{nullptr};
};

void BM_CheckString(benchmark::State& state) {
  if (BenchAffPath().empty()) return state.SkipWithError("no en_US dictionary");
  Checker checker(state.range(0) != 0);
  for (auto _ : state) checker.check();
  state.SetItemsProcessed(state.iterations() * checker.wordCount());
}

void BM_CheckString_Baseline(benchmark::State& state) {
  if (BenchAffPath().empty()) return state.SkipWithError("no en_US dictionary");
  Hunspell& engine = qn::spellengine::HunspellDictionary::load(BenchAffPath())->engine();
  const std::vector<std::string>& words = description().wordsUtf8;
  size_t known = 0;
  for (auto _ : state)
    for (size_t i = 0; i < words.size(); ++i) {
      known += engine.spell(words[i]);
      if (i % 10 == 0) Application->ProcessMessages();
    }
  benchmark::DoNotOptimize(known);
  state.SetItemsProcessed(state.iterations() * static_cast<int64_t>(words.size()));
}

BENCHMARK(BM_CheckString)->Arg(0)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_CheckString_Baseline)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_CheckString)->Arg(1)->Iterations(1)->Unit(benchmark::kMillisecond);

}  // namespace

void RemoveCheckBenchFolder() { std::filesystem::remove_all(description().folder); }
