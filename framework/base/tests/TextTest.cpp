#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "framework/base/StringUtils.h"
#include "framework/base/TextCase.h"
#include "framework/base/TextCompare.h"

namespace {

TEST(TextTest, PositionsCountFromOneAndClip) {
  struct Case {
    AnsiString s;
    int index, count;
    AnsiString expected;
  } cases[] = {
      {"Smith & Co.", 1, 5, "Smith"}, {"Smith & Co.", 9, 100, "Co."}, {"abc", 0, 2, "ab"},
      {"abc", -5, 1, "a"},            {"abc", 4, 1, ""},               {"abc", 2, -1, ""},
  };
  for (const Case& c : cases) EXPECT_EQ(Copy(c.s, c.index, c.count), c.expected) << c.s << c.index;

  EXPECT_EQ(Pos("Co", "Smith & Co."), 9);
  EXPECT_EQ(Pos("x", "abc"), 0);
  EXPECT_EQ(Pos("", "abc"), 0);
  EXPECT_EQ(PosEx("a", "banana", 3), 4);
  EXPECT_EQ(PosEx("a", "banana", 7), 0);

  AnsiString s = "abcdef";
  Delete(s, 2, 3);
  EXPECT_EQ(s, "aef");
  Delete(s, 0, 1);  // outside: nothing
  EXPECT_EQ(s, "aef");
  Insert("XY", s, 2);
  EXPECT_EQ(s, "aXYef");
  Insert("!", s, 99);
  EXPECT_EQ(s, "aXYef!");
}

TEST(TextTest, TrimsRemoveBlanksAndControlCharacters) {
  EXPECT_EQ(Trim(" \t abc \r\n"), "abc");
  EXPECT_EQ(TrimLeft("  a b  "), "a b  ");
  EXPECT_EQ(TrimRight("  a b  "), "  a b");
  EXPECT_EQ(Trim("   "), "");
  EXPECT_EQ(Trim("\xA0x\xA0"), "\xA0x\xA0");  // a no-break space is a character, not a blank
}

TEST(TextTest, CaseConversionKnowsTheCodePageLetters) {
  EXPECT_EQ(UpperCase("caf\xE9 abc"), "CAF\xE9 ABC");  // plain form leaves é
  EXPECT_EQ(AnsiUpperCase("caf\xE9 \x9A\xFF\xDF"), "CAF\xC9 \x8A\x9F\xDF");  // é š ÿ ß
  EXPECT_EQ(AnsiLowerCase("\xC9\x8C\x9F\xD7"), "\xE9\x9C\xFF\xD7");         // É Œ Ÿ and × stays
  EXPECT_EQ(LowerCase("\xC9X"), "\xC9x");
}

TEST(TextTest, RepeatedCharactersAndQuoting) {
  EXPECT_EQ(StringOfChar('-', 3), "---");
  EXPECT_EQ(StringOfChar('-', 0), "");
  EXPECT_EQ(StringOfChar('-', -2), "");
  EXPECT_EQ(QuotedStr("it's"), "'it''s'");
  EXPECT_EQ(AnsiQuotedStr("say \"hi\"", '"'), "\"say \"\"hi\"\"\"");
  EXPECT_EQ(AnsiDequotedStr("'it''s' rest", '\''), "it's");
  EXPECT_EQ(AnsiDequotedStr("plain", '\''), "plain");
  EXPECT_EQ(AnsiDequotedStr("'open", '\''), "open");
}

TEST(TextTest, StringReplace) {
  EXPECT_EQ(StringReplace("a-b-c", "-", "+", 0), "a+b-c");
  EXPECT_EQ(StringReplace("a-b-c", "-", "--", rfReplaceAll), "a--b--c");
  EXPECT_EQ(StringReplace("And and AND", "and", "&", rfReplaceAll | rfIgnoreCase), "& & &");
  EXPECT_EQ(StringReplace("abc", "", "x", rfReplaceAll), "abc");
}

int sign(int v) { return (v > 0) - (v < 0); }

TEST(TextTest, PlainComparisonsAreByteOrder) {
  EXPECT_LT(CompareStr("B", "a"), 0);
  EXPECT_GT(CompareStr("\xE9", "z"), 0);  // bytes compare unsigned
  EXPECT_EQ(CompareText("abc", "ABC"), 0);
  EXPECT_GT(CompareText("b", "A"), 0);
  EXPECT_LT(CompareText("ab", "abc"), 0);
  EXPECT_TRUE(SameText("Key", "KEY"));
  EXPECT_FALSE(SameText("\xE9", "\xC9"));  // only ASCII folds
}

TEST(TextTest, CollationOrdersAsPeopleRead) {
  struct Case {
    AnsiString a, b;
    int text, str;  // expected sign of AnsiCompareText, AnsiCompareStr
  } cases[] = {
      {"apple", "Banana", -1, -1},         // letters before case
      {"abc", "ABC", 0, -1},               // small before capital
      {"Abc", "abd", -1, -1},              // the letter decides before the case
      {"resume", "r\xE9sum\xE9", -1, -1},  // plain letter before accented
      {"r\xE9sum\xE9", "rf", -1, -1},      // é counts as e, not after z
      {"\xC9MILE", "\xE9mile", 0, 1},      // É and é differ only in case
      {"Zebra", "\xC6on", 1, 1},           // Æ sorts with a
      {"stra\xDF" "e", "strase", 1, 1},    // ß as s, after the plain s
      {"9 lives", "a", -1, -1},            // digits before letters
      {" x", "0", -1, -1},                 // blanks and punctuation before digits
      {"ab", "abc", -1, -1},               // a prefix first
      {"", "", 0, 0},
      {"same", "same", 0, 0},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(sign(AnsiCompareText(c.a, c.b)), c.text) << c.a << " / " << c.b;
    EXPECT_EQ(sign(AnsiCompareText(c.b, c.a)), -c.text) << c.b << " / " << c.a;
    EXPECT_EQ(sign(AnsiCompareStr(c.a, c.b)), c.str) << c.a << " / " << c.b;
    EXPECT_EQ(sign(AnsiCompareStr(c.b, c.a)), -c.str) << c.b << " / " << c.a;
  }
  EXPECT_TRUE(AnsiSameText("\xC9mile", "\xE9MILE"));
  EXPECT_FALSE(AnsiSameStr("a", "A"));
}

TEST(TextTest, CaseSensitiveCollationIsATotalOrder) {
  std::vector<AnsiString> names = {"b", "B", "a", "A", "\xE1", "\xC1", "ab", "Ab", "aB"};
  std::sort(names.begin(), names.end(),
            [](const AnsiString& x, const AnsiString& y) { return AnsiCompareStr(x, y) < 0; });
  std::vector<AnsiString> expected = {"a", "A", "\xE1", "\xC1", "ab", "aB", "Ab", "b", "B"};
  EXPECT_EQ(names, expected);
}

}  // namespace
