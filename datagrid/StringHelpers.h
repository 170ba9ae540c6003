#pragma once
// The string helpers the control library shares: they split and scan the dataset extension
// property strings and the filter texts. Positions count from 1, as the framework's Copy and Pos
// do; no helper raises for a position outside the text.
#include <bitset>

#include "framework/base/AnsiString.h"

class TStrings;

// A set of byte values, as the trimming helpers take it.
using CharSet = std::bitset<256>;

// Options of StrScanToken, added up.
constexpr int stoSkipBlanks = 1;        // leading blanks and TABs are skipped first
constexpr int stoQuotedPhrase = 2;      // a text in double quotes is one token
constexpr int stoStripQuotes = 4;       // with stoQuotedPhrase: the quotes are removed
constexpr int stoBlanksInToken = 8;     // only control characters (and StopSet) end a token

// The text from Pos up to the next Delimiter, Pos moved past that delimiter. Without a further
// delimiter the rest of the text comes back and Pos becomes -1; a Pos beyond the text gives an
// empty token and -1; a Pos of 0 or less gives an empty token and leaves Pos alone. A delimiter
// longer than one character is a word: it is found with one blank on either side, without regard
// to case, so "AND" finds " and ".
AnsiString StrGetToken(const AnsiString& Text, const AnsiString& Delimiter, int& Pos);
// List gets the pieces between the delimiters: "a;b;" gives "a", "b" and "", "" gives "".
void StrSplit(const AnsiString& Text, char Delimiter, TStrings& List);

// Removes TABs and blanks at both ends.
void StrTrimWhite(AnsiString& Text);
void StrTrimLeadingChars(AnsiString& Text, const CharSet& Chars);
void StrTrimTrailingChars(AnsiString& Text, const CharSet& Chars);

AnsiString StrRemoveChar(const AnsiString& Text, char Ch);
AnsiString StrReplaceCharByChar(const AnsiString& Text, char Ch, char NewCh);
// Every Ch replaced by Replacement; the text inserted is not searched again.
AnsiString StrReplaceChar(const AnsiString& Text, char Ch, const AnsiString& Replacement);
// Equal once both are upper-cased under the locale.
bool StrEqualNoCase(const AnsiString& A, const AnsiString& B);
int StrCountChar(const AnsiString& Text, char Ch);
// The text after the first Ch; empty when Ch does not occur.
AnsiString StrAfterChar(const AnsiString& Text, char Ch);

// The next token of Text from Pos. Without stoBlanksInToken a token ends before a blank, a
// control character or a member of StopSet; with it, only before a control character or a member
// of StopSet. A stop character standing at Pos is a token of its own, and Pos then moves past it;
// otherwise Pos is left on the character that ended the token (beyond the text at its end).
// A quoted phrase (stoQuotedPhrase) runs to its closing quote or to the end of the text; Pos is
// left after it. A Pos of 0 or less, or beyond the text, gives an empty token.
AnsiString StrScanToken(const AnsiString& Text, int& Pos, int Options, const CharSet& StopSet);

inline int IntMax(int A, int B) { return A > B ? A : B; }
inline int IntMin(int A, int B) { return A < B ? A : B; }

// The lines joined by a blank (OneLine) or by CR LF, with nothing after the last line.
AnsiString StringsToText(const TStrings& Strings, bool OneLine);
