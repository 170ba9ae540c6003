#pragma once
// The system's text type: single-byte Windows-1252 bytes, as record files hold them. Text becomes
// UTF-8 only where people read it (screen, printer, files for people), through the two
// conversions below and nowhere else.
#include <string>
#include <string_view>

using AnsiString = std::string;

namespace qn {

// Windows-1252 bytes to UTF-8. The five bytes the code page leaves undefined map to the C1
// control characters of the same value, so the conversion never loses a byte.
std::string ansiToUtf8(std::string_view ansi);

// UTF-8 to Windows-1252. A character the code page cannot hold becomes '?'; malformed UTF-8
// bytes are taken as Windows-1252 bytes themselves, so text that was never UTF-8 survives.
AnsiString utf8ToAnsi(std::string_view utf8);

// Whether utf8ToAnsi takes the text over unchanged: well-formed UTF-8 of characters the code page
// holds. Text meant to be stored as it was written is checked with it first.
bool utf8FitsAnsi(std::string_view utf8);

}  // namespace qn
