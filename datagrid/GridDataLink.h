#pragma once
// TdcGridDataLink: the data link of the data-aware grid. It keeps the grid's field map (indices
// into the dataset's field list, one per data column) and hands every dataset notification to
// the grid; Modified says the grid's editor text has not reached its field yet.
#include <vector>

#include "framework/db/DataLink.h"

class TdcCustomDBGrid;

class TdcGridDataLink : public TDataLink {
 public:
  explicit TdcGridDataLink(TdcCustomDBGrid* Grid) : grid_(Grid) {}

  // The map never holds more entries than this.
  static constexpr int kMaxMappedFields = 16380;

  int FieldCount() const { return static_cast<int>(fieldMap_.size()); }
  // The dataset field of map entry Index; nullptr past the end or while inactive.
  TField* Fields(int Index) const;
  // Maps the dataset's field named FieldName; an unknown name adds nothing. A full map raises.
  void AddMapping(const AnsiString& FieldName);
  void ClearMapping();

  bool Modified() const { return modified_; }
  void Modified(bool Value) { modified_ = Value; }
  // Escape: a changed editor text is thrown away first; else the record's changes are, after a
  // confirmation when the record was changed.
  void Reset();

 protected:
  void ActiveChanged() override;
  void DataSetChanged() override;
  void DataSetScrolled(int distance) override;
  void LayoutChanged() override;
  void EditingChanged() override;
  void RecordChanged(TField* field) override;
  void UpdateData() override;

 private:
  TdcCustomDBGrid* grid_;
  std::vector<int> fieldMap_;
  bool modified_ = false;
  bool inUpdateData_ = false;
};
