#include <gtest/gtest.h>
#include <iconv.h>

#include <optional>

#include "framework/base/OemText.h"

namespace {

// The C library's own code-page tables, as an independent witness of ours.
std::optional<unsigned char> libraryConversion(const char* from, const char* to, unsigned char byte) {
  iconv_t cd = iconv_open(to, from);
  if (cd == reinterpret_cast<iconv_t>(-1)) return std::nullopt;
  char in[1] = {static_cast<char>(byte)};
  char out[8] = {};
  char* inPtr = in;
  char* outPtr = out;
  size_t inLeft = 1;
  size_t outLeft = sizeof out;
  const size_t done = iconv(cd, &inPtr, &inLeft, &outPtr, &outLeft);
  iconv_close(cd);
  if (done == static_cast<size_t>(-1) || outPtr - out != 1) return std::nullopt;
  return static_cast<unsigned char>(out[0]);
}

TEST(OemTextTest, AsciiIsTheSameInBothCodePages) {
  AnsiString ascii;
  for (int c = 0; c < 0x80; ++c) ascii += static_cast<char>(c);
  EXPECT_EQ(qn::ansiToOem(ascii), ascii);
  EXPECT_EQ(qn::oemToAnsi(ascii), ascii);
}

TEST(OemTextTest, AccentedLettersRoundTrip) {
  const AnsiString letters = "\xE9\xFC\xC7\xF1\xC5\xE0\xF8\xDF\xD6\xFF";  // é ü Ç ñ Å à ø ß Ö ÿ
  const AnsiString oem = qn::ansiToOem(letters);
  EXPECT_EQ(oem, "\x82\x81\x80\xA4\x8F\x85\x9B\xE1\x99\x98");
  EXPECT_EQ(qn::oemToAnsi(oem), letters);
}

TEST(OemTextTest, EveryCharacterAgreesWithTheLibraryTables) {
  for (int byte = 0x80; byte < 0x100; ++byte) {
    SCOPED_TRACE(byte);
    const auto b = static_cast<unsigned char>(byte);
    const std::optional<unsigned char> ansiOfOem = libraryConversion("CP850", "WINDOWS-1252", b);
    const std::optional<unsigned char> oemOfAnsi = libraryConversion("WINDOWS-1252", "CP850", b);
    EXPECT_EQ(static_cast<unsigned char>(qn::oemCharToAnsi(static_cast<char>(b))),
              ansiOfOem.value_or(static_cast<unsigned char>(qn::OemReplacementChar)));
    EXPECT_EQ(static_cast<unsigned char>(qn::ansiCharToOem(static_cast<char>(b))),
              oemOfAnsi.value_or(static_cast<unsigned char>(qn::OemReplacementChar)));
    if (oemOfAnsi) {
      EXPECT_EQ(qn::oemCharToAnsi(qn::ansiCharToOem(static_cast<char>(b))), static_cast<char>(b));
    }
  }
}

TEST(OemTextTest, CharactersOneSideLacksBecomeTheReplacementBothWays) {
  // Euro, Š, Œ, Ž, š, œ, ž, Ÿ and an undefined Windows-1252 byte: none is in code page 850.
  EXPECT_EQ(qn::ansiToOem("\x80\x8A\x8C\x8E\x9A\x9C\x9E\x9F\x81"), "?????????");
  // Shades, box drawing, dotless i, the double low line and the black square: none is in
  // Windows-1252.
  EXPECT_EQ(qn::oemToAnsi("\xB0\xB3\xC4\xD5\xF2\xFE"), "??????");
}

}  // namespace
