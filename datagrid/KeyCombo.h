#pragma once
// TdcKeyCombo: a drop-down list of a dataset's indexes, each named by the display label of its
// first field (" - Desc" after a descending one), or by the index names with ShowAllIndexes.
// Choosing an entry makes that index the dataset's current one; the list follows the dataset's
// own index changes by its selection.
//
// Index information comes from the framework's tables and the record-manager tables (their
// index definitions, IndexName, IndexFieldNames and MasterSource); any other dataset is refused.
#include "framework/base/PublishedProperties.h"
#include "framework/db/DataLink.h"
#include "framework/ui/ComboBox.h"

class TDataSource;
class TDataSet;
class TField;
class TStrings;
class TdcKeyCombo;

namespace keycombo_texts {
inline constexpr const char* kNoIndexInformation = "DataSource must point to a dataset containing index information.";
inline constexpr const char* kTableWithQuery = "TdcKeyCombo: DataSet cannot be a TdcTable using a Query.";
inline constexpr const char* kChildTable = "TdcKeyCombo: Data Source can not be a child table.\rComponent ";
inline constexpr const char* kChildTableEnd = " has a MasterSource defined.";
inline constexpr const char* kVirtualDataSet =
    "TdcKeyCombo: Virtual DataSet does not have index information available.";
}  // namespace keycombo_texts

// Tells the combo when its dataset opens and when its data change.
class TdcKeyDataLink : public TDataLink {
 public:
  explicit TdcKeyDataLink(TdcKeyCombo& combo) : combo_(combo) {}

 protected:
  void ActiveChanged() override;
  void DataSetChanged() override;

 private:
  TdcKeyCombo& combo_;
};

class TdcKeyCombo : public ComboBox {
  QN_PUBLISHED_CLASS(TdcKeyCombo, ComboBox)
 public:
  explicit TdcKeyCombo(TComponent* AOwner);
  ~TdcKeyCombo() override;

  TDataSource* DataSource() const { return link_.DataSource(); }
  // Refuses, with a warning, a dataset without index information; the old source stays.
  void SetDataSource(TDataSource* Value);
  bool ShowAllIndexes() const { return showAllIndexes_; }
  void SetShowAllIndexes(bool Value);
  AnsiString PrimaryKeyName = "PrimaryKey";

  // The data changed: the selection follows the dataset's current index.
  virtual void DataChanged();
  // Builds the list (or, refresh-only, just finds the selection again).
  void BuildList(bool refreshOnly);
  // A grid's column list: while set, a field counts as shown when it has a line there, not by its
  // Visible; nullptr goes back to the fields' own.
  void SetShownFields(const TStrings* GridSelected) { shownFields_ = GridSelected; }

 protected:
  void Change() override;
  void Notification(TComponent* AComponent, TOperation Operation) override;

 private:
  AnsiString primaryKeyText() const;
  bool shown(TField* field) const;
  void select(const AnsiString& text);

  TdcKeyDataLink link_;
  bool showAllIndexes_ = false;
  bool refreshOnly_ = false;
  const TStrings* shownFields_ = nullptr;
};
