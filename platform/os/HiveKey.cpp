#include "platform/os/HiveKey.h"

#include <algorithm>
#include <utility>

#include "platform/os/NameCompare.h"

namespace qn::os {
namespace {

auto subkeyPosition(const std::vector<std::unique_ptr<HiveKey>>& keys, std::string_view name) {
  return std::lower_bound(keys.begin(), keys.end(), name, [](const std::unique_ptr<HiveKey>& k, std::string_view n) {
    return compareNamesWithoutCase(k->name(), n) < 0;
  });
}

}  // namespace

const HiveKey* HiveKey::findSubkey(std::string_view name) const {
  auto it = subkeyPosition(subkeys_, name);
  return it != subkeys_.end() && compareNamesWithoutCase((*it)->name(), name) == 0 ? it->get() : nullptr;
}

HiveKey* HiveKey::findSubkey(std::string_view name) {
  return const_cast<HiveKey*>(std::as_const(*this).findSubkey(name));
}

HiveKey& HiveKey::subkey(std::string_view name) {
  auto it = subkeyPosition(subkeys_, name);
  if (it != subkeys_.end() && compareNamesWithoutCase((*it)->name(), name) == 0) return **it;
  return **subkeys_.insert(it, std::make_unique<HiveKey>(AnsiString(name)));
}

bool HiveKey::removeSubkey(std::string_view name) {
  auto it = subkeyPosition(subkeys_, name);
  if (it == subkeys_.end() || compareNamesWithoutCase((*it)->name(), name) != 0) return false;
  subkeys_.erase(it);
  return true;
}

const HiveKey* HiveKey::find(const std::vector<AnsiString>& path) const {
  const HiveKey* key = this;
  for (const AnsiString& part : path) {
    key = key->findSubkey(part);
    if (!key) return nullptr;
  }
  return key;
}

HiveKey* HiveKey::find(const std::vector<AnsiString>& path) {
  return const_cast<HiveKey*>(std::as_const(*this).find(path));
}

const HiveValue* HiveKey::findValue(std::string_view name) const {
  for (const HiveValue& v : values_)
    if (compareNamesWithoutCase(v.name, name) == 0) return &v;
  return nullptr;
}

void HiveKey::setValue(HiveValue value) {
  for (HiveValue& v : values_) {
    if (compareNamesWithoutCase(v.name, value.name) == 0) {
      // A value written again keeps the spelling it was created with, as the key does.
      value.name = v.name;
      v = std::move(value);
      return;
    }
  }
  values_.push_back(std::move(value));
}

bool HiveKey::removeValue(std::string_view name) {
  auto it = std::find_if(values_.begin(), values_.end(),
                         [&](const HiveValue& v) { return compareNamesWithoutCase(v.name, name) == 0; });
  if (it == values_.end()) return false;
  values_.erase(it);
  return true;
}

}  // namespace qn::os
