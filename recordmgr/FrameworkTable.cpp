#include "recordmgr/FrameworkTable.h"

#include "framework/base/ClassRegistry.h"
#include "framework/base/UnitLifecycle.h"
#include "recordmgr/Sessions.h"

namespace {

UnitRegistration unit("recordmgr/FrameworkTable", {"recordmgr/Sessions"}, [] { RegisterClass<TTable>(); }, [] {});

}  // namespace

TTable::TTable(TComponent* owner) : TTable(owner, StartedBtrieveSessionList()) {}

TTable::TTable(TComponent* owner, TtbSessionList& list) : TttTable(owner, list), list_(list) {}

// The binding's engine must still be there when the cursor closes.
TTable::~TTable() { CloseForDestruction(); }

TVirtEng* TTable::Engine() { return list_.Engine(); }

TttSession* TTable::DefaultSession() { return list_.DefaultSession(); }
