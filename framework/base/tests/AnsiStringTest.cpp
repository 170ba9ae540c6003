#include <gtest/gtest.h>

#include "framework/base/AnsiString.h"

namespace {

struct Case {
  AnsiString ansi;
  std::string utf8;
};

TEST(AnsiStringTest, ConvertsBothWays) {
  const Case cases[] = {
      {"Smith & Co.", "Smith & Co."},
      {"Caf\xE9", "Caf\xC3\xA9"},              // é
      {"\x80 100", "\xE2\x82\xAC 100"},        // euro sign
      {"\x93quoted\x94", "\xE2\x80\x9Cquoted\xE2\x80\x9D"},
      {"\x81", "\xC2\x81"},                    // undefined byte survives as C1 control
  };
  for (const Case& c : cases) {
    EXPECT_EQ(qn::ansiToUtf8(c.ansi), c.utf8) << c.utf8;
    EXPECT_EQ(qn::utf8ToAnsi(c.utf8), c.ansi) << c.utf8;
  }
}

TEST(AnsiStringTest, UnrepresentableAndMalformedInput) {
  EXPECT_EQ(qn::utf8ToAnsi("\xE4\xB8\xAD"), "?");      // a CJK character
  EXPECT_EQ(qn::utf8ToAnsi("a\xE9z"), "a\xE9z");        // Latin-1 byte, not UTF-8
  EXPECT_EQ(qn::utf8ToAnsi("\xE2\x82"), "\xE2\x82");    // truncated sequence
  // Forms UTF-8 does not allow are malformed too: a character written long (here 'A' and a
  // NUL), a surrogate half, and a code point beyond U+10FFFF.
  for (const char* malformed :
       {"\xE0\x81\x81", "\xE0\x80\x80", "\xF0\x80\x80\x80", "\xED\xA0\x80", "\xF4\x90\x80\x80"})
    EXPECT_EQ(qn::utf8ToAnsi(malformed), malformed);
}

TEST(AnsiStringTest, TextFitsTheCodePageOnlyWhenNothingWouldChange) {
  for (const char* fits : {"", "Smith & Co.?", "Caf\xC3\xA9 \xE2\x82\xAC", "\xC2\x81"})
    EXPECT_TRUE(qn::utf8FitsAnsi(fits)) << fits;
  for (const char* lost : {"\xE4\xB8\xAD", "a\xE9z", "\xE2\x82", "\xC2\x80"})
    EXPECT_FALSE(qn::utf8FitsAnsi(lost)) << lost;
}

}  // namespace
