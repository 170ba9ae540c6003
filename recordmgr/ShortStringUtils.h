#pragma once
// Small stateless routines the drivers use on short strings (at most 255 characters), on
// zero-terminated character buffers and on raw byte blocks: fixed-width record fields, file
// names, option texts and key buffers.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "framework/base/AnsiString.h"

constexpr size_t ShortStringMax = 255;

// The text of a blank-padded field of size bytes, ending at its zero if it has one, without its
// trailing blanks.
AnsiString UnpaddedText(const char* text, size_t size);
// Only '+', '-', '.' and the digits, in their order.
AnsiString KeepNumberChars(const AnsiString& text);
// The first count bytes (at most 255) without leading and trailing blanks and control characters.
AnsiString TrimmedShortString(const void* source, size_t count);
// The same, followed by one NUL inside the string so that its text is zero-terminated too; the
// text gives up its last character when the NUL would not fit in 255.
AnsiString TrimmedShortStringZ(const void* source, size_t count);
// -1, 0 or 1 at the first differing byte, bytes compared unsigned; 0 for count 0.
int CompareBytes(const void* a, const void* b, uint16_t count);
// Appends when the string is shorter than 255 characters; a full string stays as it is.
void AppendChar(AnsiString& text, char c);
// The text ending in a path separator: a "\" is added unless it ends in "\" or "/" already
// (Linux paths are paths here too); an empty text becomes "\".
AnsiString AddTrailingBackslash(const AnsiString& text);
void ZeroFill(void* block, uint16_t count);
bool IsAllZero(const void* block, uint16_t count);
AnsiString RemoveChar(const AnsiString& text, char c);
void ReplaceChar(char* buffer, uint16_t count, char oldChar, char newChar);
// Each quote character toggles an inside-quotes state; the old character is replaced outside
// quotes only, and the quote characters stay.
void ReplaceCharOutsideQuotes(char* buffer, uint16_t count, char oldChar, char quote, char newChar);
// A text is a path when it holds ':' or '\', or '/' (a Linux path); with dotCounts, when it holds
// none of them, a '.' makes it one too.
bool IsPathName(const char* text, bool dotCounts);
uint32_t MinUnsigned(uint32_t a, uint32_t b);
// Replaces the first occurrence of pattern (not empty) in the zero-terminated buffer by the
// replacement (nil: nothing), keeping the result within capacity bytes, terminating zero included.
// False, and the buffer untouched, when the pattern does not occur.
bool ReplaceFirst(char* buffer, uint16_t capacity, const char* pattern, const char* replacement);
// Ends the text at the first occurrence of c; returns the text (nil stays nil).
char* TruncateAtChar(char* text, char c);
// The name of the user running the program, into a buffer of at least 256 characters; empty when
// it cannot be found.
void GetNetworkUserName(char* buffer);
// Copies at most maxLength characters of the text into destination and ends them with a NUL;
// destination holds maxLength + 1 bytes.
void CopyTextZ(char* destination, std::string_view text, size_t maxLength);
// The same for a text that ends at its zero or after maxLength characters, whichever comes first:
// a full fixed-size field need not hold a terminating zero.
void CopyTextZ(char* destination, const char* text, size_t maxLength);
