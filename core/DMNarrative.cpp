// Narrative codes: "+" and a three-character code in a description become the code's text.
#include <cstring>

#include "core/DM.h"
#include "framework/base/FormatText.h"
#include "framework/base/StringUtils.h"
#include "framework/base/TextCase.h"

namespace {

constexpr std::size_t CodeLength = 3;
constexpr std::size_t TextLength = 120;

// The text of the first entry that begins with the code; nothing when none does.
const AnsiString* findCode(const std::vector<AnsiString>& codeList, const AnsiString& code) {
  for (const AnsiString& entry : codeList)
    if (entry.compare(0, CodeLength, code) == 0) return &entry;
  return nullptr;
}

bool endsSentence(char c) { return std::strchr(".!?)", c) != nullptr; }

// After these an expansion needs no blank of its own.
bool closesWord(char c) { return c == ' ' || std::strchr("',;:.!?)", c) != nullptr; }

void capitaliseFirstLetter(AnsiString& text) {
  const std::size_t first = text.find_first_not_of(' ');
  if (first != AnsiString::npos) text.replace(first, 1, AnsiUpperCase(text.substr(first, 1)));
}

}  // namespace

void TDM::ExpandNarrativeCodes(const AnsiString& text, const std::vector<AnsiString>& codeList, AnsiString& result) {
  result.clear();
  bool capitalise = true;  // the start of the text
  std::size_t i = 0;
  while (i < text.size()) {
    const char c = text[i];
    const AnsiString* entry = c == '+' ? findCode(codeList, Format("%-3s", {text.substr(i + 1, CodeLength)})) : nullptr;
    if (!entry) {
      result += c;
      if (endsSentence(c))
        capitalise = true;
      else if (c != ' ')
        capitalise = false;
      ++i;
      continue;
    }
    AnsiString expansion = TrimRight(entry->size() > CodeLength ? entry->substr(CodeLength, TextLength) : AnsiString());
    if (capitalise) capitaliseFirstLetter(expansion);
    if (!result.empty() && result.back() != ' ' && i > 0 && text[i - 1] != ' ') result += ' ';
    result += expansion;
    i += 1 + CodeLength;
    if (i < text.size() && !closesWord(text[i])) result += ' ';
    capitalise = !expansion.empty() && endsSentence(expansion.back());
  }
}
