#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "framework/ui/RtfReader.h"
#include "framework/ui/RtfWriter.h"

namespace {

using namespace qn::ui;

CharacterAttributes font(const char* name, int halfPoints) {
  CharacterAttributes a;
  a.name = name;
  a.halfPoints = halfPoints;
  return a;
}

struct RoundTripCase {
  const char* name;
  RichTextContent content;
};

RichTextContent single(const CharacterAttributes& character, const std::string& text, ParagraphAttributes paragraph = {}) {
  RichTextContent content;
  content.paragraphs[0].attributes = std::move(paragraph);
  appendText(content.paragraphs[0], character, text);
  return content;
}

std::vector<RoundTripCase> roundTripCases() {
  std::vector<RoundTripCase> cases;
  CharacterAttributes courier = font("Courier New", 18);
  courier.charset = 0;
  courier.pitch = FontPitch::Fixed;
  cases.push_back({"fixed-pitch font and size", single(courier, "fixed")});
  CharacterAttributes symbol = font("Symbol", 24);
  symbol.charset = 2;
  symbol.pitch = FontPitch::Variable;
  cases.push_back({"charset and variable pitch", single(symbol, "abc")});
  CharacterAttributes red = font("Arial", 20);
  red.automaticColor = false;
  red.color = clRed;
  cases.push_back({"colour", single(red, "red")});
  CharacterAttributes black = font("Arial", 20);
  black.automaticColor = false;
  black.color = clBlack;
  cases.push_back({"black is not automatic", single(black, "black")});
  CharacterAttributes styled = font("Times New Roman", 28);
  styled.bold = styled.italic = styled.underline = styled.strikeOut = true;
  cases.push_back({"bold italic underline strike-out", single(styled, "all")});
  CharacterAttributes guarded = font("Arial", 20);
  guarded.protectedText = true;
  cases.push_back({"protected", single(guarded, "keep")});
  cases.push_back({"Windows-1252 e acute", single(font("Arial", 20), "caf\xC3\xA9")});
  cases.push_back({"euro sign", single(font("Arial", 20), "5 \xE2\x82\xAC")});
  cases.push_back({"outside Windows-1252", single(font("Arial", 20), "\xE4\xB8\xAD \xF0\x9F\x98\x80")});
  cases.push_back({"escapes, tab and line break", single(font("Arial", 20), "a\\b{c}\td\xE2\x80\xA8" "e")});
  cases.push_back({"font name with escapes", single(font("Caf\xE9; {x}", 20), "x")});

  ParagraphAttributes centred;
  centred.alignment = ParagraphAlignment::Centre;
  cases.push_back({"centred", single(font("Arial", 20), "mid", centred)});
  ParagraphAttributes indented;
  indented.alignment = ParagraphAlignment::Right;
  indented.firstIndent = -360;
  indented.leftIndent = 720;
  indented.rightIndent = 1440;
  indented.tabs = {720, 1440, 2880};
  cases.push_back({"right, indents and tabs", single(font("Arial", 20), "x\ty", indented)});
  ParagraphAttributes bulleted;
  bulleted.bullet = true;
  bulleted.leftIndent = 360;
  cases.push_back({"bullet", single(font("Arial", 20), "item", bulleted)});
  for (auto [rule, spacing] : std::vector<std::pair<int, int>>{{1, 0}, {2, 0}, {3, 300}, {4, 280}, {5, 25}}) {
    ParagraphAttributes spaced;
    spaced.spaceBefore = 120;
    spaced.spaceAfter = 240;
    spaced.lineSpacingRule = rule;
    spaced.lineSpacing = spacing;
    cases.push_back({"spacing rules", single(font("Arial", 20), "spaced", spaced)});
  }

  RichTextContent mixed;
  CharacterAttributes bold = font("Arial", 20);
  bold.bold = true;
  appendText(mixed.paragraphs[0], font("Arial", 20), "plain ");
  appendText(mixed.paragraphs[0], bold, "bold");
  mixed.paragraphs.push_back({centred, {}});
  appendText(mixed.paragraphs[1], red, "second");
  mixed.paragraphs.push_back({});
  cases.push_back({"several paragraphs, the last empty", mixed});
  return cases;
}

TEST(RichTextFormat, EachAttributeSetReadsBackEqual) {
  for (const RoundTripCase& c : roundTripCases()) {
    std::string written = RtfWriter().write(c.content);
    auto read = RtfReader().read(written);
    ASSERT_TRUE(read.has_value()) << c.name << "\n" << written;
    EXPECT_EQ(*read, c.content) << c.name << "\n" << written;
  }
}

TEST(RichTextFormat, WrittenTextWritesAgainByteForByte) {
  for (const RoundTripCase& c : roundTripCases()) {
    std::string written = RtfWriter().write(c.content);
    auto read = RtfReader().read(written);
    ASSERT_TRUE(read.has_value()) << c.name;
    EXPECT_EQ(RtfWriter().write(*read), written) << c.name;
  }
}

TEST(RichTextFormat, MoreThanThirtyTwoTabStopsKeepTheFirstThirtyTwo) {
  std::string rtf = "{\\rtf1\\pard";
  for (int i = 1; i <= 40; ++i) rtf += "\\tx" + std::to_string(i * 100);
  rtf += " x}";
  auto read = RtfReader().read(rtf);
  ASSERT_TRUE(read);
  const std::vector<int>& tabs = read->paragraphs[0].attributes.tabs;
  ASSERT_EQ(tabs.size(), 32u);
  EXPECT_EQ(tabs.back(), 3200);
}

struct ReadCase {
  const char* name;
  const char* rtf;
  const char* plain;  // Windows-1252
};

const ReadCase readCases[] = {
    {"unicode with its fallback skipped", "{\\rtf1 a\\u8364\\'80 b}", "a\x80 b"},
    {"\\uc2 skips two fallbacks", "{\\rtf1\\uc2 \\u233 xyz}", "\xE9z"},
    {"negative unicode", "{\\rtf1 \\u-3913?}", "?"},
    {"surrogate pair", "{\\rtf1 \\u-10179?\\u-8704?}", "?"},
    {"lone surrogate shows a replacement", "{\\rtf1 \\u-10179?x}", "?x"},
    {"file line ends are no text", "{\\rtf1 a\r\nb\\par c}", "ab\r\nc"},
    {"\\line is a line break", "{\\rtf1 a\\line b}", "a\r\nb"},
    {"pictures and objects are dropped",
     "{\\rtf1 a{\\pict\\wmetafile8 0102ff}b{\\object\\objemb{\\*\\objdata 01}{\\result c}}d}", "abd"},
    {"binary data is skipped", "{\\rtf1 a{\\pict\\bin3 {}}}b}", "ab"},
    {"ignorable destinations are dropped", "{\\rtf1{\\*\\generator x;}{\\*\\unknown y}z}", "z"},
    {"unknown words are skipped", "{\\rtf1\\frobnicate42 x\\zz y}", "xy"},
    {"bullet text is no text", "{\\rtf1{\\pntext\\'b7\\tab}{\\*\\pn\\pnlvlblt{\\pntxtb\\'b7}}item}", "item"},
    {"list text is no text", "{\\rtf1{\\listtext 1.\\tab}item}", "item"},
    {"info and style sheet are dropped", "{\\rtf1{\\info{\\title T}}{\\stylesheet{\\s0 Normal;}}x}", "x"},
    {"field result is shown", "{\\rtf1{\\field{\\*\\fldinst HYPERLINK x}{\\fldrslt link}}}", "link"},
    {"escaped characters", "{\\rtf1 \\\\\\{\\}\\~}", "\\{}\xA0"},
    {"text after the last brace is ignored", "{\\rtf1 a}junk{", "a"},
};

TEST(RichTextFormat, ReadsTextAsTheControlShowsIt) {
  for (const ReadCase& c : readCases) {
    auto read = RtfReader().read(c.rtf);
    ASSERT_TRUE(read.has_value()) << c.name;
    EXPECT_EQ(read->plainText(), c.plain) << c.name;
  }
}

TEST(RichTextFormat, ReadsAttributesOfOtherWriters) {
  const char* rtf =
      "{\\rtf1\\ansi\\deff1{\\fonttbl{\\f0\\froman Times;}{\\f1\\fswiss\\fprq2\\fcharset0 Arial{\\*\\panose 0};}}"
      "{\\colortbl\\red1\\green2\\blue3;\\red255\\green0\\blue0;}"
      "\\pard\\qj\\sl-300\\slmult0 plain\\cf1 red\\cf0 first\\par"
      "\\pard\\qc\\sl240\\slmult1\\b\\ul bold\\ulnone\\b0 x\\par"
      "\\pard\\ls1\\fs30 listed}";
  auto read = RtfReader().read(rtf);
  ASSERT_TRUE(read);
  ASSERT_EQ(read->paragraphs.size(), 3u);
  const RichParagraph& first = read->paragraphs[0];
  EXPECT_EQ(first.attributes.alignment, ParagraphAlignment::Left);
  EXPECT_EQ(first.attributes.lineSpacingRule, 4);
  EXPECT_EQ(first.attributes.lineSpacing, 300);
  ASSERT_EQ(first.runs.size(), 3u);
  EXPECT_EQ(first.runs[0].attributes.name, "Arial");  // \deff1 before any \f
  EXPECT_EQ(first.runs[0].attributes.pitch, FontPitch::Variable);
  EXPECT_TRUE(first.runs[0].attributes.automaticColor);
  EXPECT_FALSE(first.runs[1].attributes.automaticColor);
  EXPECT_EQ(first.runs[1].attributes.color, clRed);
  // The table's first entry is a real colour here, so \cf0 is that colour.
  EXPECT_EQ(first.runs[2].attributes.color, 0x030201);
  const RichParagraph& second = read->paragraphs[1];
  EXPECT_EQ(second.attributes.alignment, ParagraphAlignment::Centre);
  EXPECT_EQ(second.attributes.lineSpacingRule, 0);
  EXPECT_TRUE(second.runs[0].attributes.bold);
  EXPECT_TRUE(second.runs[0].attributes.underline);
  EXPECT_FALSE(second.runs[1].attributes.bold);
  EXPECT_TRUE(read->paragraphs[2].attributes.bullet);
  EXPECT_EQ(read->paragraphs[2].runs[0].attributes.halfPoints, 30);
}

TEST(RichTextFormat, TextBeforeAnyFormattingTakesTheDefaults) {
  CharacterAttributes defaults;
  defaults.name = "Courier New";
  defaults.halfPoints = 17;
  auto read = RtfReader(defaults).read("{\\rtf1 x\\b y\\plain z}");
  ASSERT_TRUE(read);
  ASSERT_EQ(read->paragraphs[0].runs.size(), 3u);
  EXPECT_EQ(read->paragraphs[0].runs[0].attributes, defaults);
  EXPECT_EQ(read->paragraphs[0].runs[2].attributes, defaults);
}

TEST(RichTextFormat, HeightsAndSizesConvertAtTheResolution) {
  CharacterAttributes twelvePoints;
  twelvePoints.halfPoints = 24;
  EXPECT_EQ(pixelHeight(twelvePoints, 96), 16);
  EXPECT_EQ(pixelHeight(twelvePoints, 120), 20);
  EXPECT_EQ(pixelHeight(twelvePoints, 300), 50);
  EXPECT_EQ(halfPointsForHeight(16, 96), 24);
  EXPECT_EQ(halfPointsForHeight(13, 96), 20);  // 9.75 points: 19.5 half points rounds up
  EXPECT_EQ(halfPointsForHeight(13, 0), 0);
}

}  // namespace
