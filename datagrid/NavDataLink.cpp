#include "datagrid/NavDataLink.h"

#include "datagrid/DBNavigator.h"

void TdcNavDataLink::DataSetChanged() {
  if (navigator_) navigator_->DataChanged();
}

void TdcNavDataLink::EditingChanged() {
  if (navigator_) navigator_->EditingChanged();
}

void TdcNavDataLink::ActiveChanged() {
  if (navigator_) navigator_->ActiveChanged();
}
