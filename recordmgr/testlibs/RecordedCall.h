#pragma once
// One call that passed through the recording library (librecwbtrv.so), as tests read it back.
// Shared by the library and the tests, so it stays plain data.
#include <cstdint>

enum class RecordedEntry : uint8_t { Call, CallId, Init, Stop };

struct RecordedCall {
  RecordedEntry entry;
  uint16_t op;
  uint16_t dataLengthIn;   // as passed
  uint16_t dataLengthOut;  // as the record manager handed it back
  uint8_t keyLength;
  int8_t keyNumber;
  uint8_t clientId[16];    // zero for the entries without one
  uint8_t dataHead[4];     // the first bytes of the data buffer as passed (positions, percentages)
  uint8_t keyHead[32];     // the first bytes of the key buffer as passed (the key a search asks for)
  int16_t status;
};

// The library's own exports beside the four entry points (C functions named RECWBTRV_COUNT,
// RECWBTRV_AT, RECWBTRV_CLEAR and RECWBTRV_INJECT).
using RecordedCallCountFn = unsigned (*)();
using RecordedCallAtFn = bool (*)(unsigned index, RecordedCall* call);
using RecordedCallsClearFn = void (*)();
// The next call with this operation code answers the status without reaching the record manager.
using InjectStatusFn = void (*)(uint16_t op, int16_t status);
