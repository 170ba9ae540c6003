// The alias lists of a session: the databases configured at run time, then the registry's.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "platform/os/RegistryKey.h"
#include "recordmgr/DBListTable.h"
#include "recordmgr/EngineError.h"
#include "recordmgr/tests/TestSession.h"

namespace sessiontest {
namespace {

using qn::os::HKEY_LOCAL_MACHINE;
using qn::os::RegistryKey;

class DBListTableTest : public ::testing::Test {
 protected:
  void SetUp() override {
    RegistryKey registry(HKEY_LOCAL_MACHINE);
    registry.DeleteKey(AliasesKey);
  }

  static void writeRegistryAlias(const std::string& name,
                                 const std::vector<std::pair<std::string, std::string>>& values) {
    RegistryKey registry(HKEY_LOCAL_MACHINE);
    ASSERT_TRUE(registry.OpenKey(std::string(AliasesKey) + "\\" + name, true));
    for (const auto& [valueName, value] : values) registry.WriteString(valueName, value);
  }

  // Every record of a list, "name|text|path|driver type", up to its end of file.
  static std::vector<std::string> readAll(TBaseTable& list) {
    std::vector<std::string> rows;
    DatabaseDescription description{};
    while (true) {
      try {
        list.GetNextRecord(0, &description, nullptr);
      } catch (const EKorvoEOFError&) {
        return rows;
      }
      rows.push_back(std::string(description.Name) + "|" + description.Description + "|" + description.Path + "|" +
                     description.DriverType);
    }
  }

  std::vector<std::string> aliases() {
    TBaseTable* list = nullptr;
    session.OpenAliasList(list);
    std::vector<std::string> rows = readAll(*list);
    session.CloseList(list);
    EXPECT_EQ(list, nullptr);
    return rows;
  }

  TestSession session{nullptr, nullptr, "Lists", nullptr};
};

TEST_F(DBListTableTest, AnAliasDefinedAtRunTimeAndInTheRegistryAppearsTwiceTheRunTimeOneFirst) {
  writeRegistryAlias("QNWIN", {{"PhysicalName", "/srv/registry"}, {"Description", "Registry"}});
  writeRegistryAlias("ARCHIVE", {{"PhysicalName", "C:\\ARCHIVE"}});
  session.AddAlias("QNWIN", "", "PATH:\"/srv/runtime\"", false);
  EXPECT_EQ(aliases(), (std::vector<std::string>{"QNWIN||/srv/runtime|KORVO", "ARCHIVE||C:\\ARCHIVE\\|KORVO",
                                                 "QNWIN|Registry|/srv/registry\\|KORVO"}));
}

TEST_F(DBListTableTest, RegistryPathsEndInASeparatorUnlessKeptAndEmptyPathsStayEmpty) {
  writeRegistryAlias("A_NONE", {{"Description", "no path"}});
  writeRegistryAlias("B_EMPTY", {{"PhysicalName", ""}});
  writeRegistryAlias("C_SLASH", {{"PhysicalName", "/srv/c/"}});
  writeRegistryAlias("D_PLAIN", {{"PhysicalName", "/srv/d"}});
  EXPECT_EQ(aliases(), (std::vector<std::string>{"A_NONE|no path||KORVO", "B_EMPTY|||KORVO", "C_SLASH||/srv/c/|KORVO",
                                                 "D_PLAIN||/srv/d\\|KORVO"}));
  session.SetKeepPaths(true);
  EXPECT_EQ(aliases()[3], "D_PLAIN||/srv/d|KORVO");
}

TEST_F(DBListTableTest, DescriptionsAreCutTo31AndValuesOfAnotherTypeReadAsEmpty) {
  writeRegistryAlias("QNWIN", {{"Description", std::string(40, 'd')}});
  {
    RegistryKey registry(HKEY_LOCAL_MACHINE);
    ASSERT_TRUE(registry.OpenKey(std::string(AliasesKey) + "\\QNWIN", false));
    registry.WriteInteger("PhysicalName", 7);
  }
  EXPECT_EQ(aliases(), (std::vector<std::string>{"QNWIN|" + std::string(31, 'd') + "||KORVO"}));
}

TEST_F(DBListTableTest, TheConfiguredListTakesThePathOrPhysicalNameOfDbInfoRecordsOnly) {
  const std::vector<std::pair<std::string, std::string>> aliasesAdded = {
      {"FIRST", "PhysicalName:\"/srv/first\";PATH:\"/srv/path\""},
      {"SECOND", "path:\"/srv/lower\""},  // the names are compared with case
      {"THIRD", "OTHER:\"x\""},
  };
  for (const auto& [name, params] : aliasesAdded) session.AddAlias(name.c_str(), "", params.c_str(), false);
  session.WriteConfig("\\DATABASES\\FOURTH\\DB OPEN", nullptr, nullptr, 0);

  TKorvoCollection list;
  auto* table = CreateCursor<TBaseDBListTable>(&session, HKEY_LOCAL_MACHINE, KorvoRegistryPath, "STANDARD",
                                               session.ConfigRecords(), &list);
  EXPECT_EQ(table->ShareMode(), 1u);
  EXPECT_EQ(table->OpenMode(), 1u);
  EXPECT_STREQ(table->GetTableName(), "STANDARD");
  EXPECT_EQ(readAll(*table),
            (std::vector<std::string>{"FIRST||/srv/first|STANDARD", "SECOND|||STANDARD", "THIRD|||STANDARD"}));
}

TEST_F(DBListTableTest, AnAliasListStartsOverOnlyWhenActivatedAgain) {
  writeRegistryAlias("QNWIN", {{"PhysicalName", "/srv/qn"}});
  session.AddAlias("RUN", "", "PATH:\"/srv/run\"", false);
  TBaseTable* list = nullptr;
  session.OpenAliasList(list);
  EXPECT_EQ(readAll(*list).size(), 2u);
  EXPECT_TRUE(readAll(*list).empty());
  list->Deactivate();
  EXPECT_EQ(list->State(), csClosed);
  EXPECT_TRUE(readAll(*list).empty());
  list->Activate();
  EXPECT_EQ(readAll(*list).size(), 2u);
  session.CloseList(list);
  EXPECT_EQ(session.Objects()->Count(), 0);
}

}  // namespace
}  // namespace sessiontest
