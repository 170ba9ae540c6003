#pragma once
// TdcFilterDialog: the dialog component that lets the user search a data source's dataset by
// criteria on its fields, kept from one run to the next. By default (fdByFilter) the dataset is
// filtered by a record test; a dataset that publishes an "Sql" list can have its statement
// rewritten instead (fdByQueryModify).
#include <functional>
#include <memory>
#include <vector>

#include "datagrid/CustomDialog.h"
#include "datagrid/FieldOperators.h"
#include "datagrid/FilterCriteria.h"
#include "datagrid/FilterIndexRange.h"
#include "datagrid/FilterSqlBuilder.h"
#include "framework/base/DateTime.h"
#include "framework/base/StringList.h"
#include "framework/db/DataLink.h"

class TDataSource;
class TdcFilterDlg;
class TdcDummyForm;
class TdcFilterDialog;

// The options of the dialog, as set bits.
enum TdcFilterDialogOption {
  fdCaseSensitive, fdShowCaseSensitive, fdShowOKCancel, fdShowViewSummary, fdShowFieldOrder, fdShowValueRangeTab,
  fdShowNonMatching
};
using TdcFilterDialogOptions = unsigned;
constexpr TdcFilterDialogOptions FilterOption(TdcFilterDialogOption Option) { return 1u << Option; }
constexpr TdcFilterDialogOptions kDefaultFilterDialogOptions =
    FilterOption(fdShowCaseSensitive) | FilterOption(fdShowOKCancel) | FilterOption(fdShowViewSummary) |
    FilterOption(fdShowFieldOrder) | FilterOption(fdShowValueRangeTab);

enum TdcFilterDialogSort { fdSortByFieldNo, fdSortByFieldName };
enum TdcFilterMethod { fdByFilter, fdByQueryModify, fdByQueryParams };
enum TdcDefaultMatchType { fdDefaultMatchStart, fdDefaultMatchAny, fdDefaultMatchExact };
enum TdcDefaultFilterBy { fdSmartFilter, fdFilterByRange, fdFilterByValue };

using TdcFilterDlgEvent = std::function<void(TdcFilterDlg* Dialog)>;
using TdcSelectFieldEvent = std::function<void(TObject* Sender, const AnsiString& FieldName, AnsiString& PictureMask,
                                               TStrings* ComboList)>;
using TdcExecuteSqlEvent = std::function<void(TdcFilterDlg* Dialog, TDataSet* Query)>;

// The data link of the dialog: tells the dialog when its dataset opens or closes.
class TdcFilterDataLink : public TDataLink {
 public:
  explicit TdcFilterDataLink(TdcFilterDialog& Dialog) : dialog_(Dialog) {}

 protected:
  void ActiveChanged() override;

 private:
  TdcFilterDialog& dialog_;
};

class TdcFilterDialog : public TdcCustomDialog {
  QN_PUBLISHED_CLASS(TdcFilterDialog, TdcCustomDialog)
 public:
  explicit TdcFilterDialog(TComponent* AOwner);
  // A dataset still filtered by the record test loses the test, which goes with the dialog.
  ~TdcFilterDialog() override;

  // Runs the search form and applies its criteria; True when it closed with OK.
  bool Execute() override;
  TDataSet* GetPrimaryDataSet() override;
  // Forgets every criterion; a rewritten statement gets its original text back. The installed
  // record test stays and, without criteria, accepts every record.
  void ResetFilter();

  virtual void DoInitDialog(TdcFilterDlg* Dialog);
  virtual void DoSelectField(const AnsiString& FieldName, AnsiString& PictureMask, TStrings* ComboList);
  // The dataset opened or closed; a closing dataset filtered here forgets its criteria.
  virtual void DataSetActiveChanged(bool Active);

  TDataSource* DataSource() const { return link_.DataSource(); }
  // A dataset of the framework's table class takes the record filter.
  void SetDataSource(TDataSource* Value);
  TdcFilterMethod FilterMethod() const { return filterMethod_; }
  // A query method on a dataset without a statement is refused with a warning.
  void SetFilterMethod(TdcFilterMethod Value);
  int DlgHeight() const { return dlgHeight_; }
  // Heights below the form's own are ignored.
  void SetDlgHeight(int Value);
  TdcFieldOperators* FieldOperators() { return &fieldOperators_; }
  const TdcFieldOperators& Operators() const { return fieldOperators_; }
  TStrings* SelectedFields() { return &selectedFields_; }

  TdcFilterDialogOptions Options = kDefaultFilterDialogOptions;
  TdcFilterDialogSort SortBy = fdSortByFieldNo;
  AnsiString Caption;
  TdcDefaultMatchType DefaultMatchType = fdDefaultMatchStart;
  TdcDefaultFilterBy DefaultFilterBy = fdSmartFilter;
  AnsiString DefaultField;
  TdcFilterOptimization FilterOptimization = fdNone;
  char UpperRangePadChar = 'z';
  TdcQueryFormatDateMode QueryFormatDateMode = qfdMonthDayYear;
  TdcFilterDlgEvent OnInitDialog;
  TdcExecuteSqlEvent OnExecuteSQL;
  TdcEncodeDateTimeEvent OnEncodeDateTime;
  TdcSelectFieldEvent OnSelectField;

  bool HasOption(TdcFilterDialogOption Option) const { return (Options & FilterOption(Option)) != 0; }
  // The criteria of the last applied run, in order.
  std::vector<TdcFieldInfo>& Criteria() { return criteria_; }
  // The descriptions of the fields the form offers; rebuilt whenever the form is made.
  std::vector<TdcDBFieldInfo>& FieldDescriptions() { return fieldDescriptions_; }
  void BuildFieldDescriptions();
  // The description of that field, compared without case; nullptr when none.
  TdcDBFieldInfo* FindFieldDescription(const AnsiString& FieldName);
  // The field a label of the field list stands for ('~' read as a blank, no regard to case): the
  // description with that label, else the dataset's field with it; empty when none.
  AnsiString FieldNameOfLabel(const AnsiString& Label);
  // The memo buffer of the record test: FilterMemoSize bytes, allocated once.
  std::vector<char>& MemoBuffer() { return memoBuffer_; }
  TdcDummyForm* DummyForm() const { return dummyForm_.get(); }
  // Whether the last run narrowed a TdcTable to a key range.
  bool IndexRangeApplied() const { return indexRangeApplied_; }

 private:
  void ApplyCriteria(TDataSet* DataSet);
  void InstallRecordFilter(TDataSet* DataSet);
  void ModifyQuery(TDataSet* DataSet);
  bool HasStatement(TDataSet* DataSet) const;
  // The fields of the tables the statement reads, named uniquely; False (and no descriptions)
  // when a table cannot be read.
  bool DescribeQueryTables(TDataSet* DataSet);
  // One table of the statement, open for its fields; nullptr when it cannot be read.
  std::unique_ptr<TDataSet> OpenTableOfStatement(TDataSet* DataSet, const AnsiString& TableName);

  TdcFilterDataLink link_{*this};
  TdcFieldOperators fieldOperators_;
  StringList selectedFields_;
  StringList savedSql_;
  std::vector<TdcFieldInfo> criteria_;
  std::vector<TdcDBFieldInfo> fieldDescriptions_;
  std::vector<char> memoBuffer_;
  std::unique_ptr<TdcDummyForm> dummyForm_;
  TdcFilterMethod filterMethod_ = fdByFilter;
  int dlgHeight_ = 267;
  TdcFilterDlg* form_ = nullptr;  // the search form while Execute runs
  TDataSet* filteredDataSet_ = nullptr;
  bool indexRangeApplied_ = false;  // the dataset whose filter event is the record test
};
