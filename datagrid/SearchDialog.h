#pragma once
// TdcSearchDialog: the lookup dialog of a table. With a shadow (a second table object on the
// same record file) the user browses and reorders the shadow, so the form's own table stays
// still until OK moves it to the chosen record; without one the form browses the table itself.
// The navigator's search button makes it by class name and sets SearchTable by name.
#include "datagrid/LookupDialog.h"

class TdcTable;

namespace searchdialog_texts {
inline constexpr const char* kSameObject =
    "Your SearchTable and ShadowSearchTable must reference two distinct TdcTable objects, but each must reference "
    "the same physical table.";
inline constexpr const char* kDifferentTables =
    "Your SearchTable and ShadowSearchTable must reference two distinct TdcTable objects, and each must reference "
    "the same physical table.";
inline constexpr const char* kCannotOpen = "Unable to open search or lookup table.";
}  // namespace searchdialog_texts

class TdcSearchDialog : public TdcCustomLookupDialog {
  QN_PUBLISHED_CLASS(TdcSearchDialog, TdcCustomLookupDialog)
 public:
  explicit TdcSearchDialog(TComponent* AOwner);

  // Refuses, with a warning and false, tables that are one object, lie on different files, have
  // no database or are closed. After OK the search table stands on the record picked.
  bool Execute() override;
  TDataSet* GetPrimaryDataSet() override;

  TdcTable* SearchTable() const { return searchTable_; }
  void SetSearchTable(TdcTable* Value);
  TdcTable* ShadowSearchTable() const { return shadowSearchTable_; }
  void SetShadowSearchTable(TdcTable* Value);

 protected:
  void Notification(TComponent* AComponent, TOperation Operation) override;

 private:
  // The warning that refuses the run; empty when the tables may run.
  AnsiString refusal() const;

  TdcTable* searchTable_ = nullptr;
  TdcTable* shadowSearchTable_ = nullptr;
};
