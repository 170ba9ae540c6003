#pragma once
// Registry access as the program uses it: a root key and an access mask, a current key opened by
// path, and typed values (strings, integers, Booleans, binary data) read and written under it.
// Key paths and value names compare without case. A key that does not exist, or cannot be
// opened, answers false; reading a value of another type raises RegistryError ("Invalid data
// type for 'Name'"); a damaged hive raises RegistryError and is never taken for an empty one.
// Every operation reads or changes the hive file itself (see HiveFile), so several processes
// share one registry. The operations carry the names the program calls them by.
#include <cstdint>
#include <string_view>
#include <vector>

#include "framework/base/AnsiString.h"
#include "platform/os/HiveKey.h"
#include "platform/os/RegistryError.h"

namespace qn::os {

// Root keys and access rights, by the numbers the program passes around.
inline constexpr uint32_t HKEY_CLASSES_ROOT = 0x80000000;
inline constexpr uint32_t HKEY_CURRENT_USER = 0x80000001;
inline constexpr uint32_t HKEY_LOCAL_MACHINE = 0x80000002;

inline constexpr uint32_t KEY_QUERY_VALUE = 0x0001;
inline constexpr uint32_t KEY_SET_VALUE = 0x0002;
inline constexpr uint32_t KEY_CREATE_SUB_KEY = 0x0004;
inline constexpr uint32_t KEY_ENUMERATE_SUB_KEYS = 0x0008;
inline constexpr uint32_t KEY_READ = 0x20019;
inline constexpr uint32_t KEY_WRITE = 0x20006;
inline constexpr uint32_t KEY_ALL_ACCESS = 0xF003F;

class RegistryKey {
 public:
  explicit RegistryKey(uint32_t rootKey = HKEY_CURRENT_USER, uint32_t access = KEY_ALL_ACCESS)
      : root_(rootKey), access_(access) {}

  uint32_t RootKey() const { return root_; }
  void SetRootKey(uint32_t rootKey);  // closes the current key
  uint32_t Access() const { return access_; }
  void SetAccess(uint32_t access) { access_ = access; }  // for keys opened from now on
  AnsiString CurrentPath() const;
  bool HasCurrentKey() const { return open_; }

  // A path beginning with '\' starts at the root, any other continues from the current key.
  // With canCreate the missing keys along the path are created. True when the key is now current.
  bool OpenKey(std::string_view key, bool canCreate);
  bool OpenKeyReadOnly(std::string_view key);
  void CloseKey();

  bool KeyExists(std::string_view key) const;
  bool CreateKey(std::string_view key);
  // Deletes the key with everything under it; false when it does not exist.
  bool DeleteKey(std::string_view key);
  // The subkeys of the current key (the root's when none is open), in name order.
  std::vector<AnsiString> GetKeyNames() const;

  // Values of the current key (the root's when none is open).
  std::vector<AnsiString> GetValueNames() const;
  bool ValueExists(std::string_view name) const;
  bool DeleteValue(std::string_view name);
  RegistryDataType GetDataType(std::string_view name) const;  // Unknown when the value is missing
  int GetDataSize(std::string_view name) const;               // in bytes; -1 when missing

  // A missing string reads as empty text; every other read of a missing value raises.
  AnsiString ReadString(std::string_view name) const;
  int ReadInteger(std::string_view name) const;
  bool ReadBool(std::string_view name) const;  // an integer, true when not zero
  // Copies the bytes into buffer and answers their number; raises when they do not fit.
  int ReadBinaryData(std::string_view name, void* buffer, int bufferSize) const;

  void WriteString(std::string_view name, std::string_view value);
  void WriteInteger(std::string_view name, int value);
  void WriteBool(std::string_view name, bool value);
  void WriteBinaryData(std::string_view name, const void* buffer, int bufferSize);

 private:
  std::vector<AnsiString> target(std::string_view key) const;
  HiveValue readValue(std::string_view name, RegistryDataType expected) const;
  void writeValue(HiveValue value);

  uint32_t root_;
  uint32_t access_;
  bool open_ = false;
  std::vector<AnsiString> path_;  // of the current key from the root
  uint32_t openAccess_ = 0;       // the access the current key was opened with
};

}  // namespace qn::os
