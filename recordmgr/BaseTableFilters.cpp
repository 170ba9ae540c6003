// The filters of a cursor: tested on every record the cursor positions on while one is active.
#include <cstring>

#include "recordmgr/BaseTable.h"
#include "recordmgr/EngineError.h"

void TBaseTable::AddFilter(uintptr_t clientData, uint16_t priority, bool canAbort, const void* expression,
                           FilterCallback callback, TFilterListItem*& filter) {
  auto* item = new TFilterListItem(this, clientData, priority, canAbort, expression, callback);
  filterList_->Add(item);
  RecheckFilters();
  filter = item;
}

void TBaseTable::DropFilter(TFilterListItem* filter) {
  if (!filter) {
    filterList_->FreeAll();
  } else {
    const int index = filterList_->IndexOf(filter);
    if (index < 0) return;
    filterList_->Delete(index);
    delete filter;
  }
  RecheckFilters();
}

int TBaseTable::filterIndex(TFilterListItem* filter) const {
  const int index = filterList_->IndexOf(filter);
  if (index < 0) RaiseEngineError(DBIERR_NOSUCHFILTER);
  return index;
}

void TBaseTable::ActivateFilter(TFilterListItem* filter) {
  if (filter) {
    filterIndex(filter);
    filter->SetActive(true);
  } else {
    for (int i = 0; i < filterList_->Count(); ++i) static_cast<TFilterListItem*>(filterList_->Items(i))->SetActive(true);
  }
  filtersActive_ = true;
}

void TBaseTable::DeactivateFilter(TFilterListItem* filter) {
  if (!filter) {
    for (int i = 0; i < filterList_->Count(); ++i)
      static_cast<TFilterListItem*>(filterList_->Items(i))->SetActive(false);
    filtersActive_ = false;
    return;
  }
  filterIndex(filter);
  if (!filter->Active()) return;
  filter->SetActive(false);
  RecheckFilters();
}

TFilterListItem* TBaseTable::RecheckFilters() {
  for (int i = 0; i < filterList_->Count(); ++i) {
    auto* filter = static_cast<TFilterListItem*>(filterList_->Items(i));
    if (filter->Active()) {
      filtersActive_ = true;
      return filter;
    }
  }
  filtersActive_ = false;
  return nullptr;
}

void TBaseTable::GetFilterInfo(TFilterListItem* filter, FilterInfo& info) {
  std::memset(&info, 0, sizeof info);
  int index = 0;
  if (filter) {
    index = filterIndex(filter);
  } else {
    if (filterList_->Count() == 0) return;
    filter = static_cast<TFilterListItem*>(filterList_->Items(0));
  }
  info.Index = static_cast<uint16_t>(index);
  info.Filter = filter;
  info.ClientData = filter->ClientData();
  info.Priority = filter->Priority();
  info.CanAbort = filter->CanAbort() ? -1 : 0;
  info.Callback = filter->Callback();
  info.Expression = filter->Expression().empty() ? nullptr : filter->Expression().data();
  info.Active = filter->Active() ? -1 : 0;
}

// The record under test is the driver's buffer; a filter reads its fields but never writes them.
bool TBaseTable::AcceptsRecord(const void* record) {
  void* tested = const_cast<void*>(record);
  for (int i = 0; i < filterList_->Count(); ++i)
    if (!static_cast<TFilterListItem*>(filterList_->Items(i))->Accepts(tested)) return false;
  return true;
}
