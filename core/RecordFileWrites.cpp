// The writes and the physical positions of the record-file layer (RecordFiles.h).
#include <limits>

#include "core/RecordFileCalls.h"
#include "core/RecordFiles.h"
#include "framework/base/Exception.h"

using namespace qn::core::recordfiles;

const char* const ChangedAtAnotherWorkstation =
    "This record was changed at another workstation since it was read.\r\rRead it again and repeat your change.";

namespace {

constexpr uint16_t kInsert = 2, kUpdate = 3, kGetPosition = 22, kGetDirect = 23, kUnlock = 27;
constexpr int16_t kInvalidRecordLength = 28, kInvalidRecordAddress = 43;
constexpr size_t kAutoKeySize = 4;

// The record manager takes a record's length in 16 bits: a longer record is refused with the
// invalid record length status instead of reaching it cut short.
int16_t writeStatus(TWinBtr& file, uint16_t op, AnsiString& record) {
  if (record.size() > std::numeric_limits<uint16_t>::max()) return kInvalidRecordLength;
  return callStatus(file, op, record.data(), static_cast<uint16_t>(record.size()));
}

void insert(uint8_t fileNo, AnsiString record) {
  TWinBtr& file = checkedCallObject(fileNo);
  const int16_t status = writeStatus(file, kInsert, record);
  if (status != 0) throw EAbort("This record could not be written.\r" + statusLine(status));
  slot(fileNo).UnlockedImage.reset();  // the new record is current, as this slot wrote it
}

void unlock(TWinBtr& file, uint32_t position) { callStatus(file, kUnlock, &position, sizeof position); }

// A write that rests on an unlocked read would put back what another workstation changed
// meanwhile: the record is read again with a lock and compared with what the slot read. Answers
// the position locked for the write; 0 when the slot's read needs no check (or there is no
// current record, which the write itself reports).
uint32_t lockUnchangedRecord(RecordFileSlot& s, const char* failure) {
  if (!s.UnlockedImage) return 0;
  TWinBtr& file = *s.CallObject;
  uint32_t position = 0;
  if (callStatus(file, kGetPosition, &position, sizeof position) != 0) return 0;
  AnsiString stored;
  const int16_t status =
      retryWhileLocked([&] { return readWholeRecord(file, kGetDirect + SingleLockBias, stored, position); });
  if (status == kInvalidRecordAddress) throw EAbort(ChangedAtAnotherWorkstation);
  if (status != 0) throw EAbort(failure + ("\r" + statusLine(status)));
  if (stored != *s.UnlockedImage) {
    unlock(file, position);
    throw EAbort(ChangedAtAnotherWorkstation);
  }
  return position;
}

// Retries a write while the record is locked; any other failure raises with the write's own
// opening line. A write after an unlocked read is checked first; once written, the record is the
// slot's own.
void writeWithRetry(uint8_t fileNo, const std::function<int16_t()>& write, const char* failure) {
  RecordFileSlot& s = slot(fileNo);
  const uint32_t locked = lockUnchangedRecord(s, failure);
  const int16_t status = retryWhileLocked(write);
  if (status != 0) {
    if (locked != 0) unlock(*s.CallObject, locked);
    throw EAbort(failure + ("\r" + statusLine(status)));
  }
  s.UnlockedImage.reset();
}

}  // namespace

void InsertRecord(uint8_t fileNo, const AnsiString& data) { insert(fileNo, AnsiString(kAutoKeySize, '\0') + data); }

void InsertRawRecord(uint8_t fileNo, const AnsiString& data) { insert(fileNo, data); }

void UpdateRecord(uint8_t fileNo, const AnsiString& data, AnsiString& buffer) {
  TWinBtr& file = checkedCallObject(fileNo);
  if (buffer.size() < kAutoKeySize) throw EAbort("Databuffer is invalid!");
  AnsiString record = buffer.substr(0, kAutoKeySize) + data;
  writeWithRetry(fileNo, [&] { return writeStatus(file, kUpdate, record); }, "This record could not be updated.");
}

void DeleteRecord(uint8_t fileNo) {
  TWinBtr& file = checkedCallObject(fileNo);
  writeWithRetry(fileNo, [&] { return statusOf(file, [&] { file.Delete(); }); }, "This record could not be deleted.");
}

int SaveBookmark(uint8_t fileNo, AnsiString& buffer) {
  TWinBtr& file = checkedCallObject(fileNo);
  checkBuffer(buffer);
  RecordFileSlot& s = slot(fileNo);
  if (file.IsOpen) {
    // The position comes back in a buffer of its own, so the caller's record stays as it was.
    uint32_t position = 0;
    const int16_t status = callStatus(file, kGetPosition, &position, sizeof position);
    if (status != 0) throw EAbort("A bookmark could not be established.\r" + statusLine(status));
    s.Bookmark = position;
  }
  return static_cast<int>(s.Bookmark);
}

void GotoPosition(uint8_t fileNo, AnsiString& buffer, uint32_t position) {
  checkedCallObject(fileNo);
  checkBuffer(buffer);
  const int16_t status = readRecord(slot(fileNo), kGetDirect, buffer, position);
  if (status != 0) throw EAbort("Physical location invalid.\r" + statusLine(status));
}

void GotoBookmark(uint8_t fileNo, AnsiString& buffer) {
  checkedCallObject(fileNo);
  checkBuffer(buffer);
  const uint32_t bookmark = slot(fileNo).Bookmark;
  if (bookmark == 0) throw EAbort("No bookmark was set for this file.");
  const int16_t status = readRecord(slot(fileNo), kGetDirect, buffer, bookmark);
  if (status != 0) throw EAbort("Unable to return to bookmark.\r" + statusLine(status));
}
