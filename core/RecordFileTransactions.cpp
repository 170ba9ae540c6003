// The record-manager transactions of the record-file layer (RecordFiles.h). A transaction covers
// every file of the layer's client; it is begun through the first slot with a call object.
#include "core/RecordFileCalls.h"
#include "core/RecordFiles.h"
#include "framework/base/Exception.h"
#include "framework/base/IntegerText.h"
#include "recordmgr/BtrieveError.h"

using namespace qn::core::recordfiles;

void BeginFileTransaction() {
  TransactionFileNumber = -1;
  int first = 0;
  while (first < RecordFileSlotCount && !slot(first).CallObject) ++first;
  if (first == RecordFileSlotCount)
    throw EAbort("No files are currently opened.\r\rYou must have a file open to begin a transaction.");
  // Recorded before the begin: when the begin fails because a transaction runs already, the end
  // still reaches that one.
  TransactionFileNumber = static_cast<int16_t>(first);
  TWinBtr& file = *slot(first).CallObject;
  try {
    file.BeginTransaction(true);
  } catch (const EBtrieveEngineError& e) {
    throw EAbort("Unable to start a transaction.\r" + statusLine(static_cast<int16_t>(e.BtrieveStatus())));
  } catch (const Exception& e) {
    throw EAbort("Unable to start a transaction.\r\r" + e.Message());
  }
}

namespace {

// End or abort of the running transaction; afterwards no transaction is recorded, whatever the
// outcome.
void finishTransaction(const AnsiString& failure, void (TWinBtr::*finish)()) {
  const int16_t fileNo = TransactionFileNumber;
  TransactionFileNumber = -1;
  if (fileNo == -1) throw EAbort(failure + "\r\rNo active transaction!");
  RecordFileSlot& s = slot(static_cast<uint8_t>(fileNo));
  if (!s.CallObject) throw EAbort(failure + "\r\rUnable to access file object");
  TWinBtr& file = *s.CallObject;
  const int16_t status = statusOf(file, [&] { (file.*finish)(); });
  if (status != 0) throw EAbort(failure + "\rBtrieve status " + IntToStr(status) + ".");
}

}  // namespace

void EndFileTransaction() { finishTransaction("Unable to commit a transaction.", &TWinBtr::EndTransaction); }

void AbortFileTransaction() { finishTransaction("Unable to roll back a transaction.", &TWinBtr::AbortTransaction); }
