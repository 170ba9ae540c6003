#include "datagrid/FilterDialog.h"

#include "datagrid/DcTable.h"
#include "datagrid/ExtensionProperties.h"
#include "datagrid/FilterDialogForm.h"
#include "datagrid/FilterDummyForm.h"
#include "datagrid/Intl.h"
#include "datagrid/SelectedLists.h"
#include "datagrid/StringHelpers.h"
#include "framework/base/ClassRegistry.h"
#include "framework/base/Exception.h"
#include "framework/base/PublishedProperties.h"
#include "recordmgr/DatasetFieldTypes.h"
#include "recordmgr/FrameworkTable.h"
#include "framework/db/DataSet.h"
#include "framework/db/DataSource.h"
#include "framework/db/Field.h"
#include "framework/ui/Application.h"
#include "framework/ui/Dialogs.h"
#include "framework/ui/Screen.h"

namespace {

AnsiString blankedLabel(const AnsiString& label) { return StrReplaceCharByChar(label, '~', ' '); }

}  // namespace

// The navigator connects a dialog it makes by this property's name.
void TdcFilterDialog::PublishProperties(PropertyPublisher<TdcFilterDialog>& publish) {
  publish.Object("DataSource", &TdcFilterDialog::DataSource, &TdcFilterDialog::SetDataSource);
}

void TdcFilterDataLink::ActiveChanged() { dialog_.DataSetActiveChanged(Active()); }

TdcFilterDialog::TdcFilterDialog(TComponent* AOwner)
    : TdcCustomDialog(AOwner), memoBuffer_(static_cast<size_t>(IntMax(dcIntlDefaults->FilterMemoSize, 1))) {
  dummyForm_ = std::make_unique<TdcDummyForm>(nullptr, *this);
}

TdcFilterDialog::~TdcFilterDialog() {
  if (filteredDataSet_ && link_.DataSet() == filteredDataSet_)
    WriteEventProperty<TFilterRecordEvent>(filteredDataSet_, "OnFilterRecord", TFilterRecordEvent());
}

TDataSet* TdcFilterDialog::GetPrimaryDataSet() { return link_.DataSet(); }

void TdcFilterDialog::SetDataSource(TDataSource* Value) {
  link_.SetDataSource(Value);
  TDataSet* dataSet = GetPrimaryDataSet();
  if (dataSet && ClassInheritsFromName(dataSet->ClassInfo(), "TTable")) filterMethod_ = fdByFilter;
}

bool TdcFilterDialog::HasStatement(TDataSet* DataSet) const {
  return ReadStringListProperty(DataSet, "Sql").has_value();
}

void TdcFilterDialog::SetFilterMethod(TdcFilterMethod Value) {
  TDataSet* dataSet = GetPrimaryDataSet();
  if (Value != fdByFilter && dataSet && !ClassInheritsFromName(dataSet->ClassInfo(), "TQuery") &&
      !HasStatement(dataSet)) {
    MessageDlg("Invalid FilterMethod for Dataset. \rOnly fdByFilter is supported for this type of Dataset", mtWarning,
               {mbOK}, 0);
    return;
  }
  filterMethod_ = Value;
}

void TdcFilterDialog::SetDlgHeight(int Value) {
  if (Value > 267) dlgHeight_ = Value;
}

void TdcFilterDialog::DoInitDialog(TdcFilterDlg* Dialog) {
  if (OnInitDialog) OnInitDialog(Dialog);
}

void TdcFilterDialog::DoSelectField(const AnsiString& FieldName, AnsiString& PictureMask, TStrings* ComboList) {
  if (OnSelectField) OnSelectField(this, FieldName, PictureMask, ComboList);
}

void TdcFilterDialog::DataSetActiveChanged(bool Active) {
  if (Active || filterMethod_ != fdByFilter) return;
  TDataSet* dataSet = GetPrimaryDataSet();
  if (!criteria_.empty() && dataSet && ClassInheritsFromName(dataSet->ClassInfo(), "TBDEDataSet"))
    SetFilterOptionsEnabled(dataSet, false);
  ResetFilter();
}

void TdcFilterDialog::ResetFilter() {
  criteria_.clear();
  TDataSet* dataSet = GetPrimaryDataSet();
  if (filterMethod_ != fdByQueryModify || !dataSet || savedSql_.Count() == 0 || !HasStatement(dataSet)) return;
  // The statement list is written by name ("Sql" and "SQL" are one property), from a copy, so a
  // setter that copies its argument never reads the list it is clearing.
  StringList original;
  original.Assign(savedSql_);
  SetSQL(dataSet, &original);
  savedSql_.Clear();
}

void TdcFilterDialog::BuildFieldDescriptions() {
  fieldDescriptions_.clear();
  TDataSet* dataSet = GetPrimaryDataSet();
  if (!dataSet) return;
  if (filterMethod_ == fdByQueryModify && DescribeQueryTables(dataSet)) return;
  for (int i = 0; i < dataSet->FieldCount(); ++i) {
    TField* field = dataSet->Fields()[i];
    fieldDescriptions_.push_back({field->FieldName(), field->FieldName(), "", field->DataType(), field->DisplayLabel(),
                                  static_cast<int16_t>(field->Size())});
  }
}

std::unique_ptr<TDataSet> TdcFilterDialog::OpenTableOfStatement(TDataSet* DataSet, const AnsiString& TableName) {
  const AnsiString database = GetDatabaseName(DataSet);
  const AnsiString session = GetSessionName(DataSet);
  // A record-manager table first; a database the table cannot reach (an SQL one) is asked through
  // a dataset of the statement's own class.
  try {
    auto table = std::make_unique<TTable>(nullptr);
    table->SetDatabaseName(database);
    if (!session.empty()) table->SetSessionName(session);
    table->SetTableName(TableName);
    table->SetReadOnly(true);
    table->Open();
    return table;
  } catch (const Exception&) {
  }
  try {
    std::unique_ptr<TDataSet> query(dynamic_cast<TDataSet*>(FindRegisteredClass(DataSet->ClassName())
                                                                ? CreateComponentByClassName(DataSet->ClassName(), nullptr)
                                                                : nullptr));
    if (!query) return nullptr;
    SetDatabaseName(query.get(), database);
    if (!session.empty()) WriteStringProperty(query.get(), "SessionName", session);
    StringList statement;
    statement.Add("Select * from " + TableName);
    if (!SetSQL(query.get(), &statement)) return nullptr;
    query->Open();
    return query;
  } catch (const Exception&) {
    return nullptr;
  }
}

bool TdcFilterDialog::DescribeQueryTables(TDataSet* DataSet) {
  const std::optional<TStrings*> sql = ReadStringListProperty(DataSet, "Sql");
  if (!sql || !*sql || !ClassInheritsFromName(DataSet->ClassInfo(), "TBDEDataSet")) return false;
  // The statement as written, not an earlier rewrite of it.
  const std::vector<FilterTableReference> tables =
      ReadFilterTableReferences(savedSql_.Count() > 0 ? static_cast<const TStrings&>(savedSql_) : **sql);
  if (tables.empty()) return false;
  auto taken = [this](const AnsiString& name) { return FindFieldDescription(name) != nullptr; };
  for (const FilterTableReference& reference : tables) {
    std::unique_ptr<TDataSet> table = OpenTableOfStatement(DataSet, reference.Name);
    if (!table) {
      fieldDescriptions_.clear();
      return false;
    }
    for (int i = 0; i < table->FieldCount(); ++i) {
      TField* field = table->Fields()[i];
      TField* shown = DataSet->FindField(field->FieldName());
      const AnsiString label = field->DisplayLabel() != field->FieldName() ? field->DisplayLabel()
                               : shown                                     ? shown->DisplayLabel()
                                                                           : field->FieldName();
      fieldDescriptions_.push_back({UniqueFieldDefName(field->FieldName(), taken), field->FieldName(),
                                    reference.Alias.empty() ? reference.Name : reference.Alias, field->DataType(),
                                    label, static_cast<int16_t>(field->Size())});
    }
  }
  return true;
}

TdcDBFieldInfo* TdcFilterDialog::FindFieldDescription(const AnsiString& FieldName) {
  for (TdcDBFieldInfo& description : fieldDescriptions_)
    if (StrEqualNoCase(description.FieldName, FieldName)) return &description;
  return nullptr;
}

AnsiString TdcFilterDialog::FieldNameOfLabel(const AnsiString& Label) {
  const AnsiString wanted = blankedLabel(Label);
  for (const TdcDBFieldInfo& description : fieldDescriptions_)
    if (StrEqualNoCase(blankedLabel(description.DisplayLabel), wanted)) return description.FieldName;
  return FieldNameFromDisplayLabel(GetPrimaryDataSet(), Label);
}

bool TdcFilterDialog::Execute() {
  TDataSet* dataSet = GetPrimaryDataSet();
  if (!dataSet) return false;
  if (!dataSet->Active() && filterMethod_ == fdByFilter) {
    MessageDlg("Dataset must be active to perform local filtering (FilterMethod=fdByFilter).", mtError, {mbOK}, 0);
    return false;
  }
  if (fieldOperators_.OrChar() == fieldOperators_.AndChar())
    MessageDlg("And and Or Operators have the same value.", mtWarning, {mbOK}, 0);

  HourglassCursor hourglass;
  auto form = std::make_unique<TdcFilterDlg>(Application, *this);
  struct FormInUse {
    TdcFilterDlg*& slot;
    ~FormInUse() { slot = nullptr; }
  } inUse{form_};
  form_ = form.get();
  form->SetCaption(Caption);
  form->FillFieldList(true);
  if (form->runModal() != mrOk) return false;
  if (!form->Modified() && GetFilterOptionsEnabled(dataSet)) return true;

  criteria_ = form->WorkingCriteria();
  for (TdcFieldInfo& criterion : criteria_) criterion.FieldName = FieldNameOfLabel(criterion.DisplayLabel);
  ApplyCriteria(dataSet);
  return true;
}

void TdcFilterDialog::ApplyCriteria(TDataSet* DataSet) {
  SetFilterOptionsEnabled(DataSet, true);
  if (!ClassInheritsFromName(DataSet->ClassInfo(), "TdcQuery") && !HasStatement(DataSet)) {
    InstallRecordFilter(DataSet);
    return;
  }
  if (filterMethod_ == fdByFilter) {
    InstallRecordFilter(DataSet);
  } else if (filterMethod_ == fdByQueryModify) {
    HourglassCursor hourglass;
    ModifyQuery(DataSet);
  }
}

void TdcFilterDialog::InstallRecordFilter(TDataSet* DataSet) {
  if (!DataSet->Active()) DataSet->Open();
  if (auto* table = dynamic_cast<TdcTable*>(DataSet); table && !table->MasterSource()) {
    if (indexRangeApplied_) table->CancelRange();
    indexRangeApplied_ =
        ApplyFilterIndexRange(*table, criteria_, fieldOperators_, FilterOptimization, UpperRangePadChar);
  }
  dummyForm_->SetDataSet(DataSet);
  TFilterRecordEvent test;
  if (!criteria_.empty()) test = [form = dummyForm_.get()](TDataSet* dataSet, bool& accept) { form->FilterRecord(dataSet, accept); };
  if (WriteEventProperty<TFilterRecordEvent>(DataSet, "OnFilterRecord", test)) {
    filteredDataSet_ = test ? DataSet : nullptr;
    WriteBooleanProperty(DataSet, "Filtered", true);
  }
}

void TdcFilterDialog::ModifyQuery(TDataSet* DataSet) {
  const FilterClause clause =
      BuildFilterClause(criteria_, fieldDescriptions_,
                        FilterSqlSettings{fieldOperators_, UpperRangePadChar, QueryFormatDateMode, OnEncodeDateTime});
  const std::optional<TStrings*> sql = ReadStringListProperty(DataSet, "Sql");
  DataSet->Close();
  if (!clause.Error.empty()) {
    MessageDlg(clause.Error, mtWarning, {mbOK}, 0);
    return;
  }
  if (!sql || !*sql) return;
  // The first rewrite keeps the statement as written; later ones start again from it.
  if (savedSql_.Count() == 0) savedSql_.Assign(**sql);
  StringList statement;
  statement.Assign(savedSql_);
  if (!clause.Lines.empty()) InsertFilterClause(statement, clause.Lines);
  SetSQL(DataSet, &statement);
  if (OnExecuteSQL && ClassInheritsFromName(DataSet->ClassInfo(), "TQuery")) OnExecuteSQL(form_, DataSet);
  try {
    DataSet->Open();
  } catch (...) {
    AnsiString message = "Unable to Execute SQL:\r";
    for (int i = 0; i < statement.Count(); ++i) message += statement[i] + "\r";
    MessageDlg(message, mtWarning, {mbOK}, 0);
    throw;
  }
}
