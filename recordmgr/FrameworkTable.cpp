#include "recordmgr/FrameworkTable.h"

#include "framework/base/ClassRegistry.h"
#include "framework/base/UnitLifecycle.h"

namespace {

UnitRegistration unit("recordmgr/FrameworkTable", {"recordmgr/Sessions"}, [] { RegisterClass<TTable>(); }, [] {});

}  // namespace

TTable::TTable(TComponent* owner) : TtbTable(owner) {}
