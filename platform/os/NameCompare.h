#pragma once
// How the system compares the names of keys, values, sections and files: byte by byte, ASCII
// letters without case, whatever the process's locale.
#include <string_view>

namespace qn::os {

// Negative, zero or positive as a sorts before, with or after b.
int compareNamesWithoutCase(std::string_view a, std::string_view b);

inline bool sameNameWithoutCase(std::string_view a, std::string_view b) {
  return a.size() == b.size() && compareNamesWithoutCase(a, b) == 0;
}

}  // namespace qn::os
