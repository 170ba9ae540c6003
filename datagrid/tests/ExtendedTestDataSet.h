#pragma once
// A memory dataset that publishes the extension properties the library reads by name, as the
// record-manager table and the library's own datasets do, and a windowed control that publishes
// DataSource and DataField as the data-aware controls do.
#include <memory>

#include "datagrid/ExtensionProperties.h"
#include "framework/base/PublishedProperties.h"
#include "framework/base/StringList.h"
#include "framework/db/DataSource.h"
#include "framework/db/MemoryDataSet.h"
#include "framework/ui/WinControl.h"

namespace datagridtest {

class ExtendedTestDataSet : public MemoryDataSet {
  QN_PUBLISHED_CLASS(ExtendedTestDataSet, MemoryDataSet)
 public:
  using MemoryDataSet::MemoryDataSet;

  StringList ControlType, PictureMasks, LookupFields, LookupLinks;
  bool ValidateWithMask = false;
  TdcInvalidValueEvent OnInvalidValue;
  std::uint64_t OnFilterOptions = 0;
  AnsiString DatabaseName, SessionName;
};

inline const EnumerationType kTestFilterOptions{"TestFilterOptions", {"foEnabled", "foCaseInsensitive"}};

inline void ExtendedTestDataSet::PublishProperties(PropertyPublisher<ExtendedTestDataSet>& publish) {
  auto list = [&publish](const char* name, StringList ExtendedTestDataSet::*member) {
    publish.StringList(
        name, [member](ExtendedTestDataSet& ds) -> TStrings* { return &(ds.*member); },
        [member](ExtendedTestDataSet& ds, TStrings* value) {
          if (value) (ds.*member).Assign(*value);
        });
  };
  list("ControlType", &ExtendedTestDataSet::ControlType);
  list("PictureMasks", &ExtendedTestDataSet::PictureMasks);
  list("LookupFields", &ExtendedTestDataSet::LookupFields);
  list("LookupLinks", &ExtendedTestDataSet::LookupLinks);
  publish.Boolean("ValidateWithMask", &ExtendedTestDataSet::ValidateWithMask, &ExtendedTestDataSet::ValidateWithMask);
  publish.Event("OnInvalidValue", &ExtendedTestDataSet::OnInvalidValue, &ExtendedTestDataSet::OnInvalidValue);
  publish.Set("OnFilterOptions", kTestFilterOptions, &ExtendedTestDataSet::OnFilterOptions,
              &ExtendedTestDataSet::OnFilterOptions);
  publish.String("DatabaseName", &ExtendedTestDataSet::DatabaseName, &ExtendedTestDataSet::DatabaseName);
  publish.String("SessionName", &ExtendedTestDataSet::SessionName);
}

class DataAwareTestControl : public TWinControl {
  QN_PUBLISHED_CLASS(DataAwareTestControl, TWinControl)
 public:
  using TWinControl::TWinControl;

  TDataSource* DataSource = nullptr;
  AnsiString DataField;
};

inline void DataAwareTestControl::PublishProperties(PropertyPublisher<DataAwareTestControl>& publish) {
  publish.Object("DataSource", &DataAwareTestControl::DataSource, &DataAwareTestControl::DataSource);
  publish.String("DataField", &DataAwareTestControl::DataField, &DataAwareTestControl::DataField);
}

// A windowed control whose DataSource and DataField are of other kinds.
class MistypedTestControl : public TWinControl {
  QN_PUBLISHED_CLASS(MistypedTestControl, TWinControl)
 public:
  using TWinControl::TWinControl;

  AnsiString DataSource;
  int DataField = 0;
};

inline void MistypedTestControl::PublishProperties(PropertyPublisher<MistypedTestControl>& publish) {
  publish.String("DataSource", &MistypedTestControl::DataSource, &MistypedTestControl::DataSource);
  publish.Integer("DataField", &MistypedTestControl::DataField, &MistypedTestControl::DataField);
}

// A component (not a control) that publishes both as the data-aware controls do.
class DataAwareTestComponent : public TComponent {
  QN_PUBLISHED_CLASS(DataAwareTestComponent, TComponent)
 public:
  using TComponent::TComponent;

  TDataSource* DataSource = nullptr;
  AnsiString DataField;
};

inline void DataAwareTestComponent::PublishProperties(PropertyPublisher<DataAwareTestComponent>& publish) {
  publish.Object("DataSource", &DataAwareTestComponent::DataSource, &DataAwareTestComponent::DataSource);
  publish.String("DataField", &DataAwareTestComponent::DataField, &DataAwareTestComponent::DataField);
}

}  // namespace datagridtest
