#include "datagrid/DcDataSource.h"

#include "framework/base/ClassRegistry.h"
#include "framework/base/UnitLifecycle.h"

namespace {

UnitRegistration unit("datagrid/DcDataSource", {}, [] { RegisterClass<TdcDataSource>(); });

}  // namespace

TdcDataSource::TdcDataSource(TComponent* owner) : TDataSource(owner) {}
