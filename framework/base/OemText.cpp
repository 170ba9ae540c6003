#include "framework/base/OemText.h"

#include <array>

namespace qn {
namespace {

// The Windows-1252 byte of each code-page-850 byte from 0x80 on; 0 where Windows-1252 lacks it.
constexpr unsigned char kOemHighToAnsi[128] = {
    0xC7, 0xFC, 0xE9, 0xE2, 0xE4, 0xE0, 0xE5, 0xE7, 0xEA, 0xEB, 0xE8, 0xEF, 0xEE, 0xEC, 0xC4, 0xC5,
    0xC9, 0xE6, 0xC6, 0xF4, 0xF6, 0xF2, 0xFB, 0xF9, 0xFF, 0xD6, 0xDC, 0xF8, 0xA3, 0xD8, 0xD7, 0x83,
    0xE1, 0xED, 0xF3, 0xFA, 0xF1, 0xD1, 0xAA, 0xBA, 0xBF, 0xAE, 0xAC, 0xBD, 0xBC, 0xA1, 0xAB, 0xBB,
    0,    0,    0,    0,    0,    0xC1, 0xC2, 0xC0, 0xA9, 0,    0,    0,    0,    0xA2, 0xA5, 0,
    0,    0,    0,    0,    0,    0,    0xE3, 0xC3, 0,    0,    0,    0,    0,    0,    0,    0xA4,
    0xF0, 0xD0, 0xCA, 0xCB, 0xC8, 0,    0xCD, 0xCE, 0xCF, 0,    0,    0,    0,    0xA6, 0xCC, 0,
    0xD3, 0xDF, 0xD4, 0xD2, 0xF5, 0xD5, 0xB5, 0xFE, 0xDE, 0xDA, 0xDB, 0xD9, 0xFD, 0xDD, 0xAF, 0xB4,
    0xAD, 0xB1, 0,    0xBE, 0xB6, 0xA7, 0xF7, 0xB8, 0xB0, 0xA8, 0xB7, 0xB9, 0xB3, 0xB2, 0,    0xA0,
};

struct ConversionTables {
  std::array<unsigned char, 256> toOem{};
  std::array<unsigned char, 256> toAnsi{};
};

// Both directions from the one table above, so they can never disagree.
constexpr ConversionTables makeTables() {
  ConversionTables tables;
  for (int byte = 0; byte < 256; ++byte) {
    const auto same = static_cast<unsigned char>(byte < 0x80 ? byte : OemReplacementChar);
    tables.toOem[byte] = same;
    tables.toAnsi[byte] = same;
  }
  for (int oem = 0x80; oem < 0x100; ++oem) {
    const unsigned char ansi = kOemHighToAnsi[oem - 0x80];
    if (ansi == 0) continue;
    tables.toAnsi[oem] = ansi;
    tables.toOem[ansi] = static_cast<unsigned char>(oem);
  }
  return tables;
}

constexpr ConversionTables kTables = makeTables();

}  // namespace

char ansiCharToOem(char ansi) { return static_cast<char>(kTables.toOem[static_cast<unsigned char>(ansi)]); }

char oemCharToAnsi(char oem) { return static_cast<char>(kTables.toAnsi[static_cast<unsigned char>(oem)]); }

AnsiString ansiToOem(std::string_view ansi) {
  AnsiString out(ansi);
  for (char& c : out) c = ansiCharToOem(c);
  return out;
}

AnsiString oemToAnsi(std::string_view oem) {
  AnsiString out(oem);
  for (char& c : out) c = oemCharToAnsi(c);
  return out;
}

}  // namespace qn
