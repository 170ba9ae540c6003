#pragma once
// The lookup dialogs: components that show a dataset in the modal TdcLookupDlg form, where the
// user picks a record by searching and browsing a grid. TdcLookupDialog works on any dataset;
// TdcSearchDialog (SearchDialog.h) on a table and its shadow.
#include "datagrid/CustomDialog.h"
#include "datagrid/DBGridOptions.h"
#include "datagrid/LookupDialogForm.h"
#include "framework/base/Alignment.h"
#include "framework/base/PublishedProperties.h"
#include "framework/base/StringList.h"
#include "framework/ui/Color.h"
#include "framework/ui/Edit.h"

extern const EnumerationType kLookupDlgOptionType;

inline constexpr TdcDBGridOptions kLookupGridOptions{dgTitles,   dgIndicator, dgColumnResize,        dgColLines,
                                                     dgRowLines, dgTabs,      dgRowSelect,           dgAlwaysShowSelection,
                                                     dgConfirmDelete, dgPerfectRowFit};

namespace lookupdialog_texts {
inline constexpr const char* kNoLookupTable = "You must define a lookupTable.";
inline constexpr const char* kTableNotActive = "Search Table is not active.";
inline constexpr const char* kDataSetNotActive = "DataSet for this component must be active.";
}  // namespace lookupdialog_texts

class TdcCustomLookupDialog : public TdcCustomDialog {
  QN_PUBLISHED_CLASS(TdcCustomLookupDialog, TdcCustomDialog)
 public:
  explicit TdcCustomLookupDialog(TComponent* AOwner);

  // Derived classes answer their table; this one raises EInvalidOperation.
  TDataSet* GetPrimaryDataSet() override;

  // The grid's column list; assigning copies it.
  TStrings* Selected() { return &selected_; }
  void SetSelected(TStrings* Value) {
    if (Value) selected_.Assign(*Value);
  }
  TAlignment GridTitleAlignment = taLeftJustify;
  TColor GridColor = clWhite;
  TdcDBLookupDlgOptions Options = kDefaultLookupDlgOptions;
  TdcDBGridOptions GridOptions = kLookupGridOptions;
  AnsiString Caption = "Search";
  int MaxWidth = 0;
  int MaxHeight = 209;
  TEditCharCase CharCase = ecNormal;
  bool PictureMaskFromField = false;
  bool UseTFields = true;
  AnsiString UserButton1Caption;
  AnsiString UserButton2Caption;
  TdcUserButtonEvent OnUserButton1Click;
  TdcUserButtonEvent OnUserButton2Click;
  TdcOnInitDialogEvent OnInitDialog;
  TdcOnInitDialogEvent OnCloseDialog;
  TNotifyEvent OnSortChange;

 protected:
  // Runs the form on the dataset with that column list (none when empty); true when it closed
  // with OK.
  bool RunForm(TDataSet* DataSet, const TStrings& Columns);

 private:
  StringList selected_;
};

class TdcLookupDialog : public TdcCustomLookupDialog {
  QN_PUBLISHED_CLASS(TdcLookupDialog, TdcCustomLookupDialog)
 public:
  explicit TdcLookupDialog(TComponent* AOwner);

  // Warns and answers false without an active LookupTable.
  bool Execute() override;
  TDataSet* GetPrimaryDataSet() override { return lookupTable_; }

  TDataSet* LookupTable() const { return lookupTable_; }
  void SetLookupTable(TDataSet* Value);

 protected:
  void Notification(TComponent* AComponent, TOperation Operation) override;

 private:
  TDataSet* lookupTable_ = nullptr;
};
