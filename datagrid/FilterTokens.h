#pragma once
// Reads the tokens of a filter text written for a table ("Amount > 100 AND City = "Paris"").
// Names run on over blanks and may hold + - * /, so "Last Name" is one name and so is
// "Price * 2"; an arithmetic sign is an operator only where it stands alone.
#include "framework/base/AnsiString.h"

enum class FilterTokenKind { None, Open, Close, Compare, Logical, Name, Number, Quoted };

struct FilterToken {
  FilterTokenKind kind = FilterTokenKind::None;
  AnsiString text;   // trailing blanks removed, at most kMaxFilterTokenLength characters
  int position = 0;  // 1-based, of its first character in the whole text
  int length = 0;    // characters it takes of the remaining text, leading blanks included
};

// Longer tokens are cut; their rest is read as the next token.
constexpr int kMaxFilterTokenLength = 64;

class FilterTokenizer {
 public:
  explicit FilterTokenizer(const AnsiString& text) : text_(text) {}

  // The token the remaining text starts with; AND and OR are words only where a logical
  // operator may follow (after a complete relation), elsewhere they begin a name.
  FilterToken Peek(bool logicalExpected) const;
  void Consume(const FilterToken& token) { at_ += token.length; }

 private:
  const AnsiString text_;
  size_t at_ = 0;
};

// Whether c may start a name.
bool IsFilterNameStart(char c);
