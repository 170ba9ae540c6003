#include "dialogs/tests/CaseFolderFixture.h"

#include <cstdlib>
#include <fstream>

#include "core/Globals.h"
#include "core/SettingKeys.h"
#include "core/tests/DataModuleFixture.h"
#include "core/tests/MachineRegistry.h"
#include "datagrid/DcTbTable.h"
#include "framework/base/FormatText.h"
#include "framework/db/Field.h"
#include "framework/ui/testing/QtTestApplication.h"
#include "platform/recmgr/tests/RecordManagerApi.h"
#include "recordmgr/BtrieveEngine.h"
#include "testing/TestDirs.h"

namespace dialogs_test {

AnsiString CaseFolderFixture::suffixText(int suffix) { return Format("%7d", {suffix}); }

std::string caseSeed(const std::string& client, int suffix, const std::string& extra) {
  return "Client Code = " + client + "\nCase Suffix = \"" + CaseFolderFixture::suffixText(suffix) +
         "\"\nLeftJustCaseSuffix = " + std::to_string(suffix) + "\n" + extra + "\n";
}

std::string clientSeed(const std::string& client, const std::string& last, const std::string& first) {
  return "Client Code = " + client + "\nClient Last Name = " + last + "\nClient First Name = " + first + "\n\n";
}

void CaseFolderFixture::SetUp() {
  qn::ui::testing::qtApplication();
  root = qn::testing::makeScratchDir("case-folder");
  const std::string fixture = root + "/fixture";
  dataDir = root + "/data";
  ASSERT_EQ(std::system(("mkdir -p '" + fixture + "'").c_str()), 0);
  for (const auto& [name, records] : seeds()) std::ofstream(fixture + "/" + name + ".seed") << records;
  const std::string command =
      "'" + qn::recmgr::testing::programFolder() + "/qnseed' data '" + dataDir + "' '" + fixture + "' >/dev/null";
  ASSERT_EQ(std::system(command.c_str()), 0) << command;
  core_test::writeMachineString(MainAliasKey, "PhysicalName", dataDir);
  DataDir = dataDir;
  const uint16_t status = LoadBtrieveEngine("", "RECWBTRV.DLL");
  ASSERT_TRUE(status == 0 || status == 1016) << status;
  program = std::make_unique<qn::os::ExecutablePathOverride>("/opt/quillon/QNCASES");
  dm2 = std::make_unique<TDM2>(nullptr);
  dm2->AfterConstruction();
  dm = std::make_unique<TDM>(nullptr);
  dm->AfterConstruction();
}

void CaseFolderFixture::TearDown() {
  dm.reset();
  dm2.reset();
  program.reset();
}

std::vector<std::string> CaseFolderFixture::rows(const std::string& tableName, const std::vector<std::string>& fields) {
  return core_test::storedRows(dataDir, tableName, fields);
}

}  // namespace dialogs_test
