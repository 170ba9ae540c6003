#pragma once
// SQL databases known by name: the subkeys of HKEY_LOCAL_MACHINE
// "\Software\Korvo\SqlInterface\Databases", each with "Path" (its folder) and "Location"
// ("LOCAL" or "REMOTE"). A remote database is a name only; nothing here reaches another machine.
#include <string>
#include <vector>

#include "platform/sqlif/Statuses.h"

namespace qn::sqlif {

inline constexpr char databasesKey[] = "\\Software\\Korvo\\SqlInterface\\Databases";

struct RegisteredDatabase {
  std::string name;  // without "@"
  std::string path;
  bool remote = false;
};

// Every registered database in key order. Throws RegistryError for a damaged registry.
std::vector<RegisteredDatabase> registeredDatabases();

void registerDatabase(const RegisteredDatabase& database);

// The Linux folder of a login's dictionary path: "@name" through the registry (285 for an
// unknown name, 2103 for a remote one), any other text as a folder through the path service.
Status locateDatabase(const std::string& dictionaryPath, std::string& folder);

}  // namespace qn::sqlif
