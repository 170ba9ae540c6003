// Record locks met while a fee, bill or transaction description is changed: a silent retry within
// a window, then the user's choice between trying again and giving up.
#include "core/Constants.h"
#include "core/DM.h"
#include "core/MessageBoxes.h"
#include "framework/base/Tick.h"
#include "framework/ui/Dialogs.h"

std::uint32_t LockRetryWindow = 0;
AnsiString LockRetryMessage;

namespace {

constexpr std::int32_t StaleDistance = 20000;
constexpr std::uint32_t DefaultInterval = 5000;
// Between two silent tries: long enough not to hammer the file, short enough to go unnoticed.
constexpr std::uint32_t RetryPause = 5;
const AnsiString LockStatusPrefix = "Btrieve Status 84";
const AnsiString GeneralRetryNote = "(or associated fee or cost transactions as needed).";

// How far the deadline lies ahead of now (negative: passed), across the tick count's wrap.
std::int32_t untilDeadline() { return static_cast<std::int32_t>(LockRetryDeadline - GetTickCount()); }

// The question for a general retry message names the file being altered.
AnsiString question(const TDataSet* dataSet) {
  const auto general = LockRetryMessage.find(GeneralRetryNote);
  if (general == AnsiString::npos) return LockRetryMessage;
  const AnsiString file = dataSet->Name() == "Bill_" ? "BILL.QF" : "FEE.QF";
  const auto youMay = LockRetryMessage.find("You may");
  const AnsiString rest = youMay == AnsiString::npos ? AnsiString() : LockRetryMessage.substr(youMay, 400);
  return "A record lock was encountered while Quillon was attempting to alter a record in " + file + ".\r\r" + rest;
}

}  // namespace

void TDM::StartLockRetry(std::uint32_t interval, const AnsiString& message) {
  // Kept, so a Retry answer waits as long again as the window this delete started.
  LockRetryWindow = interval;
  LockRetryMessage = message;
  LockRetryDeadline = GetTickCount() + interval;
}

void TDM::Fee_EditError(TDataSet* DataSet, EDatabaseError& E, TDataAction& Action) {
  try {
    const std::int32_t ahead = untilDeadline();
    if (ahead > StaleDistance || ahead < -StaleDistance) {
      if (LockRetryWindow == 0) LockRetryWindow = DefaultInterval;
      StartLockRetry(LockRetryWindow, "A record lock was encountered.");
    }
    // Only a lock is worth waiting for: any other failure would fail the same way again.
    if (E.Message().compare(0, LockStatusPrefix.size(), LockStatusPrefix) != 0) {
      Action = daAbort;
      ShowErrorBox("An error was encountered while attempting to modify data in\r" + DataSet->Name() + ".\r\r" +
                   E.Message() + CallSupportText + "\r" + DataSet->Name());
      return;
    }
    if (untilDeadline() > 0) {
      Sleep(RetryPause);
      Action = daRetry;
      return;
    }
    if (MessageDlg(question(DataSet), mtInformation, {mbRetry, mbCancel}, 0) == mrRetry) {
      LockRetryDeadline = GetTickCount() + LockRetryWindow;
      Action = daRetry;
    } else {
      // The user gave up the change of the table that met the lock; a pending change of another
      // table (a fee edited beside the bill that failed) is still the user's and stays.
      Action = daAbort;
      DataSet->Cancel();
    }
  } catch (const std::exception& e) {
    ShowErrorBox(AnsiString(e.what()) + "\r" + DataSet->Name());
  }
}

void TDM::Fee_BeforeEdit(TDataSet*) { Fee_->Cancel(); }
void TDM::Fee_BeforeInsert(TDataSet*) { Fee_->Cancel(); }
