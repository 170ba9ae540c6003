// The known-word test of the main dictionaries: the Hunspell-backed dictionary on Windows-1252
// words against Hunspell itself on the same words already in UTF-8 (ratio dictionary_lookup), and
// the letter trie's lookup over a 50,000-word file.
#include <benchmark/benchmark.h>
#include <hunspell.hxx>

#include <filesystem>
#include <fstream>
#include <map>
#include <random>
#include <unistd.h>

#include "framework/base/AnsiString.h"
#include "platform/spellengine/HunspellDictionary.h"
#include "platform/spellengine/SystemDictionaries.h"
#include "spell/DctWriter.h"
#include "spell/Dictionary.h"
#include "framework/base/UnitLifecycle.h"
#include "framework/ui/DesktopPlatform.h"
#include "framework/ui/WidgetApplication.h"
#include "spell/bench/SpellBenchText.h"
#include "testing/RatioReporter.h"

namespace {

constexpr int kWords = 50000;

struct Setup {
  std::string affPath;
  std::string folder;
  std::vector<AnsiString> text;            // the words of the text, Windows-1252
  std::vector<std::string> textUtf8;       // the same words in UTF-8
  std::vector<AnsiString> dictionaryWords;  // for the trie: 50,000 distinct words
  std::unique_ptr<TDictionary> hunspell;
  std::unique_ptr<TDictionary> trie;
};

// English text: words of en_US drawn with the frequencies of a text (short words often), a
// capital at sentence starts and a misspelling now and then.
Setup& setup() {
  static Setup s = [] {
    Setup s;
    s.affPath = qn::spellengine::systemDictionary("en_US").value_or("");
    if (s.affPath.empty()) return s;
    std::ifstream dic(std::filesystem::path(s.affPath).replace_extension(".dic"));
    std::string line;
    std::getline(dic, line);  // the count
    std::vector<AnsiString> stems;
    while (std::getline(dic, line)) {
      line = line.substr(0, line.find('/'));
      if (!line.empty() && qn::utf8FitsAnsi(line)) stems.push_back(qn::utf8ToAnsi(line));
    }
    std::mt19937 random(42);
    std::geometric_distribution<size_t> rank(0.0005);
    for (int i = 0; i < kWords; ++i) {
      AnsiString word = stems[rank(random) % stems.size()];
      if (i % 12 == 0 && word[0] >= 'a' && word[0] <= 'z') word[0] = static_cast<char>(word[0] - 'a' + 'A');
      if (i % 17 == 0 && word.size() > 3) std::swap(word[1], word[2]);
      s.text.push_back(word);
      s.textUtf8.push_back(qn::ansiToUtf8(word));
    }
    std::map<unsigned char, std::vector<AnsiString>> byFirst;
    for (size_t i = 0; i < stems.size() && i < static_cast<size_t>(kWords); ++i)
      byFirst[static_cast<unsigned char>(stems[i][0])].push_back(stems[i]);
    std::vector<std::vector<AnsiString>> tries;
    AnsiString letters;
    for (auto& [first, words] : byFirst) {
      tries.push_back(words);
      for (const AnsiString& w : words)
        for (char c : w)
          if (letters.find(c) == AnsiString::npos && letters.size() < 255) letters += c;
    }
    s.folder = std::filesystem::temp_directory_path() / ("spell-bench-" + std::to_string(::getpid()));
    std::filesystem::create_directories(s.folder);
    WriteDctFile(s.folder + "/bench.dct", "Bench", letters, tries);
    s.hunspell = std::make_unique<TDictionary>(s.affPath);
    s.hunspell->Open();
    s.trie = std::make_unique<TDictionary>(s.folder + "/bench.dct");
    s.trie->Open();
    // One pass before measuring, so that neither case pays for the engine's first touches.
    for (const AnsiString& word : s.text) s.hunspell->IsKnownWord(word);
    return s;
  }();
  return s;
}

void BM_Lookup_Dictionary(benchmark::State& state) {
  Setup& s = setup();
  if (!s.hunspell) return state.SkipWithError("no en_US dictionary");
  size_t known = 0;
  for (auto _ : state)
    for (const AnsiString& word : s.text) known += s.hunspell->IsKnownWord(word);
  benchmark::DoNotOptimize(known);
  state.SetItemsProcessed(state.iterations() * static_cast<int64_t>(s.text.size()));
}

void BM_Lookup_Hunspell(benchmark::State& state) {
  Setup& s = setup();
  if (!s.hunspell) return state.SkipWithError("no en_US dictionary");
  Hunspell& engine = qn::spellengine::HunspellDictionary::load(s.affPath)->engine();
  size_t known = 0;
  for (auto _ : state)
    for (const std::string& word : s.textUtf8) known += engine.spell(word);
  benchmark::DoNotOptimize(known);
  state.SetItemsProcessed(state.iterations() * static_cast<int64_t>(s.textUtf8.size()));
}

void BM_Lookup_Trie(benchmark::State& state) {
  Setup& s = setup();
  if (!s.trie || !s.trie->IsOpen()) return state.SkipWithError("no trie");
  size_t known = 0;
  for (auto _ : state)
    for (const AnsiString& word : s.text) known += s.trie->IsKnownWord(word);
  benchmark::DoNotOptimize(known);
  state.SetItemsProcessed(state.iterations() * static_cast<int64_t>(s.text.size()));
}

BENCHMARK(BM_Lookup_Dictionary)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Lookup_Hunspell)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Lookup_Trie)->Unit(benchmark::kMillisecond);

}  // namespace

const std::string& BenchAffPath() { return setup().affPath; }

const std::vector<AnsiString>& BenchProseWords() {
  static const std::vector<AnsiString> words = [] {
    std::vector<AnsiString> known;
    Setup& s = setup();
    if (!s.hunspell) return known;
    for (const AnsiString& word : s.text)
      if (s.hunspell->IsKnownWord(word)) known.push_back(word);
    return known;
  }();
  return words;
}

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  // The checker's benchmark runs in a program: its dialog, its message queue.
  qn::ui::prepareDesktopPlatform();
  qn::ui::WidgetApplication app(argc, argv);
  RunningUnits units;
  qn::testing::RatioReporter reporter;
  setup();
  benchmark::RunSpecifiedBenchmarks(&reporter);
  reporter.printRatio("ratio", "dictionary_lookup", "BM_Lookup_Dictionary", "BM_Lookup_Hunspell");
  reporter.printRatio("ratio", "check_string", "BM_CheckString/0", "BM_CheckString_Baseline");
  RemoveCheckBenchFolder();
  if (!setup().folder.empty()) std::filesystem::remove_all(setup().folder);
  return 0;
}
