#include "recordmgr/EngineErrorNames.h"

#include <array>

#include "framework/base/FormatText.h"
#include "platform/os/Resources.h"

namespace {

// The table runs by category, each run consecutive codes; the order is the table's, so a code
// held twice (8708) takes the name of its first entry.
struct CodeRun {
  uint16_t firstCode;
  uint16_t count;
};

constexpr std::array<CodeRun, 31> kRuns{{
    {0, 1},      {8449, 10},  {8705, 4},   {8708, 8},   {8961, 9},   {9217, 6},  {9473, 26},  {9729, 22},
    {9985, 81},  {10241, 20}, {10497, 8},  {10753, 20}, {11009, 13}, {11023, 8}, {11041, 3},  {11047, 1},
    {11058, 2},  {11109, 1},  {11060, 2},  {11108, 1},  {11110, 5},  {11265, 12}, {15873, 7}, {11777, 161},
    {12033, 7},  {12289, 5},  {12545, 6},  {12801, 12}, {13057, 5},  {13313, 3}, {11521, 2},
}};

constexpr size_t runTotal() {
  size_t total = 0;
  for (const CodeRun& run : kRuns) total += run.count;
  return total;
}
static_assert(runTotal() == EngineErrorNameCount);

}  // namespace

uint16_t EngineErrorNameCode(size_t index) {
  for (const CodeRun& run : kRuns) {
    if (index < run.count) return static_cast<uint16_t>(run.firstCode + index);
    index -= run.count;
  }
  return 0;
}

AnsiString GetEngineErrorName(uint16_t code, size_t maxLength) {
  AnsiString name;
  size_t index = 0;
  while (index < EngineErrorNameCount && EngineErrorNameCode(index) != code) ++index;
  if (index < EngineErrorNameCount) {
    name = "DBIERR_" + qn::os::loadResourceString(EngineErrorNamesBase + static_cast<int>(index)).value_or("");
  } else {
    name = Format("Korvo (BDE) Error %d.", {static_cast<int>(code)});
  }
  return name.substr(0, maxLength);
}
