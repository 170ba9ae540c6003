#pragma once
// Compiles a table's filter text into the filter expression block (framework/db
// FilterExpression.h) that the record manager's cursor filters evaluate.
//
//   Logical    := Relation { ("AND" | "OR") Relation }     one precedence, to the left
//   Relation   := Expression [ ("<" | "<>" | "<=" | ">=" | "=" | ">") Expression ]
//   Expression := Term { ("+" | "-") Term }
//   Term       := Factor { ("*" | "/") Factor }
//   Factor     := "(" Logical ")" | name | number | "double-quoted text"
//
// The left side of every operator must name a field of the table; a term on its right is a
// constant typed by that field. Text after the first complete expression is ignored. Nodes sit
// in fixed slots, the tree written operands first from the last slot back, so the root is at
// offset 0.
#include <cstdint>
#include <memory>
#include <vector>

#include "framework/base/AnsiString.h"

class TDataSet;

// One node of the operator tree.
struct TNode {
  enum : uint8_t { kComparison = 0, kLogical = 1, kArithmetic = 2, kTerm = 3 };
  // Constant types of a term, set from the field on the left of its operator.
  enum : uint8_t { ctFieldName = 0, ctText, ctFloat, ctDateTime, ctDate, ctTime, ctBoolean,
                   ctInteger, ctBCD, ctSmallint };

  uint8_t Kind = kTerm;
  uint8_t ConstType = ctFieldName;
  uint16_t Scale = 0;  // decimals of a BCD constant
  AnsiString Text;     // the operator or the term
  uint16_t NodeOffset = 0;
  std::unique_ptr<TNode> Left, Right;
};

constexpr int kFilterNodeSize = 14;
// Room for field names and constants of one expression.
constexpr int kFilterLiteralPool = 1000;
// Parentheses deeper than this, or more nodes, are refused before they cost stack or memory.
constexpr int kMaxFilterNesting = 256;
constexpr int kMaxFilterNodes = 6553;

// The block for text against table's fields; empty when the text does not parse. A name on the
// left of an operator that is no field of table, and a text past the limits above, are told in
// a warning; other faults are left to the caller to report.
std::vector<uint8_t> CompileFilterExpression(const AnsiString& text, const TDataSet& table);
