#pragma once
// Reads the rich-text format into a RichTextContent. Damaged input (no header, unbalanced braces,
// a cut-off or non-hex \'hh, a number beyond 32 bits, a \u outside 16 bits, groups nested deeper
// than maxGroupDepth) answers nothing at all, never part of the text. Destinations the content
// cannot hold (pictures, embedded objects, document information, style sheets, anything behind
// \*) are dropped. Bytes are taken as Windows-1252 whatever code page the text declares.
#include <optional>
#include <string_view>

#include "framework/ui/RichTextContent.h"

namespace qn::ui {

class RtfReader {
 public:
  static constexpr int maxGroupDepth = 1000;

  // defaults: the attributes of text before any formatting, and what \plain restores.
  explicit RtfReader(CharacterAttributes defaults = {}) : defaults_(std::move(defaults)) {}

  std::optional<RichTextContent> read(std::string_view rtf) const;

 private:
  CharacterAttributes defaults_;
};

}  // namespace qn::ui
