#include "recordmgr/BtrieveEngine.h"

#include <dlfcn.h>
#include <unistd.h>

#include <atomic>
#include <cctype>
#include <filesystem>
#include <mutex>
#include <string>

#include "recordmgr/BtrieveConstants.h"

namespace {

using BtrCallFn = int16_t (*)(uint16_t, void*, void*, uint16_t*, void*, uint8_t, int8_t);
using BtrCallIdFn = int16_t (*)(uint16_t, void*, void*, uint16_t*, void*, uint8_t, int8_t, const uint8_t*);
using InitFn = uint16_t (*)(const char*);
using StopFn = uint16_t (*)();

constexpr int16_t kInactive = 20;

std::mutex loadLock;
void* library = nullptr;  // kept for the life of the process once loaded
InitFn initEntry = nullptr;
StopFn stopEntry = nullptr;
bool started = false;  // started and not stopped since
// Read by the record calls without the lock.
std::atomic<BtrCallFn> callEntry{nullptr};
std::atomic<BtrCallIdFn> callIdEntry{nullptr};

std::filesystem::path programFolder() {
  std::error_code error;
  return std::filesystem::read_symlink("/proc/self/exe", error).parent_path();
}

bool endsWithDll(const std::string& name) {
  if (name.size() < 4) return false;
  std::string tail = name.substr(name.size() - 4);
  for (char& c : tail) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return tail == ".dll";
}

// The library the program's name stands for: the program folder's copy first, then the
// system's library search.
void* openLibrary(std::string name) {
  if (name.empty()) name = DefaultEngineLibrary;
  const int flags = RTLD_NOW | RTLD_LOCAL;
  if (!endsWithDll(name) || name.find_first_of("/\\") != std::string::npos) return dlopen(name.c_str(), flags);

  std::string base = name.substr(0, name.size() - 4);
  for (char& c : base) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  const std::string file = "lib" + base + ".so";
  const std::filesystem::path beside = programFolder() / file;
  if (access(beside.c_str(), F_OK) == 0)
    if (void* handle = dlopen(beside.c_str(), flags)) return handle;
  return dlopen(file.c_str(), flags);
}

bool loadLibrary(const char* libraryName) {
  void* handle = openLibrary(libraryName ? libraryName : "");
  if (handle == nullptr) return false;
  auto call = reinterpret_cast<BtrCallFn>(dlsym(handle, "BTRCALL"));
  auto callId = reinterpret_cast<BtrCallIdFn>(dlsym(handle, "BTRCALLID"));
  auto init = reinterpret_cast<InitFn>(dlsym(handle, "WBTRVINIT"));
  auto stop = reinterpret_cast<StopFn>(dlsym(handle, "WBTRVSTOP"));
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
  BtrCallFn call = callEntry.load();
  if (call == nullptr) return kInactive;
  return call(op, posBlock, dataBuf, dataLen, keyBuf, keyLen, keyNum);
}

int16_t CallBtrieveId(uint16_t op, void* posBlock, void* dataBuf, uint16_t* dataLen, void* keyBuf, uint8_t keyLen,
                      int8_t keyNum, const uint8_t* clientId) {
  BtrCallIdFn call = callIdEntry.load();
  if (call == nullptr) return kInactive;
  return call(op, posBlock, dataBuf, dataLen, keyBuf, keyLen, keyNum, clientId);
}
