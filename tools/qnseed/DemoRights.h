#pragma once
// The user-rights values of the demo registry: every bit that grants a file, function or report
// set, no special file level, and each control total equal to the base number plus its group,
// as the rights loaders check them.
#include <string>
#include <utility>
#include <vector>

namespace qn::seed {

// Host value names with their texts, the totals included.
std::vector<std::pair<std::string, std::string>> fullRightsValues();

}  // namespace qn::seed
