// The filters of TttBDEDataset and its searches: FindFirst and its kin, Locate and Lookup. The
// cursor's filter machinery tests the records; the dataset only registers what to test.
#include <cstring>

#include "framework/base/ApplicationHooks.h"
#include "framework/db/DataSetFilter.h"
#include "framework/db/DatabaseError.h"
#include "framework/db/Field.h"
#include "recordmgr/BDEDataset.h"
#include "recordmgr/EngineCodes.h"
#include "recordmgr/VirtEng.h"

namespace {

constexpr uint16_t kTextFilterPriority = 0;
constexpr uint16_t kCallbackFilterPriority = 1;
constexpr uint16_t kLookupFilterPriority = 2;

// A constant of the filter language: quotes doubled.
AnsiString Quoted(const AnsiString& text) {
  AnsiString quoted = "'";
  for (char c : text) quoted += c == '\'' ? AnsiString("''") : AnsiString(1, c);
  return quoted + "'";
}

}  // namespace

// ---------------------------------------------------------------- making and switching filters

TFilterListItem* TttBDEDataset::addTextFilter(const AnsiString& text, TFilterOptions options, uint16_t priority) {
  if (text.empty()) return nullptr;
  const std::vector<uint8_t> block = filterexpr::ParseFilter(text, options, FilterFieldsOf(*this));
  TFilterListItem* filter = nullptr;
  Check(Engine()->AddFilter(handle_, 0, priority, false, block.data(), nullptr, filter));
  return filter;
}

TFilterListItem* TttBDEDataset::addCallbackFilter() {
  if (!OnFilterRecord()) return nullptr;
  TFilterListItem* filter = nullptr;
  Check(Engine()->AddFilter(handle_, reinterpret_cast<uintptr_t>(this), kCallbackFilterPriority, false, nullptr,
                            &TttBDEDataset::filterCallback, filter));
  return filter;
}

int16_t TttBDEDataset::filterCallback(uintptr_t clientData, void* record, int32_t) {
  auto* self = reinterpret_cast<TttBDEDataset*>(clientData);
  return self->FilterRecordWith(record, self->OnFilterRecord()) ? 1 : 0;
}

bool TttBDEDataset::FilterRecordWith(void* record, const TFilterRecordEvent& handler) {
  char* saved = filterBuffer_;
  filterBuffer_ = static_cast<char*>(record);
  const TDataSetState state = SetTempState(dsFilter);
  bool accept = true;
  try {
    handler(this, accept);
  } catch (...) {
    // The record is taken or left as the handler had decided when it failed.
    HandleApplicationException(this);
  }
  RestoreState(state);
  filterBuffer_ = saved;
  return accept;
}

void TttBDEDataset::createFilters() {
  textFilter_ = addTextFilter(Filter(), FilterOptions(), kTextFilterPriority);
  callbackFilter_ = addCallbackFilter();
  if (Filtered()) activateFilters();
}

void TttBDEDataset::activateFilters() {
  auto activate = [&](TFilterListItem*& filter, bool text) {
    if (!filter || Engine()->ActivateFilter(handle_, filter) == 0) return;
    // A filter the cursor lost is made again.
    Engine()->DropFilter(handle_, filter);
    filter = text ? addTextFilter(Filter(), FilterOptions(), kTextFilterPriority) : addCallbackFilter();
    if (filter) Check(Engine()->ActivateFilter(handle_, filter));
  };
  activate(textFilter_, true);
  activate(callbackFilter_, false);
}

void TttBDEDataset::deactivateFilters() {
  if (textFilter_) Check(Engine()->DeactivateFilter(handle_, textFilter_));
  if (callbackFilter_) Check(Engine()->DeactivateFilter(handle_, callbackFilter_));
}

void TttBDEDataset::changeFilter(TFilterListItem*& slot, TFilterListItem* replacement) {
  if (!Filtered()) {
    if (slot) Engine()->DropFilter(handle_, slot);
    slot = replacement;
    return;
  }
  CursorPosChanged();
  DestroyLookupCursor();
  Check(Engine()->SetToBegin(handle_));
  if (slot) Engine()->DropFilter(handle_, slot);
  slot = replacement;
  if (slot) Check(Engine()->ActivateFilter(handle_, slot));
}

void TttBDEDataset::SetFilter(const AnsiString& text) {
  if (Active()) {
    CheckBrowseMode();
    if (text != Filter()) changeFilter(textFilter_, addTextFilter(text, FilterOptions(), kTextFilterPriority));
  }
  TDataSet::SetFilter(text);
  if (Active() && Filtered()) First();
}

void TttBDEDataset::SetFilterOptions(TFilterOptions value) {
  if (Active()) {
    CheckBrowseMode();
    if (value != FilterOptions()) changeFilter(textFilter_, addTextFilter(Filter(), value, kTextFilterPriority));
  }
  TDataSet::SetFilterOptions(value);
  if (Active() && Filtered()) First();
}

void TttBDEDataset::SetFiltered(bool value) {
  if (!Active()) {
    TDataSet::SetFiltered(value);
    return;
  }
  CheckBrowseMode();
  if (value != Filtered()) {
    DestroyLookupCursor();
    Check(Engine()->SetToBegin(handle_));
    CursorPosChanged();
    if (value)
      activateFilters();
    else
      deactivateFilters();
    TDataSet::SetFiltered(value);
  }
  First();
}

void TttBDEDataset::SetOnFilterRecord(const TFilterRecordEvent& handler) {
  if (!Active()) {
    TDataSet::SetOnFilterRecord(handler);
    return;
  }
  CheckBrowseMode();
  const bool had = static_cast<bool>(OnFilterRecord());
  TDataSet::SetOnFilterRecord(handler);
  if (had != static_cast<bool>(handler)) changeFilter(callbackFilter_, addCallbackFilter());
  if (Filtered()) First();
}

// ---------------------------------------------------------------- searching

bool TttBDEDataset::FindRecord(bool restart, bool goForward) {
  CheckBrowseMode();
  DoBeforeScroll();
  SetFound(false);
  UpdateCursorPos();
  CursorPosChanged();
  const bool borrowed = !Filtered();
  if (borrowed) activateFilters();
  uint16_t status = 0;
  try {
    if (goForward) {
      if (restart) Check(Engine()->SetToBegin(handle_));
      status = Engine()->GetNextRecord(handle_, 0, TempBuffer(), nullptr);
    } else {
      if (restart) Check(Engine()->SetToEnd(handle_));
      status = Engine()->GetPriorRecord(handle_, 0, TempBuffer(), nullptr);
    }
  } catch (...) {
    if (borrowed) deactivateFilters();
    throw;
  }
  if (borrowed) deactivateFilters();
  if (status == 0) {
    Resync(rmExact | rmCenter);
    SetFound(true);
    DoAfterScroll();
  }
  return Found();
}

bool TttBDEDataset::LocateRecord(const AnsiString& keyFields, const VariantArray& values, TLocateOptions options,
                                 bool synchronise) {
  CheckBrowseMode();
  CursorPosChanged();
  char* buffer = TempBuffer();
  const std::vector<TField*> fields = FieldList(keyFields);
  const bool caseInsensitive = (options & loCaseInsensitive) != 0;
  // The record manager's key search passes the filters by, so a filtered dataset searches its own
  // cursor through them instead, as a lookup filter.
  TBaseTable* cursor = MapsToIndex(fields, caseInsensitive) ? (Filtered() ? nullptr : handle_)
                                                            : GetLookupCursor(keyFields, caseInsensitive);
  uint16_t status = 0;
  if (cursor) {
    char* saved = filterBuffer_;
    filterBuffer_ = buffer;
    const TDataSetState state = SetTempState(dsFilter);
    const auto count = static_cast<uint16_t>(fields.size());
    uint16_t partialLength = 0;
    try {
      Check(Engine()->InitRecord(cursor, buffer));
      for (size_t i = 0; i < fields.size() && i < values.size(); ++i) fields[i]->SetAsVariant(values[i]);
      // A string last field is compared by the length typed; any other whole. The cursors here
      // cut the last of the fields counted to the length given.
      if ((options & loPartialKey) && !fields.empty() && fields.back()->DataType() == ftString &&
          values.size() >= fields.size())
        partialLength = static_cast<uint16_t>(values[fields.size() - 1].AsString().size());
    } catch (...) {
      RestoreState(state);
      filterBuffer_ = saved;
      throw;
    }
    RestoreState(state);
    filterBuffer_ = saved;
    status = Engine()->GetRecordForKey(cursor, false, count, partialLength, buffer, buffer);
    if (status == 0 && synchronise && cursor != handle_) status = Engine()->SetToCursor(handle_, cursor);
  } else {
    Check(Engine()->SetToBegin(handle_));
    AnsiString text;
    for (size_t i = 0; i < fields.size() && i < values.size(); ++i) {
      if (!text.empty()) text += " and ";
      AnsiString value = values[i].AsString();
      if ((options & loPartialKey) && i + 1 == fields.size()) value += "*";
      text += "[" + fields[i]->FieldName() + "] = " + Quoted(value);
    }
    TFilterOptions filterOptions = caseInsensitive ? TFilterOptions{foCaseInsensitive} : TFilterOptions{0};
    if (!(options & loPartialKey)) filterOptions |= foNoPartialCompare;
    TFilterListItem* filter = addTextFilter(text, filterOptions, kLookupFilterPriority);
    status = Engine()->ActivateFilter(handle_, filter);
    if (status == 0) status = Engine()->GetNextRecord(handle_, 0, buffer, nullptr);
    Engine()->DropFilter(handle_, filter);
  }
  return status == 0;
}

bool TttBDEDataset::Locate(const AnsiString& keyFields, const VariantArray& values, TLocateOptions options) {
  DoBeforeScroll();
  const bool found = LocateRecord(keyFields, values, options, true);
  if (found) {
    Resync(rmExact | rmCenter);
    DoAfterScroll();
  }
  return found;
}

Variant TttBDEDataset::Lookup(const AnsiString& keyFields, const VariantArray& values,
                              const AnsiString& resultField) {
  if (!LocateRecord(keyFields, values, 0, false)) return Variant();
  char* saved = filterBuffer_;
  filterBuffer_ = TempBuffer();
  const TDataSetState state = SetTempState(dsFilter);
  Variant result;
  try {
    result = FieldByName(resultField)->AsVariant();
  } catch (...) {
    RestoreState(state);
    filterBuffer_ = saved;
    throw;
  }
  RestoreState(state);
  filterBuffer_ = saved;
  return result;
}
