#include "datagrid/ExtensionProperties.h"

#include <mutex>
#include <unordered_map>

#include "framework/base/Object.h"
#include "framework/base/PublishedProperties.h"
#include "framework/base/TextCompare.h"

namespace {

constexpr const char* kClientDataSetClass = "TdcClientDataSet";

TStrings* stringList(const TObject* component, const char* name) {
  return ReadStringListProperty(component, name).value_or(nullptr);
}

// Only a windowed control carries DataSource and DataField for this library.
bool isWindowedControl(const TObject* component) {
  return component && ClassInheritsFromName(component->ClassInfo(), "TWinControl");
}

}  // namespace

TStrings* GetControlTypeList(const TObject* Component) { return stringList(Component, "ControlType"); }
TStrings* GetPictureMaskList(const TObject* Component) { return stringList(Component, "PictureMasks"); }
TStrings* GetLookupFieldList(const TObject* Component) { return stringList(Component, "LookupFields"); }
TStrings* GetLookupLinkList(const TObject* Component) { return stringList(Component, "LookupLinks"); }

bool GetValidateWithMask(const TObject* Component) {
  return ReadBooleanProperty(Component, "ValidateWithMask").value_or(false);
}

TdcInvalidValueEvent GetOnInvalidValue(const TObject* Component) {
  return ReadEventProperty<TdcInvalidValueEvent>(Component, "OnInvalidValue").value_or(TdcInvalidValueEvent());
}

bool GetControlInfoInDataSet(const TObject* Dialog) {
  return ReadBooleanProperty(Dialog, "ControlInfoInDataSet").value_or(true);
}

bool GetFilterOptionsEnabled(const TObject* DataSet) {
  if (DataSet && ClassInheritsFromName(DataSet->ClassInfo(), kClientDataSetClass))
    return ReadBooleanProperty(DataSet, "Filtered").value_or(false);
  return (ReadSetProperty(DataSet, "OnFilterOptions").value_or(0) & 1) != 0;
}

bool SetFilterOptionsEnabled(TObject* DataSet, bool Enabled) {
  const std::optional<std::uint64_t> mask = ReadSetProperty(DataSet, "OnFilterOptions");
  if (!mask) return false;
  return WriteSetProperty(DataSet, "OnFilterOptions", Enabled ? (*mask | 1) : (*mask & ~std::uint64_t{1}));
}

AnsiString GetDatabaseName(const TObject* Component) {
  return ReadStringProperty(Component, "DatabaseName").value_or(AnsiString());
}

bool SetDatabaseName(TObject* Component, const AnsiString& Value) {
  return WriteStringProperty(Component, "DatabaseName", Value);
}

AnsiString GetSessionName(const TObject* Component) {
  return ReadStringProperty(Component, "SessionName").value_or(AnsiString());
}

TObject* GetDataSourceOf(const TObject* Component) {
  return ReadObjectProperty(Component, "DataSource").value_or(nullptr);
}

bool SetDataSourceOf(TObject* Component, TObject* Value) {
  return isWindowedControl(Component) && WriteObjectProperty(Component, "DataSource", Value);
}

AnsiString GetDataFieldOf(const TObject* Component) {
  if (!isWindowedControl(Component)) return AnsiString();
  return ReadStringProperty(Component, "DataField").value_or(AnsiString());
}

bool SetDataFieldOf(TObject* Component, const AnsiString& Value) {
  return isWindowedControl(Component) && WriteStringProperty(Component, "DataField", Value);
}

TObject* GetMasterSource(const TObject* DataSet) {
  return ReadObjectProperty(DataSet, "MasterSource").value_or(nullptr);
}

bool GetParamCheck(const TObject* DataSet) { return ReadBooleanProperty(DataSet, "ParamCheck").value_or(false); }

bool SetParamCheck(TObject* DataSet, bool Value) { return WriteBooleanProperty(DataSet, "ParamCheck", Value); }

bool SetSQL(TObject* DataSet, TStrings* Value) { return WriteStringListProperty(DataSet, "SQL", Value); }

bool ClassInheritsFromName(const TClassInfo* ClassType, const AnsiString& Name) {
  for (const TClassInfo* c = ClassType; c; c = c->parent)
    if (SameText(c->name, Name)) return true;
  return false;
}

bool IsExtendedDataSet(const TObject* DataSet) {
  if (!DataSet) return false;
  // A class's ancestry and published properties are fixed for the run, and the grid asks for
  // every cell it paints: each class is decided once.
  static std::mutex mutex;
  static std::unordered_map<const TClassInfo*, bool> decided;
  const TClassInfo* cls = DataSet->ClassInfo();
  std::lock_guard lock(mutex);
  if (const auto found = decided.find(cls); found != decided.end()) return found->second;
  bool extended = FindPublishedProperty(DataSet, "ControlType") != nullptr;
  for (const char* name : {"TdcTable", "TdcQuery", "TdcQBE", "TdcStoredProc", kClientDataSetClass})
    extended = extended || ClassInheritsFromName(cls, name);
  decided.emplace(cls, extended);
  return extended;
}
