#include "recordmgr/BatchMove.h"

#include "framework/db/DataSet.h"

void TttBatchMove::SetSource(TDataSet* value) {
  source_ = value;
  if (value) value->FreeNotification(this);
}

void TttBatchMove::SetDestination(TDataSet* value) {
  destination_ = value;
  if (value) value->FreeNotification(this);
}

void TttBatchMove::Notification(TComponent* component, TOperation operation) {
  TComponent::Notification(component, operation);
  if (operation != opRemove) return;
  if (component == source_) source_ = nullptr;
  if (component == destination_) destination_ = nullptr;
}
