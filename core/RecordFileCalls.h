#pragma once
// What the record-file layer's operations share: the checks every operation starts with, the
// call that answers a status instead of raising, the status lines of the messages and the lock
// retry.
#include <cstdint>
#include <functional>

#include "core/RecordFiles.h"
#include "recordmgr/WinBtr.h"

namespace qn::core::recordfiles {

RecordFileSlot& slot(uint8_t fileNo);

// Loads the record manager unless this layer loaded it already; sets RecordEngineLoaded and
// answers the load's status (0 when it was loaded before).
uint16_t loadRecordManager();

// The slot's call object; raises "WBTRV32.DLL is not loaded!" or "Filenumber is not valid!".
TWinBtr& checkedCallObject(uint8_t fileNo);
// Raises "Databuffer is invalid!" for an empty buffer.
void checkBuffer(const AnsiString& buffer);

// The call's status; the call object's exceptions for failing statuses are its status here.
int16_t statusOf(TWinBtr& file, const std::function<void()>& call);
// CallOp with op on buffer and length, as a status.
int16_t callStatus(TWinBtr& file, uint16_t op, void* buffer, uint16_t length);

// The lock bias of a read taking a single-record lock without waiting.
constexpr uint16_t SingleLockBias = 200;

// One read of the whole record into `record`, a buffer of the file's record length whose first 4
// bytes carry `position` (for a read by position); `record` is left as it was when the read fails.
int16_t readWholeRecord(TWinBtr& file, uint16_t op, AnsiString& record, uint32_t position = 0);
// readWholeRecord through the slot's call object; when it succeeds, what fits goes into buffer
// and the slot keeps the record as its unlocked image (a read with a lock bias drops the image).
// A failing read changes neither.
int16_t readRecord(RecordFileSlot& s, uint16_t op, AnsiString& buffer, uint32_t position = 0);

// "Btrieve status N." + CR + the status text.
AnsiString statusLine(int16_t status);

inline bool isLockStatus(int16_t status) { return status == 84 || status == 85; }

// The short wait between two tries of a locked record or file.
void pauseBeforeRetry();

// Repeats call while it answers a lock status, pausing briefly between tries; after
// LockRetryInterval asks the user whether to go on (Yes: another interval; No: raises "A record
// lock was encountered."). Answers the last status.
int16_t retryWhileLocked(const std::function<int16_t()>& call);

}  // namespace qn::core::recordfiles
