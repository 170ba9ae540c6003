#pragma once
// The calls the recording library (librecwbtrv.so, loaded as "RECWBTRV.DLL") has seen, read
// through its own exports, and failures injected into it.
#include <string>
#include <vector>

#include "recordmgr/testlibs/RecordedCall.h"

namespace recordingtest {

// The program folder: where the record-manager libraries are built.
std::string programFolder();
// The real record manager has been built beside the tests.
bool engineBuilt();

std::vector<RecordedCall> recordedCalls();
// Only the record calls (BTRCALL and BTRCALLID) with this operation code.
std::vector<RecordedCall> recordedOps(uint16_t op);
void clearRecordedCalls();
void injectStatus(uint16_t op, int16_t status);

}  // namespace recordingtest
