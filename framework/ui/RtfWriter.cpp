#include "framework/ui/RtfWriter.h"

#include <algorithm>
#include <cstdint>
#include <map>
#include <set>
#include <tuple>

namespace qn::ui {

namespace {

// The font table as written: the content's own fonts under their numbers, and the other fonts
// the runs use under the lowest numbers still free. Looked up by name, charset and pitch.
class FontNumbers {
 public:
  explicit FontNumbers(const std::vector<FontTableEntry>& kept) {
    for (const FontTableEntry& font : kept) {
      if (!used_.insert(font.number).second) continue;
      table_.push_back(font);
      byKey_.emplace(Key{font.name.str(), font.charset, font.pitch}, font.number);
    }
  }

  int numberOf(const CharacterAttributes& a) {
    auto [found, added] = byKey_.try_emplace(Key{a.name.str(), a.charset, a.pitch}, 0);
    if (added) {
      while (used_.count(next_) != 0) ++next_;
      used_.insert(next_);
      found->second = next_;
      table_.push_back(FontTableEntry{next_, a.name, a.charset, a.pitch});
    }
    return found->second;
  }

  // In the order of their numbers, so that the table reads back as it is written.
  std::vector<FontTableEntry> table() const {
    std::vector<FontTableEntry> sorted = table_;
    std::sort(sorted.begin(), sorted.end(), [](const FontTableEntry& a, const FontTableEntry& b) { return a.number < b.number; });
    return sorted;
  }

 private:
  using Key = std::tuple<AnsiString, int, FontPitch>;
  std::vector<FontTableEntry> table_;
  std::map<Key, int> byKey_;
  std::set<int> used_;
  int next_ = 0;
};

// Colours in the order the runs first use them; \cf0 is the automatic colour.
class ColorNumbers {
 public:
  int numberOf(TColor color) {
    auto [found, added] = byColor_.try_emplace(color, static_cast<int>(table_.size()) + 1);
    if (added) table_.push_back(color);
    return found->second;
  }
  const std::vector<TColor>& table() const { return table_; }

 private:
  std::vector<TColor> table_;
  std::map<TColor, int> byColor_;
};

void appendHex(std::string& out, unsigned char byte) {
  static const char digits[] = "0123456789abcdef";
  out += "\\'";
  out += digits[byte >> 4];
  out += digits[byte & 0xF];
}

// In a table's name a ';' would end the entry, so there it is escaped too.
void appendAnsi(std::string& out, std::string_view ansi, bool inName = false) {
  for (char c : ansi) {
    auto byte = static_cast<unsigned char>(c);
    if (c == '\\' || c == '{' || c == '}') {
      out += '\\';
      out += c;
    } else if (byte < 0x20 || byte >= 0x80 || (inName && c == ';')) {
      appendHex(out, byte);
    } else {
      out += c;
    }
  }
}

// The length of the UTF-8 sequence starting with lead, 1 for a byte that starts none.
size_t sequenceLength(unsigned char lead) {
  if (lead >= 0xF0 && lead < 0xF8) return 4;
  if (lead >= 0xE0) return lead < 0xF0 ? 3 : 1;
  if (lead >= 0xC0) return 2;
  return 1;
}

uint32_t decode(std::string_view sequence) {
  auto byte = [&](size_t i) { return static_cast<uint32_t>(static_cast<unsigned char>(sequence[i])); };
  switch (sequence.size()) {
    case 2: return ((byte(0) & 0x1F) << 6) | (byte(1) & 0x3F);
    case 3: return ((byte(0) & 0x0F) << 12) | ((byte(1) & 0x3F) << 6) | (byte(2) & 0x3F);
    case 4: return ((byte(0) & 0x07) << 18) | ((byte(1) & 0x3F) << 12) | ((byte(2) & 0x3F) << 6) | (byte(3) & 0x3F);
    default: return byte(0);
  }
}

void appendUnicodeUnit(std::string& out, uint32_t unit) {
  out += "\\u" + std::to_string(unit >= 0x8000 ? static_cast<int>(unit) - 65536 : static_cast<int>(unit)) + "?";
}

void appendText(std::string& out, const std::string& utf8) {
  for (size_t i = 0; i < utf8.size();) {
    size_t length = std::min(sequenceLength(static_cast<unsigned char>(utf8[i])), utf8.size() - i);
    std::string_view sequence(utf8.data() + i, length);
    i += length;
    if (length == 1) {
      char c = sequence[0];
      if (c == '\t') {
        out += "\\tab ";
      } else {
        appendAnsi(out, std::string(1, c));
      }
      continue;
    }
    uint32_t cp = decode(sequence);
    if (cp == 0x2028) {
      out += "\\line ";
    } else if (utf8FitsAnsi(sequence)) {
      appendAnsi(out, utf8ToAnsi(sequence));
    } else if (cp >= 0x10000) {
      appendUnicodeUnit(out, 0xD800 + ((cp - 0x10000) >> 10));
      appendUnicodeUnit(out, 0xDC00 + ((cp - 0x10000) & 0x3FF));
    } else {
      appendUnicodeUnit(out, cp);
    }
  }
}

void appendNumbered(std::string& out, const char* word, int64_t value) {
  out += '\\';
  out += word;
  out += std::to_string(value);
}

void appendParagraphAttributes(std::string& out, const ParagraphAttributes& attributes) {
  out += "\\pard";
  if (attributes.alignment == ParagraphAlignment::Centre) out += "\\qc";
  if (attributes.alignment == ParagraphAlignment::Right) out += "\\qr";
  if (attributes.firstIndent != 0) appendNumbered(out, "fi", attributes.firstIndent);
  if (attributes.leftIndent != 0) appendNumbered(out, "li", attributes.leftIndent);
  if (attributes.rightIndent != 0) appendNumbered(out, "ri", attributes.rightIndent);
  if (attributes.spaceBefore != 0) appendNumbered(out, "sb", attributes.spaceBefore);
  if (attributes.spaceAfter != 0) appendNumbered(out, "sa", attributes.spaceAfter);
  int64_t spacing = attributes.lineSpacing;
  switch (attributes.lineSpacingRule) {
    case 1: out += "\\sl360\\slmult1"; break;
    case 2: out += "\\sl480\\slmult1"; break;
    case 3: if (spacing > 0) { appendNumbered(out, "sl", spacing); out += "\\slmult0"; } break;
    case 4: if (spacing > 0) { appendNumbered(out, "sl", -spacing); out += "\\slmult0"; } break;
    case 5: if (spacing > 0) { appendNumbered(out, "sl", std::min<int64_t>(spacing * 12, INT32_MAX)); out += "\\slmult1"; } break;
    default: break;
  }
  int count = 0;
  for (int tab : attributes.tabs) {
    if (count++ == maxTabStops) break;
    appendNumbered(out, "tx", tab);
  }
  if (attributes.bullet && attributes.list > 0) {
    appendNumbered(out, "ls", attributes.list);
    appendNumbered(out, "ilvl", attributes.listLevel);
  }
  if (attributes.bullet) out += "{\\pntext\\'b7\\tab}{\\*\\pn\\pnlvlblt{\\pntxtb\\'b7}}";
}

}  // namespace

std::string RtfWriter::write(const RichTextContent& content) const {
  FontNumbers fonts(content.fonts);
  ColorNumbers colors;
  std::string body;
  for (size_t p = 0; p < content.paragraphs.size(); ++p) {
    const RichParagraph& paragraph = content.paragraphs[p];
    if (p > 0) body += "\\par\r\n";
    appendParagraphAttributes(body, paragraph.attributes);
    for (const TextRun& run : paragraph.runs) {
      const CharacterAttributes& a = run.attributes;
      body += "\\plain";
      appendNumbered(body, "f", fonts.numberOf(a));
      appendNumbered(body, "fs", a.halfPoints);
      if (!a.automaticColor) appendNumbered(body, "cf", colors.numberOf(a.color & 0xFFFFFF));
      if (a.bold) body += "\\b";
      if (a.italic) body += "\\i";
      if (a.underline) body += "\\ul";
      if (a.strikeOut) body += "\\strike";
      if (a.protectedText) body += "\\protect";
      body += ' ';
      if (run.destination.empty()) {
        appendText(body, run.text);
      } else {
        body += run.destination;
      }
    }
  }

  std::string out = "{\\rtf1\\ansi\\ansicpg1252\\deff0\\uc1{\\fonttbl";
  for (const FontTableEntry& font : fonts.table()) {
    out += "{";
    appendNumbered(out, "f", font.number);
    out += "\\fnil";
    appendNumbered(out, "fcharset", font.charset);
    appendNumbered(out, "fprq", static_cast<int>(font.pitch));
    out += ' ';
    appendAnsi(out, font.name.str(), true);
    out += ";}";
  }
  out += "}\r\n{\\colortbl ;";
  for (TColor color : colors.table()) {
    appendNumbered(out, "red", color & 0xFF);
    appendNumbered(out, "green", (color >> 8) & 0xFF);
    appendNumbered(out, "blue", (color >> 16) & 0xFF);
    out += ';';
  }
  out += "}\r\n";
  for (const std::string& destination : content.documentDestinations) out += destination + "\r\n";
  out += body;
  out += "}\r\n";
  return out;
}

}  // namespace qn::ui
