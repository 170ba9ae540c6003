#pragma once
// One entry of a parser's undo list: where a stop was, the word there, what the user chose, and
// the text written in the word's place.
#include "framework/base/AnsiString.h"

// What the user did at a stop.
enum TUndoAction : int {
  uaNone = 0,
  uaChangeAll = 4,
  uaChange = 5,
  uaDelete = 105,  // a change that also removed the space before the word
  uaIgnoreAll = 6,
  uaIgnore = 7,
  uaAdd = 8,
  uaAutoCorrect = 9,
};

struct TUndo {
  int Column = 0;
  int Line = 0;
  int Position = 0;
  int Length = 0;
  int Action = uaNone;
  AnsiString Word;     // the word as it was
  AnsiString Written;  // the text written in its place, when Replaced
  bool Replaced = false;
};
