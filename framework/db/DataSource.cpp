#include "framework/db/DataSource.h"

#include <algorithm>

#include "framework/base/ClassRegistry.h"
#include "framework/base/UnitLifecycle.h"
#include "framework/db/DataLink.h"
#include "framework/db/DataSet.h"
#include "framework/db/DatabaseError.h"
#include "framework/db/Field.h"
#include "framework/db/ForEachStillListed.h"

namespace {
UnitRegistration unit("framework/db/DataSource", {}, [] { RegisterClass<TDataSource>(); });
}  // namespace

void TDataSource::PublishProperties(PropertyPublisher<TDataSource>& publish) {
  publish.Object("DataSet", &TDataSource::DataSet, &TDataSource::SetDataSet);
  publish.Boolean("AutoEdit", &TDataSource::AutoEdit, &TDataSource::SetAutoEdit);
  publish.Boolean("Enabled", &TDataSource::Enabled, &TDataSource::SetEnabled);
  publish.Event("OnStateChange", &TDataSource::OnStateChange, &TDataSource::OnStateChange);
  publish.Event("OnDataChange", &TDataSource::OnDataChange, &TDataSource::OnDataChange);
  publish.Event("OnUpdateData", &TDataSource::OnUpdateData, &TDataSource::OnUpdateData);
}

TDataSource::TDataSource(TComponent* owner) : TComponent(owner) {}

TDataSource::~TDataSource() {
  OnStateChange = nullptr;
  OnUpdateData = nullptr;
  OnDataChange = nullptr;
  ForEachStillListed(dataLinks_, [](TDataLink* link) { link->SourceFreed(); });
  SetDataSet(nullptr);
}

bool TDataSource::IsLinkedTo(TDataSet* dataSet) const {
  for (TDataSet* d = dataSet; d;) {
    TDataSource* master = d->GetDataSource();
    if (master == this) return true;
    d = master ? master->DataSet() : nullptr;
  }
  return false;
}

void TDataSource::SetDataSet(TDataSet* dataSet) {
  if (dataSet == dataSet_) return;
  // A dataset whose own master chain leads back to this source would follow itself.
  if (IsLinkedTo(dataSet)) DatabaseError(dbtext::kCircularDataLink, this);
  // The links let go of the old dataset before they see the new one, even when both are open.
  if (dataSet_) {
    dataSet_->RemoveDataSource(this);
    dataSet_ = nullptr;
    UpdateState();
  }
  dataSet_ = dataSet;
  if (dataSet_) dataSet_->AddDataSource(this);
  UpdateState();
}

void TDataSource::SetEnabled(bool value) {
  if (value == enabled_) return;
  enabled_ = value;
  UpdateState();
}

void TDataSource::Edit() {
  if (autoEdit_ && state_ == dsBrowse) dataSet_->Edit();
}

void TDataSource::UpdateState() {
  TDataSetState state = enabled_ && dataSet_ ? dataSet_->State() : dsInactive;
  if (state == state_) return;
  state_ = state;
  ForEachStillListed(dataLinks_, [](TDataLink* link) { link->UpdateState(); });
  if (OnStateChange) OnStateChange(this);
}

void TDataSource::DataEvent(TDataEvent event, intptr_t info) {
  if (event == deUpdateState) {
    UpdateState();
    return;
  }
  if (state_ == dsInactive) return;
  ForEachStillListed(dataLinks_, [&](TDataLink* link) { link->DataEvent(event, info); });
  switch (event) {
    case deFieldChange:
    case deRecordChange:
      if (OnDataChange) OnDataChange(this, reinterpret_cast<TField*>(info));
      break;
    case deDataSetChange:
    case deDataSetScroll:
    case deLayoutChange:
      if (OnDataChange) OnDataChange(this, nullptr);
      break;
    case deUpdateRecord:
      if (OnUpdateData) OnUpdateData(this);
      break;
    default: break;
  }
}

void TDataSource::AddDataLink(TDataLink* link) {
  dataLinks_.push_back(link);
  if (dataSet_) dataSet_->UpdateBufferCount();
}

void TDataSource::RemoveDataLink(TDataLink* link) {
  dataLinks_.erase(std::remove(dataLinks_.begin(), dataLinks_.end(), link), dataLinks_.end());
  if (dataSet_) dataSet_->UpdateBufferCount();
}
