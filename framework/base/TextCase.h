#pragma once
// Case conversion of Windows-1252 text. The plain forms touch only 'a'..'z' and 'A'..'Z' (keys
// and codes); the Ansi forms also convert the code page's accented letters (names people type).
#include "framework/base/AnsiString.h"

AnsiString UpperCase(const AnsiString& s);
AnsiString LowerCase(const AnsiString& s);
AnsiString AnsiUpperCase(const AnsiString& s);
AnsiString AnsiLowerCase(const AnsiString& s);

namespace qn {

// One Windows-1252 character in the other case; characters without a partner come back as they
// are (the sharp s, the ordinal indicators and the micro sign have no capital in the code page).
char ansiUpperChar(char c);
char ansiLowerChar(char c);
bool isAnsiLetter(char c);

}  // namespace qn
