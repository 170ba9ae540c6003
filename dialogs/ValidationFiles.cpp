#include "dialogs/ValidationFiles.h"

#include "core/Globals.h"
#include "framework/base/Clock.h"
#include "framework/ui/Application.h"
#include "platform/os/Files.h"
#include "platform/os/Paths.h"
#include "platform/os/Process.h"

namespace {

constexpr std::uint64_t kUnzipWaitMs = 60000;
constexpr std::uint64_t kEndingWaitMs = 2000;
constexpr std::uint32_t kPollMs = 20;
// What a start that failed answers; the exit codes of a shell reach 255 at most.
constexpr std::uint32_t kNotStarted = 9009;

AnsiString inFolder(const AnsiString& folder, const char* name) { return folder + "\\" + name; }

// Waits for the child to end for at most ms on the framework's clock, the messages running when asked.
bool waitForEnd(qn::os::ChildProcess& child, std::uint64_t ms, bool messages) {
  const std::uint64_t start = qn::clock().milliseconds();
  while (child.exitCode() == qn::os::STILL_ACTIVE) {
    if (qn::clock().milliseconds() - start >= ms) return false;
    if (messages) {
      Application->ProcessMessages();
      if (Application->Terminated()) return false;
    }
    qn::clock().sleep(kPollMs);
  }
  return true;
}

}  // namespace

bool HoldsAllValidationFiles(const AnsiString& Folder) {
  for (const char* name : ValidationFileNames)
    if (!qn::os::fileExists(inFolder(Folder, name))) return false;
  return true;
}

bool HoldsTransactionFiles(const AnsiString& Folder) {
  return qn::os::fileExists(inFolder(Folder, "Fee.qf")) || qn::os::fileExists(inFolder(Folder, "Bill.qf"));
}

bool CopyValidationFiles(const AnsiString& From, const AnsiString& Target) {
  for (const char* name : ValidationFileNames)
    if (!qn::os::copyFile(inFolder(From, name), inFolder(Target, name), false)) return false;
  return true;
}

AnsiString UnzipProgramFile() { return ProgramDir + "\\pkunzip"; }

std::uint32_t RunUnzip(const AnsiString& ZipFile, const AnsiString& Target) {
  // The names go to the program as they are, one argument each: no shell splits them again.
  auto child = qn::os::startProcess(ProgramDir + "\\PKUNZIP",
                                    {"-o", qn::os::resolvePath(ZipFile), qn::os::resolvePath(Target)});
  if (!child) return kNotStarted;
  if (!waitForEnd(*child, kUnzipWaitMs, true)) {
    if (child->terminate() && !waitForEnd(*child, kEndingWaitMs, false)) child->kill();
    waitForEnd(*child, kEndingWaitMs, false);
    return qn::os::STILL_ACTIVE;
  }
  return child->exitCode().value_or(kNotStarted);
}
