#include <gtest/gtest.h>

#include <functional>
#include <optional>
#include <iterator>
#include <string>

#include "framework/ui/RtfReader.h"
#include "framework/ui/RtfWriter.h"

namespace {

using namespace qn::ui;

std::string repeated(const std::string& piece, size_t times) {
  std::string out;
  out.reserve(piece.size() * times);
  for (size_t i = 0; i < times; ++i) out += piece;
  return out;
}

const std::string megabyteName(size_t{1} << 20, 'N');

std::string withFont(const std::string& name, const std::string& body) {
  return "{\\rtf1{\\fonttbl{\\f0 " + name + ";}}\\f0 " + body + "}";
}

std::string tabStops() { return "\\pard" + repeated("\\tx720", maxTabStops); }

std::string fontTable(size_t fonts) {
  std::string table;
  for (size_t i = 0; i < fonts; ++i) table += "{\\f" + std::to_string(i) + " F" + std::to_string(i) + ";}";
  return "{\\rtf1{\\fonttbl" + table + "}\\f0 x}";
}

std::string colourTable(size_t entries) {
  return "{\\rtf1{\\colortbl" + repeated("\\red1\\green2\\blue3;", entries) + "}\\cf1 x}";
}

// Every font and every colour but the automatic one, each used by a run: the most a table holds.
constexpr int fontsAndColoursUsed = static_cast<int>(RtfReader::maxColours) - 1;

// What a text that reads must build: its runs, its paragraphs, and its deepest nesting.
struct Built {
  size_t runs;
  size_t paragraphs;
  size_t groups;
};

struct HostileCase {
  const char* name;
  std::function<std::string()> rtf;
  std::optional<Built> built;  // none: refused
};

const HostileCase hostileCases[] = {
    {"a long font name with many runs", [] { return withFont(megabyteName, repeated("\\b x\\b0 y", 12000)); }, Built{24000, 1, 3}},
    {"a long font name with many empty groups", [] { return withFont(megabyteName, repeated("{}", 200000) + "x"); }, Built{1, 1, 3}},
    {"a long font name with deep nesting",
     [] {
       std::string deep = std::string(RtfReader::maxGroupDepth - 1, '{') + "\\i x" + std::string(RtfReader::maxGroupDepth - 1, '}');
       return withFont(megabyteName, repeated(deep, 200));
     },
     Built{1, 1, static_cast<size_t>(RtfReader::maxGroupDepth)}},
    {"two million paragraphs after many tab stops", [] { return "{\\rtf1" + tabStops() + repeated("\\par", 2000000) + "}"; }, Built{0, 2000001, 1}},
    // A backslash before a line end ends a paragraph in two bytes: more than a paragraph with
    // all its tab stops may hold for them.
    {"paragraphs of two bytes after many tab stops", [] { return "{\\rtf1" + tabStops() + repeated("\\\n", 200000) + "}"; }, std::nullopt},
    {"many font table entries",
     [] {
       std::string table;
       for (int i = 0; i < 100000; ++i) table += "{\\f" + std::to_string(i) + "\\fcharset0 Font" + std::to_string(i) + ";}";
       return "{\\rtf1{\\fonttbl" + table + "}\\f99999 x}";
     },
     std::nullopt},
    {"the most fonts a table may hold", [] { return fontTable(RtfReader::maxFonts); }, Built{1, 1, 3}},
    {"one font more than a table may hold", [] { return fontTable(RtfReader::maxFonts + 1); }, std::nullopt},
    {"many colour table entries", [] { return "{\\rtf1{\\colortbl" + repeated("\\red1\\green2\\blue3;", 1000000) + "}\\cf999999 x}"; }, std::nullopt},
    {"the most colours a table may hold", [] { return colourTable(RtfReader::maxColours); }, Built{1, 1, 2}},
    {"one colour more than a table may hold", [] { return colourTable(RtfReader::maxColours + 1); }, std::nullopt},
    {"a run for each few bytes", [] { return "{\\rtf1 " + repeated("{\\b x}y", 500000) + "}"; }, Built{1000000, 1, 2}},
    {"many fonts and colours, each used by a run",
     [] {
       std::string fonts;
       std::string colours;
       std::string runs;
       for (int i = 0; i < fontsAndColoursUsed; ++i) {
         fonts += "{\\f" + std::to_string(i) + " F" + std::to_string(i) + ";}";
         colours += "\\red" + std::to_string(i & 0xFF) + "\\green" + std::to_string(i >> 8) + ";";
         runs += "\\f" + std::to_string(i) + "\\cf" + std::to_string(i + 1) + " x";
       }
       return "{\\rtf1{\\fonttbl" + fonts + "}{\\colortbl;" + colours + "}" + runs + "}";
     },
     Built{fontsAndColoursUsed, 1, 3}},
};

TEST(RichTextBounds, EachHostileTextReadsOrIsRefusedHoldingNoMoreThanItsInputAllows) {
  for (const HostileCase& c : hostileCases) {
    const std::string rtf = c.rtf();
    RtfReader::Count count;
    auto content = RtfReader().read(rtf, &count);
    EXPECT_EQ(content.has_value(), c.built.has_value()) << c.name;
    EXPECT_LE(count.runs + count.paragraphs + count.destinations, RtfReader::maxItems(rtf.size())) << c.name;
    EXPECT_LE(count.bytes, RtfReader::maxHeldBytes(rtf.size())) << c.name;
    EXPECT_LE(count.groups, static_cast<size_t>(RtfReader::maxGroupDepth)) << c.name;
    EXPECT_GT(count.bytes, 0u) << c.name;
    if (!content || !c.built) continue;
    // The count is of what the content holds, and that is what the text asks for.
    size_t runs = 0;
    for (const RichParagraph& paragraph : content->paragraphs) runs += paragraph.runs.size();
    EXPECT_EQ(count.runs, runs) << c.name;
    EXPECT_EQ(count.paragraphs, content->paragraphs.size()) << c.name;
    EXPECT_EQ(count.runs, c.built->runs) << c.name;
    EXPECT_EQ(count.paragraphs, c.built->paragraphs) << c.name;
    EXPECT_EQ(count.groups, c.built->groups) << c.name;
  }
}

// The writer numbers fonts and colours as it meets them; a table of each per run must not make
// that a search through all of them for every run.
TEST(RichTextBounds, ATextWithAFontAndAColourForEachRunIsWrittenAndReadAgain) {
  const HostileCase& c = hostileCases[std::size(hostileCases) - 1];
  RtfReader::Count count;
  auto content = RtfReader().read(c.rtf(), &count);
  ASSERT_TRUE(content);
  ASSERT_EQ(count.runs, static_cast<size_t>(fontsAndColoursUsed));
  const std::string written = RtfWriter().write(*content);
  RtfReader::Count again;
  auto read = RtfReader().read(written, &again);
  ASSERT_TRUE(read);
  EXPECT_EQ(again.runs, count.runs);
  EXPECT_EQ(*read, *content);
}

TEST(RichTextBounds, RunsOfOneFontShareItsName) {
  auto read = RtfReader().read(withFont(std::string(200, 'F'), "a\\b\\f0 b\\b0\\f0\\i c{\\f0\\ul d}"));
  ASSERT_TRUE(read);
  const std::vector<TextRun>& runs = read->paragraphs[0].runs;
  ASSERT_EQ(runs.size(), 4u);
  for (const TextRun& run : runs) {
    EXPECT_EQ(run.attributes.name, std::string(200, 'F'));
    EXPECT_EQ(&run.attributes.name.str(), &runs[0].attributes.name.str());
  }
}

struct NameCase {
  const char* name;
  std::string written;
  std::string read;
};

TEST(RichTextBounds, AFontNameLongerThan255BytesIsCutThere) {
  const std::string longest(RtfReader::maxFontNameLength, 'L');
  const NameCase cases[] = {
      {"255 bytes", longest, longest},
      {"256 bytes", longest + "M", longest},
      {"a megabyte", megabyteName, std::string(RtfReader::maxFontNameLength, 'N')},
      {"escaped bytes count once", repeated("\\'e9", 300), std::string(RtfReader::maxFontNameLength, '\xE9')},
  };
  for (const NameCase& c : cases) {
    auto read = RtfReader().read(withFont(c.written, "x"));
    ASSERT_TRUE(read) << c.name;
    EXPECT_EQ(read->paragraphs[0].runs[0].attributes.name.str(), c.read) << c.name;
  }
}

}  // namespace
