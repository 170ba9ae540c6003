#include <gtest/gtest.h>

#include <string>

#include "framework/ui/RtfReader.h"
#include "framework/ui/tests/RichTextShown.h"

namespace {

using namespace qn::ui;
using qn::ui::testing::shown;

struct WordCase {
  const char* name;
  std::string rtf;
  const char* text;  // nullptr: refused as damaged
  bool bulleted = false;    // the first paragraph
  bool underlined = false;  // the first run
};

std::string letters(size_t n) { return std::string(n, 'q'); }

const WordCase wordCases[] = {
    {"a page break ends a paragraph", "{\\rtf1 a\\page b}", "a\r\nb"},
    {"a section break ends a paragraph", "{\\rtf1 a\\sect\\sectd b}", "a\r\nb"},
    {"a table row ends a paragraph, its cells with tabs",
     "{\\rtf1\\trowd\\cellx1000\\cellx2000\\intbl a\\cell b\\cell\\row after}", "a\tb\t\r\nafter"},
    {"a bulleted level", "{\\rtf1{\\*\\pn\\pnlvlblt{\\pntxtb\\'b7}}one}", "one", true},
    {"a numbered body level", "{\\rtf1{\\*\\pn\\pnlvlbody\\pndec{\\pntxta .}}one}", "one", true},
    {"a continuing level", "{\\rtf1{\\*\\pn\\pnlvlcont}one}", "one", true},
    {"a numbered outline level", "{\\rtf1{\\*\\pn\\pnlvl3\\pnlcltr}one}", "one", true},
    {"numbering without a level", "{\\rtf1{\\*\\pn\\pndec}one}", "one", false},
    {"an underline turned off again", "{\\rtf1\\uldb\\uldb0 x}", "x", false, false},
    {"an underline ended by \\ulnone", "{\\rtf1\\ulwave\\ulnone x}", "x", false, false},
    {"the colour of an underline is none", "{\\rtf1\\ulc2 x}", "x", false, false},
    {"a control word of 32 letters", "{\\rtf1\\" + letters(32) + " x}", "x"},
    {"a control word of 33 letters", "{\\rtf1\\" + letters(33) + " x}", nullptr},
    {"a control word of 33 letters in a dropped group", "{\\rtf1{\\*\\x\\" + letters(33) + "} x}", nullptr},
};

TEST(RichTextWords, EachWordReadsAsTheContentCanShowIt) {
  for (const WordCase& c : wordCases) {
    auto read = RtfReader().read(c.rtf);
    ASSERT_EQ(read.has_value(), c.text != nullptr) << c.name;
    if (!read) continue;
    EXPECT_EQ(shown(*read), c.text) << c.name;
    EXPECT_EQ(read->paragraphs[0].attributes.bullet, c.bulleted) << c.name;
    ASSERT_FALSE(read->paragraphs[0].runs.empty()) << c.name;
    EXPECT_EQ(read->paragraphs[0].runs[0].attributes.underline, c.underlined) << c.name;
  }
}

TEST(RichTextWords, EveryKindOfUnderlineReadsAsUnderline) {
  const char* const kinds[] = {"ul",       "uld",        "uldash",     "uldashd",   "uldashdd",   "uldb",
                               "ulhwave",  "ulldash",    "ulth",       "ulthd",     "ulthdash",   "ulthdashd",
                               "ulthdashdd", "ulthldash", "ululdbwave", "ulw",       "ulwave"};
  for (const char* kind : kinds) {
    auto read = RtfReader().read(std::string("{\\rtf1 a\\") + kind + " b\\" + kind + "0 c}");
    ASSERT_TRUE(read) << kind;
    const auto& runs = read->paragraphs[0].runs;
    ASSERT_EQ(runs.size(), 3u) << kind;
    EXPECT_FALSE(runs[0].attributes.underline) << kind;
    EXPECT_TRUE(runs[1].attributes.underline) << kind;
    EXPECT_FALSE(runs[2].attributes.underline) << kind;
  }
}

}  // namespace
