#include "platform/sqlif/Dictionary.h"

#include <array>
#include <cstring>

#include "platform/sqlif/RecordManagerLink.h"

namespace qn::sqlif {

namespace {

constexpr uint16_t kOpen = 0;
constexpr uint16_t kClose = 1;
constexpr uint16_t kGetEqual = 5;
constexpr int8_t kReadOnly = -2;
constexpr int16_t kKeyNotFound = 4;

// Reads the record whose key 0 is `name`; the record manager's status.
int16_t readByName(const std::string& path, const std::string& name, std::string& record) {
  RecordManagerLink& link = RecordManagerLink::instance();
  if (!link.start()) return 20;
  std::array<uint8_t, 128> block{};
  std::array<char, 256> key{};
  if (path.size() >= key.size()) return 11;
  std::memcpy(key.data(), path.c_str(), path.size() + 1);
  char owner[sizeof dictionaryOwner];
  std::memcpy(owner, dictionaryOwner, sizeof owner);
  uint16_t ownerLength = sizeof owner;
  int16_t s = link.call(kOpen, block.data(), owner, &ownerLength, key.data(), kReadOnly);
  if (s != 0) return s;
  std::array<char, 256> keyValue{};
  std::memcpy(keyValue.data(), name.data(), name.size());
  uint16_t length = static_cast<uint16_t>(record.size());
  s = link.call(kGetEqual, block.data(), record.data(), &length, keyValue.data(), 0);
  uint16_t none = 0;
  link.call(kClose, block.data(), nullptr, &none, nullptr, 0);
  return s;
}

}  // namespace

std::string paddedDictionaryName(const std::string& name) {
  std::string padded = name;
  padded.resize(dictionaryNameSize, ' ');
  return padded;
}

Status checkUser(const std::string& folder, const std::string& user, const std::string& password) {
  if (user.empty() || user.size() > dictionaryNameSize || password.size() > dictionaryNameSize)
    return status::loginRefused;
  std::string record(userRecordSize, '\0');
  const int16_t s = readByName(folder + "/" + userFileName, paddedDictionaryName(user), record);
  if (s == kKeyNotFound) return status::loginRefused;
  if (s != 0) return status::systemTablesUnreadable;
  const bool same = record.compare(dictionaryNameSize, dictionaryNameSize, paddedDictionaryName(password)) == 0;
  return same ? status::ok : status::loginRefused;
}

Status procedureText(const std::string& folder, const std::string& name, std::string& text) {
  if (name.empty() || name.size() > dictionaryNameSize) return status::noSuchProcedure;
  std::string record(procedureRecordSize, '\0');
  const int16_t s = readByName(folder + "/" + procedureFileName, paddedDictionaryName(name), record);
  if (s == kKeyNotFound) return status::noSuchProcedure;
  if (s != 0) return status::systemTablesUnreadable;
  const size_t end = record.find('\0', dictionaryNameSize);
  text = record.substr(dictionaryNameSize, (end == std::string::npos ? record.size() : end) - dictionaryNameSize);
  return status::ok;
}

}  // namespace qn::sqlif
