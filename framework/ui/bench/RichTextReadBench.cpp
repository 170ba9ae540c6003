// Reading hostile rich text: the time of each read, and what the reader held at its most by its
// own count, per byte of input. The texts are the kinds a damaged or hostile memo in a record file
// holds: a long font name with many formatting changes or many empty groups, and many paragraphs
// each carrying a full set of tab stops.
//
// Counters: held_per_input_byte (the reader's bound is 64 and a megabyte), refused (1 when the
// text was refused as needing more).
#include <benchmark/benchmark.h>

#include <string>

#include "framework/ui/RtfReader.h"

namespace {

using qn::ui::RtfReader;

std::string repeated(const std::string& piece, size_t times) {
  std::string out;
  out.reserve(piece.size() * times);
  for (size_t i = 0; i < times; ++i) out += piece;
  return out;
}

std::string longFontName(const std::string& body) {
  return "{\\rtf1{\\fonttbl{\\f0 " + std::string(size_t{1} << 20, 'N') + ";}}\\f0 " + body + "}";
}

void read(benchmark::State& state, const std::string& rtf) {
  RtfReader::Count count;
  bool refused = false;
  for (auto _ : state) {
    auto content = RtfReader().read(rtf, &count);
    refused = !content;
    benchmark::DoNotOptimize(content);
  }
  state.counters["held_per_input_byte"] = static_cast<double>(count.bytes) / static_cast<double>(rtf.size());
  state.counters["refused"] = refused ? 1 : 0;
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * rtf.size()));
}

void BM_LongFontNameManyRuns(benchmark::State& state) { read(state, longFontName(repeated("\\b x\\b0 y", 12000))); }
void BM_LongFontNameEmptyGroups(benchmark::State& state) { read(state, longFontName(repeated("{}", 200000) + "x")); }
void BM_ParagraphsAfterTabStops(benchmark::State& state) {
  read(state, "{\\rtf1\\pard" + repeated("\\tx720", 32) + repeated("\\par", static_cast<size_t>(state.range(0))) + "}");
}

}  // namespace

BENCHMARK(BM_LongFontNameManyRuns)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LongFontNameEmptyGroups)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ParagraphsAfterTabStops)->Arg(200000)->Arg(2000000)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
