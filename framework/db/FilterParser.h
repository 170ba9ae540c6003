#pragma once
// Parses the filter text of a dataset ("[Case Status 1] <> 'X' and not (Amount > 100)") into a
// filter expression block (FilterExpression.h).
//
//   expression  := or-term
//   or-term     := and-term { "or" and-term }        (words without regard to case)
//   and-term    := not-term { "and" not-term }
//   not-term    := "not" not-term | relation
//   relation    := operand ( "=" | "<>" | "<" | ">" | "<=" | ">=" ) operand
//                | operand "is" ["not"] "null"
//                | "(" expression ")"
//   operand     := "[" field name "]" | a bare field name | 'text' ('' for a quote)
//                | "text" (a field node that keeps its quotes: it names no field, so it is
//                  compared as its text) | a number
//
// A constant compared with a field takes that field's type when it reads as one (else it stays
// text and the two are compared as texts). Comparisons carry the case-insensitive flag of
// foCaseInsensitive and, unless foNoPartialCompare, a text constant ending in '*' compares only
// the characters before it. Names must be fields of the dataset: an unknown one, like any
// syntax error, nesting deeper than kMaxNesting or a block that would outgrow its 16-bit sizes,
// raises EDatabaseError naming what is wrong.
#include <cstdint>
#include <functional>
#include <optional>
#include <vector>

#include "framework/base/AnsiString.h"
#include "framework/db/DbTypes.h"

namespace filterexpr {

// How deep parentheses and "not" may nest: far beyond any filter a person writes, and shallow
// enough that parsing a hostile text stays well within the stack.
constexpr int kMaxNesting = 256;

// What the parser needs to know of a field: its logical type (FilterExpression.h) and the
// native form of a text in that type (nullopt when the text does not read as one).
struct FieldInfo {
  uint16_t type;
  std::function<std::optional<std::string>(const AnsiString& text)> convert;
};
using FieldResolver = std::function<std::optional<FieldInfo>(const AnsiString& name)>;

std::vector<uint8_t> ParseFilter(const AnsiString& text, TFilterOptions options,
                                 const FieldResolver& fields);

}  // namespace filterexpr
