#include "platform/recmgr/tests/RecordManagerApi.h"

#include <dlfcn.h>

#include <cstring>
#include <stdexcept>

#include "platform/os/ExecutablePath.h"

namespace qn::recmgr::testing {

std::string programFolder() { return qn::os::runningProgramFolder(); }

RecordManagerApi::RecordManagerApi() {
  const std::string path = programFolder() + "/libwbtrv32.so";
  library_ = ::dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
  if (!library_) throw std::runtime_error("cannot load " + path + ": " + ::dlerror());
  call_ = reinterpret_cast<decltype(call_)>(::dlsym(library_, "BTRCALL"));
  callId_ = reinterpret_cast<decltype(callId_)>(::dlsym(library_, "BTRCALLID"));
  init_ = reinterpret_cast<decltype(init_)>(::dlsym(library_, "WBTRVINIT"));
  stop_ = reinterpret_cast<decltype(stop_)>(::dlsym(library_, "WBTRVSTOP"));
  if (!call_ || !callId_ || !init_ || !stop_) throw std::runtime_error("an entry point is missing");
}

RecordManagerApi& RecordManagerApi::instance() {
  static RecordManagerApi api;
  return api;
}

int16_t RecordManagerApi::call(uint16_t op, void* positionBlock, void* data, uint16_t* dataLength, void* key,
                               int8_t keyNumber, const ClientId* client) const {
  if (client) return callId_(op, positionBlock, data, dataLength, key, 255, keyNumber, client->data());
  return call_(op, positionBlock, data, dataLength, key, 255, keyNumber);
}

void* RecordManagerApi::symbol(const char* name) const { return ::dlsym(library_, name); }

void putU16(std::string& r, size_t offset, uint16_t v) {
  r[offset] = static_cast<char>(v);
  r[offset + 1] = static_cast<char>(v >> 8);
}

void putU32(std::string& r, size_t offset, uint32_t v) {
  for (int i = 0; i < 4; ++i) r[offset + i] = static_cast<char>(v >> (8 * i));
}

uint32_t getU32(const std::string& b, size_t offset) {
  uint32_t v = 0;
  for (int i = 0; i < 4; ++i) v |= static_cast<uint32_t>(static_cast<uint8_t>(b[offset + i])) << (8 * i);
  return v;
}

std::vector<uint8_t> createSpec(uint16_t recordLength, const std::vector<KeyDef>& keys, uint16_t fileFlags,
                                uint16_t pageSize, const std::vector<std::vector<uint8_t>>& sequences) {
  std::string spec(16, '\0');
  putU16(spec, 0, recordLength);
  putU16(spec, 2, pageSize);
  putU16(spec, 4, static_cast<uint16_t>(keys.size()));
  putU16(spec, 10, fileFlags);
  for (const KeyDef& key : keys) {
    for (size_t i = 0; i < key.size(); ++i) {
      std::string seg(16, '\0');
      putU16(seg, 0, key[i].position);
      putU16(seg, 2, key[i].length);
      putU16(seg, 4, static_cast<uint16_t>(key[i].flags | 0x100 | (i + 1 < key.size() ? 0x10 : 0)));
      seg[10] = static_cast<char>(key[i].type);
      seg[11] = static_cast<char>(key[i].nullValue);
      seg[15] = static_cast<char>(key[i].acs);
      spec += seg;
    }
  }
  for (const auto& s : sequences) spec.append(s.begin(), s.end());
  return {spec.begin(), spec.end()};
}

int16_t createFile(const std::string& path, const std::vector<uint8_t>& spec, int8_t mode) {
  std::array<uint8_t, 128> block{};
  std::vector<uint8_t> data = spec;
  uint16_t length = static_cast<uint16_t>(data.size());
  std::vector<char> key(path.begin(), path.end());
  key.push_back('\0');
  return RecordManagerApi::instance().call(14, block.data(), data.data(), &length, key.data(), mode);
}

OpenFile::~OpenFile() {
  if (open_) close();
}

int16_t OpenFile::open(const std::string& path, int8_t mode, const std::string& owner) {
  std::vector<char> name(path.begin(), path.end());
  name.push_back('\0');
  std::vector<char> ownerBuffer(owner.begin(), owner.end());
  ownerBuffer.push_back('\0');
  uint16_t length = owner.empty() ? 0 : static_cast<uint16_t>(owner.size() + 1);
  int16_t s = RecordManagerApi::instance().call(0, block_.data(), owner.empty() ? nullptr : ownerBuffer.data(),
                                                &length, name.data(), mode, client_);
  open_ = s == 0;
  return s;
}

int16_t OpenFile::close() {
  uint16_t length = 0;
  int16_t s = RecordManagerApi::instance().call(1, block_.data(), nullptr, &length, nullptr, 0, client_);
  if (s == 0) open_ = false;
  return s;
}

int16_t OpenFile::insert(std::string& record, int8_t keyNumber) {
  std::array<char, 256> key{};
  uint16_t length = static_cast<uint16_t>(record.size());
  return RecordManagerApi::instance().call(2, block_.data(), record.data(), &length, key.data(), keyNumber, client_);
}

int16_t OpenFile::update(const std::string& record, int8_t keyNumber) {
  std::string copy = record;
  std::array<char, 256> key{};
  uint16_t length = static_cast<uint16_t>(copy.size());
  return RecordManagerApi::instance().call(3, block_.data(), copy.data(), &length, key.data(), keyNumber, client_);
}

int16_t OpenFile::remove(int8_t keyNumber) {
  std::array<char, 256> key{};
  uint16_t length = 0;
  return RecordManagerApi::instance().call(4, block_.data(), nullptr, &length, key.data(), keyNumber, client_);
}

OpenFile::Read OpenFile::read(uint16_t op, int8_t keyNumber, const std::string& keyValue, uint16_t bufferSize) {
  std::string data(bufferSize, '\0');
  std::string key(256, '\0');
  key.replace(0, keyValue.size(), keyValue);
  uint16_t length = bufferSize;
  int16_t s = RecordManagerApi::instance().call(op, block_.data(), data.data(), &length, key.data(), keyNumber,
                                                client_);
  data.resize(s == 0 ? length : 0);
  return {s, data, key};
}

OpenFile::Read OpenFile::direct(uint32_t position, int8_t keyNumber) {
  std::string data(1024, '\0');
  putU32(data, 0, position);
  std::string key(256, '\0');
  uint16_t length = 1024;
  int16_t s = RecordManagerApi::instance().call(23, block_.data(), data.data(), &length, key.data(), keyNumber,
                                                client_);
  data.resize(s == 0 ? length : 0);
  return {s, data, key};
}

uint32_t OpenFile::position() {
  std::string data(4, '\0');
  uint16_t length = 4;
  if (RecordManagerApi::instance().call(22, block_.data(), data.data(), &length, nullptr, 0, client_) != 0) return 0;
  return getU32(data, 0);
}

int16_t OpenFile::unlock(int8_t keyNumber, uint32_t position) {
  std::string data(4, '\0');
  putU32(data, 0, position);
  uint16_t length = 4;
  return RecordManagerApi::instance().call(27, block_.data(), data.data(), &length, nullptr, keyNumber, client_);
}

std::vector<uint8_t> OpenFile::stat(uint16_t bufferSize, int16_t* status) {
  std::vector<uint8_t> data(bufferSize, 0);
  uint16_t length = bufferSize;
  int16_t s = RecordManagerApi::instance().call(15, block_.data(), data.data(), &length, nullptr, 0, client_);
  if (status) *status = s;
  data.resize(s == 0 ? length : bufferSize);
  return data;
}

}  // namespace qn::recmgr::testing
