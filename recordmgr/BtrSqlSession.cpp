#include "recordmgr/BtrSqlSession.h"

#include <atomic>
#include <cstring>

#include "framework/base/TextCompare.h"
#include "platform/os/Files.h"
#include "recordmgr/BaseCfgrecord.h"
#include "recordmgr/BtrSqlDatabase.h"
#include "recordmgr/BtrieveConstants.h"
#include "recordmgr/RightsRegistry.h"
#include "recordmgr/SSQLDatabaseTable.h"
#include "recordmgr/ShortStringUtils.h"
#include "recordmgr/SqlInterface.h"

namespace {

// Once the SQL list could not be made, every later list in the process is the plain one.
std::atomic<bool> sqlListUnavailable{false};

struct Login {
  AnsiString user;
  AnsiString password;
};

// The value of a parameter named one of the names, or nothing.
const char* parameterValue(uint16_t count, const FieldDescriptor* descriptors, const void* values,
                           std::initializer_list<const char*> names) {
  for (uint16_t i = 0; descriptors && values && i < count; ++i)
    for (const char* name : names)
      if (std::strcmp(descriptors[i].FieldName, name) == 0)
        return static_cast<const char*>(values) + descriptors[i].Offset;
  return nullptr;
}

bool isSqlDatabase(const DatabaseDescription& description) {
  if (description.Name[0] == '@' || description.Path[0] == '@') return true;
  try {
    return qn::os::fileExists(AddTrailingBackslash(description.Path) + DdfUserName);
  } catch (const std::exception&) {
    return false;
  }
}

// Whether any other live SQL session remains in the list.
bool othersRemain(const TBtrSqlSession* self, TKorvoCollection* list) {
  for (int i = 0; list && i < list->Count(); ++i) {
    TObject* item = list->At(i);
    if (item != self && dynamic_cast<TBtrSqlSession*>(item)) return true;
  }
  return false;
}

}  // namespace

TBtrSqlSession::~TBtrSqlSession() {
  if (OnMainThread() && !othersRemain(this, List())) ReleaseSqlInterface();
}

void TBtrSqlSession::ResolveAlias(const char* name, DatabaseDescription& description, bool byAlias) {
  if (name && name[0] == '@') {
    std::memset(&description, 0, sizeof description);
    CopyTextZ(description.Name, name, DatabaseDescription::NameSize - 1);
    CopyTextZ(description.Path, name, DatabaseDescription::PathSize - 1);
    CopyTextZ(description.DriverType, BtrieveDriverName, DatabaseDescription::NameSize - 1);
    return;
  }
  TBtrSession::ResolveAlias(name, description, byAlias);
}

void TBtrSqlSession::CreateDatabase(const DatabaseDescription& description, const char* databaseType,
                                    uint32_t openMode, uint32_t shareMode, const char* password, uint16_t paramCount,
                                    const FieldDescriptor* paramDescriptors, const void* paramValues,
                                    TBaseDatabase*& database) {
  DatabaseDescription sql = description;
  Login login;
  for (int i = 0; i < ConfigRecords()->Count(); ++i) {
    const auto* record = static_cast<const TBaseCfgrecord*>(ConfigRecords()->At(i));
    if (!SameText(record->Key(), AnsiString("\\DATABASES\\") + description.Name + "\\DB INFO")) continue;
    if (const char* path = record->FindValue({"PATH", "PhysicalName"}))
      CopyTextZ(sql.Path, path, DatabaseDescription::PathSize - 1);
    if (const char* user = record->FindValue({"User", "USER NAME"})) login.user = user;
    if (const char* configured = record->FindValue({"Password", "PASSWORD"})) login.password = configured;
  }
  if (!isSqlDatabase(sql))
    return TBtrSession::CreateDatabase(description, databaseType, openMode, shareMode, password, paramCount,
                                       paramDescriptors, paramValues, database);

  // The database component hands an empty text when its login gave no password.
  if (password && *password == '\0') password = nullptr;
  TRightsRegistry registry(RootKey());
  registry.SetAccess(qn::os::KEY_READ);
  if (registry.OpenKey(RegistryPath() + "\\Aliases\\" + description.Name, false)) {
    if (registry.ValueExists("User")) login.user = registry.ReadString("User");
    if (!password && registry.ValueExists("Password")) login.password = registry.ReadString("Password");
  }
  if (password) login.password = password;
  if (const char* user = parameterValue(paramCount, paramDescriptors, paramValues, {"User", "USER NAME"}))
    login.user = user;
  if (const char* given = parameterValue(paramCount, paramDescriptors, paramValues, {"Password", "PASSWORD"}))
    login.password = given;
  if (sql.Path[0] != '@') CopyTextZ(sql.Path, AddTrailingBackslash(sql.Path), DatabaseDescription::PathSize - 1);
  database = new TBtrSqlDatabase(this, description.Name, &sql, Databases(), ClientId(), login.user, login.password);
  MarkClientUsed();
}

void TBtrSqlSession::OpenAliasList(TBaseTable*& list) {
  if (!sqlListUnavailable && SqlInterfaceUsable() && SqlNamesAvailable()) {
    auto* databases = CreateCursor<TSSQLDatabaseTable>(this, nullptr, ConfigRecords(), Objects());
    databases->Activate();
    list = databases;
    return;
  }
  sqlListUnavailable = true;
  TBtrSession::OpenAliasList(list);
}
