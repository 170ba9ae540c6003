#include <gtest/gtest.h>

#include <string>

#include "framework/ui/RtfReader.h"
#include "framework/ui/RtfWriter.h"
#include "framework/ui/tests/RichTextShown.h"

namespace {

using namespace qn::ui;
using qn::ui::testing::shown;

struct FirstPartCase {
  const char* name;
  std::string rtf;
  const char* text;  // what the first part shows; nullptr: refused even as a first part
  size_t kept;       // destinations kept in the text
};

const FirstPartCase firstPartCases[] = {
    {"cut inside a formatting group", "{\\rtf1\\pard one\\par {\\b two", "one\r\ntwo", 0},
    {"cut inside the font table", "{\\rtf1{\\fonttbl{\\f0 Ari", "", 0},
    {"cut after a backslash", "{\\rtf1 ab\\", "ab", 0},
    {"cut inside an escaped byte", "{\\rtf1 ab\\'e", "ab", 0},
    {"cut inside binary data", "{\\rtf1 a{\\pict\\bin9 xy", "a", 0},
    {"cut inside a picture", "{\\rtf1 a{\\pict\\pngblip 0102", "a", 0},
    {"a picture closed before the cut", "{\\rtf1 a{\\pict\\pngblip 0102}b{\\i c", "a\xEF\xBF\xBC" "bc", 1},
    {"cut deep inside groups", "{\\rtf1 x{{{{{{{{{{y", "xy", 0},
    {"no header", "{\\rft1 x", nullptr, 0},
    {"hex that is not hex", "{\\rtf1 a\\'zz", nullptr, 0},
    {"unicode above 16 bits", "{\\rtf1 a\\u65536", nullptr, 0},
    {"negative binary length", "{\\rtf1 a{\\pict\\bin-1 ", nullptr, 0},
    {"too deep", "{\\rtf1" + std::string(RtfReader::maxGroupDepth, '{'), nullptr, 0},
};

size_t keptInText(const RichTextContent& content) {
  size_t kept = 0;
  for (const RichParagraph& paragraph : content.paragraphs) {
    for (const TextRun& run : paragraph.runs) kept += run.destination.empty() ? 0 : 1;
  }
  return kept;
}

TEST(RichTextFirstPart, AFirstPartReadsAsIfItsOpenGroupsClosedAtItsEnd) {
  for (const FirstPartCase& c : firstPartCases) {
    EXPECT_FALSE(RtfReader().read(c.rtf).has_value()) << c.name << ": the whole text is damaged";
    auto read = RtfReader().read(c.rtf, RtfReader::Part::First);
    ASSERT_EQ(read.has_value(), c.text != nullptr) << c.name;
    if (!read) continue;
    EXPECT_EQ(shown(*read), c.text) << c.name;
    EXPECT_EQ(keptInText(*read), c.kept) << c.name;
    EXPECT_TRUE(read->documentDestinations.empty()) << c.name;
  }
}

TEST(RichTextFirstPart, TheFormattingOpenAtTheCutHoldsForTheTextBeforeIt) {
  auto read = RtfReader().read("{\\rtf1{\\fonttbl{\\f1 Serif;}}\\pard\\qc a{\\b\\f1 b", RtfReader::Part::First);
  ASSERT_TRUE(read);
  ASSERT_EQ(read->paragraphs.size(), 1u);
  const RichParagraph& paragraph = read->paragraphs[0];
  EXPECT_EQ(paragraph.attributes.alignment, ParagraphAlignment::Centre);
  ASSERT_EQ(paragraph.runs.size(), 2u);
  EXPECT_FALSE(paragraph.runs[0].attributes.bold);
  EXPECT_TRUE(paragraph.runs[1].attributes.bold);
  EXPECT_EQ(paragraph.runs[1].attributes.name, "Serif");
}

TEST(RichTextFirstPart, AWholeTextReadAsAFirstPartReadsTheSame) {
  RichTextContent content;
  CharacterAttributes bold;
  bold.bold = true;
  appendText(content.paragraphs[0], {}, "plain ");
  appendText(content.paragraphs[0], bold, "bold");
  content.paragraphs.emplace_back();
  content.paragraphs[1].attributes.bullet = true;
  appendText(content.paragraphs[1], {}, "listed");
  const std::string rtf = RtfWriter().write(content);
  auto whole = RtfReader().read(rtf);
  auto first = RtfReader().read(rtf, RtfReader::Part::First);
  ASSERT_TRUE(whole);
  ASSERT_TRUE(first);
  EXPECT_EQ(*first, *whole);
  // What follows the text's end is not read in either mode.
  EXPECT_EQ(RtfReader().read(rtf + "{\\b", RtfReader::Part::First), whole);
}

}  // namespace
