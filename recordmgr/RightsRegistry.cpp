#include "recordmgr/RightsRegistry.h"

bool TRightsRegistry::OpenKey(std::string_view key, bool create) {
  if (!create || key.empty()) return RegistryKey::OpenKey(key, false);
  const uint32_t mask = Access();
  SetAccess(qn::os::KEY_ALL_ACCESS);
  const bool opened = RegistryKey::OpenKey(key, true);
  SetAccess(mask);
  return opened;
}
