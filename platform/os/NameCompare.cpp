#include "platform/os/NameCompare.h"

#include <algorithm>

namespace qn::os {
namespace {

int folded(char c) {
  int v = static_cast<unsigned char>(c);
  return v >= 'A' && v <= 'Z' ? v + ('a' - 'A') : v;
}

}  // namespace

int compareNamesWithoutCase(std::string_view a, std::string_view b) {
  size_t n = std::min(a.size(), b.size());
  for (size_t i = 0; i < n; ++i) {
    int ca = folded(a[i]), cb = folded(b[i]);
    if (ca != cb) return ca < cb ? -1 : 1;
  }
  return a.size() == b.size() ? 0 : (a.size() < b.size() ? -1 : 1);
}

}  // namespace qn::os
