#include "datagrid/DcQuery.h"

#include "framework/base/ClassRegistry.h"
#include "framework/base/UnitLifecycle.h"

namespace {

UnitRegistration unit("datagrid/DcQuery", {"recordmgr/FrameworkQuery"}, [] { RegisterClass<TdcQuery>(); });

}  // namespace

void TdcQuery::PublishProperties(PropertyPublisher<TdcQuery>& publish) { PublishExtensionProperties(publish); }

TdcQuery::TdcQuery(TComponent* owner) : DcExtendedSteps<TQuery>(owner) {}
