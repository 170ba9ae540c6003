#pragma once
// An SQL database made with qnsqlif under an "@" name whose alias key carries the login (ADMIN,
// "secret"), so the process's sessions open it by that name alone. Test code only.
#include <string>

#include "platform/os/RegistryKey.h"
#include "recordmgr/tests/SqlDriverFixture.h"

namespace sqldrivertest {

// The "@" name of a new database of the description. Each call names another database, as the
// process's sessions keep a database they opened connected under its name.
inline std::string makeLoginDatabase(const std::string& base, const nlohmann::json& description = testDescription()) {
  static int made = 0;
  const std::string name = base + std::to_string(++made);
  const std::string folder = makeSqlFolder(name, description);
  registerName(name, folder);
  qn::os::RegistryKey alias(qn::os::HKEY_LOCAL_MACHINE);
  EXPECT_TRUE(alias.OpenKey("\\Software\\Korvo\\Btrieve\\Aliases\\@" + name, true));
  alias.WriteString("User", "ADMIN");
  alias.WriteString("Password", "secret");
  return "@" + name;
}

}  // namespace sqldrivertest
