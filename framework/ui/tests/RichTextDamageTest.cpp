#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <random>
#include <string>

#include "framework/base/MemoryStream.h"
#include "framework/ui/RichEdit.h"
#include "framework/ui/RichTextToPlainText.h"
#include "framework/ui/RtfReader.h"
#include "framework/ui/RtfWriter.h"
#include "framework/ui/testing/QtTestApplication.h"

namespace {

using namespace qn::ui;

struct DamageCase {
  const char* name;
  std::string rtf;
};

std::string nested(int depth) { return "{\\rtf1" + std::string(depth - 1, '{') + "x" + std::string(depth, '}'); }

const DamageCase damageCases[] = {
    {"no header", "{\\rtf"},
    {"plain text", "just words"},
    {"header word misspelt", "{\\rft1 x}"},
    {"a group left open", "{\\rtf1 {\\b x}"},
    {"truncated hex", "{\\rtf1 a\\'8"},
    {"truncated hex before brace", "{\\rtf1 a\\'8}"},
    {"hex that is not hex", "{\\rtf1 a\\'zz}"},
    {"number beyond 32 bits", "{\\rtf1\\fs4294967296 x}"},
    {"negative number beyond 32 bits", "{\\rtf1\\li-2147483649 x}"},
    {"unicode above 16 bits", "{\\rtf1\\u65536 x}"},
    {"unicode below -32768", "{\\rtf1\\u-32769 x}"},
    {"unicode out of range in a dropped group", "{\\rtf1{\\*\\x\\u70000}}"},
    {"too deep", nested(RtfReader::maxGroupDepth + 1)},
    {"backslash at the end", "{\\rtf1 x\\"},
    {"binary beyond the end", "{\\rtf1{\\pict\\bin100 ab}}"},
    {"empty", ""},
};

TEST(RichTextDamage, EachDamagedTextAnswersFailure) {
  for (const DamageCase& c : damageCases) {
    EXPECT_FALSE(RtfReader().read(c.rtf).has_value()) << c.name;
  }
}

TEST(RichTextDamage, ARichEditKeepsItsTextForEachDamagedInputAndThenTakesItAsPlainText) {
  qn::ui::testing::qtApplication();
  TRichEdit edit(nullptr);
  for (const DamageCase& c : damageCases) {
    edit.SetPlainText(false);
    edit.SetText("kept\r\nas it was");
    MemoryStream stream;
    stream.WriteBuffer(c.rtf.data(), static_cast<int64_t>(c.rtf.size()));
    stream.SetPosition(0);
    EXPECT_FALSE(edit.loadFromStream(stream)) << c.name;
    EXPECT_EQ(edit.Text(), "kept\r\nas it was") << c.name;
    stream.SetPosition(0);
    edit.SetPlainText(true);
    EXPECT_TRUE(edit.loadFromStream(stream)) << c.name;
    EXPECT_EQ(edit.Text(), RichTextContent::fromPlainText(c.rtf, CharacterAttributes{}).plainText()) << c.name;
  }
}

TEST(RichTextDamage, NestingUpToTheLimitReads) {
  auto read = RtfReader().read(nested(RtfReader::maxGroupDepth));
  ASSERT_TRUE(read);
  EXPECT_EQ(read->plainText(), "x");
}

TEST(RichTextDamage, ExtremeNumbersWithinThirtyTwoBitsRead) {
  EXPECT_TRUE(RtfReader().read("{\\rtf1\\li2147483647\\ri-2147483648\\sl-2147483648 x}"));
}

TEST(RichTextDamage, DamagedTextConvertsAsPlainText) {
  EXPECT_EQ(RichTextToPlainText("{\\rtf1 {\\b x}"), "{\\rtf1 {\\b x}");
  EXPECT_EQ(RichTextToPlainText("one\rtwo\nthree\r\nfour"), "one\r\ntwo\r\nthree\r\nfour");
  EXPECT_EQ(RichTextToPlainText("{\\rtf1 one\\par two\\'e9}"), "one\r\ntwo\xE9");
}

// Reads random and randomly damaged rich texts for a fixed time; none may crash or hang, and what
// reads must write and read again to the same content. The seed is printed so a failure can be
// replayed with RICH_TEXT_FUZZ_SEED.
TEST(RichTextDamage, FuzzedTextsNeverCrash) {
  unsigned seed = std::random_device{}();
  if (const char* fixed = std::getenv("RICH_TEXT_FUZZ_SEED")) seed = static_cast<unsigned>(std::strtoul(fixed, nullptr, 10));
  double seconds = 10.0;
  if (const char* limit = std::getenv("RICH_TEXT_FUZZ_SECONDS")) seconds = std::strtod(limit, nullptr);
  std::printf("rich-text fuzz seed %u\n", seed);
  RecordProperty("seed", std::to_string(seed));
  std::mt19937 random(seed);

  const std::vector<std::string> pieces = {
      "{", "}", "\\", "\\par ", "\\b", "\\b0", "\\i", "\\ul", "\\strike", "\\protect", "\\fs24", "\\f0", "\\f1",
      "\\cf1", "\\cf9", "\\ql", "\\qc", "\\qr", "\\qj", "\\li720", "\\ri-5", "\\fi-360", "\\sb120", "\\sl-240",
      "\\slmult1", "\\tx720", "\\'e9", "\\'8", "\\u8364?", "\\u-10179?", "\\uc0", "\\uc3", "{\\*\\pn\\pnlvlblt}",
      "{\\pntext x}", "{\\*\\foo bar}", "{\\pict\\bin4 ab}}", "\\line", "\\tab", "text ", "\xE9", "\r\n", "\\~",
      "{\\fonttbl{\\f0 Arial;}{\\f1\\fprq1 Courier;}}", "{\\colortbl;\\red255\\green0\\blue0;}", "\\plain",
      "\\pard", "\\ls1", "99999999999", "-", ";", "\\bin", "\\u70000"};
  CharacterAttributes bold;
  bold.bold = true;
  RichTextContent sample;
  appendText(sample.paragraphs[0], bold, "sample \xE2\x82\xAC text");
  sample.paragraphs.push_back({});
  sample.paragraphs[1].attributes.bullet = true;
  appendText(sample.paragraphs[1], CharacterAttributes{}, "second\tline");
  const std::string valid = RtfWriter().write(sample);

  auto deadline = std::chrono::steady_clock::now() + std::chrono::duration<double>(seconds);
  long texts = 0;
  long read = 0;
  while (std::chrono::steady_clock::now() < deadline) {
    std::string rtf;
    switch (random() % 3) {
      case 0: {  // a well-formed text damaged in a few places
        rtf = valid;
        int damages = 1 + static_cast<int>(random() % 4);
        for (int i = 0; i < damages; ++i) {
          size_t at = random() % (rtf.size() + 1);
          switch (random() % 3) {
            case 0: rtf.insert(at, pieces[random() % pieces.size()]); break;
            case 1: if (at < rtf.size()) rtf.erase(at, 1 + random() % 8); break;
            default: if (at < rtf.size()) rtf[at] = static_cast<char>(random() % 256); break;
          }
        }
        break;
      }
      case 1: {  // pieces strung together behind a header
        rtf = "{\\rtf1 ";
        int count = static_cast<int>(random() % 60);
        for (int i = 0; i < count; ++i) rtf += pieces[random() % pieces.size()];
        if (random() % 2) rtf += "}";
        break;
      }
      default: {  // random bytes
        rtf = random() % 2 ? "{\\rtf" : "";
        size_t length = random() % 200;
        for (size_t i = 0; i < length; ++i) rtf += static_cast<char>(random() % 256);
        break;
      }
    }
    ++texts;
    auto content = RtfReader().read(rtf);
    if (!content) continue;
    ++read;
    std::string written = RtfWriter().write(*content);
    auto again = RtfReader().read(written);
    ASSERT_TRUE(again.has_value()) << "seed " << seed << " text " << texts;
    ASSERT_EQ(RtfWriter().write(*again), written) << "seed " << seed << " text " << texts << "\n" << rtf;
  }
  std::printf("rich-text fuzz: %ld texts, %ld read\n", texts, read);
  EXPECT_GT(read, 0);
  EXPECT_LT(read, texts);
}

}  // namespace
