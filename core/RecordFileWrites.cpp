// The writes and the physical positions of the record-file layer (RecordFiles.h).
#include <limits>

#include "core/RecordFileCalls.h"
#include "core/RecordFiles.h"
#include "framework/base/Exception.h"

using namespace qn::core::recordfiles;

namespace {

constexpr uint16_t kInsert = 2, kUpdate = 3, kGetPosition = 22, kGetDirect = 23;
constexpr int16_t kInvalidRecordLength = 28;
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
}

// Retries a write while the record is locked; any other failure raises with the write's own
// opening line.
void writeWithRetry(const std::function<int16_t()>& write, const char* failure) {
  const int16_t status = retryWhileLocked(write);
  if (status != 0) throw EAbort(failure + ("\r" + statusLine(status)));
}

}  // namespace

void InsertRecord(uint8_t fileNo, const AnsiString& data) { insert(fileNo, AnsiString(kAutoKeySize, '\0') + data); }

void InsertRawRecord(uint8_t fileNo, const AnsiString& data) { insert(fileNo, data); }

void UpdateRecord(uint8_t fileNo, const AnsiString& data, AnsiString& buffer) {
  TWinBtr& file = checkedCallObject(fileNo);
  if (buffer.size() < kAutoKeySize) throw EAbort("Databuffer is invalid!");
  AnsiString record = buffer.substr(0, kAutoKeySize) + data;
  writeWithRetry([&] { return writeStatus(file, kUpdate, record); }, "This record could not be updated.");
}

void DeleteRecord(uint8_t fileNo) {
  TWinBtr& file = checkedCallObject(fileNo);
  writeWithRetry([&] { return statusOf(file, [&] { file.Delete(); }); }, "This record could not be deleted.");
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
  TWinBtr& file = checkedCallObject(fileNo);
  checkBuffer(buffer);
  const int16_t status = readRecord(file, kGetDirect, buffer, position);
  if (status != 0) throw EAbort("Physical location invalid.\r" + statusLine(status));
}

void GotoBookmark(uint8_t fileNo, AnsiString& buffer) {
  TWinBtr& file = checkedCallObject(fileNo);
  checkBuffer(buffer);
  const uint32_t bookmark = slot(fileNo).Bookmark;
  if (bookmark == 0) throw EAbort("No bookmark was set for this file.");
  const int16_t status = readRecord(file, kGetDirect, buffer, bookmark);
  if (status != 0) throw EAbort("Unable to return to bookmark.\r" + statusLine(status));
}
