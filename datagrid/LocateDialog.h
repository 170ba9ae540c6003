#pragma once
// TdcLocateDialog: the dialog component that lets the user locate a record of a data source's
// dataset by a field's value. It remembers field, value, match type and case option from one
// run to the next.
#include <functional>

#include "datagrid/CustomDialog.h"
#include "datagrid/LocateText.h"
#include "framework/db/DataLink.h"

class TDataSource;
class TdcLocateDlg;

enum TdcFieldSortType { fsSortByFieldNo, fsSortByFieldName };
enum TdcDefaultButtonType { dbFindFirst, dbFindNext };
enum TdcFieldSelection { fsAllFields, fsVisibleFields };

class TdcLocateDialog : public TdcCustomDialog {
  QN_PUBLISHED_CLASS(TdcLocateDialog, TdcCustomDialog)
 public:
  explicit TdcLocateDialog(TComponent* AOwner);

  // Runs the form; true when a record was found and the form closed with it. Without an active
  // dataset behind the data source it tells so and answers false.
  bool Execute() override;
  TDataSet* GetPrimaryDataSet() override;
  virtual void DoInitDialog(TdcLocateDlg* Dialog);

  TDataSource* DataSource() const { return link_.DataSource(); }
  void SetDataSource(TDataSource* Value) { link_.SetDataSource(Value); }

  AnsiString Caption = "Locate Field Value";
  AnsiString SearchField;
  TdcLocateMatchType MatchType = mtPartialMatchStart;
  bool CaseSensitive = false;
  TdcFieldSortType SortFields = fsSortByFieldName;
  TdcDefaultButtonType DefaultButton = dbFindNext;
  TdcFieldSelection FieldSelection = fsAllFields;
  bool ShowMessages = true;  // kept; a search without a match is told either way
  std::function<void(TdcLocateDlg* Dialog)> OnInitDialog;

  // The value of the last run, offered again when SearchField still names a field.
  const AnsiString& SearchValue() const { return searchValue_; }

 private:
  void Fill(TdcLocateDlg& form, TDataSet& dataSet);

  TDataLink link_;
  AnsiString searchValue_;
};
