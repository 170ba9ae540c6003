#pragma once
// What the database error asks of the engine facade to build its message: the facade's text
// for a code and the entries of its error stack. The facade implements it.
#include <cstdint>

#include "framework/base/AnsiString.h"

class EngineErrorTexts {
 public:
  virtual ~EngineErrorTexts() = default;

  // The text composed for the newest stack entry with this code; empty when no entry has it.
  virtual AnsiString GetErrorText(uint16_t code) = 0;
  // Stack entry `index` (from 1): its engine code, with its native status and its text (up to
  // 260 characters) through the out arguments; 0 beyond the stack, the text left alone.
  virtual uint16_t GetErrorEntry(uint16_t index, int32_t& nativeStatus, AnsiString& text) = 0;
};
