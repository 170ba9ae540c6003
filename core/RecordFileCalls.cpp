#include "core/RecordFileCalls.h"

#include <algorithm>
#include <cstring>

#include "framework/base/Exception.h"
#include "framework/base/IntegerText.h"
#include "framework/base/Tick.h"
#include "framework/ui/Dialogs.h"
#include "recordmgr/BtrieveEngine.h"
#include "recordmgr/BtrieveError.h"
#include "recordmgr/EngineError.h"

namespace qn::core::recordfiles {
namespace {

// Long enough not to hammer the record manager, short enough that a released lock is seen at once.
constexpr uint32_t kRetryPause = 5;

}  // namespace

uint16_t loadRecordManager() {
  if (RecordEngineLoaded) return 0;
  const uint16_t status = LoadBtrieveEngine("", "wbtrv32.dll");
  RecordEngineLoaded = status == 0 || status == 1016;
  return status;
}

TWinBtr& checkedCallObject(uint8_t fileNo) {
  if (!RecordEngineLoaded) throw EAbort("WBTRV32.DLL is not loaded!");
  RecordFileSlot& s = slot(fileNo);
  if (!s.CallObject) throw EAbort("Filenumber is not valid!");
  return *s.CallObject;
}

void checkBuffer(const AnsiString& buffer) {
  if (buffer.empty()) throw EAbort("Databuffer is invalid!");
}

int16_t statusOf(TWinBtr& file, const std::function<void()>& call) {
  try {
    call();
  } catch (const EKorvoEngineError&) {
    // The status is what the layer reports; the call object's exception only carries it.
  }
  return file.Status;
}

int16_t callStatus(TWinBtr& file, uint16_t op, void* buffer, uint16_t length) {
  return statusOf(file, [&] { file.CallOp(op, buffer, length); });
}

int16_t readWholeRecord(TWinBtr& file, uint16_t op, AnsiString& record, uint32_t position) {
  AnsiString read(std::max<size_t>(file.BufferSize, sizeof position), '\0');
  std::memcpy(read.data(), &position, sizeof position);
  const int16_t status = callStatus(file, op, read.data(), file.BufferSize);
  if (status == 0) record = read.substr(0, file.BufferSize);
  return status;
}

int16_t readRecord(RecordFileSlot& s, uint16_t op, AnsiString& buffer, uint32_t position) {
  AnsiString record;
  const int16_t status = readWholeRecord(*s.CallObject, op, record, position);
  if (status != 0) return status;
  std::memcpy(buffer.data(), record.data(), std::min(buffer.size(), record.size()));
  if (op >= SingleLockBias)
    s.UnlockedImage.reset();
  else
    s.UnlockedImage = std::move(record);
  return status;
}

AnsiString statusLine(int16_t status) {
  return "Btrieve status " + IntToStr(status) + ".\r" + BtrieveStatusText(status);
}

void pauseBeforeRetry() { Sleep(kRetryPause); }

int16_t retryWhileLocked(const std::function<int16_t()>& call) {
  uint32_t start = GetTickCount();
  int16_t status = call();
  while (isLockStatus(status)) {
    if (GetTickCount() - start >= LockRetryInterval) {
      if (MessageDlg("A record lock was encountered.  Retry?", mtConfirmation, {mbYes, mbNo}, 0) != mrYes)
        throw EAbort("A record lock was encountered.");
      start = GetTickCount();
    } else {
      pauseBeforeRetry();
    }
    status = call();
  }
  return status;
}

}  // namespace qn::core::recordfiles
