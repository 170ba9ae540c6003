#include "framework/base/StringUtils.h"

#include <algorithm>

#include "framework/base/TextCase.h"

AnsiString Copy(const AnsiString& s, int index, int count) {
  if (index < 1) index = 1;
  if (count <= 0 || index > static_cast<int>(s.size())) return {};
  return s.substr(index - 1, count);
}

int Pos(const AnsiString& sub, const AnsiString& s) { return PosEx(sub, s, 1); }

int PosEx(const AnsiString& sub, const AnsiString& s, int offset) {
  if (sub.empty() || offset < 1 || offset > static_cast<int>(s.size())) return 0;
  size_t at = s.find(sub, offset - 1);
  return at == AnsiString::npos ? 0 : static_cast<int>(at) + 1;
}

void Delete(AnsiString& s, int index, int count) {
  if (index < 1 || index > static_cast<int>(s.size()) || count <= 0) return;
  s.erase(index - 1, count);
}

void Insert(const AnsiString& sub, AnsiString& s, int index) {
  index = std::clamp(index, 1, static_cast<int>(s.size()) + 1);
  s.insert(index - 1, sub);
}

namespace {
bool isBlank(char c) { return static_cast<unsigned char>(c) <= ' '; }
}  // namespace

AnsiString TrimLeft(const AnsiString& s) {
  auto first = std::find_if_not(s.begin(), s.end(), isBlank);
  return AnsiString(first, s.end());
}

AnsiString TrimRight(const AnsiString& s) {
  auto last = std::find_if_not(s.rbegin(), s.rend(), isBlank);
  return AnsiString(s.begin(), last.base());
}

AnsiString Trim(const AnsiString& s) { return TrimLeft(TrimRight(s)); }

AnsiString StringOfChar(char c, int count) { return count > 0 ? AnsiString(count, c) : AnsiString(); }

AnsiString AnsiQuotedStr(const AnsiString& s, char quote) {
  AnsiString out(1, quote);
  for (char c : s) {
    out += c;
    if (c == quote) out += c;
  }
  out += quote;
  return out;
}

AnsiString QuotedStr(const AnsiString& s) { return AnsiQuotedStr(s, '\''); }

AnsiString AnsiDequotedStr(const AnsiString& s, char quote) {
  if (s.empty() || s[0] != quote) return s;
  AnsiString out;
  for (size_t i = 1; i < s.size(); ++i) {
    if (s[i] == quote) {
      if (i + 1 < s.size() && s[i + 1] == quote) {
        out += quote;
        ++i;
        continue;
      }
      break;
    }
    out += s[i];
  }
  return out;
}

AnsiString StringReplace(const AnsiString& s, const AnsiString& oldPattern,
                         const AnsiString& newPattern, int flags) {
  if (oldPattern.empty()) return s;
  const bool all = flags & rfReplaceAll;
  const bool ignoreCase = flags & rfIgnoreCase;
  const AnsiString haystack = ignoreCase ? AnsiUpperCase(s) : s;
  const AnsiString needle = ignoreCase ? AnsiUpperCase(oldPattern) : oldPattern;
  AnsiString out;
  size_t from = 0;
  for (size_t at; (at = haystack.find(needle, from)) != AnsiString::npos;) {
    out.append(s, from, at - from);
    out += newPattern;
    from = at + needle.size();
    if (!all) break;
  }
  out.append(s, from, AnsiString::npos);
  return out;
}
