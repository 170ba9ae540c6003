#include "tools/qnseed/DemoRights.h"

#include <cstdint>

namespace qn::seed {
namespace {

constexpr int64_t allBits(int count) { return (int64_t{1} << count) - 1; }

// Any base number works as long as every total includes it; a non-zero one keeps the totals honest.
constexpr int64_t kBase = 1975;
// Files 1..80 come twenty to a number, files 81..99 from nineteen bits of the fifth.
constexpr int64_t kFileGroups[] = {allBits(20), allBits(20), allBits(20), allBits(20), allBits(19)};
// The sixth file number only carries the special levels of seven files, which would take their
// plain grant away: the demo sets none.
constexpr int64_t kFileLevels = 0;
constexpr int64_t kFunctions = allBits(26);
constexpr int64_t kReports[] = {allBits(18), allBits(18)};

}  // namespace

std::vector<std::pair<std::string, std::string>> fullRightsValues() {
  std::vector<std::pair<std::string, std::string>> values{{"ArgInitN", std::to_string(kBase)}};
  int64_t files = kBase + kFileLevels;
  for (int i = 0; i < 5; ++i) {
    values.emplace_back("ArgFile" + std::to_string(i + 1), std::to_string(kFileGroups[i]));
    files += kFileGroups[i];
  }
  values.emplace_back("ArgFile6", std::to_string(kFileLevels));
  values.emplace_back("ArgFileX", std::to_string(files));
  values.emplace_back("ArgFunc", std::to_string(kFunctions));
  values.emplace_back("ArgFuncX", std::to_string(kBase + kFunctions));
  values.emplace_back("ArgRep1", std::to_string(kReports[0]));
  values.emplace_back("ArgRep2", std::to_string(kReports[1]));
  values.emplace_back("ArgRepX", std::to_string(kBase + kReports[0] + kReports[1]));
  return values;
}

}  // namespace qn::seed
