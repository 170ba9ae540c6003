// The reads of the record-file layer (RecordFiles.h). Every read goes into a buffer of the
// file's record length and copies what fits into the caller's buffer; the slot keeps what an
// unlocked read read, for the check before a write.
#include <algorithm>
#include <cstring>

#include "core/RecordFileCalls.h"
#include "core/RecordFiles.h"
#include "framework/base/Exception.h"

using namespace qn::core::recordfiles;

namespace {

constexpr uint16_t kGetEqual = 5, kGetNext = 6, kGetGreater = 8, kGetGreaterOrEqual = 9, kGetLess = 10,
                   kGetLessOrEqual = 11, kGetFirst = 12;
constexpr int16_t kNotFound = 4, kEndOfFile = 9, kNotOpen = 3;

// A read by the current key with the key text as key value.
int16_t readByKey(uint8_t fileNo, uint16_t op, const AnsiString& key, AnsiString& buffer) {
  RecordFileSlot& s = slot(fileNo);
  TWinBtr& file = *s.CallObject;
  std::memset(file.KeyBuffer, 0, TWinBtr::KeyBufferSize);
  std::memcpy(file.KeyBuffer, key.data(), std::min<size_t>(key.size(), TWinBtr::KeyBufferSize));
  return readRecord(s, op, buffer);
}

void positionalRead(uint8_t fileNo, uint16_t op, AnsiString& buffer, bool& eof, uint8_t lock) {
  checkedCallObject(fileNo);
  checkBuffer(buffer);
  const uint16_t biased = static_cast<uint16_t>(op + SingleLockBias * (lock & 127));
  const int16_t status = retryWhileLocked([&] { return readRecord(slot(fileNo), biased, buffer); });
  eof = status == kEndOfFile;
  if (status != 0 && status != kEndOfFile)
    throw EAbort("A record could not be read from the file.\r\r" + statusLine(status));
}

[[noreturn]] void cannotLocate(int16_t status) {
  throw EAbort("A record could not be located in the file.\r\r" + statusLine(status));
}

}  // namespace

void GetFirstRecord(uint8_t fileNo, AnsiString& buffer, bool& eof, uint8_t lock) {
  positionalRead(fileNo, kGetFirst, buffer, eof, lock);
}

void GetNextRecord(uint8_t fileNo, AnsiString& buffer, bool& eof, uint8_t lock) {
  positionalRead(fileNo, kGetNext, buffer, eof, lock);
}

bool GetEqualRecord(uint8_t fileNo, const AnsiString& key, AnsiString& buffer, bool lock) {
  TWinBtr& file = checkedCallObject(fileNo);
  checkBuffer(buffer);
  if (!file.IsOpen) cannotLocate(kNotOpen);
  const uint16_t op = lock ? kGetEqual + SingleLockBias : kGetEqual;
  const int16_t status = retryWhileLocked([&] { return readByKey(fileNo, op, key, buffer); });
  if (status == 0) return true;
  if (status == kNotFound || status == kEndOfFile) return false;
  cannotLocate(status);
}

bool FindRecord(uint8_t fileNo, const AnsiString& key, AnsiString& buffer, bool& eof, int comparison) {
  TWinBtr& file = checkedCallObject(fileNo);
  checkBuffer(buffer);
  static constexpr uint16_t kOps[] = {kGetEqual, kGetGreater, kGetLess, kGetGreaterOrEqual, kGetLessOrEqual};
  if (comparison < 0 || comparison > 4) return false;
  if (!file.IsOpen) cannotLocate(kNotOpen);
  const int16_t status = readByKey(fileNo, kOps[comparison], key, buffer);
  if (status == kEndOfFile) eof = true;
  if (status == 0) return true;
  if (status == kNotFound || status == kEndOfFile || isLockStatus(status)) return false;
  cannotLocate(status);
}
