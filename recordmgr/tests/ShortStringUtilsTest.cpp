#include <gtest/gtest.h>

#include <cstring>
#include <unistd.h>

#include "recordmgr/ShortStringUtils.h"

namespace {

TEST(ShortStringUtilsTest, UnpaddedTextDropsTrailingBlanksWithinTheField) {
  EXPECT_EQ(UnpaddedText("CASES   ", 8), "CASES");
  EXPECT_EQ(UnpaddedText("  A B  \0XYZ", 12), "  A B");
  EXPECT_EQ(UnpaddedText("ABCDEFGH", 4), "ABCD");
  EXPECT_EQ(UnpaddedText("        ", 8), "");
}

TEST(ShortStringUtilsTest, KeepNumberChars) {
  EXPECT_EQ(KeepNumberChars("12,345.6-"), "12345.6-");
  EXPECT_EQ(KeepNumberChars("$ +1 000"), "+1000");
  EXPECT_EQ(KeepNumberChars("abc"), "");
}

TEST(ShortStringUtilsTest, TrimmedShortStrings) {
  const char field[] = "\t  SMITH  \r\n\0\0XYZ";
  EXPECT_EQ(TrimmedShortString(field, 13), "SMITH");
  EXPECT_EQ(TrimmedShortString("  ", 2), "");
  const AnsiString z = TrimmedShortStringZ(field, 13);
  EXPECT_EQ(z, AnsiString("SMITH\0", 6));
  // Only the first 255 bytes count, and the zero still fits.
  const AnsiString longField(300, 'A');
  EXPECT_EQ(TrimmedShortString(longField.data(), longField.size()), AnsiString(255, 'A'));
  EXPECT_EQ(TrimmedShortStringZ(longField.data(), longField.size()), AnsiString(254, 'A') + '\0');
}

TEST(ShortStringUtilsTest, CompareBytesIsUnsigned) {
  const unsigned char high[] = {0x80}, low[] = {0x7F};
  EXPECT_EQ(CompareBytes(high, low, 1), 1);
  EXPECT_EQ(CompareBytes(low, high, 1), -1);
  EXPECT_EQ(CompareBytes("abcx", "abcy", 3), 0);
  EXPECT_EQ(CompareBytes("abcx", "abcy", 4), -1);
  EXPECT_EQ(CompareBytes("a", "b", 0), 0);
}

TEST(ShortStringUtilsTest, AppendCharStopsAt255) {
  AnsiString text(254, 'x');
  AppendChar(text, 'y');
  EXPECT_EQ(text.size(), 255u);
  EXPECT_EQ(text.back(), 'y');
  AppendChar(text, 'z');
  EXPECT_EQ(text.size(), 255u);
}

TEST(ShortStringUtilsTest, AddTrailingBackslash) {
  EXPECT_EQ(AddTrailingBackslash(""), "\\");
  EXPECT_EQ(AddTrailingBackslash("C:\\DATA"), "C:\\DATA\\");
  EXPECT_EQ(AddTrailingBackslash("C:\\DATA\\"), "C:\\DATA\\");
  EXPECT_EQ(AddTrailingBackslash("/srv/data/"), "/srv/data/");
}

TEST(ShortStringUtilsTest, ByteBlocks) {
  unsigned char block[6] = {1, 2, 3, 4, 5, 6};
  ZeroFill(block, 4);
  EXPECT_TRUE(IsAllZero(block, 4));
  EXPECT_FALSE(IsAllZero(block, 5));
  EXPECT_EQ(block[4], 5);
  EXPECT_TRUE(IsAllZero(block + 4, 0));
}

TEST(ShortStringUtilsTest, RemoveAndReplaceChars) {
  EXPECT_EQ(RemoveChar("a-b--c", '-'), "abc");
  char text[] = "a.b.c.d";
  ReplaceChar(text, 5, '.', ',');
  EXPECT_STREQ(text, "a,b,c.d");
}

TEST(ShortStringUtilsTest, ReplaceCharOutsideQuotes) {
  char text[] = "a;'b;c';d";
  ReplaceCharOutsideQuotes(text, static_cast<uint16_t>(std::strlen(text)), ';', '\'', '+');
  EXPECT_STREQ(text, "a+'b;c'+d");
  char unclosed[] = "x;'y;z";
  ReplaceCharOutsideQuotes(unclosed, static_cast<uint16_t>(std::strlen(unclosed)), ';', '\'', '+');
  EXPECT_STREQ(unclosed, "x+'y;z");
}

TEST(ShortStringUtilsTest, IsPathName) {
  struct Case {
    const char* text;
    bool dotCounts;
    bool path;
  };
  const Case cases[] = {
      {"FILE.DAT", false, false}, {"FILE.DAT", true, true}, {"C:FILE", false, true},
      {"DATA\\FILE", false, true}, {"/srv/data/FILE", false, true}, {"CASES", true, false},
  };
  for (const Case& c : cases) EXPECT_EQ(IsPathName(c.text, c.dotCounts), c.path) << c.text << " " << c.dotCounts;
}

TEST(ShortStringUtilsTest, ReplaceFirstReplacesOnceWithinCapacity) {
  char text[32] = "a-b-c";
  EXPECT_TRUE(ReplaceFirst(text, sizeof text, "-", "+++"));
  EXPECT_STREQ(text, "a+++b-c");
  EXPECT_FALSE(ReplaceFirst(text, sizeof text, "?", "x"));
  EXPECT_STREQ(text, "a+++b-c");
  EXPECT_TRUE(ReplaceFirst(text, sizeof text, "+++", nullptr));
  EXPECT_STREQ(text, "ab-c");

  // A guard after the capacity must survive.
  char small[12];
  std::memset(small, '#', sizeof small);
  std::strcpy(small, "ab:cd");
  EXPECT_TRUE(ReplaceFirst(small, 8, ":", "123456"));
  EXPECT_STREQ(small, "ab12345");
  EXPECT_EQ(small[8], '#');
}

TEST(ShortStringUtilsTest, TruncateAtChar) {
  char text[] = "CASES;OWNER:X";
  EXPECT_EQ(TruncateAtChar(text, ';'), text);
  EXPECT_STREQ(text, "CASES");
  EXPECT_EQ(TruncateAtChar(nullptr, ';'), nullptr);
  EXPECT_EQ(MinUnsigned(0xFFFFFFFFu, 3u), 3u);
}

TEST(ShortStringUtilsTest, CopyTextZKeepsAtMostMaxLengthAndEndsInZero) {
  char copy[8];
  std::memset(copy, '#', sizeof copy);
  CopyTextZ(copy, AnsiString("abcdefghij"), 5);
  EXPECT_STREQ(copy, "abcde");
  EXPECT_EQ(copy[6], '#');
  CopyTextZ(copy, "xy", 5);
  EXPECT_STREQ(copy, "xy");
  CopyTextZ(copy, "", 5);
  EXPECT_STREQ(copy, "");
}

TEST(ShortStringUtilsTest, CopyTextZReadsAFullFieldNoFurtherThanMaxLength) {
  // A full field followed by bytes that are not part of it, and no zero anywhere.
  const char field[8] = {'C', 'A', 'S', 'E', 'N', 'O', '#', '#'};
  char copy[7];
  CopyTextZ(copy, field, 6);
  EXPECT_STREQ(copy, "CASENO");
}

TEST(ShortStringUtilsTest, NetworkUserNameIsTheUserRunningTheProgram) {
  char name[256];
  std::memset(name, 'x', sizeof name);
  GetNetworkUserName(name);
  ASSERT_LT(strnlen(name, sizeof name), sizeof name);
  EXPECT_GT(std::strlen(name), 0u);
}

}  // namespace
