#include "datagrid/StringHelpers.h"

#include <gtest/gtest.h>

#include <vector>

#include "framework/base/StringList.h"

namespace {

struct TokenStep {
  AnsiString token;
  int pos;
};

std::vector<TokenStep> tokens(const AnsiString& text, const AnsiString& delimiter, int pos, int steps) {
  std::vector<TokenStep> read;
  for (int i = 0; i < steps; ++i) {
    AnsiString token = StrGetToken(text, delimiter, pos);
    read.push_back({token, pos});
  }
  return read;
}

void expectSteps(const std::vector<TokenStep>& read, const std::vector<TokenStep>& expected) {
  ASSERT_EQ(read.size(), expected.size());
  for (size_t i = 0; i < read.size(); ++i) {
    EXPECT_EQ(read[i].token, expected[i].token) << "step " << i;
    EXPECT_EQ(read[i].pos, expected[i].pos) << "step " << i;
  }
}

TEST(StrGetToken, WalksTheTokensAndEndsWithMinusOne) {
  expectSteps(tokens("A;B", ";", 1, 3), {{"A", 3}, {"B", -1}, {"", -1}});
}

TEST(StrGetToken, AWordDelimiterIsFoundBetweenBlanksWithoutRegardToCase) {
  expectSteps(tokens("smith and Jones AND brand", "AND", 1, 3), {{"smith", 11}, {"Jones", 21}, {"brand", -1}});
  // Inside a word it is no delimiter.
  expectSteps(tokens("Landers", "AND", 1, 1), {{"Landers", -1}});
}

TEST(StrGetToken, PositionsOutsideTheText) {
  expectSteps(tokens("A;B", ";", 4, 1), {{"", -1}});
  expectSteps(tokens("A;B", ";", 0, 1), {{"", 0}});
  expectSteps(tokens("A;B", ";", -3, 1), {{"", -3}});
  expectSteps(tokens("A;;B", ";", 3, 2), {{"", 4}, {"B", -1}});
}

std::vector<AnsiString> split(const AnsiString& text, char delimiter) {
  StringList list;
  list.Add("left over");
  StrSplit(text, delimiter, list);
  std::vector<AnsiString> pieces;
  for (int i = 0; i < list.Count(); ++i) pieces.push_back(list[i]);
  return pieces;
}

TEST(StrSplit, PiecesBetweenDelimitersIncludingEmptyOnes) {
  EXPECT_EQ(split("a;b;", ';'), (std::vector<AnsiString>{"a", "b", ""}));
  EXPECT_EQ(split("", ';'), (std::vector<AnsiString>{""}));
  EXPECT_EQ(split(";x", ';'), (std::vector<AnsiString>{"", "x"}));
  EXPECT_EQ(split("one", ';'), (std::vector<AnsiString>{"one"}));
}

TEST(StringTrims, WhiteIsTabAndBlankOnly) {
  AnsiString text = " \t a b \t\r";
  StrTrimWhite(text);
  EXPECT_EQ(text, "a b \t\r");
  text = "\t \t";
  StrTrimWhite(text);
  EXPECT_EQ(text, "");

  CharSet zeros;
  zeros.set('0');
  zeros.set(static_cast<unsigned char>('\xE9'));
  text = "00\xE9" "120\xE9" "0";
  StrTrimLeadingChars(text, zeros);
  EXPECT_EQ(text, "120\xE9" "0");
  StrTrimTrailingChars(text, zeros);
  EXPECT_EQ(text, "12");
}

TEST(StringReplacements, CharactersAndTexts) {
  EXPECT_EQ(StrRemoveChar("a-b--c", '-'), "abc");
  EXPECT_EQ(StrReplaceCharByChar("a-b--c", '-', '+'), "a+b++c");
  // The inserted text holds the character again: it is not searched.
  EXPECT_EQ(StrReplaceChar("a'b'", '\'', "''"), "a''b''");
  EXPECT_EQ(StrCountChar("a;b;;", ';'), 3);
  EXPECT_EQ(StrAfterChar("Name=Value=2", '='), "Value=2");
  EXPECT_EQ(StrAfterChar("NoSign", '='), "");
  EXPECT_TRUE(StrEqualNoCase("r\xE9sum\xE9", "R\xC9SUM\xC9"));
  EXPECT_FALSE(StrEqualNoCase("abc", "abd"));
  EXPECT_EQ(IntMax(-3, 2), 2);
}

struct ScanStep {
  AnsiString token;
  int pos;
};

std::vector<ScanStep> scan(const AnsiString& text, int options, const CharSet& stops, int steps) {
  std::vector<ScanStep> read;
  int pos = 1;
  for (int i = 0; i < steps; ++i) {
    AnsiString token = StrScanToken(text, pos, options, stops);
    read.push_back({token, pos});
  }
  return read;
}

void expectScan(const std::vector<ScanStep>& read, const std::vector<ScanStep>& expected) {
  ASSERT_EQ(read.size(), expected.size());
  for (size_t i = 0; i < read.size(); ++i) {
    EXPECT_EQ(read[i].token, expected[i].token) << "step " << i;
    EXPECT_EQ(read[i].pos, expected[i].pos) << "step " << i;
  }
}

CharSet setOf(const char* chars) {
  CharSet set;
  for (const char* c = chars; *c; ++c) set.set(static_cast<unsigned char>(*c));
  return set;
}

TEST(StrScanToken, WordsStopCharactersAndQuotedPhrases) {
  const int words = stoSkipBlanks | stoQuotedPhrase | stoStripQuotes;
  expectScan(scan("  ab |cd", words, setOf("|"), 4), {{"ab", 5}, {"|", 7}, {"cd", 9}, {"", 9}});
  // A one-character word keeps the stop character after it for the next call.
  expectScan(scan("a|b", words, setOf("|"), 3), {{"a", 2}, {"|", 3}, {"b", 4}});
  expectScan(scan("\"New York\" or x", words, setOf(""), 3), {{"New York", 11}, {"or", 14}, {"x", 16}});
  // Without stripping the quotes stay; an unclosed phrase runs to the end.
  expectScan(scan("\"a b\"", stoQuotedPhrase, setOf(""), 1), {{"\"a b\"", 6}});
  expectScan(scan("\"a b", words, setOf(""), 1), {{"a b", 5}});
  // Blanks belong to the token when asked, control characters never.
  expectScan(scan("a b\tc", stoBlanksInToken, setOf(""), 2), {{"a b", 4}, {"\t", 5}});
  expectScan(scan("a b", 0, setOf(""), 2), {{"a", 2}, {" ", 3}});
}

TEST(StrScanToken, PositionsOutsideTheTextGiveNothing) {
  int pos = 0;
  EXPECT_EQ(StrScanToken("abc", pos, stoSkipBlanks, CharSet()), "");
  EXPECT_EQ(pos, 0);
  pos = 4;
  EXPECT_EQ(StrScanToken("abc", pos, stoSkipBlanks, CharSet()), "");
  EXPECT_EQ(pos, 4);
  pos = 1;
  EXPECT_EQ(StrScanToken("   ", pos, stoSkipBlanks, CharSet()), "");
}

}  // namespace
