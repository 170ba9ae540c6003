#pragma once
// Comparisons of Windows-1252 text. Each answers < 0, 0 or > 0.
//
// The plain forms compare bytes (CompareText folds 'a'..'z' to capitals first): record keys.
// The Ansi forms follow this system's own collation, the same on every machine, for lists
// people read:
//   1. Characters are weighed first by kind and letter: control characters, then blanks,
//      punctuation and symbols (in code order), then digits, then letters in alphabetical order,
//      an accented letter counting as its base letter (é as e, ß as s, Æ as a, Œ as o).
//      A text that is a prefix of another sorts first.
//   2. Texts equal so far are ordered by their accents: the plain letter before the accented
//      ones, accented ones in code order ("resume" < "résumé").
//   3. Only AnsiCompareStr goes on to case: at the first difference the small letter sorts
//      before the capital ("abc" < "Abc" < "abd"). AnsiCompareText stops at 2, so texts that
//      differ only in case are equal.
#include "framework/base/AnsiString.h"

int CompareStr(const AnsiString& a, const AnsiString& b);
int CompareText(const AnsiString& a, const AnsiString& b);
bool SameText(const AnsiString& a, const AnsiString& b);

int AnsiCompareStr(const AnsiString& a, const AnsiString& b);
int AnsiCompareText(const AnsiString& a, const AnsiString& b);
bool AnsiSameStr(const AnsiString& a, const AnsiString& b);
bool AnsiSameText(const AnsiString& a, const AnsiString& b);
