#include "casewindow/NarrativeTextExpansion.h"

#include <cstring>

#include "framework/base/FormatText.h"
#include "framework/base/StringUtils.h"
#include "framework/base/TextCase.h"

namespace {

constexpr std::size_t kCodeLength = 3;
constexpr std::size_t kTextStart = 6;  // the seventh character
constexpr std::size_t kTextLength = 120;
// A comment mark this close to the end opens no comment.
constexpr std::size_t kCommentTail = 4;

const AnsiString* findCode(const std::vector<AnsiString>& codeList, const AnsiString& code) {
  for (const AnsiString& entry : codeList)
    if (entry.compare(0, kCodeLength, code) == 0) return &entry;
  return nullptr;
}

AnsiString codeText(const AnsiString& entry) {
  return entry.size() > kTextStart ? TrimRight(entry.substr(kTextStart, kTextLength)) : AnsiString();
}

// After these a code's text needs no blank of its own.
bool closesWord(char c) { return std::strchr("',;:.!?", c) != nullptr; }

bool endsSentence(char c) { return c == '.' || c == '!' || c == '?'; }

}  // namespace

AnsiString ExpandNarrativeText(const AnsiString& Text, const std::vector<AnsiString>& CodeList, bool DropComments) {
  AnsiString result;
  bool capitalise = true;
  std::size_t skipTo = 0;
  for (std::size_t i = 0; i < Text.size(); ++i) {
    if (i < skipTo) continue;
    const char c = Text[i];
    if (c != ' ' && c != '+') capitalise = false;
    const AnsiString* entry = c == '+' ? findCode(CodeList, Format("%-3s", {Text.substr(i + 1, kCodeLength)})) : nullptr;
    if (entry) {
      const AnsiString text = codeText(*entry);
      AnsiString expansion = text;
      if (capitalise) {
        if (!expansion.empty()) expansion[0] = AnsiUpperCase(expansion.substr(0, 1))[0];
        if (i > 0) expansion.insert(0, 1, ' ');
      }
      // The code's text counts as what was written: a later code starts a sentence only after
      // one that ends with ".", "!" or "?".
      if (!text.empty()) capitalise = endsSentence(text.back());
      const bool glued = i > 0 && Text[i - 1] != ' ' && (result.empty() || result.back() != ' ');
      if (glued && (expansion.empty() || expansion[0] != ' ')) result += ' ';
      result += expansion;
      skipTo = i + 1 + kCodeLength;
      if (skipTo < Text.size() && Text[skipTo] != ' ' && !closesWord(Text[skipTo])) result += ' ';
      continue;
    }
    if (DropComments && c == '/' && i + 1 < Text.size() && Text[i + 1] == '/' && i + kCommentTail < Text.size()) {
      const std::size_t close = Text.find("//", i + 2);
      skipTo = close == AnsiString::npos ? Text.size() : close + 2;
      result += ' ';
      continue;
    }
    result += c;
    if (endsSentence(c)) capitalise = true;
  }
  return result;
}
