#include "datagrid/FilterValueSyntax.h"

#include "datagrid/FieldOperators.h"
#include "datagrid/StringHelpers.h"

namespace {

struct Word {
  AnsiString text;
  bool quoted = false;
};

bool isSeparator(char c) { return static_cast<unsigned char>(c) <= ' '; }

std::vector<Word> readWords(const AnsiString& value, const TdcFieldOperators& operators) {
  CharSet stops;
  for (const AnsiString* op : {&operators.OrChar(), &operators.AndChar()})
    if (op->size() == 1) stops.set(static_cast<unsigned char>((*op)[0]));
  std::vector<Word> words;
  const int length = static_cast<int>(value.size());
  int pos = 1;
  while (pos >= 1 && pos <= length) {
    while (pos <= length && isSeparator(value[pos - 1])) ++pos;
    if (pos > length) break;
    const bool quoted = value[pos - 1] == '"';
    AnsiString text = StrScanToken(value, pos, stoSkipBlanks | stoQuotedPhrase | stoStripQuotes, stops);
    if (!text.empty() || quoted) words.push_back({text, quoted});
  }
  return words;
}

bool isOperator(const Word& word, const AnsiString& op) { return !word.quoted && StrEqualNoCase(word.text, op); }

}  // namespace

FilterValueTokens SplitFilterValue(const AnsiString& Value, const TdcFieldOperators& Operators) {
  const std::vector<Word> words = readWords(Value, Operators);
  FilterValueTokens result;
  const AnsiString* separator = nullptr;
  for (size_t i = 1; i < words.size() && !separator; ++i) {
    if (isOperator(words[i], Operators.OrChar())) {
      result.Mode = FilterValueMode::Or;
      separator = &Operators.OrChar();
    } else if (isOperator(words[i], Operators.AndChar())) {
      result.Mode = FilterValueMode::And;
      separator = &Operators.AndChar();
    }
  }
  AnsiString token;
  bool any = false;
  auto flush = [&] {
    if (any) result.Tokens.push_back(token);
    token.clear();
    any = false;
  };
  for (const Word& word : words) {
    if (separator && isOperator(word, *separator)) {
      flush();
      continue;
    }
    if (any) token += ' ';
    token += word.text;
    any = true;
  }
  flush();
  return result;
}

bool FilterValueHasOperator(const AnsiString& Value, const TdcFieldOperators& Operators) {
  return SplitFilterValue(Value, Operators).Mode != FilterValueMode::Single;
}
