#include "datagrid/DcDataSetExtension.h"

#include "datagrid/CursorFilters.h"
#include "datagrid/DcTable.h"
#include "datagrid/FieldPictureMasks.h"
#include "datagrid/LookupFieldLists.h"
#include "datagrid/LookupFieldResolution.h"
#include "framework/ui/PendingInput.h"
#include "framework/ui/Screen.h"
#include "recordmgr/BDEDataset.h"

const EnumerationType kFilterOptionsType{"TdcFilterOptions", {"foEnabled", "foShowHourGlass", "foCancelOnEscape"}};

DcDataSetExtension::DcDataSetExtension(TttBDEDataset& dataSet) : dataSet_(dataSet) {}

DcDataSetExtension::~DcDataSetExtension() { FreeLookupTables(); }

void DcDataSetExtension::FreeLookupTables() {
  TdcLookupTableList tables;
  tables.swap(lookupTables_);
  for (TdcTable* table : tables) delete table;
}

void DcDataSetExtension::SetOnFilter(const TFilterRecordEvent& handler) {
  onFilter_ = handler;
  if (!dataSet_.Handle()) return;
  InstallCallbackFilter(onFilter_ ? &DcDataSetExtension::RecordFilter : nullptr, &dataSet_, filterHandle_);
}

void DcDataSetExtension::SetFilterOptions(std::uint64_t value) {
  const bool wasEnabled = FilteringEnabled();
  filterOptions_ = value;
  if (wasEnabled != FilteringEnabled() && dataSet_.Active() && onFilter_) refetchKeepingPosition();
}

void DcDataSetExtension::refetchKeepingPosition() {
  dataSet_.CursorPosChanged();
  dataSet_.Resync(0);
}

void DcDataSetExtension::CursorPrepared() {
  filterCount_ = 0;
  if (onFilter_) InstallCallbackFilter(&DcDataSetExtension::RecordFilter, &dataSet_, filterHandle_);
}

void DcDataSetExtension::CursorClosed() {
  filterHandle_ = nullptr;
  RestoreArrowCursor();
}

void DcDataSetExtension::CalculateLookupFields() {
  RemoveEntriesOfMissingFields(&dataSet_, &LookupFields, &LookupLinks, &ControlType);
  RefreshLookupFields(&dataSet_, LookupFields, LookupLinks, lookupTables_);
}

void DcDataSetExtension::ValidateBeforePost() {
  if (ValidateWithMask) ValidatePictureMasks(&dataSet_, OnInvalidValue);
}

void DcDataSetExtension::RestoreArrowCursor() {
  if (!hourglassShown_) return;
  hourglassShown_ = false;
  Screen->SetCursor(crDefault);
}

int16_t DcDataSetExtension::RecordFilter(uintptr_t clientData, void* record, int32_t) {
  auto* dataSet = reinterpret_cast<TttBDEDataset*>(clientData);
  DcDataSetExtension* extension = ExtensionOf(dataSet);
  return !extension || extension->recordFilter(record) ? 1 : 0;
}

bool DcDataSetExtension::recordFilter(void* record) {
  if (!onFilter_ || inFilter_ || !FilteringEnabled()) return true;
  inFilter_ = true;
  const bool accept = dataSet_.FilterRecordWith(record, onFilter_);
  inFilter_ = false;
  if (!accept && (filterOptions_ & (1u << dfoShowHourglass)) && !hourglassShown_) {
    hourglassShown_ = true;
    Screen->SetCursor(crHourGlass);
  }
  if (filterOptions_ & (1u << dfoCancelOnEscape)) {
    filterCount_ = filterCount_ >= FilterCountWrap ? 0 : filterCount_ + 1;
    if (filterCount_ % EscapeCheckEvery == 0 && CheckEscapeStopsFiltering(&dataSet_) && OnFilterEscape)
      OnFilterEscape(&dataSet_);
  }
  return accept;
}

DcDataSetExtension* ExtensionOf(TObject* DataSet) {
  auto* extended = dynamic_cast<DcExtendedDataSet*>(DataSet);
  return extended ? &extended->Extension() : nullptr;
}

bool CheckEscapeStopsFiltering(TDataSet* DataSet) {
  if (!qn::ui::pendingEscapePressed()) return false;
  if (DcDataSetExtension* extension = ExtensionOf(DataSet))
    extension->StopFiltering();
  else
    SetFilterOptionsEnabled(DataSet, false);
  return true;
}
