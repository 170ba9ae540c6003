#pragma once
// The value syntax of the filter dialog: a value is read as words (blanks and control characters
// separate them, a phrase in double quotes is one word, a one-character operator is a word by
// itself). The first operator word after the first word fixes the mode; the value is then cut at
// every word equal to that operator. A quoted word is never an operator, so a user can search for
// the word itself by quoting it.
#include <vector>

#include "framework/base/AnsiString.h"

class TdcFieldOperators;

enum class FilterValueMode { Single, Or, And };

struct FilterValueTokens {
  FilterValueMode Mode = FilterValueMode::Single;
  // The words of each token joined by one blank; tokens left empty by doubled or trailing
  // operators are dropped. In single mode the whole value is one token.
  std::vector<AnsiString> Tokens;
};

FilterValueTokens SplitFilterValue(const AnsiString& Value, const TdcFieldOperators& Operators);
// Whether the value holds an Or or And operator word (anywhere but first).
bool FilterValueHasOperator(const AnsiString& Value, const TdcFieldOperators& Operators);
