#pragma once
// The string routines the system calls, with positions counted from 1 as its code counts them.
// None raises for positions or counts outside the text: they clip, as the system relies on.
#include "framework/base/AnsiString.h"

// Up to count characters from position index (1-based); an index below 1 counts as 1.
AnsiString Copy(const AnsiString& s, int index, int count);
// Position (1-based) of the first sub in s, 0 when absent or when sub is empty.
int Pos(const AnsiString& sub, const AnsiString& s);
// The same, searching from position offset on.
int PosEx(const AnsiString& sub, const AnsiString& s, int offset = 1);
// Removes count characters from position index; nothing when index is outside the text.
void Delete(AnsiString& s, int index, int count);
// Inserts sub before position index (clipped to the ends of s).
void Insert(const AnsiString& sub, AnsiString& s, int index);

// Remove blanks and control characters (every byte up to ' ') at the ends.
AnsiString Trim(const AnsiString& s);
AnsiString TrimLeft(const AnsiString& s);
AnsiString TrimRight(const AnsiString& s);

AnsiString StringOfChar(char c, int count);

// s between quote characters, each quote inside doubled: QuotedStr("it's") is 'it''s'.
AnsiString AnsiQuotedStr(const AnsiString& s, char quote);
AnsiString QuotedStr(const AnsiString& s);
// The reverse of AnsiQuotedStr; text that does not begin with the quote comes back unchanged,
// and an unclosed quote ends at the end of the text.
AnsiString AnsiDequotedStr(const AnsiString& s, char quote);

// Flags of StringReplace, combined with '|'.
enum TReplaceFlag { rfReplaceAll = 1, rfIgnoreCase = 2 };
// Replaces the first (or every, with rfReplaceAll) occurrence of oldPattern; rfIgnoreCase
// matches without regard to case (Windows-1252 letters too).
AnsiString StringReplace(const AnsiString& s, const AnsiString& oldPattern,
                         const AnsiString& newPattern, int flags);
