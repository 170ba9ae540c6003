#include "dialogs/NarrativeCodes.h"

#include <algorithm>

#include "core/DM.h"
#include "framework/base/FormatText.h"
#include "framework/base/IntegerText.h"
#include "framework/base/StringUtils.h"

std::vector<AnsiString> NarrativeList;
bool NarrativeListBuilt = false;
bool DescriptionExpanded = false;
AnsiString UnexpandedDescription;
bool NarrativeViewOnly = false;

AnsiString NarrativeListEntry(const AnsiString& Code, const AnsiString& Description, const AnsiString& TransactionType) {
  return Format("%-3s", {Code}) + Format("%-120s", {Description}) + TransactionType;
}

AnsiString NarrativeToken(const AnsiString& Code) { return "+" + Format("%-3s", {Code}); }

NarrativeInsertion InsertNarrativeToken(const AnsiString& Text, int Caret, const AnsiString& Code) {
  const std::size_t at = static_cast<std::size_t>(std::clamp(Caret, 0, static_cast<int>(Text.size())));
  AnsiString token = NarrativeToken(Code);
  if (at > 0 && Text[at - 1] != ' ') token = " " + token;
  NarrativeInsertion result;
  result.text = Text.substr(0, at) + token + Text.substr(at);
  result.caret = static_cast<int>(at + token.size());
  return result;
}

char NarrativeTabTypeCode(int TabIndex, const AnsiString& TabCaption, int TransactionKind) {
  if (TabIndex == 0) return 'N';
  if (TabIndex == 1) {
    if (TransactionKind == 2 || TransactionKind == 3) return 'E';
    return TransactionKind == 1 && TabCaption == "Task" ? 'T' : 'K';
  }
  return 'K';
}

AnsiString ExpandedDescription(const AnsiString& Text, const std::vector<AnsiString>& List) {
  AnsiString expanded;
  DM->ExpandNarrativeCodes(Text, List, expanded);
  AnsiString result;
  std::size_t start = 0;
  while (start <= expanded.size()) {
    const std::size_t end = expanded.find('\n', start);
    const AnsiString line = expanded.substr(start, end == AnsiString::npos ? AnsiString::npos : end + 1 - start);
    result += TrimLeft(line);
    if (end == AnsiString::npos) break;
    start = end + 1;
  }
  return result;
}

AnsiString ExpandedLengthText(const AnsiString& Expanded) {
  return IntToStr(static_cast<int>(TrimRight(Expanded).size())) + " characters";
}

std::vector<AnsiString> NarrativeEditorLines(const std::vector<AnsiString>& List) {
  std::vector<AnsiString> lines;
  lines.reserve(List.size());
  for (AnsiString entry : List) lines.push_back(entry.insert(std::min<std::size_t>(3, entry.size()), "   "));
  return lines;
}
