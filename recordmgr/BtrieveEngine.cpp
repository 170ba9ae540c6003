#include "recordmgr/BtrieveEngine.h"

#include <dlfcn.h>

#include <atomic>
#include <mutex>
#include <string>

#include "recordmgr/BtrieveConstants.h"
#include "recordmgr/EngineEntryPoints.h"
#include "framework/base/UnitLifecycle.h"
#include "recordmgr/ProgramLibrary.h"

namespace {

constexpr int16_t kInactive = 20;

std::mutex loadLock;
void* library = nullptr;  // kept for the life of the process once loaded
WbtrvInitEntry initEntry = nullptr;
WbtrvStopEntry stopEntry = nullptr;
bool started = false;  // started and not stopped since
// Read by the record calls without the lock.
std::atomic<BtrCallEntry> callEntry{nullptr};
std::atomic<BtrCallIdEntry> callIdEntry{nullptr};

bool loadLibrary(const char* libraryName) {
  const std::string name = libraryName && *libraryName ? libraryName : DefaultEngineLibrary;
  void* handle = OpenProgramLibrary(name);
  if (handle == nullptr) return false;
  auto call = reinterpret_cast<BtrCallEntry>(dlsym(handle, "BTRCALL"));
  auto callId = reinterpret_cast<BtrCallIdEntry>(dlsym(handle, "BTRCALLID"));
  auto init = reinterpret_cast<WbtrvInitEntry>(dlsym(handle, "WBTRVINIT"));
  auto stop = reinterpret_cast<WbtrvStopEntry>(dlsym(handle, "WBTRVSTOP"));
  if (!call || !callId || !init || !stop) {
    // Nothing of it was handed out, so it can go again.
    dlclose(handle);
    return false;
  }
  library = handle;
  initEntry = init;
  stopEntry = stop;
  callEntry.store(call);
  callIdEntry.store(callId);
  return true;
}

// Every unit that holds record-manager clients or files names this one, so the record manager
// stops after they have let go of them.
UnitRegistration unit("recordmgr/BtrieveEngine", {}, {}, [] { UnloadBtrieveEngine(); });

}  // namespace

uint16_t LoadBtrieveEngine(const char* initText, const char* libraryName) {
  std::lock_guard<std::mutex> guard(loadLock);
  if (library == nullptr && !loadLibrary(libraryName)) return kInactive;
  const uint16_t status = initEntry(initText ? initText : "");
  started = true;
  return status;
}

uint16_t UnloadBtrieveEngine() {
  std::lock_guard<std::mutex> guard(loadLock);
  if (library == nullptr || !started) return 0;
  started = false;
  return stopEntry();
}

int16_t CallBtrieve(uint16_t op, void* posBlock, void* dataBuf, uint16_t* dataLen, void* keyBuf, uint8_t keyLen,
                    int8_t keyNum) {
  BtrCallEntry call = callEntry.load();
  if (call == nullptr) return kInactive;
  return call(op, posBlock, dataBuf, dataLen, keyBuf, keyLen, keyNum);
}

int16_t CallBtrieveId(uint16_t op, void* posBlock, void* dataBuf, uint16_t* dataLen, void* keyBuf, uint8_t keyLen,
                      int8_t keyNum, const uint8_t* clientId) {
  BtrCallIdEntry call = callIdEntry.load();
  if (call == nullptr) return kInactive;
  return call(op, posBlock, dataBuf, dataLen, keyBuf, keyLen, keyNum, clientId);
}
