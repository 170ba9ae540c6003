#pragma once
// TdcSearchDialog: the lookup dialog of a table. With a shadow (a second table object on the
// same record file) the user browses and reorders the shadow, so the form's own table stays
// still until OK moves it to the chosen record; without one the form browses the table itself.
// The navigator's search button makes it by class name and sets SearchTable by name. Either
// table may be any record-manager table (the library's or the application's); the range
// synchronisation of SQL databases and the narrowed search belong to the library's table.
#include "datagrid/LookupDialog.h"

class TttTable;

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

  TttTable* SearchTable() const { return searchTable_; }
  void SetSearchTable(TttTable* Value);
  TttTable* ShadowSearchTable() const { return shadowSearchTable_; }
  void SetShadowSearchTable(TttTable* Value);

 protected:
  void Notification(TComponent* AComponent, TOperation Operation) override;

 private:
  // The warning that refuses the run; empty when the tables may run.
  AnsiString refusal() const;

  TttTable* searchTable_ = nullptr;
  TttTable* shadowSearchTable_ = nullptr;
};
