#include "platform/os/RegistryKey.h"

#include <cstring>
#include <optional>

#include "platform/os/FaultInjection.h"
#include "platform/os/HiveFile.h"

namespace qn::os {
namespace {

std::optional<HiveFile> hiveOf(uint32_t root) {
  switch (root) {
    case HKEY_CLASSES_ROOT:
      return HiveFile("HKEY_CLASSES_ROOT");
    case HKEY_CURRENT_USER:
      return HiveFile("HKEY_CURRENT_USER");
    case HKEY_LOCAL_MACHINE:
      return HiveFile("HKEY_LOCAL_MACHINE");
    default:
      return std::nullopt;
  }
}

// The hive file cannot hold control characters in a key name, and neither could the registry
// the program was written for.
bool validKeyNames(const std::vector<AnsiString>& path) {
  for (const AnsiString& part : path)
    for (char c : part)
      if (static_cast<unsigned char>(c) < 0x20) return false;
  return true;
}

void createKeys(const HiveFile& hive, const std::vector<AnsiString>& path) {
  hive.update([&](HiveKey& root) {
    if (root.find(path)) return false;
    HiveKey* key = &root;
    for (const AnsiString& part : path) key = &key->subkey(part);
    return true;
  });
}

// The hive as it stands, empty for a root key that has none.
HiveKey snapshot(uint32_t root) {
  std::optional<HiveFile> hive = hiveOf(root);
  return hive ? hive->read() : HiveKey();
}

std::vector<AnsiString> namesOf(const std::vector<HiveValue>& values) {
  std::vector<AnsiString> names;
  for (const HiveValue& v : values) names.push_back(v.name);
  return names;
}

[[noreturn]] void invalidType(std::string_view name) {
  throw RegistryError("Invalid data type for '" + std::string(name) + "'");
}

}  // namespace

void RegistryKey::SetRootKey(uint32_t rootKey) {
  CloseKey();
  root_ = rootKey;
}

AnsiString RegistryKey::CurrentPath() const {
  AnsiString out;
  for (const AnsiString& part : path_) out += (out.empty() ? "" : "\\") + part;
  return out;
}

std::vector<AnsiString> RegistryKey::target(std::string_view key) const {
  std::vector<AnsiString> path;
  if (key.empty() || key[0] != '\\') path = path_;
  size_t start = 0;
  while (start <= key.size()) {
    size_t slash = key.find('\\', start);
    if (slash == std::string_view::npos) slash = key.size();
    if (slash > start) path.emplace_back(key.substr(start, slash - start));
    start = slash + 1;
  }
  return path;
}

bool RegistryKey::OpenKey(std::string_view key, bool canCreate) {
  if (takeInjectedFault(Fault::KeyOpen)) return false;
  std::optional<HiveFile> hive = hiveOf(root_);
  if (!hive) return false;
  std::vector<AnsiString> path = target(key);
  if (canCreate && !key.empty()) {
    if (!validKeyNames(path)) return false;
    createKeys(*hive, path);
  } else if (!hive->read().find(path)) {
    return false;
  }
  open_ = true;
  path_ = std::move(path);
  openAccess_ = access_;
  return true;
}

bool RegistryKey::OpenKeyReadOnly(std::string_view key) {
  uint32_t saved = access_;
  access_ = KEY_READ;
  bool opened = OpenKey(key, false);
  access_ = saved;
  return opened;
}

void RegistryKey::CloseKey() {
  open_ = false;
  path_.clear();
}

bool RegistryKey::KeyExists(std::string_view key) const { return snapshot(root_).find(target(key)) != nullptr; }

bool RegistryKey::CreateKey(std::string_view key) {
  std::optional<HiveFile> hive = hiveOf(root_);
  std::vector<AnsiString> path = target(key);
  if (!hive || path.empty() || !validKeyNames(path)) return false;
  createKeys(*hive, path);
  return true;
}

bool RegistryKey::DeleteKey(std::string_view key) {
  std::optional<HiveFile> hive = hiveOf(root_);
  std::vector<AnsiString> path = target(key);
  if (!hive || path.empty()) return false;
  bool deleted = false;
  hive->update([&](HiveKey& root) {
    AnsiString last = path.back();
    path.pop_back();
    HiveKey* parent = root.find(path);
    deleted = parent && parent->removeSubkey(last);
    return deleted;
  });
  return deleted;
}

std::vector<AnsiString> RegistryKey::GetKeyNames() const {
  std::vector<AnsiString> names;
  HiveKey root = snapshot(root_);
  if (const HiveKey* key = root.find(path_))
    for (const auto& sub : key->subkeys()) names.push_back(sub->name());
  return names;
}

std::vector<AnsiString> RegistryKey::GetValueNames() const {
  HiveKey root = snapshot(root_);
  const HiveKey* key = root.find(path_);
  return key ? namesOf(key->values()) : std::vector<AnsiString>();
}

HiveValue RegistryKey::readValue(std::string_view name, RegistryDataType expected) const {
  HiveKey root = snapshot(root_);
  const HiveKey* key = root.find(path_);
  const HiveValue* value = key ? key->findValue(name) : nullptr;
  if (!value) return HiveValue{AnsiString(name), RegistryDataType::Unknown, {}, 0};
  if (expected != RegistryDataType::Unknown && value->type != expected) invalidType(name);
  return *value;
}

bool RegistryKey::ValueExists(std::string_view name) const {
  return readValue(name, RegistryDataType::Unknown).type != RegistryDataType::Unknown;
}

RegistryDataType RegistryKey::GetDataType(std::string_view name) const {
  return readValue(name, RegistryDataType::Unknown).type;
}

int RegistryKey::GetDataSize(std::string_view name) const {
  HiveValue v = readValue(name, RegistryDataType::Unknown);
  switch (v.type) {
    case RegistryDataType::Unknown:
      return -1;
    case RegistryDataType::Integer:
      return sizeof(int32_t);
    default:
      return static_cast<int>(v.data.size());
  }
}

AnsiString RegistryKey::ReadString(std::string_view name) const {
  HiveValue v = readValue(name, RegistryDataType::Unknown);
  if (v.type == RegistryDataType::Unknown) return {};
  if (v.type != RegistryDataType::String) invalidType(name);
  return v.data;
}

int RegistryKey::ReadInteger(std::string_view name) const {
  HiveValue v = readValue(name, RegistryDataType::Integer);
  if (v.type != RegistryDataType::Integer) invalidType(name);
  return v.integer;
}

bool RegistryKey::ReadBool(std::string_view name) const { return ReadInteger(name) != 0; }

int RegistryKey::ReadBinaryData(std::string_view name, void* buffer, int bufferSize) const {
  HiveValue v = readValue(name, RegistryDataType::Binary);
  if (v.type != RegistryDataType::Binary) invalidType(name);
  if (v.data.size() > static_cast<size_t>(bufferSize < 0 ? 0 : bufferSize))
    throw RegistryError("The value '" + std::string(name) + "' holds " + std::to_string(v.data.size()) +
                        " bytes, more than the " + std::to_string(bufferSize) + " asked for");
  std::memcpy(buffer, v.data.data(), v.data.size());
  return static_cast<int>(v.data.size());
}

void RegistryKey::writeValue(HiveValue value) {
  if (!((open_ ? openAccess_ : access_) & KEY_SET_VALUE))
    throw RegistryError("Cannot write the value '" + value.name + "': the key was opened for reading only");
  std::optional<HiveFile> hive = hiveOf(root_);
  if (!hive) throw RegistryError("Cannot write the value '" + value.name + "': no such root key");
  hive->update([&](HiveKey& root) {
    HiveKey* key = root.find(path_);
    if (!key)
      throw RegistryError("Cannot write the value '" + value.name + "': the key " + CurrentPath() +
                          " no longer exists");
    key->setValue(std::move(value));
    return true;
  });
}

bool RegistryKey::DeleteValue(std::string_view name) {
  std::optional<HiveFile> hive = hiveOf(root_);
  if (!hive || !((open_ ? openAccess_ : access_) & KEY_SET_VALUE)) return false;
  bool deleted = false;
  hive->update([&](HiveKey& root) {
    HiveKey* key = root.find(path_);
    deleted = key && key->removeValue(name);
    return deleted;
  });
  return deleted;
}

void RegistryKey::WriteString(std::string_view name, std::string_view value) {
  writeValue({AnsiString(name), RegistryDataType::String, AnsiString(value), 0});
}

void RegistryKey::WriteInteger(std::string_view name, int value) {
  writeValue({AnsiString(name), RegistryDataType::Integer, {}, value});
}

void RegistryKey::WriteBool(std::string_view name, bool value) { WriteInteger(name, value ? 1 : 0); }

void RegistryKey::WriteBinaryData(std::string_view name, const void* buffer, int bufferSize) {
  writeValue({AnsiString(name), RegistryDataType::Binary,
              std::string(static_cast<const char*>(buffer), bufferSize < 0 ? 0 : bufferSize), 0});
}

}  // namespace qn::os
