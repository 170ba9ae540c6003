#pragma once
// What the library's own datasets (TdcTable, TdcQuery, TdcQBE, TdcStoredProc) add to their
// framework dataset, kept in one object each of them holds: the per-field lists, the mask check
// before a post, the record filter with its hourglass and its Escape exit, and the internal
// lookup tables that fill LookupFields fields.
//
// The record filter runs OnFilter for each record the cursor offers while OnFilter is assigned
// and filtering is enabled. A rejected record shows the hourglass (with that option) until the
// next fetch or data event; with the Escape option every hundredth call looks for a pending Escape,
// which switches filtering off and fires OnFilterEscape.
#include <cstdint>
#include <vector>

#include "datagrid/ExtensionProperties.h"
#include "framework/base/PublishedProperties.h"
#include "framework/base/StringList.h"
#include "framework/db/DataSet.h"
#include "recordmgr/FilterListItem.h"

class TttBDEDataset;
class TdcTable;

// Members of OnFilterOptions, by ordinal.
enum TdcFilterOption { dfoEnabled, dfoShowHourglass, dfoCancelOnEscape };
extern const EnumerationType kFilterOptionsType;
constexpr std::uint64_t kDefaultFilterOptions = (1u << dfoEnabled) | (1u << dfoShowHourglass);

// The internal lookup tables of a dataset; they belong to it.
using TdcLookupTableList = std::vector<TdcTable*>;

class DcDataSetExtension {
 public:
  // The record filter counter wraps to 0 above this; every hundredth call looks for Escape.
  static constexpr int FilterCountWrap = 31999;
  static constexpr int EscapeCheckEvery = 100;

  explicit DcDataSetExtension(TttBDEDataset& dataSet);
  ~DcDataSetExtension();
  DcDataSetExtension(const DcDataSetExtension&) = delete;
  DcDataSetExtension& operator=(const DcDataSetExtension&) = delete;

  StringList ControlType, PictureMasks, LookupFields, LookupLinks;
  bool ValidateWithMask = true;
  TdcInvalidValueEvent OnInvalidValue;
  TDataSetNotifyEvent OnFilterEscape;

  const TFilterRecordEvent& OnFilter() const { return onFilter_; }
  // On an open dataset the cursor's record filter is installed or removed at once.
  void SetOnFilter(const TFilterRecordEvent& handler);
  std::uint64_t FilterOptions() const { return filterOptions_; }
  // Switching filtering on or off while the dataset is open with OnFilter fetches the records
  // again around the current one.
  void SetFilterOptions(std::uint64_t value);
  bool FilteringEnabled() const { return (filterOptions_ & (1u << dfoEnabled)) != 0; }
  // Clears the enabled member alone: the scan under way lets every further record through.
  void StopFiltering() { filterOptions_ &= ~(std::uint64_t{1} << dfoEnabled); }

  // --- Steps the datasets run at their points of the framework's protocol ---
  // The cursor is ready: the record filter goes on when OnFilter is assigned.
  void CursorPrepared();
  // The cursor is gone and took its filters with it.
  void CursorClosed();
  // Before the user's calculated fields: stale list lines go, lookup fields are filled.
  void CalculateLookupFields();
  // After the user's before-post handler.
  void ValidateBeforePost();
  // After fetching records and after data events: an hourglass the filter showed goes.
  void RestoreArrowCursor();
  int FilterCallCount() const { return filterCount_; }

  TdcLookupTableList& LookupTables() { return lookupTables_; }
  void FreeLookupTables();

  // The record filter as the cursor calls it; the client data is the dataset.
  static int16_t RecordFilter(uintptr_t clientData, void* record, int32_t reserved);

 private:
  bool recordFilter(void* record);
  void refetchKeepingPosition();

  TttBDEDataset& dataSet_;
  TFilterRecordEvent onFilter_;
  std::uint64_t filterOptions_ = kDefaultFilterOptions;
  TFilterListItem* filterHandle_ = nullptr;
  bool inFilter_ = false;
  bool hourglassShown_ = false;
  int filterCount_ = 0;
  TdcLookupTableList lookupTables_;
};

// The library's datasets hand out their extension through this.
class DcExtendedDataSet {
 public:
  virtual DcDataSetExtension& Extension() = 0;

 protected:
  ~DcExtendedDataSet() = default;
};

// The extension of one of the library's datasets; nullptr for any other object.
DcDataSetExtension* ExtensionOf(TObject* DataSet);

// The properties every library dataset publishes from its extension (reached by Extension()).
template <class DataSet>
void PublishExtensionProperties(PropertyPublisher<DataSet>& publish) {
  auto list = [&publish](const char* name, StringList DcDataSetExtension::*member) {
    publish.StringList(
        name, [member](DataSet& d) -> TStrings* { return &(d.Extension().*member); },
        [member](DataSet& d, TStrings* value) {
          if (value) (d.Extension().*member).Assign(*value);
        });
  };
  list("ControlType", &DcDataSetExtension::ControlType);
  list("PictureMasks", &DcDataSetExtension::PictureMasks);
  list("LookupFields", &DcDataSetExtension::LookupFields);
  list("LookupLinks", &DcDataSetExtension::LookupLinks);
  publish.Boolean(
      "ValidateWithMask", [](DataSet& d) { return d.Extension().ValidateWithMask; },
      [](DataSet& d, bool value) { d.Extension().ValidateWithMask = value; });
  publish.Event(
      "OnInvalidValue", [](DataSet& d) -> TdcInvalidValueEvent { return d.Extension().OnInvalidValue; },
      [](DataSet& d, TdcInvalidValueEvent value) { d.Extension().OnInvalidValue = std::move(value); });
  publish.Event(
      "OnFilter", [](DataSet& d) -> TFilterRecordEvent { return d.Extension().OnFilter(); },
      [](DataSet& d, TFilterRecordEvent value) { d.Extension().SetOnFilter(value); });
  publish.Event(
      "OnFilterEscape", [](DataSet& d) -> TDataSetNotifyEvent { return d.Extension().OnFilterEscape; },
      [](DataSet& d, TDataSetNotifyEvent value) { d.Extension().OnFilterEscape = std::move(value); });
  publish.Set(
      "OnFilterOptions", kFilterOptionsType, [](DataSet& d) { return d.Extension().FilterOptions(); },
      [](DataSet& d, std::uint64_t value) { d.Extension().SetFilterOptions(value); });
}

// Whether the library's escape check finds a pending Escape: it is taken, filtering switched off
// and True answered.
bool CheckEscapeStopsFiltering(TDataSet* DataSet);
