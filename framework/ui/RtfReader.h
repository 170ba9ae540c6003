#pragma once
// Reads the rich-text format into a RichTextContent. Damaged input (no header, unbalanced braces,
// a cut-off or non-hex \'hh, a number beyond 32 bits, a \u outside 16 bits, groups nested deeper
// than maxGroupDepth, a control word of more than maxControlWordLetters letters) answers nothing
// at all, never part of the text; so does input whose content would hold more than its bounds
// below allow. Pictures, embedded objects, list definitions and destinations behind \* that the
// reader does not know are kept as their rich text, where they stood (those of the whole
// document apart); the other destinations the content cannot hold (document information, style
// sheets, headers and footers, field instructions and the like) are dropped. Page, section and
// table-row ends end a paragraph and table cells end with a tab; numbered list levels show as
// bullets and every kind of underline as underline. Bytes are taken as Windows-1252 whatever code
// page the text declares. A first part (the opening of a longer text, cut anywhere) reads as if
// the groups still open at its end closed there; a destination cut there is dropped rather than
// kept half.
#include <cstddef>
#include <optional>
#include <string_view>

#include "framework/ui/RichTextContent.h"

namespace qn::ui {

class RtfReader {
 public:
  static constexpr int maxGroupDepth = 1000;
  static constexpr size_t maxControlWordLetters = 32;
  // Longer font names are cut to this many bytes.
  static constexpr size_t maxFontNameLength = 255;
  // A font or colour table beyond these is damage, not a document anyone wrote.
  static constexpr size_t maxFonts = 1024;
  static constexpr size_t maxColours = 1024;

  // What a text of that many bytes may build: at most one run, paragraph or kept destination per
  // byte, and in all (content, font and colour tables, open groups) at most 64 bytes per byte
  // and a megabyte more. A memo in a record file cannot hold a workstation's memory this way.
  static constexpr size_t maxItems(size_t inputBytes) { return inputBytes; }
  static constexpr size_t maxHeldBytes(size_t inputBytes) { return 64 * inputBytes + (size_t{1} << 20); }

  // What one read built, by its own count, also when it refused the text part way.
  struct Count {
    size_t runs = 0;
    size_t paragraphs = 0;
    size_t destinations = 0;  // kept ones
    size_t groups = 0;        // the most open at once
    size_t bytes = 0;         // the most held at once
  };

  // defaults: the attributes of text before any formatting, and what \plain restores.
  explicit RtfReader(CharacterAttributes defaults = {}) : defaults_(std::move(defaults)) {}

  // Whether the input is the whole text or only its first part.
  enum class Part { Whole, First };

  std::optional<RichTextContent> read(std::string_view rtf, Count* count = nullptr) const {
    return read(rtf, Part::Whole, count);
  }
  std::optional<RichTextContent> read(std::string_view rtf, Part part, Count* count = nullptr) const;

 private:
  CharacterAttributes defaults_;
};

}  // namespace qn::ui
