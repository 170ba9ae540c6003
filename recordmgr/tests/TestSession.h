#pragma once
// A driver session for tests: the record manager's registry place (HKEY_LOCAL_MACHINE
// "\Software\Korvo\Btrieve"), a count of its starts, and databases whose tables are
// in-memory tables of the cursor suites' two fields. Test code only.
#include <string>

#include "platform/os/RegistryKey.h"
#include "recordmgr/BaseDatabase.h"
#include "recordmgr/BaseSession.h"
#include "recordmgr/EngineError.h"

namespace sessiontest {

inline constexpr const char* KorvoRegistryPath = "\\Software\\Korvo\\Btrieve";
inline constexpr const char* AliasesKey = "\\Software\\Korvo\\Btrieve\\Aliases";

// Opens every table as an in-memory table with an Id (32-bit) and a Name (12 bytes).
class TestDatabase : public TBaseDatabase {
 public:
  TestDatabase(TBapiListItem* session, const DatabaseDescription& description, TKorvoCollection* list)
      : TBaseDatabase(session, nullptr, nullptr, 0, description.Name, 0, 0, &description, list) {}

  void OpenTable(const char* tableName, const char*, const char*, const char*, uint16_t, uint32_t, uint32_t, uint32_t,
                 bool, const char*, TBaseTable*& cursor) override {
    FieldDescriptor fields[2] = {};
    fields[0].FieldNumber = 1;
    fields[0].FieldType = LogicalFieldType::Int32;
    fields[1].FieldNumber = 2;
    fields[1].FieldType = LogicalFieldType::Text;
    fields[1].FieldLength = 12;
    CreateInMemTable(tableName, 2, cursor, fields);
  }
  void OpenTableList(bool, bool, TBaseTable*&, const char*) override { RaiseEngineError(DBIERR_NA); }
  void OpenFieldList(const char*, const char*, bool, TBaseTable*&) override { RaiseEngineError(DBIERR_NA); }
};

class TestSession : public TBaseSession {
 public:
  TestSession(TBapiListItem* facade, const char* directory, const char* name, TKorvoCollection* list)
      : TBaseSession(facade, directory, name, list) {
    SetRegistryRoot(qn::os::HKEY_LOCAL_MACHINE, KorvoRegistryPath);
  }

  int Starts = 0;
  std::string OpenedPassword;  // of the last database created
  void DoStart() override { ++Starts; }
  void CreateDatabase(const DatabaseDescription& description, const char*, uint32_t, uint32_t, const char* password,
                      uint16_t, const FieldDescriptor*, const void*, TBaseDatabase*& database) override {
    OpenedPassword = password ? password : "";
    database = new TestDatabase(this, description, Databases());
  }
  using TBaseSession::SetLockWait;
};

}  // namespace sessiontest
