#include "platform/sqlif/DatabaseRegistry.h"

#include "platform/os/NameCompare.h"
#include "platform/os/Paths.h"
#include "platform/os/RegistryKey.h"

namespace qn::sqlif {

namespace {

constexpr char kRemote[] = "REMOTE";

std::string keyOf(const std::string& name) { return std::string(databasesKey) + "\\" + name; }

}  // namespace

std::vector<RegisteredDatabase> registeredDatabases() {
  os::RegistryKey registry(os::HKEY_LOCAL_MACHINE, os::KEY_READ);
  std::vector<RegisteredDatabase> found;
  if (!registry.OpenKeyReadOnly(databasesKey)) return found;
  for (const std::string& name : registry.GetKeyNames()) {
    os::RegistryKey entry(os::HKEY_LOCAL_MACHINE, os::KEY_READ);
    if (!entry.OpenKeyReadOnly(keyOf(name))) continue;
    found.push_back({name, entry.ReadString("Path"), os::sameNameWithoutCase(entry.ReadString("Location"), kRemote)});
  }
  return found;
}

void registerDatabase(const RegisteredDatabase& database) {
  os::RegistryKey registry(os::HKEY_LOCAL_MACHINE, os::KEY_ALL_ACCESS);
  if (!registry.OpenKey(keyOf(database.name), true))
    throw os::RegistryError("cannot create " + keyOf(database.name));
  registry.WriteString("Path", database.path);
  registry.WriteString("Location", database.remote ? kRemote : "LOCAL");
}

Status locateDatabase(const std::string& dictionaryPath, std::string& folder) {
  try {
    if (!dictionaryPath.empty() && dictionaryPath[0] == '@') {
      const std::string name = dictionaryPath.substr(1);
      for (const RegisteredDatabase& d : registeredDatabases()) {
        if (!os::sameNameWithoutCase(d.name, name)) continue;
        if (d.remote) return status::remoteNotActive;
        folder = os::resolvePath(d.path);
        return status::ok;
      }
      return status::systemTablesUnreadable;
    }
    folder = os::resolvePath(dictionaryPath);
    return status::ok;
  } catch (const std::exception&) {
    return status::systemTablesUnreadable;
  }
}

}  // namespace qn::sqlif
