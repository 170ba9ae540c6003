#pragma once
// One key of a registry hive in memory: its subkeys and its typed values. Names compare without
// case and keep the spelling they were created with; subkeys are kept in name order, values in
// the order they were first written.
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "framework/base/AnsiString.h"

namespace qn::os {

enum class RegistryDataType { Unknown, String, Integer, Binary };

struct HiveValue {
  AnsiString name;  // empty for the key's default value
  RegistryDataType type = RegistryDataType::String;
  std::string data;     // the text of a string, the bytes of binary data
  int32_t integer = 0;  // an integer's value

  bool operator==(const HiveValue&) const = default;
};

class HiveKey {
 public:
  explicit HiveKey(AnsiString name = {}) : name_(std::move(name)) {}

  const AnsiString& name() const { return name_; }

  HiveKey* findSubkey(std::string_view name);
  const HiveKey* findSubkey(std::string_view name) const;
  // The subkey of that name, created when missing.
  HiveKey& subkey(std::string_view name);
  bool removeSubkey(std::string_view name);
  const std::vector<std::unique_ptr<HiveKey>>& subkeys() const { return subkeys_; }

  // The key at the end of a path of subkey names; nullptr when one is missing.
  HiveKey* find(const std::vector<AnsiString>& path);
  const HiveKey* find(const std::vector<AnsiString>& path) const;

  const HiveValue* findValue(std::string_view name) const;
  // Replaces the value of the same name in its place, or adds it at the end.
  void setValue(HiveValue value);
  bool removeValue(std::string_view name);
  const std::vector<HiveValue>& values() const { return values_; }

 private:
  AnsiString name_;
  std::vector<std::unique_ptr<HiveKey>> subkeys_;
  std::vector<HiveValue> values_;
};

}  // namespace qn::os
