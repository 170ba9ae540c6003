#pragma once
// Writes a RichTextContent in the rich-text format, in one canonical form: what RtfReader reads
// back from it and writes again comes out byte for byte the same. Text outside Windows-1252 goes
// as \u with '?' for readers that lack it; bulleted paragraphs carry their bullet as text too.
// Kept destinations are written back as they were read, those of the document after its tables;
// the fonts of the content's font table keep their numbers, which those destinations may use.
#include <string>

#include "framework/ui/RichTextContent.h"

namespace qn::ui {

class RtfWriter {
 public:
  std::string write(const RichTextContent& content) const;
};

}  // namespace qn::ui
