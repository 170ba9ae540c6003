#include "recordmgr/tests/RecordingLog.h"

#include <dlfcn.h>

#include <stdexcept>

#include "platform/os/ExecutablePath.h"

namespace recordingtest {

namespace {

void* recordingLibrary() {
  // The same file the loader opened, so the same loaded library and its log.
  static void* handle = dlopen((programFolder() + "/librecwbtrv.so").c_str(), RTLD_NOW | RTLD_LOCAL);
  if (handle == nullptr) throw std::runtime_error("librecwbtrv.so cannot be loaded");
  return handle;
}

template <typename Fn>
Fn exported(const char* name) {
  auto fn = reinterpret_cast<Fn>(dlsym(recordingLibrary(), name));
  if (fn == nullptr) throw std::runtime_error(std::string("librecwbtrv.so lacks ") + name);
  return fn;
}

}  // namespace

std::string programFolder() { return qn::os::runningProgramFolder(); }

std::vector<RecordedCall> recordedCalls() {
  const unsigned count = exported<RecordedCallCountFn>("RECWBTRV_COUNT")();
  auto at = exported<RecordedCallAtFn>("RECWBTRV_AT");
  std::vector<RecordedCall> calls(count);
  for (unsigned i = 0; i < count; ++i) at(i, &calls[i]);
  return calls;
}

std::vector<RecordedCall> recordedOps(uint16_t op) {
  std::vector<RecordedCall> matching;
  for (const RecordedCall& call : recordedCalls())
    if ((call.entry == RecordedEntry::Call || call.entry == RecordedEntry::CallId) && call.op == op)
      matching.push_back(call);
  return matching;
}

void clearRecordedCalls() { exported<RecordedCallsClearFn>("RECWBTRV_CLEAR")(); }

void injectStatus(uint16_t op, int16_t status) { exported<InjectStatusFn>("RECWBTRV_INJECT")(op, status); }

}  // namespace recordingtest
