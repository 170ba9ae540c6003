#pragma once
// The OEM character set (code page 850) of the record manager's configuration names and SQL
// statement texts, beside the system's Windows-1252 text. Bytes below 0x80 are the same in both.
// Every character the two code pages share converts both ways and back unchanged; a character
// one side lacks (the euro sign, Š, Œ, the box-drawing characters ...) becomes '?' in either
// direction, so it is never taken for a different letter.
#include <string_view>

#include "framework/base/AnsiString.h"

namespace qn {

constexpr char OemReplacementChar = '?';

char ansiCharToOem(char ansi);
char oemCharToAnsi(char oem);

AnsiString ansiToOem(std::string_view ansi);
AnsiString oemToAnsi(std::string_view oem);

}  // namespace qn
