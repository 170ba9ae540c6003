#include "datagrid/CursorFilters.h"

#include <vector>

#include "datagrid/FilterCompiler.h"
#include "recordmgr/BDEDataset.h"
#include "recordmgr/VirtEng.h"

namespace {

constexpr uint16_t kFilterPriority = 1;

// Adds and activates a filter; nullptr when the cursor refuses it.
TFilterListItem* AddActiveFilter(TttBDEDataset& dataSet, uintptr_t clientData, const void* expression,
                                 FilterCallback callback) {
  TFilterListItem* filter = nullptr;
  TVirtEng& engine = *dataSet.Engine();
  if (engine.AddFilter(dataSet.Handle(), clientData, kFilterPriority, false, expression, callback, filter) != 0)
    return nullptr;
  if (engine.ActivateFilter(dataSet.Handle(), filter) != 0) {
    engine.DropFilter(dataSet.Handle(), filter);
    return nullptr;
  }
  return filter;
}

void RefreshIfActive(TttBDEDataset& dataSet) {
  if (dataSet.Active()) dataSet.Refresh();
}

}  // namespace

void DropFilter(TttBDEDataset* DataSet, TFilterListItem*& FilterHandle) {
  if (!FilterHandle) return;
  TVirtEng& engine = *DataSet->Engine();
  engine.DeactivateFilter(DataSet->Handle(), FilterHandle);
  engine.DropFilter(DataSet->Handle(), FilterHandle);
  FilterHandle = nullptr;
}

bool ApplyFilterExpression(const AnsiString& Text, TttBDEDataset* Table, TFilterListItem*& FilterHandle,
                           bool Force) {
  if (!Table->Active() && !Force) {
    FilterHandle = nullptr;
    return true;
  }
  if (Text.empty()) {
    DropFilter(Table, FilterHandle);
    RefreshIfActive(*Table);
    return true;
  }
  // A text that does not compile leaves the installed filter and its handle as they were: the
  // handle is the only way to drop that filter later.
  const std::vector<uint8_t> block = CompileFilterExpression(Text, *Table);
  if (block.empty()) return false;
  DropFilter(Table, FilterHandle);
  // The cursor keeps a copy of the block; ours goes when this returns.
  FilterHandle = AddActiveFilter(*Table, 0, block.data(), nullptr);
  if (!FilterHandle) return false;
  RefreshIfActive(*Table);
  return true;
}

bool InstallCallbackFilter(FilterCallback Callback, TttBDEDataset* DataSet, TFilterListItem*& FilterHandle) {
  if (!DataSet->Handle()) return false;
  DropFilter(DataSet, FilterHandle);
  if (Callback) {
    FilterHandle = AddActiveFilter(*DataSet, reinterpret_cast<uintptr_t>(DataSet), nullptr, Callback);
    if (!FilterHandle) return false;
  }
  if (!DataSet->Active()) return true;
  // A table on index fields re-reads its window around the current key; other datasets
  // re-read theirs from the cursor's position.
  if (DataSet->InheritsFrom("TttTable") && DataSet->IndexFieldCount() > 0) {
    DataSet->Refresh();
  } else {
    DataSet->CursorPosChanged();
    DataSet->Resync(0);
  }
  return true;
}
