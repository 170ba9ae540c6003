#include "framework/db/DataLink.h"

#include <algorithm>

#include "framework/db/DataSet.h"
#include "framework/db/DataSource.h"
#include "framework/db/DatabaseError.h"

TDataLink::~TDataLink() {
  // No notifications from here on: the control that owns this link is being destroyed.
  active_ = editing_ = false;
  if (dataSource_) dataSource_->RemoveDataLink(this);
}

TDataSet* TDataLink::DataSet() const {
  return dataSource_ ? dataSource_->DataSet() : nullptr;
}

void TDataLink::SetDataSource(TDataSource* source) {
  if (source == dataSource_) return;
  if (dataSourceFixed_) DatabaseError("Operation not allowed on a fixed data link");
  if (dataSource_) dataSource_->RemoveDataLink(this);
  dataSource_ = source;
  if (dataSource_) dataSource_->AddDataLink(this);
  UpdateState();
}

void TDataLink::SourceFreed() {
  dataSource_->RemoveDataLink(this);
  dataSource_ = nullptr;
  UpdateState();
}

void TDataLink::SetReadOnly(bool value) {
  if (value == readOnly_) return;
  readOnly_ = value;
  UpdateEditing();
}

void TDataLink::SetBufferCount(int value) {
  if (value < 1) value = 1;
  if (value == bufferCount_) return;
  bufferCount_ = value;
  if (TDataSet* ds = DataSet()) ds->UpdateBufferCount();
  if (active_) UpdateRange();
}

int TDataLink::ActiveRecord() const {
  if (!active_ || dataSource_->State() == dsSetKey) return 0;
  return DataSet()->activeRecord_ - firstRecord_;
}

void TDataLink::SetActiveRecord(int index) {
  if (active_ && dataSource_->State() != dsSetKey) DataSet()->SetActiveRecord(index + firstRecord_);
}

int TDataLink::RecordCount() const {
  if (!active_) return 0;
  if (dataSource_->State() == dsSetKey) return 1;
  return std::clamp(DataSet()->recordCount_ - firstRecord_, 0, bufferCount_);
}

bool TDataLink::Bof() const {
  return DataSet()->Bof();
}

bool TDataLink::Eof() const {
  return DataSet()->Eof();
}

int TDataLink::MoveBy(int distance) {
  return DataSet()->MoveBy(distance);
}

bool TDataLink::Edit() {
  if (!readOnly_ && dataSource_) dataSource_->Edit();
  return editing_;
}

void TDataLink::UpdateRecord() {
  updating_ = true;
  try {
    UpdateData();
  } catch (...) {
    updating_ = false;
    throw;
  }
  updating_ = false;
}

void TDataLink::UpdateRange() {
  const TDataSet* ds = DataSet();
  int active = ds->activeRecord_;
  int first = firstRecord_;
  if (active >= first + bufferCount_) first = active - bufferCount_ + 1;
  if (active < first) first = active;
  first = std::min(first, std::max(0, ds->recordCount_ - bufferCount_));
  firstRecord_ = std::max(0, first);
}

void TDataLink::UpdateState() {
  bool active = dataSource_ && dataSource_->State() != dsInactive;
  if (active != active_) {
    active_ = active;
    firstRecord_ = 0;
    if (active_) UpdateRange();
    ActiveChanged();
  }
  UpdateEditing();
}

void TDataLink::UpdateEditing() {
  bool editing = active_ && IsEditState(dataSource_->State()) && !readOnly_;
  if (editing == editing_) return;
  editing_ = editing;
  EditingChanged();
}

void TDataLink::DataEvent(TDataEvent event, intptr_t info) {
  if (event == deUpdateState) {
    UpdateState();
    return;
  }
  if (!active_) return;
  switch (event) {
    case deFieldChange:
    case deRecordChange:
      if (!updating_) RecordChanged(reinterpret_cast<TField*>(info));
      break;
    case deDataSetChange:
    case deDataSetScroll:
    case deLayoutChange: {
      int oldFirst = firstRecord_;
      int shift = event == deDataSetScroll ? static_cast<int>(info) : 0;
      if (dataSource_->State() != dsSetKey) {
        firstRecord_ -= shift;
        UpdateRange();
      }
      if (event == deDataSetScroll)
        DataSetScrolled(shift + firstRecord_ - oldFirst);
      else if (event == deLayoutChange)
        LayoutChanged();
      else
        DataSetChanged();
      break;
    }
    case deUpdateRecord: UpdateRecord(); break;
    case deCheckBrowseMode: CheckBrowseMode(); break;
    case deFocusControl: FocusControl(reinterpret_cast<TField**>(info)); break;
    default: break;
  }
}
