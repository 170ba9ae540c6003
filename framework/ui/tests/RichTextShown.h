#pragma once
// What read rich text shows: its runs' text, paragraphs joined by CR LF, for the reader tests to
// compare with the text they expect.
#include <string>

#include "framework/ui/RichTextContent.h"

namespace qn::ui::testing {

inline std::string shown(const RichTextContent& content) {
  std::string text;
  for (size_t i = 0; i < content.paragraphs.size(); ++i) {
    if (i > 0) text += "\r\n";
    for (const TextRun& run : content.paragraphs[i].runs) text += run.text;
  }
  return text;
}

}  // namespace qn::ui::testing
