#include "datagrid/DcStoredProc.h"

#include "framework/base/ClassRegistry.h"
#include "framework/base/UnitLifecycle.h"

namespace {

UnitRegistration unit("datagrid/DcStoredProc", {"recordmgr/FrameworkStoredProc"},
                      [] { RegisterClass<TdcStoredProc>(); });

}  // namespace

void TdcStoredProc::PublishProperties(PropertyPublisher<TdcStoredProc>& publish) {
  PublishExtensionProperties(publish);
}

TdcStoredProc::TdcStoredProc(TComponent* owner) : DcExtendedSteps<TStoredProc>(owner) {}
