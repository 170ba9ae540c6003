#include "framework/ui/RtfReader.h"

#include <algorithm>
#include <cctype>
#include <climits>
#include <cstdint>
#include <map>
#include <set>
#include <string>

namespace qn::ui {

namespace {

// Where the text of a group goes.
enum class Destination { Text, FontTable, ColorTable, Bullet, Kept, Dropped };

struct FontEntry {
  AnsiString name;
  std::optional<FontName> shared;  // what the runs hold, made when the font is first used
  int charset = 0;
  FontPitch pitch = FontPitch::Default;
  bool complete = false;  // the name's ';' was seen
};

struct GroupState {
  Destination destination = Destination::Text;
  CharacterAttributes character;
  ParagraphAttributes paragraph;
  int lineSpacingValue = 0;  // \sl as written; turned into a rule when the paragraph ends
  bool lineSpacingMultiple = false;
  int unicodeFallback = 1;  // \uc: characters that stand in for each \u
  bool bulletLevel = false;  // a \pn group said the paragraph is bulleted
  size_t start = 0;          // where the group's brace stands in the input
  size_t takenAtOpen = 0;  // what the text and tables had taken when the group opened
  bool keptForDocument = false;  // a kept destination of the whole document, not of a place
};

// What an open group holds at its most: its state and a full set of tab stops.
constexpr size_t groupBytes = sizeof(GroupState) + maxTabStops * sizeof(int);
constexpr size_t fontEntryBytes = sizeof(std::pair<const int, FontEntry>) + 4 * sizeof(void*);

struct Failure {};

const std::set<std::string, std::less<>>& droppedDestinations() {
  static const std::set<std::string, std::less<>> names{
      "annotation", "atnauthor", "atnid", "author", "bkmkend", "bkmkstart", "buptim", "comment", "creatim",
      "doccomm", "filetbl", "fldinst", "footer", "footerf", "footerl", "footerr", "footnote", "generator",
      "header", "headerf", "headerl", "headerr", "info", "keywords", "operator", "printim", "revtbl",
      "revtim", "rxe", "shpinst", "stylesheet", "subject", "tc", "template", "title", "txe", "xe", "listtext",
      "pntext", "pntxta", "pntxtb", "themedata", "colorschememapping", "datastore", "latentstyles", "rsidtbl", "xmlnstbl"};
  return names;
}

// Destinations kept even when not behind \*, since the text is not whole without them: pictures
// and objects, which stand at their place in the text, and list definitions, which belong to the
// whole document. Unknown ones behind \* stand in the text once it has begun.
bool standsInText(std::string_view word) {
  return word == "pict" || word == "object" || word == "shppict" || word == "nonshppict";
}

// Underlines of every kind read as the one underline the content knows (\ulc, its colour, is
// not one of them).
bool underlines(std::string_view word) {
  static const std::set<std::string, std::less<>> names{
      "ul", "uld", "uldash", "uldashd", "uldashdd", "uldb", "ulhwave", "ulldash", "ulth", "ulthd", "ulthdash",
      "ulthdashd", "ulthdashdd", "ulthldash", "ululdbwave", "ulw", "ulwave"};
  return names.count(word) != 0;
}

// A numbered level shows as a bullet: the content knows no numbering.
bool listLevel(std::string_view word) {
  return word == "pnlvlblt" || word == "pnlvlbody" || word == "pnlvlcont" || word == "pnlvl";
}

bool belongsToDocument(std::string_view word) { return word == "listtable" || word == "listoverridetable"; }

void appendCodePoint(std::string& out, uint32_t cp) {
  if (cp < 0x80) {
    out += static_cast<char>(cp);
  } else if (cp < 0x800) {
    out += static_cast<char>(0xC0 | (cp >> 6));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  } else if (cp < 0x10000) {
    out += static_cast<char>(0xE0 | (cp >> 12));
    out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | (cp >> 18));
    out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
    out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  }
}

int hexValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

bool isLetter(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }

class Parser {
 public:
  Parser(std::string_view rtf, const CharacterAttributes& defaults, bool firstPart)
      : in_(rtf), firstPart_(firstPart), defaults_(defaults) {}

  const RtfReader::Count& count() const { return count_; }

  RichTextContent run() {
    while (pos_ < in_.size() && isspace(static_cast<unsigned char>(in_[pos_]))) ++pos_;
    if (in_.substr(pos_, 5) != "{\\rtf") throw Failure{};
    content_.paragraphs.clear();
    // Attributes are taken from here on, so the shared font name is counted once.
    hold(defaults_.name.str().size());
    GroupState root;
    root.character = defaults_;
    while (pos_ < in_.size()) {
      char c = in_[pos_++];
      // \* marks only the control word that follows it.
      if (c != '\\' && c != '\r' && c != '\n') ignorableNext_ = false;
      if (c == '{') {
        openGroup(root);
      } else if (c == '}') {
        if (closeGroup()) return finish();
      } else if (c == '\\') {
        controlSequence();
      } else {
        character(static_cast<unsigned char>(c), false);
      }
    }
    if (!firstPart_) throw Failure{};  // the text ended inside a group
    while (!closeGroup(true)) {
    }
    return finish();
  }

 private:
  GroupState& state() { return stack_.back(); }

  // Counts bytes the reader takes on, refusing the text when they pass its bound.
  void hold(size_t bytes) {
    if (bytes > RtfReader::maxHeldBytes(in_.size()) - held_) throw Failure{};
    held_ += bytes;
    count_.bytes = std::max(count_.bytes, held_);
  }

  void countItem(size_t& counter) {
    if (count_.runs + count_.paragraphs + count_.destinations >= RtfReader::maxItems(in_.size())) throw Failure{};
    ++counter;
  }

  void openGroup(const GroupState& root) {
    if (stack_.empty()) {
      stack_.push_back(root);
    } else {
      if (static_cast<int>(stack_.size()) >= RtfReader::maxGroupDepth) throw Failure{};
      GroupState inner = state();
      inner.bulletLevel = false;
      inner.keptForDocument = false;
      stack_.push_back(std::move(inner));
    }
    hold(groupBytes);
    count_.groups = std::max(count_.groups, stack_.size());
    state().start = pos_ - 1;
    state().takenAtOpen = taken_;
    skipFallback_ = 0;
  }

  // Answers whether the outermost group closed. A group cut by the end of a first part closes
  // there.
  bool closeGroup(bool cut = false) {
    if (stack_.size() == 1) flushSurrogate();
    GroupState closed = std::move(state());
    stack_.pop_back();
    held_ -= groupBytes;
    skipFallback_ = 0;
    if (stack_.empty()) {
      lastParagraphState_ = closed;
      return true;
    }
    if (closed.bulletLevel) {
      if (state().destination == Destination::Bullet) {
        state().bulletLevel = true;
      } else {
        state().paragraph.bullet = true;
      }
    }
    if (closed.destination == Destination::Kept && state().destination != Destination::Kept && !cut) keep(closed);
    if (closed.destination == Destination::ColorTable && state().destination != Destination::ColorTable) {
      colorsDone_ = true;
    }
    if (closed.destination == Destination::FontTable && state().destination != Destination::FontTable &&
        defaultFont_) {
      applyFont(state().character, *defaultFont_);
    }
    return false;
  }

  // The closed group was a kept destination: its text, braces included, goes where it stood.
  void keep(const GroupState& closed) {
    std::string rtf(in_.substr(closed.start, pos_ - closed.start));
    countItem(count_.destinations);
    ++taken_;  // a group around this one is no longer the destination's alone
    if (closed.keptForDocument) {
      hold(sizeof(std::string) + rtf.size());
      content_.documentDestinations.push_back(std::move(rtf));
      return;
    }
    hold(sizeof(TextRun) + keptDestinationCharacter.size() + rtf.size());
    appendDestination(paragraph_, state().character, std::move(rtf));
    bodyBegun_ = true;
  }

  // Whether a destination starting in the current group can be kept whole: the group holds it
  // alone, inside the text.
  bool keepable() {
    return state().destination == Destination::Text && stack_.size() > 1 && taken_ == state().takenAtOpen;
  }

  int64_t number(bool& present) {
    bool negative = false;
    size_t start = pos_;
    if (pos_ < in_.size() && in_[pos_] == '-') {
      negative = true;
      ++pos_;
    }
    int64_t value = 0;
    size_t digits = 0;
    while (pos_ < in_.size() && in_[pos_] >= '0' && in_[pos_] <= '9') {
      value = value * 10 + (in_[pos_] - '0');
      if (value > int64_t{INT_MAX} + 1) throw Failure{};
      ++pos_;
      ++digits;
    }
    if (digits == 0) {
      pos_ = start;  // a lone '-' belongs to the text
      present = false;
      return 0;
    }
    if (negative) value = -value;
    if (value > INT_MAX) throw Failure{};
    present = true;
    return value;
  }

  // A first part may end inside a control sequence: it then ends there.
  void cutOff() {
    if (!firstPart_) throw Failure{};
    pos_ = in_.size();
  }

  void controlSequence() {
    if (pos_ >= in_.size()) return cutOff();
    char c = in_[pos_];
    if (!isLetter(c)) {
      ++pos_;
      controlSymbol(c);
      return;
    }
    size_t start = pos_;
    while (pos_ < in_.size() && isLetter(in_[pos_])) {
      if (++pos_ - start > RtfReader::maxControlWordLetters) throw Failure{};
    }
    std::string_view word = in_.substr(start, pos_ - start);
    bool hasParameter = false;
    int parameter = static_cast<int>(number(hasParameter));
    if (pos_ < in_.size() && in_[pos_] == ' ') ++pos_;
    if (word == "bin") {
      // Binary data follows raw; it only ever belongs to what is dropped.
      if (parameter < 0) throw Failure{};
      if (static_cast<size_t>(parameter) > in_.size() - pos_) return cutOff();
      pos_ += static_cast<size_t>(parameter);
      return;
    }
    bool ignorable = ignorableNext_;
    ignorableNext_ = false;
    if (skipFallback_ > 0) {
      --skipFallback_;
      return;
    }
    controlWord(word, hasParameter, parameter, ignorable);
  }

  void controlSymbol(char c) {
    if (c != '*') ignorableNext_ = false;
    switch (c) {
      case '\'': {
        if (pos_ + 2 > in_.size()) return cutOff();
        int high = hexValue(in_[pos_]);
        int low = hexValue(in_[pos_ + 1]);
        if (high < 0 || low < 0) throw Failure{};
        pos_ += 2;
        character(static_cast<unsigned char>(high * 16 + low), true);
        return;
      }
      case '*':
        ignorableNext_ = true;
        return;
      case '\\':
      case '{':
      case '}':
        character(static_cast<unsigned char>(c), true);
        return;
      case '~':
        textCodePoint(0xA0);
        return;
      case '_':
        textCodePoint(0x2011);
        return;
      case '\r':
      case '\n':
        if (skipFallback_ > 0) {
          --skipFallback_;
        } else if (state().destination == Destination::Text) {
          endParagraph();
        }
        return;
      default:
        if (skipFallback_ > 0) --skipFallback_;
        return;  // optional hyphens, index marks and the like show nothing here
    }
  }

  void controlWord(std::string_view word, bool hasParameter, int parameter, bool ignorable) {
    if (word == "u" && (parameter < -32768 || parameter > 65535)) throw Failure{};
    GroupState& s = state();
    if (s.destination == Destination::Dropped || s.destination == Destination::Kept) return;
    if (word == "fonttbl") {
      ++taken_;
      s.destination = Destination::FontTable;
      return;
    }
    if (word == "colortbl") {
      ++taken_;
      s.destination = Destination::ColorTable;
      return;
    }
    if (word == "pn") {
      s.destination = Destination::Bullet;
      return;
    }
    if (droppedDestinations().count(word) != 0) {
      s.destination = Destination::Dropped;
      return;
    }
    if (s.destination == Destination::Bullet) {
      if (listLevel(word)) s.bulletLevel = true;
      return;
    }
    if (ignorable || standsInText(word) || belongsToDocument(word)) {
      if (!keepable()) {
        s.destination = Destination::Dropped;
        return;
      }
      s.destination = Destination::Kept;
      s.keptForDocument = belongsToDocument(word) || (!bodyBegun_ && !standsInText(word));
      return;
    }
    if (s.destination == Destination::FontTable) {
      fontTableWord(word, hasParameter, parameter);
      return;
    }
    if (s.destination == Destination::ColorTable) {
      colorTableWord(word, parameter);
      return;
    }
    textWord(word, hasParameter, parameter);
  }

  void fontTableWord(std::string_view word, bool hasParameter, int parameter) {
    if (word == "f" && hasParameter) {
      currentFont_ = parameter;
      if (fonts_.count(parameter) == 0) {
        if (fonts_.size() >= RtfReader::maxFonts) throw Failure{};
        hold(fontEntryBytes);
      }
      fonts_[parameter] = FontEntry{};
    } else if (currentFont_ && word == "fcharset") {
      fonts_[*currentFont_].charset = parameter;
    } else if (currentFont_ && word == "fprq") {
      fonts_[*currentFont_].pitch = parameter == 1 ? FontPitch::Fixed
                                    : parameter == 2 ? FontPitch::Variable
                                                     : FontPitch::Default;
    }
  }

  void colorTableWord(std::string_view word, int parameter) {
    if (colorsDone_) return;
    int shift = word == "red" ? 0 : word == "green" ? 8 : word == "blue" ? 16 : -1;
    if (shift < 0) return;
    if (!pendingColor_) pendingColor_ = 0;
    *pendingColor_ |= (parameter & 0xFF) << shift;
  }

  static bool flag(bool hasParameter, int parameter) { return !hasParameter || parameter != 0; }

  void textWord(std::string_view word, bool hasParameter, int parameter) {
    GroupState& s = state();
    CharacterAttributes& ch = s.character;
    ParagraphAttributes& pa = s.paragraph;
    if (word == "par" || word == "page" || word == "sect" || word == "row") {
      endParagraph();
    } else if (word == "line") {
      textCodePoint(0x2028);
    } else if (word == "tab" || word == "cell") {
      textCodePoint('\t');
    } else if (word == "u") {
      unicode(parameter);
    } else if (word == "uc") {
      if (parameter >= 0) s.unicodeFallback = parameter;
    } else if (word == "pard") {
      bodyBegun_ = true;
      pa = ParagraphAttributes{};
      s.lineSpacingValue = 0;
      s.lineSpacingMultiple = false;
    } else if (word == "plain") {
      ch = defaults_;
      if (defaultFont_) applyFont(ch, *defaultFont_);
    } else if (word == "deff") {
      ++taken_;
      defaultFont_ = parameter;
    } else if (word == "f") {
      applyFont(ch, parameter);
    } else if (word == "fs") {
      if (parameter > 0) ch.halfPoints = parameter;
    } else if (word == "cf") {
      if (parameter >= 0 && static_cast<size_t>(parameter) < colors_.size() && colors_[parameter]) {
        ch.automaticColor = false;
        ch.color = *colors_[parameter];
      } else {
        ch.automaticColor = true;
        ch.color = clBlack;
      }
    } else if (word == "b") {
      ch.bold = flag(hasParameter, parameter);
    } else if (word == "i") {
      ch.italic = flag(hasParameter, parameter);
    } else if (underlines(word)) {
      ch.underline = flag(hasParameter, parameter);
    } else if (word == "ulnone") {
      ch.underline = false;
    } else if (word == "strike") {
      ch.strikeOut = flag(hasParameter, parameter);
    } else if (word == "protect") {
      ch.protectedText = flag(hasParameter, parameter);
    } else if (word == "ql" || word == "qj") {
      pa.alignment = ParagraphAlignment::Left;
    } else if (word == "qc") {
      pa.alignment = ParagraphAlignment::Centre;
    } else if (word == "qr") {
      pa.alignment = ParagraphAlignment::Right;
    } else if (word == "li") {
      pa.leftIndent = parameter;
    } else if (word == "ri") {
      pa.rightIndent = parameter;
    } else if (word == "fi") {
      pa.firstIndent = parameter;
    } else if (word == "sb") {
      pa.spaceBefore = parameter;
    } else if (word == "sa") {
      pa.spaceAfter = parameter;
    } else if (word == "sl") {
      s.lineSpacingValue = parameter;
    } else if (word == "slmult") {
      s.lineSpacingMultiple = parameter != 0;
    } else if (word == "tx") {
      if (static_cast<int>(pa.tabs.size()) < maxTabStops) pa.tabs.push_back(parameter);
    } else if (word == "ls") {
      if (parameter > 0) {
        pa.bullet = true;
        pa.list = parameter;
      }
    } else if (word == "ilvl") {
      pa.listLevel = std::clamp(parameter, 0, 8);
    } else if (word == "emdash") {
      textCodePoint(0x2014);
    } else if (word == "endash") {
      textCodePoint(0x2013);
    } else if (word == "bullet") {
      textCodePoint(0x2022);
    } else if (word == "lquote") {
      textCodePoint(0x2018);
    } else if (word == "rquote") {
      textCodePoint(0x2019);
    } else if (word == "ldblquote") {
      textCodePoint(0x201C);
    } else if (word == "rdblquote") {
      textCodePoint(0x201D);
    }
  }

  void applyFont(CharacterAttributes& ch, int number) {
    auto found = fonts_.find(number);
    if (found == fonts_.end()) return;
    FontEntry& font = found->second;
    if (!font.shared) {
      hold(sizeof(AnsiString) + font.name.size());
      font.shared = FontName(font.name);
    }
    ch.name = *font.shared;
    ch.charset = font.charset;
    ch.pitch = font.pitch;
  }

  void unicode(int value) {
    ++taken_;  // a high surrogate shows only with what follows, but it is text all the same
    auto unit = static_cast<uint32_t>(value < 0 ? value + 65536 : value);
    if (unit >= 0xDC00 && unit <= 0xDFFF && highSurrogate_) {
      uint32_t cp = 0x10000 + ((*highSurrogate_ - 0xD800) << 10) + (unit - 0xDC00);
      highSurrogate_.reset();
      emit(cp);
    } else if (unit >= 0xD800 && unit <= 0xDBFF) {
      flushSurrogate();
      highSurrogate_ = unit;
    } else {
      emit(unit >= 0xD800 && unit <= 0xDFFF ? 0xFFFD : unit);
    }
    skipFallback_ = state().unicodeFallback;
  }

  void flushSurrogate() {
    if (!highSurrogate_) return;
    highSurrogate_.reset();
    emit(0xFFFD);
  }

  // A character of the text as the bytes give it: Windows-1252. An escaped (literal) byte is
  // always text; a raw one may be a line end of the file or a table's separator.
  void character(unsigned char byte, bool literal) {
    if (skipFallback_ > 0) {
      if (literal || (byte != '\r' && byte != '\n')) --skipFallback_;
      return;
    }
    GroupState& s = state();
    switch (s.destination) {
      case Destination::FontTable:
        fontNameByte(byte, literal);
        return;
      case Destination::ColorTable:
        if (byte == ';' && !literal && !colorsDone_) {
          if (colors_.size() >= RtfReader::maxColours) throw Failure{};
          hold(sizeof(pendingColor_));
          colors_.push_back(pendingColor_);
          pendingColor_.reset();
        }
        return;
      case Destination::Text:
        if (!literal && (byte == '\r' || byte == '\n' || byte == 0)) return;
        if (byte == '\t') {
          textCodePoint('\t');
          return;
        }
        textBytes(std::string(1, static_cast<char>(byte)));
        return;
      default:
        return;
    }
  }

  void fontNameByte(unsigned char byte, bool literal) {
    if (!currentFont_) return;
    FontEntry& font = fonts_[*currentFont_];
    if (font.complete || (!literal && (byte == '\r' || byte == '\n'))) return;
    if (byte == ';' && !literal) {
      font.complete = true;
      return;
    }
    if (font.name.size() >= RtfReader::maxFontNameLength) return;
    hold(1);
    font.name += static_cast<char>(byte);
    font.shared.reset();
  }

  void textCodePoint(uint32_t cp) {
    if (skipFallback_ > 0) {
      --skipFallback_;
      return;
    }
    if (state().destination != Destination::Text) return;
    emit(cp);
  }

  void emit(uint32_t cp) {
    if (state().destination != Destination::Text) return;
    std::string utf8;
    appendCodePoint(utf8, cp);
    appendUtf8(utf8);
  }

  void textBytes(const std::string& ansi) { appendUtf8(ansiToUtf8(ansi)); }

  void appendUtf8(const std::string& utf8) {
    if (highSurrogate_) {
      highSurrogate_.reset();
      addText("\xEF\xBF\xBD");
    }
    addText(utf8);
  }

  void addText(const std::string& utf8) {
    size_t runs = paragraph_.runs.size();
    appendText(paragraph_, state().character, utf8);
    if (paragraph_.runs.size() > runs) {
      countItem(count_.runs);
      hold(sizeof(TextRun));
    }
    hold(utf8.size());
    ++taken_;
    bodyBegun_ = true;
  }

  void endParagraph() {
    flushSurrogate();
    paragraph_.attributes = paragraphAttributes(state());
    addParagraph();
    paragraph_ = RichParagraph{};
    ++taken_;
    bodyBegun_ = true;
  }

  void addParagraph() {
    countItem(count_.paragraphs);
    hold(sizeof(RichParagraph) + paragraph_.attributes.tabs.size() * sizeof(int));
    content_.paragraphs.push_back(std::move(paragraph_));
  }

  static ParagraphAttributes paragraphAttributes(const GroupState& s) {
    ParagraphAttributes attributes = s.paragraph;
    int64_t value = s.lineSpacingValue;
    attributes.lineSpacingRule = 0;
    attributes.lineSpacing = 0;
    if (value == 0) return attributes;
    if (s.lineSpacingMultiple) {
      if (value == 240) return attributes;
      if (value == 360) {
        attributes.lineSpacingRule = 1;
      } else if (value == 480) {
        attributes.lineSpacingRule = 2;
      } else {
        attributes.lineSpacingRule = 5;
        attributes.lineSpacing = static_cast<int>(value / 12);
      }
    } else if (value > 0) {
      attributes.lineSpacingRule = 3;
      attributes.lineSpacing = static_cast<int>(value);
    } else {
      attributes.lineSpacingRule = 4;
      attributes.lineSpacing = static_cast<int>(std::min<int64_t>(-value, INT_MAX));
    }
    return attributes;
  }

  RichTextContent finish() {
    paragraph_.attributes = paragraphAttributes(lastParagraphState_);
    addParagraph();
    for (auto& [number, font] : fonts_) {
      hold(sizeof(FontTableEntry) + (font.shared ? 0 : sizeof(AnsiString) + font.name.size()));
      content_.fonts.push_back(FontTableEntry{number, font.shared ? *font.shared : FontName(font.name), font.charset, font.pitch});
    }
    return std::move(content_);
  }

  std::string_view in_;
  bool firstPart_;
  size_t pos_ = 0;
  const CharacterAttributes& defaults_;
  std::vector<GroupState> stack_;
  std::map<int, FontEntry> fonts_;
  std::optional<int> currentFont_;
  std::optional<int> defaultFont_;
  std::vector<std::optional<TColor>> colors_;  // an empty entry is the automatic colour
  std::optional<TColor> pendingColor_;
  bool colorsDone_ = false;
  bool ignorableNext_ = false;
  int skipFallback_ = 0;
  std::optional<uint32_t> highSurrogate_;
  // What the text and the document's tables have taken so far: a group that holds any of it
  // cannot be kept whole, or reading it again would take it twice.
  size_t taken_ = 0;
  bool bodyBegun_ = false;  // by a \pard or anything given to the text
  size_t held_ = 0;
  RtfReader::Count count_;
  RichTextContent content_;
  RichParagraph paragraph_;
  GroupState lastParagraphState_;
};

}  // namespace

std::optional<RichTextContent> RtfReader::read(std::string_view rtf, Part part, Count* count) const {
  Parser parser(rtf, defaults_, part == Part::First);
  std::optional<RichTextContent> content;
  try {
    content = parser.run();
  } catch (const Failure&) {
  }
  if (count) *count = parser.count();
  return content;
}

}  // namespace qn::ui
