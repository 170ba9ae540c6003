#include "spell/BufferParser.h"

#include <cstring>

#include "framework/base/TextCase.h"

TBufferParser::TBufferParser(const AnsiString& WordChars, int UndoLimit, char* Buffer)
    : TParser(WordChars, UndoLimit), buffer_(Buffer) {
  RangeOverText();
}

void TBufferParser::WriteSource(int Position, int Length, const AnsiString& Text) {
  const size_t size = std::strlen(buffer_);
  const size_t at = static_cast<size_t>(Position), removed = static_cast<size_t>(Length);
  std::memmove(buffer_ + at + Text.size(), buffer_ + at + removed, size - at - removed + 1);
  std::memcpy(buffer_ + at, Text.data(), Text.size());
}

bool TBufferParser::IsUrlWord(const AnsiString& Word) const { return UpperCase(Word) == "HTTP"; }
