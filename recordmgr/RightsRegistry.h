#pragma once
// TRightsRegistry: the registry object of the engine layer, which opens keys with the access rights
// its user chose (for example KEY_READ for a user without write rights to the machine's keys)
// rather than always with full access. Keys it creates are opened with full access.
#include <cstdint>
#include <string_view>

#include "platform/os/RegistryKey.h"

class TRightsRegistry : public qn::os::RegistryKey {
 public:
  // The access-rights mask (Access, SetAccess) starts as KEY_ALL_ACCESS.
  explicit TRightsRegistry(uint32_t rootKey = qn::os::HKEY_CURRENT_USER)
      : RegistryKey(rootKey, qn::os::KEY_ALL_ACCESS) {}

  // A key beginning with '\' starts at the root, any other continues from the current key. With
  // create and a key, the key is created when missing and opened with full access; otherwise it
  // is opened with the mask. True when the key is now the current key.
  bool OpenKey(std::string_view key, bool create);
};
