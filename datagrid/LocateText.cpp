#include "datagrid/LocateText.h"

#include "framework/base/StringUtils.h"
#include "framework/base/TextCase.h"

bool TextMatches(const AnsiString& fieldText, const AnsiString& value, int matchType,
                 bool caseSensitive) {
  const AnsiString text = caseSensitive ? fieldText : AnsiUpperCase(fieldText);
  switch (matchType) {
    case mtExactMatch:
      return text.size() == value.size() && (text.empty() || Pos(value, text) == 1);
    case mtPartialMatchStart: return Pos(value, text) == 1;
    case mtPartialMatchAny: return Pos(value, text) > 0;
    default: return false;
  }
}
