#include "platform/sqlif/RecordManagerLink.h"

#include <dlfcn.h>

#include <array>

namespace qn::sqlif {

namespace {

constexpr int16_t kInactive = 20;
constexpr uint16_t kStop = 25;
constexpr std::array<uint8_t, 16> kClientId = {'S', 'Q', 'L', 'I', 'F', 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 1};

}  // namespace

std::string libraryFolder() {
  Dl_info info{};
  if (dladdr(reinterpret_cast<void*>(&libraryFolder), &info) == 0 || info.dli_fname == nullptr) return ".";
  const std::string file = info.dli_fname;
  const size_t slash = file.find_last_of('/');
  return slash == std::string::npos ? "." : file.substr(0, slash);
}

RecordManagerLink& RecordManagerLink::instance() {
  static RecordManagerLink link;
  return link;
}

bool RecordManagerLink::start() {
  if (library_ == nullptr) {
    const std::string path = libraryFolder() + "/libwbtrv32.so";
    void* handle = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (handle == nullptr) return false;
    callId_ = reinterpret_cast<CallId>(dlsym(handle, "BTRCALLID"));
    init_ = reinterpret_cast<Init>(dlsym(handle, "WBTRVINIT"));
    if (callId_ == nullptr || init_ == nullptr) {
      dlclose(handle);
      return false;
    }
    library_ = handle;
  }
  // 1016: the driver started it already, which is all this interface needs.
  init_("");
  return true;
}

void RecordManagerLink::stopClient() {
  if (library_ == nullptr) return;
  uint16_t length = 0;
  callId_(kStop, nullptr, nullptr, &length, nullptr, 0, 0, kClientId.data());
}

int16_t RecordManagerLink::call(uint16_t operation, void* positionBlock, void* data, uint16_t* dataLength, void* key,
                                int8_t keyNumber) const {
  if (callId_ == nullptr) return kInactive;
  return callId_(operation, positionBlock, data, dataLength, key, 255, keyNumber, kClientId.data());
}

}  // namespace qn::sqlif
