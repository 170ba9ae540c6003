// The tokens of a table's filter text: names run on over blanks, signs are operators only
// alone, AND and OR are words only after a relation, and long tokens are cut.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "datagrid/FilterTokens.h"
#include "framework/base/Locale.h"

namespace {

using K = FilterTokenKind;

// Every token of text, each read where a logical operator is expected when logical is set.
std::vector<std::pair<K, std::string>> Tokens(const AnsiString& text, bool logical = false) {
  FilterTokenizer tokens(text);
  std::vector<std::pair<K, std::string>> read;
  for (FilterToken t = tokens.Peek(logical); t.kind != K::None; t = tokens.Peek(logical)) {
    read.emplace_back(t.kind, t.text);
    tokens.Consume(t);
  }
  return read;
}

struct TokenCase {
  const char* text;
  bool logical;
  std::vector<std::pair<K, std::string>> tokens;
};

void PrintTo(const TokenCase& c, std::ostream* os) { *os << '"' << c.text << '"'; }

class FilterTokensTable : public ::testing::TestWithParam<TokenCase> {};

TEST_P(FilterTokensTable, ReadsTheTokens) {
  const TokenCase& c = GetParam();
  EXPECT_EQ(Tokens(c.text, c.logical), c.tokens) << c.text;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, FilterTokensTable,
    ::testing::Values(
        TokenCase{"Last Name >= 12.5", false,
                  {{K::Name, "Last Name"}, {K::Compare, ">="}, {K::Number, "12.5"}}},
        TokenCase{"\tA=<B", false, {{K::Name, "A"}, {K::Compare, "=<"}, {K::Name, "B"}}},
        TokenCase{"A <> 1", false, {{K::Name, "A"}, {K::Compare, "<>"}, {K::Number, "1"}}},
        TokenCase{"(Price) * (2)", false,
                  {{K::Open, "("}, {K::Name, "Price"}, {K::Close, ")"}, {K::Name, "*"},
                   {K::Open, "("}, {K::Number, "2"}, {K::Close, ")"}}},
        TokenCase{"Price * 2", false, {{K::Name, "Price * 2"}}},
        TokenCase{"-5", false, {{K::Name, "-5"}}},
        TokenCase{"\"Paris AND Rome\" x", false, {{K::Quoted, "\"Paris AND Rome\""}, {K::Name, "x"}}},
        TokenCase{"and Zip", false, {{K::Name, "and Zip"}}},
        TokenCase{"and Zip", true, {{K::Logical, "AND"}, {K::Name, "Zip"}}},
        TokenCase{"or(", true, {{K::Logical, "OR"}, {K::Open, "("}}},
        TokenCase{"\xE9t\xE9 9", false, {{K::Name, "\xE9t\xE9 9"}}},
        TokenCase{"A % 2", false, {{K::Name, "A"}}},
        TokenCase{"\"open", false, {}}));

TEST(FilterTokens, ALongTokenIsCutAndItsRestReadNext) {
  const std::string name(70, 'x');
  auto read = Tokens(name);
  ASSERT_EQ(read.size(), 2u);
  EXPECT_EQ(read[0].second, std::string(kMaxFilterTokenLength, 'x'));
  EXPECT_EQ(read[1].second, std::string(70 - kMaxFilterTokenLength, 'x'));
}

TEST(FilterTokens, ANumberTakesTheLocalesDecimalSeparator) {
  LocaleSettings saved = Locale();
  Locale().DecimalSeparator = ',';
  auto read = Tokens("12,5.3");
  Locale() = saved;
  ASSERT_FALSE(read.empty());
  EXPECT_EQ(read[0], std::make_pair(K::Number, std::string("12,5")));
}

TEST(FilterTokens, PeekingConsumesNothingAndPositionsCountFromOne) {
  FilterTokenizer tokens("  City = 5");
  FilterToken first = tokens.Peek(false);
  EXPECT_EQ(tokens.Peek(false).text, first.text);
  EXPECT_EQ(first.position, 3);
  tokens.Consume(first);
  EXPECT_EQ(tokens.Peek(false).position, 8);
}

}  // namespace
