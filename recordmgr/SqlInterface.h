#pragma once
// The SQL interface as the whole process shares it: its statement library ("WSSQL32.DLL") and
// its database-names library ("WDBNM32.DLL"), loaded on first need through the program's library
// names and never unloaded (sessions of other threads may still hold their entry points), every
// entry point resolved by name, and whether the interface is one the driver can talk to.
#include <cstdint>

#include "recordmgr/SqlEntryPoints.h"

constexpr const char* SqlStatementLibrary = "WSSQL32.DLL";
constexpr const char* SqlNamesLibrary = "WDBNM32.DLL";

// Loads the statement library when it is not loaded, resolving its entry points, and then the
// names library unless that is known to be missing. The first entry point a library lacks is
// shown ("Error Loading Dynamic Function <name> from <library>"); later ones stay nil without a
// message. 0, or 200 when the statement library cannot be loaded (a later call tries again).
int16_t LoadSqlInterface();

// Whether the loaded interface is version 4: asked once (loading first when needed) and then
// reset once; later calls answer from memory until ReleaseSqlInterface.
bool SqlInterfaceUsable();

// What ending the last SQL session leaves: the libraries stay, the next need asks again.
void ReleaseSqlInterface();

bool SqlNamesAvailable();

// The entry points; nil where a library or a name is missing.
const SqlEntryPoints& SqlCalls();
const SqlNameEntryPoints& SqlNameCalls();

// A missing entry point answers as an interface that is not loaded (200) instead of being called.
template <typename Entry>
Entry RequiredSqlEntry(Entry entry);

// 0 passes; 9 raises end of file; any other status EScalableSQLEngineError.
void CheckSqlStatus(int16_t status);

[[noreturn]] void RaiseSqlNotLoaded();

template <typename Entry>
Entry RequiredSqlEntry(Entry entry) {
  if (entry == nullptr) RaiseSqlNotLoaded();
  return entry;
}
