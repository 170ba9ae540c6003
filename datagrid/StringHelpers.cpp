#include "datagrid/StringHelpers.h"

#include "framework/base/StringUtils.h"
#include "framework/base/Strings.h"
#include "framework/base/TextCase.h"

namespace {

bool isControl(char c) { return static_cast<unsigned char>(c) < ' '; }
bool isTabOrBlank(char c) { return c == ' ' || c == '\t'; }

}  // namespace

AnsiString StrGetToken(const AnsiString& Text, const AnsiString& Delimiter, int& Pos) {
  if (Pos <= 0) return {};
  const int length = static_cast<int>(Text.size());
  if (Pos > length) {
    Pos = -1;
    return {};
  }
  int found;
  int delimiterLength;
  if (Delimiter.size() <= 1) {
    found = PosEx(Delimiter, Text, Pos);
    delimiterLength = static_cast<int>(Delimiter.size());
  } else {
    // A word operator ("AND", "OR") stands between blanks; upper-casing keeps every position.
    const AnsiString word = " " + AnsiUpperCase(Delimiter) + " ";
    found = PosEx(word, AnsiUpperCase(Text), Pos);
    delimiterLength = static_cast<int>(word.size());
  }
  if (found == 0) {
    AnsiString rest = Copy(Text, Pos, length);
    Pos = -1;
    return rest;
  }
  AnsiString token = Copy(Text, Pos, found - Pos);
  Pos = found + delimiterLength;
  return token;
}

void StrSplit(const AnsiString& Text, char Delimiter, TStrings& List) {
  List.Clear();
  size_t start = 0;
  for (;;) {
    const size_t at = Text.find(Delimiter, start);
    if (at == AnsiString::npos) break;
    List.Add(Text.substr(start, at - start));
    start = at + 1;
  }
  List.Add(Text.substr(start));
}

void StrTrimWhite(AnsiString& Text) {
  CharSet white;
  white.set(' ');
  white.set('\t');
  StrTrimLeadingChars(Text, white);
  StrTrimTrailingChars(Text, white);
}

void StrTrimLeadingChars(AnsiString& Text, const CharSet& Chars) {
  size_t first = 0;
  while (first < Text.size() && Chars.test(static_cast<unsigned char>(Text[first]))) ++first;
  Text.erase(0, first);
}

void StrTrimTrailingChars(AnsiString& Text, const CharSet& Chars) {
  size_t end = Text.size();
  while (end > 0 && Chars.test(static_cast<unsigned char>(Text[end - 1]))) --end;
  Text.erase(end);
}

AnsiString StrRemoveChar(const AnsiString& Text, char Ch) {
  AnsiString result;
  for (char c : Text)
    if (c != Ch) result += c;
  return result;
}

AnsiString StrReplaceCharByChar(const AnsiString& Text, char Ch, char NewCh) {
  AnsiString result = Text;
  for (char& c : result)
    if (c == Ch) c = NewCh;
  return result;
}

AnsiString StrReplaceChar(const AnsiString& Text, char Ch, const AnsiString& Replacement) {
  AnsiString result;
  for (char c : Text) {
    if (c == Ch)
      result += Replacement;
    else
      result += c;
  }
  return result;
}

bool StrEqualNoCase(const AnsiString& A, const AnsiString& B) { return AnsiUpperCase(A) == AnsiUpperCase(B); }

int StrCountChar(const AnsiString& Text, char Ch) {
  int count = 0;
  for (char c : Text)
    if (c == Ch) ++count;
  return count;
}

AnsiString StrAfterChar(const AnsiString& Text, char Ch) {
  const size_t at = Text.find(Ch);
  return at == AnsiString::npos ? AnsiString() : Text.substr(at + 1);
}

AnsiString StrScanToken(const AnsiString& Text, int& Pos, int Options, const CharSet& StopSet) {
  const int length = static_cast<int>(Text.size());
  if (Pos <= 0 || Pos > length) return {};
  auto at = [&](int p) { return Text[p - 1]; };

  if (Options & stoSkipBlanks)
    while (Pos <= length && isTabOrBlank(at(Pos))) ++Pos;
  if (Pos > length) return {};

  if ((Options & stoQuotedPhrase) && at(Pos) == '"') {
    int end = Pos + 1;
    while (end <= length && at(end) != '"') ++end;
    if (end > length) end = length;  // an unclosed phrase runs to the end of the text
    AnsiString token = Copy(Text, Pos, end - Pos + 1);
    Pos = end + 1;
    if (Options & stoStripQuotes) {
      token.erase(0, 1);
      if (!token.empty() && (token.back() == '"' || token.back() == '\'')) token.pop_back();
    }
    return token;
  }

  auto stops = [&](char c) {
    if (StopSet.test(static_cast<unsigned char>(c)) || isControl(c)) return true;
    return !(Options & stoBlanksInToken) && c == ' ';
  };
  int end = Pos;
  while (end <= length && !stops(at(end))) ++end;
  if (end == Pos) ++end;  // the stop character is a token by itself
  AnsiString token = Copy(Text, Pos, end - Pos);
  Pos = end;
  return token;
}

AnsiString StringsToText(const TStrings& Strings, bool OneLine) {
  const char* separator = OneLine ? " " : "\r\n";
  AnsiString text;
  for (int i = 0; i < Strings.Count(); ++i) {
    if (i) text += separator;
    text += Strings[i];
  }
  return text;
}
