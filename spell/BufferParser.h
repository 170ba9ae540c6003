#pragma once
// The parser of a zero-terminated character buffer, positions from 0. Replacements are written
// in place, moving the rest of the text: the buffer must have room for the grown text.
#include "spell/Parser.h"

class TBufferParser : public TParser {
 public:
  TBufferParser(const AnsiString& WordChars, int UndoLimit, char* Buffer);

 protected:
  // Only the parser writes the caller's text while it checks it.
  bool ChangesOutside() const override { return false; }
  int FirstPosition() const override { return 0; }
  AnsiString SourceText() const override { return AnsiString(buffer_); }
  void WriteSource(int Position, int Length, const AnsiString& Text) override;
  // The buffer's URLs are "HTTP" ones only, in any case.
  bool IsUrlWord(const AnsiString& Word) const override;

 private:
  char* buffer_;
};
