#pragma once
// What a rich-text control holds, apart from any window: paragraphs of runs of equally formatted
// text. The reader and writer of the rich-text format work on it, and the control maps it onto
// its document. Run text is UTF-8 (the screen's form); tab is '\t' and a line break inside a
// paragraph is U+2028. What the content does not show but must not lose (pictures, list
// definitions, destinations it does not know) it keeps as the rich text it was read from.
#include <iosfwd>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "framework/base/AnsiString.h"
#include "framework/ui/Color.h"

namespace qn::ui {

enum class FontPitch { Default = 0, Fixed = 1, Variable = 2 };

// A font's name, held once for the whole font table: copies share the text, so what runs and
// formatting groups cost does not grow with the length of the names they use.
class FontName {
 public:
  FontName() : FontName(AnsiString()) {}
  FontName(const char* name) : FontName(AnsiString(name)) {}
  FontName(AnsiString name) : text_(std::make_shared<const AnsiString>(std::move(name))) {}

  const AnsiString& str() const { return *text_; }
  operator const AnsiString&() const { return *text_; }
  bool operator==(const FontName& other) const { return text_ == other.text_ || *text_ == *other.text_; }

 private:
  std::shared_ptr<const AnsiString> text_;
};

std::ostream& operator<<(std::ostream& out, const FontName& name);

struct CharacterAttributes {
  FontName name = "Arial";
  int charset = 0;
  FontPitch pitch = FontPitch::Default;
  int halfPoints = 20;          // the size in half points, as the format stores it
  bool automaticColor = true;   // the text colour follows the desktop's window text
  TColor color = clBlack;       // meaningful only without automaticColor
  bool bold = false;
  bool italic = false;
  bool underline = false;
  bool strikeOut = false;
  bool protectedText = false;

  bool operator==(const CharacterAttributes&) const = default;
};

enum class ParagraphAlignment { Left = 0, Right = 1, Centre = 2 };

// At most this many tab stops are kept per paragraph; further ones are dropped.
constexpr int maxTabStops = 32;

struct ParagraphAttributes {
  ParagraphAlignment alignment = ParagraphAlignment::Left;
  int firstIndent = 0;  // twips, relative to the left indent
  int leftIndent = 0;   // twips
  int rightIndent = 0;  // twips
  bool bullet = false;
  // The list a bulleted or numbered paragraph belongs to: its entry in the document's list
  // definitions (0: none) and its level there. Written only with bullet.
  int list = 0;
  int listLevel = 0;
  std::vector<int> tabs;  // twips from the left margin, ascending as given
  int spaceBefore = 0;    // twips
  int spaceAfter = 0;     // twips
  // 0 single, 1 one and a half, 2 double, 3 at least lineSpacing twips, 4 exactly lineSpacing
  // twips, 5 lineSpacing / 20 lines.
  int lineSpacingRule = 0;
  int lineSpacing = 0;

  bool operator==(const ParagraphAttributes&) const = default;
};

struct TextRun {
  CharacterAttributes attributes;
  std::string text;
  // Not empty: a destination the content does not show (a picture, an object, one it does not
  // know), as the rich text it was read from; the run's text is then the one object character
  // U+FFFC that holds its place.
  std::string destination;

  bool operator==(const TextRun&) const = default;
};

struct RichParagraph {
  ParagraphAttributes attributes;
  std::vector<TextRun> runs;

  bool operator==(const RichParagraph&) const = default;
};

// A font of a document's font table, under the number the document gave it.
struct FontTableEntry {
  int number = 0;
  FontName name;
  int charset = 0;
  FontPitch pitch = FontPitch::Default;

  bool operator==(const FontTableEntry&) const = default;
};

// Never without a paragraph: an empty content is one empty paragraph.
struct RichTextContent {
  std::vector<RichParagraph> paragraphs{RichParagraph{}};
  // Destinations of the whole document the content does not show (list definitions, and what it
  // does not know before the text begins), each as the rich text it was read from.
  std::vector<std::string> documentDestinations;
  // The font table the text was read with. The writer keeps its numbers, since kept destinations
  // may name fonts by them (a list's bullet font).
  std::vector<FontTableEntry> fonts;

  // Of what the content shows and keeps; how its fonts were numbered is left out.
  bool operator==(const RichTextContent& other) const {
    return paragraphs == other.paragraphs && documentDestinations == other.documentDestinations;
  }

  // The text as the control's Text shows it: Windows-1252, paragraphs and line breaks ending
  // in carriage return and line feed; kept destinations show nothing.
  AnsiString plainText() const;

  // Plain Windows-1252 text in the given attributes: a carriage return, a line feed and the pair
  // each end one paragraph.
  static RichTextContent fromPlainText(std::string_view ansi, const CharacterAttributes& attributes);
};

// A font's height in pixels on a device of that resolution (the attributes' Height), and the size
// in half points a height asks for; both rounded to the nearest.
int pixelHeight(const CharacterAttributes& attributes, int dotsPerInch);
int halfPointsForHeight(int pixels, int dotsPerInch);

// Appends text to the paragraph, joining it to the last run when the attributes agree, so that
// equal contents compare equal however they were built.
void appendText(RichParagraph& paragraph, const CharacterAttributes& attributes, const std::string& utf8);

// The object character that holds a kept destination's place in the text, in UTF-8.
inline constexpr std::string_view keptDestinationCharacter = "\xEF\xBF\xBC";

// Appends a kept destination (its rich text) as a run of its own.
void appendDestination(RichParagraph& paragraph, const CharacterAttributes& attributes, std::string rtf);

}  // namespace qn::ui
