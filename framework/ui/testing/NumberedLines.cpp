#include "framework/ui/testing/NumberedLines.h"

#include <cstdio>

namespace qn::ui::testing {

AnsiString numberedLines(int count) {
  AnsiString text;
  for (int i = 1; i <= count; ++i) {
    char line[16];
    std::snprintf(line, sizeof line, "Line %03d", i);
    if (i > 1) text += "\r\n";
    text += line;
  }
  return text;
}

}  // namespace qn::ui::testing
