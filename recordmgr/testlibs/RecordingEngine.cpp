// A pass-through record manager for tests: it records every call that reaches it and forwards
// the call to the real record manager (libwbtrv32.so beside it), so a test sees exactly what the
// call object sends. A test may also have one call answer a status of its choosing, for failures
// the record manager cannot be brought to. Loaded through the library name "RECWBTRV.DLL".
#include <dlfcn.h>

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <mutex>
#include <vector>

#include "recordmgr/EngineEntryPoints.h"
#include "recordmgr/testlibs/RecordedCall.h"

#define EXPORT extern "C" __attribute__((visibility("default")))

namespace {

struct Engine {
  BtrCallEntry call = nullptr;
  BtrCallIdEntry callId = nullptr;
  WbtrvInitEntry init = nullptr;
  WbtrvStopEntry stop = nullptr;
};

std::mutex logLock;
std::vector<RecordedCall> calls;
struct Injected {
  uint16_t op;
  int16_t status;
};
std::vector<Injected> injected;

// The status a test injected for this operation, taken once.
bool takeInjected(uint16_t op, int16_t& status) {
  std::lock_guard<std::mutex> guard(logLock);
  for (auto it = injected.begin(); it != injected.end(); ++it) {
    if (it->op != op) continue;
    status = it->status;
    injected.erase(it);
    return true;
  }
  return false;
}

const Engine& engine() {
  static const Engine loaded = [] {
    Engine e;
    Dl_info self{};
    dladdr(reinterpret_cast<void*>(&engine), &self);
    const auto path = std::filesystem::path(self.dli_fname).parent_path() / "libwbtrv32.so";
    void* handle = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (handle == nullptr) return e;
    e.call = reinterpret_cast<BtrCallEntry>(dlsym(handle, "BTRCALL"));
    e.callId = reinterpret_cast<BtrCallIdEntry>(dlsym(handle, "BTRCALLID"));
    e.init = reinterpret_cast<WbtrvInitEntry>(dlsym(handle, "WBTRVINIT"));
    e.stop = reinterpret_cast<WbtrvStopEntry>(dlsym(handle, "WBTRVSTOP"));
    return e;
  }();
  return loaded;
}

constexpr int16_t kInactive = 20;

void record(const RecordedCall& call) {
  std::lock_guard<std::mutex> guard(logLock);
  calls.push_back(call);
}

RecordedCall begin(RecordedEntry entry, uint16_t op, const void* data, const uint16_t* dataLen, const void* key,
                   uint8_t keyLen, int8_t keyNum, const uint8_t* clientId) {
  RecordedCall call{};
  call.entry = entry;
  call.op = op;
  call.dataLengthIn = dataLen ? *dataLen : 0;
  call.keyLength = keyLen;
  call.keyNumber = keyNum;
  if (clientId) std::memcpy(call.clientId, clientId, sizeof call.clientId);
  if (data) std::memcpy(call.dataHead, data, std::min<size_t>(call.dataLengthIn, sizeof call.dataHead));
  // Open and create take the caller's path text there, which may be shorter than the copy.
  if (key && op != 0 && op != 14) std::memcpy(call.keyHead, key, sizeof call.keyHead);
  return call;
}

}  // namespace

EXPORT int16_t BTRCALL(uint16_t op, void* pos, void* data, uint16_t* dataLen, void* key, uint8_t keyLen,
                       int8_t keyNum) {
  RecordedCall call = begin(RecordedEntry::Call, op, data, dataLen, key, keyLen, keyNum, nullptr);
  if (!takeInjected(op, call.status))
    call.status = engine().call ? engine().call(op, pos, data, dataLen, key, keyLen, keyNum) : kInactive;
  call.dataLengthOut = dataLen ? *dataLen : 0;
  record(call);
  return call.status;
}

EXPORT int16_t BTRCALLID(uint16_t op, void* pos, void* data, uint16_t* dataLen, void* key, uint8_t keyLen,
                         int8_t keyNum, const uint8_t* clientId) {
  RecordedCall call = begin(RecordedEntry::CallId, op, data, dataLen, key, keyLen, keyNum, clientId);
  if (!takeInjected(op, call.status))
    call.status =
        engine().callId ? engine().callId(op, pos, data, dataLen, key, keyLen, keyNum, clientId) : kInactive;
  call.dataLengthOut = dataLen ? *dataLen : 0;
  record(call);
  return call.status;
}

EXPORT uint16_t WBTRVINIT(const char* initText) {
  RecordedCall call{};
  call.entry = RecordedEntry::Init;
  call.status = static_cast<int16_t>(engine().init ? engine().init(initText) : kInactive);
  record(call);
  return static_cast<uint16_t>(call.status);
}

EXPORT uint16_t WBTRVSTOP() {
  RecordedCall call{};
  call.entry = RecordedEntry::Stop;
  call.status = static_cast<int16_t>(engine().stop ? engine().stop() : kInactive);
  record(call);
  return static_cast<uint16_t>(call.status);
}

EXPORT unsigned RECWBTRV_COUNT() {
  std::lock_guard<std::mutex> guard(logLock);
  return static_cast<unsigned>(calls.size());
}

EXPORT bool RECWBTRV_AT(unsigned index, RecordedCall* call) {
  std::lock_guard<std::mutex> guard(logLock);
  if (index >= calls.size()) return false;
  *call = calls[index];
  return true;
}

EXPORT void RECWBTRV_CLEAR() {
  std::lock_guard<std::mutex> guard(logLock);
  calls.clear();
  injected.clear();
}

EXPORT void RECWBTRV_INJECT(uint16_t op, int16_t status) {
  std::lock_guard<std::mutex> guard(logLock);
  injected.push_back({op, status});
}
