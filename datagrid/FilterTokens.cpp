#include "datagrid/FilterTokens.h"

#include <algorithm>

#include "framework/base/Locale.h"
#include "framework/base/TextCase.h"

namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }
bool IsComparison(char c) { return c == '<' || c == '=' || c == '>'; }
bool IsNameRest(char c) { return IsFilterNameStart(c) || IsDigit(c) || c == ' '; }

}  // namespace

bool IsFilterNameStart(char c) {
  auto u = static_cast<unsigned char>(c);
  if ((c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || u >= 146) return true;
  for (char s : AnsiString("!#$*+-/_`@"))
    if (c == s) return true;
  return false;
}

FilterToken FilterTokenizer::Peek(bool logicalExpected) const {
  size_t start = at_;
  while (start < text_.size() && (text_[start] == ' ' || text_[start] == '\t')) ++start;
  FilterToken token;
  token.position = static_cast<int>(start) + 1;
  if (start >= text_.size()) return token;
  const char c = text_[start];
  size_t end = start + 1;  // one past the token
  if (c == '(' || c == ')') {
    token.kind = c == '(' ? FilterTokenKind::Open : FilterTokenKind::Close;
  } else if (IsComparison(c)) {
    token.kind = FilterTokenKind::Compare;
    if (end < text_.size() && IsComparison(text_[end])) ++end;
  } else if (logicalExpected && UpperCase(text_.substr(start, 3)) == "AND") {
    token.kind = FilterTokenKind::Logical;
    end = start + 3;
  } else if (logicalExpected && UpperCase(text_.substr(start, 2)) == "OR") {
    token.kind = FilterTokenKind::Logical;
    end = start + 2;
  } else if (IsFilterNameStart(c)) {
    token.kind = FilterTokenKind::Name;
    while (end < text_.size() && IsNameRest(text_[end])) ++end;
  } else if (IsDigit(c)) {
    token.kind = FilterTokenKind::Number;
    while (end < text_.size() && IsDigit(text_[end])) ++end;
    if (end < text_.size() && text_[end] == Locale().DecimalSeparator) {
      ++end;
      while (end < text_.size() && IsDigit(text_[end])) ++end;
    }
  } else if (c == '"') {
    size_t close = text_.find('"', end);
    if (close == AnsiString::npos) return token;
    token.kind = FilterTokenKind::Quoted;
    end = close + 1;
  } else {
    return token;
  }
  end = std::min(end, start + kMaxFilterTokenLength);
  token.text = text_.substr(start, end - start);
  if (token.kind == FilterTokenKind::Logical) token.text = UpperCase(token.text);
  while (!token.text.empty() && token.text.back() == ' ') token.text.pop_back();
  token.length = static_cast<int>(end - at_);
  return token;
}
