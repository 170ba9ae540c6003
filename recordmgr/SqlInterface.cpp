#include "recordmgr/SqlInterface.h"

#include <dlfcn.h>

#include <array>
#include <cstring>
#include <mutex>

#include "framework/ui/Dialogs.h"
#include "recordmgr/LittleEndianBytes.h"
#include "recordmgr/ProgramLibrary.h"
#include "recordmgr/ScalableSqlError.h"

namespace {

constexpr int16_t kNotLoaded = 200;
constexpr size_t kVersionBlockSize = 22;
constexpr size_t kMajorVersionAt = 12;
constexpr uint16_t kUsableMajorVersion = 4;

// Every name the statement library is expected to offer, in the order they are resolved.
constexpr std::array<const char*, 63> kStatementNames{
    "_xGetSessionID", "_xPutSessionID", "_XQLCallback", "_xShareSessionID", "_XQLCursor", "_XQLCompile",
    "XQLDescribe",    "XQLExec",        "_XQLFetch",    "XQLFormat",        "_XQLFree",   "_XQLLogin",
    "_XQLLogout",     "XQLSPUtility",   "XQLStatus",    "_XQLStop",         "XQLSubst",   "XQLVersion",
    "XQLConvert",     "XQLValidate",    "XQLMask",      "xCompute",         "xDescribe",  "xMovefld",
    "xFetch",         "xField",         "xFree",        "xInsert",          "xJoin",      "xLogin",
    "xLogout",        "xNew",           "xOrder",       "xRemall",          "xRemove",    "xReset",
    "xRestrict",      "xStop",          "xTrans",       "xStore",           "xRecall",    "xUpdate",
    "xUpdall",        "xDD",            "xDDAttr",      "xDDModify",        "xDDCreate",  "xDDDrop",
    "xDDField",       "xDDFile",        "xDDIndex",     "xDDPath",          "xDDView",    "xAccess",
    "xPassword",      "xSecurity",      "xUser",        "xChar",            "xVersion",   "xStatus",
    "xConvert",       "xValidate",      "xMask"};
constexpr std::array<const char*, 5> kNameNames{"SQLGetCountDatabaseNames", "SQLGetCountRemoteDatabaseNames",
                                                "SQLGetDatabaseNames", "SQLGetRemoteDatabaseNames",
                                                "SQLUnloadDBNames"};

std::mutex loadLock;
void* statementLibrary = nullptr;
void* namesLibrary = nullptr;
bool namesUnavailable = false;
bool usabilityKnown = false;
bool usable = false;
std::array<void*, kStatementNames.size()> statementEntries{};
std::array<void*, kNameNames.size()> nameEntries{};
SqlEntryPoints calls;
SqlNameEntryPoints nameCalls;

// Resolves every name; the first one missing is shown, the others stay nil quietly.
template <size_t N>
void resolve(void* library, const std::array<const char*, N>& names, std::array<void*, N>& entries,
             const char* libraryName) {
  bool reported = false;
  for (size_t i = 0; i < N; ++i) {
    entries[i] = dlsym(library, names[i]);
    if (entries[i] == nullptr && !reported) {
      reported = true;
      MessageDlg(AnsiString("Error Loading Dynamic Function ") + names[i] + " from " + libraryName, mtError, {mbOK},
                 0);
    }
  }
}

template <size_t N, typename Entry>
void take(const std::array<const char*, N>& names, const std::array<void*, N>& entries, const char* name,
          Entry& entry) {
  for (size_t i = 0; i < N; ++i)
    if (std::strcmp(names[i], name) == 0) entry = reinterpret_cast<Entry>(entries[i]);
}

void bindStatementCalls() {
  auto bind = [](const char* name, auto& entry) { take(kStatementNames, statementEntries, name, entry); };
  bind("XQLVersion", calls.Version);
  bind("xReset", calls.Reset);
  bind("_XQLLogin", calls.Login);
  bind("_XQLLogout", calls.Logout);
  bind("_XQLCursor", calls.Cursor);
  bind("_XQLCompile", calls.Compile);
  bind("_XQLFree", calls.Free);
  bind("XQLSubst", calls.Subst);
  bind("XQLExec", calls.Exec);
  bind("XQLDescribe", calls.Describe);
  bind("_XQLFetch", calls.Fetch);
  bind("xFetch", calls.RecordFetch);
  bind("xInsert", calls.Insert);
  bind("xUpdate", calls.Update);
  bind("xRemove", calls.Remove);
}

void bindNameCalls() {
  auto bind = [](const char* name, auto& entry) { take(kNameNames, nameEntries, name, entry); };
  bind("SQLGetCountDatabaseNames", nameCalls.CountNames);
  bind("SQLGetCountRemoteDatabaseNames", nameCalls.CountRemoteNames);
  bind("SQLGetDatabaseNames", nameCalls.Names);
  bind("SQLGetRemoteDatabaseNames", nameCalls.RemoteNames);
  bind("SQLUnloadDBNames", nameCalls.Unload);
}

int16_t loadLocked() {
  if (statementLibrary == nullptr) {
    statementLibrary = OpenProgramLibrary(SqlStatementLibrary);
    if (statementLibrary == nullptr) return kNotLoaded;
    resolve(statementLibrary, kStatementNames, statementEntries, SqlStatementLibrary);
    bindStatementCalls();
  }
  if (namesLibrary == nullptr && !namesUnavailable) {
    namesLibrary = OpenProgramLibrary(SqlNamesLibrary);
    if (namesLibrary == nullptr) {
      namesUnavailable = true;
    } else {
      resolve(namesLibrary, kNameNames, nameEntries, SqlNamesLibrary);
      bindNameCalls();
    }
  }
  return 0;
}

bool versionIsUsable() {
  if (calls.Version == nullptr) return false;
  uint8_t block[kVersionBlockSize] = {};
  std::memcpy(block, "XVER", 4);
  WriteU16(block + 4, kVersionBlockSize);
  return calls.Version(block) == 0 && ReadU16(block + kMajorVersionAt) == kUsableMajorVersion;
}

}  // namespace

int16_t LoadSqlInterface() {
  std::lock_guard<std::mutex> guard(loadLock);
  return loadLocked();
}

bool SqlInterfaceUsable() {
  std::lock_guard<std::mutex> guard(loadLock);
  if (usabilityKnown) return usable;
  if (loadLocked() != 0) return false;
  usabilityKnown = true;
  usable = versionIsUsable();
  if (usable && calls.Reset) {
    const char zero = 0;
    calls.Reset(&zero);
  }
  return usable;
}

void ReleaseSqlInterface() {
  std::lock_guard<std::mutex> guard(loadLock);
  usabilityKnown = false;
  usable = false;
}

bool SqlNamesAvailable() {
  std::lock_guard<std::mutex> guard(loadLock);
  return namesLibrary != nullptr;
}

const SqlEntryPoints& SqlCalls() { return calls; }

const SqlNameEntryPoints& SqlNameCalls() { return nameCalls; }

void CheckSqlStatus(int16_t status) {
  if (status == 0) return;
  RaiseScalableSqlError(status);
}

void RaiseSqlNotLoaded() { throw EScalableSQLEngineError(kNotLoaded); }
