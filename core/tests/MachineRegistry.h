#pragma once
// Test helpers for the machine hive of the test's own machine root.
#include <fstream>
#include <string>

#include "framework/base/AnsiString.h"
#include "platform/os/MachineRoot.h"
#include "platform/os/RegistryKey.h"

namespace core_test {

// Creates key (and the keys above it) under HKEY_LOCAL_MACHINE.
inline void createMachineKey(const AnsiString& key) {
  qn::os::RegistryKey registry(qn::os::HKEY_LOCAL_MACHINE);
  registry.CreateKey(key);
}

inline void writeMachineString(const AnsiString& key, const AnsiString& name, const AnsiString& value) {
  qn::os::RegistryKey registry(qn::os::HKEY_LOCAL_MACHINE);
  registry.OpenKey(key, true);
  registry.WriteString(name, value);
}

inline void writeMachineInteger(const AnsiString& key, const AnsiString& name, int value) {
  qn::os::RegistryKey registry(qn::os::HKEY_LOCAL_MACHINE);
  registry.OpenKey(key, true);
  registry.WriteInteger(name, value);
}

// Whatever the key holds under that name, as text; "<missing>" when the key or value is absent.
inline AnsiString machineValue(const AnsiString& key, const AnsiString& name) {
  qn::os::RegistryKey registry(qn::os::HKEY_LOCAL_MACHINE);
  if (!registry.OpenKey(key, false) || !registry.ValueExists(name)) return "<missing>";
  if (registry.GetDataType(name) == qn::os::RegistryDataType::Integer) return std::to_string(registry.ReadInteger(name));
  return registry.ReadString(name);
}

// Makes the machine hive unreadable: every use of the registry fails from now on.
inline void damageMachineHive() {
  std::ofstream(qn::os::registryDir() + "/HKEY_LOCAL_MACHINE.hive") << "[Software\n";
}

}  // namespace core_test
