#include "datagrid/LookupDialog.h"

#include <memory>

#include "datagrid/DBGrid.h"
#include "datagrid/DcDataSource.h"
#include "framework/ui/Button.h"
#include "datagrid/IncrementalSearch.h"
#include "datagrid/SelectedLists.h"
#include "framework/base/ClassRegistry.h"
#include "framework/base/Exception.h"
#include "framework/base/UnitLifecycle.h"
#include "framework/db/DataSet.h"
#include "framework/db/DataSource.h"
#include "framework/db/Field.h"
#include "framework/ui/Application.h"
#include "framework/ui/Dialogs.h"
#include "framework/ui/Screen.h"

namespace {

UnitRegistration unit("datagrid/LookupDialog", {}, [] { RegisterClass<TdcLookupDialog>(); });

}  // namespace

const EnumerationType kLookupDlgOptionType{
    "TdcDBLookupDlgOption", {"opShowOKCancel", "opShowSearchBy", "opGroupControls", "opFixFirstColumn", "opShowStatusBar"}};

void TdcCustomLookupDialog::PublishProperties(PropertyPublisher<TdcCustomLookupDialog>& publish) {
  using Self = TdcCustomLookupDialog;
  publish.StringList("Selected", [](Self& d) { return d.Selected(); }, [](Self& d, TStrings* v) { d.SetSelected(v); })
      .Enumeration("GridTitleAlignment", kAlignmentType, &Self::GridTitleAlignment, &Self::GridTitleAlignment)
      .Set("Options", kLookupDlgOptionType, &Self::Options, &Self::Options)
      .String("Caption", &Self::Caption, &Self::Caption)
      .Integer("MaxWidth", &Self::MaxWidth, &Self::MaxWidth)
      .Integer("MaxHeight", &Self::MaxHeight, &Self::MaxHeight)
      .Enumeration("CharCase", kEditCharCaseType, &Self::CharCase, &Self::CharCase)
      .Boolean("PictureMaskFromField", &Self::PictureMaskFromField, &Self::PictureMaskFromField)
      .Boolean("UseTFields", &Self::UseTFields, &Self::UseTFields)
      .String("UserButton1Caption", &Self::UserButton1Caption, &Self::UserButton1Caption)
      .String("UserButton2Caption", &Self::UserButton2Caption, &Self::UserButton2Caption)
      .Event("OnUserButton1Click", &Self::OnUserButton1Click, &Self::OnUserButton1Click)
      .Event("OnUserButton2Click", &Self::OnUserButton2Click, &Self::OnUserButton2Click)
      .Event("OnInitDialog", &Self::OnInitDialog, &Self::OnInitDialog)
      .Event("OnCloseDialog", &Self::OnCloseDialog, &Self::OnCloseDialog)
      .Event("OnSortChange", &Self::OnSortChange, &Self::OnSortChange);
}

TdcCustomLookupDialog::TdcCustomLookupDialog(TComponent* AOwner) : TdcCustomDialog(AOwner) {}

TDataSet* TdcCustomLookupDialog::GetPrimaryDataSet() {
  throw EInvalidOperation(
      "Derived classes of \"TdcCustomLookupDialog\" must implement function \"GetPrimaryDataSet\"");
}

bool TdcCustomLookupDialog::RunForm(TDataSet* DataSet, const TStrings& Columns) {
  auto form = std::make_unique<TdcLookupDlg>(Application);
  form->SetCaption(Caption);
  if (TForm* active = Screen->activeForm(); active && active->FormStyle() == fsStayOnTop)
    form->SetFormStyle(fsStayOnTop);

  TdcDBGrid* grid = form->dcDBGrid1;
  if (Columns.Count() > 0) {
    grid->Selected().Assign(Columns);
  } else if (DataSet->Active()) {
    StringList built;
    for (TField* field : DataSet->Fields())
      if (field->Visible())
        built.Add(field->FieldName() + "\t" + std::to_string(field->DisplayWidth()) + "\t" + field->DisplayLabel() +
                  "\tF");
    grid->Selected().Assign(built);
  } else {
    MessageDlg(lookupdialog_texts::kDataSetNotActive, mtInformation, {mbOK}, 0);
    grid->Selected().Clear();
  }

  grid->SetUseTFields(UseTFields);
  grid->SetDBOptions(GridOptions);
  if (GridOptions.Contains(dgMultiSelect)) grid->SetMultiSelectOptions({msoAutoUnselect, msoShiftSelect});
  grid->SetColor(GridColor);
  grid->SetTitleAlignment(GridTitleAlignment);
  if (Columns.Count() > 0 && UseTFields) ApplySelectedToFields(DataSet, Columns);
  grid->SetFixedCols(Options.Contains(opFixFirstColumn) ? 1 : 0);
  form->dcIncrementalSearch1->SetCharCase(CharCase);
  form->DataSet = DataSet;
  form->Options = Options;
  form->MaxWidth = MaxWidth;
  form->MaxHeight = MaxHeight;
  form->PictureMaskFromField = PictureMaskFromField;
  form->OnInitDialog = OnInitDialog;
  form->OnCloseDialog = OnCloseDialog;
  form->OnSortChange = OnSortChange;
  form->OnUserButton1Click = OnUserButton1Click;
  form->OnUserButton2Click = OnUserButton2Click;
  form->UserButton1->SetCaption(UserButton1Caption);
  form->UserButton2->SetCaption(UserButton2Caption);

  const bool confirmed = form->runModal() == mrOk;
  form->DataSource1->SetDataSet(nullptr);
  return confirmed;
}

// ---- TdcLookupDialog ----

void TdcLookupDialog::PublishProperties(PropertyPublisher<TdcLookupDialog>& publish) {
  publish.Object("LookupTable", &TdcLookupDialog::LookupTable, &TdcLookupDialog::SetLookupTable);
}

TdcLookupDialog::TdcLookupDialog(TComponent* AOwner) : TdcCustomLookupDialog(AOwner) { Caption = "Lookup"; }

void TdcLookupDialog::SetLookupTable(TDataSet* Value) {
  lookupTable_ = Value;
  if (Value) Value->FreeNotification(this);
}

void TdcLookupDialog::Notification(TComponent* AComponent, TOperation Operation) {
  TdcCustomLookupDialog::Notification(AComponent, Operation);
  if (Operation == opRemove && AComponent == lookupTable_) lookupTable_ = nullptr;
}

bool TdcLookupDialog::Execute() {
  if (!lookupTable_) {
    MessageDlg(lookupdialog_texts::kNoLookupTable, mtWarning, {mbOK}, 0);
    return false;
  }
  if (!lookupTable_->Active()) {
    MessageDlg(lookupdialog_texts::kTableNotActive, mtWarning, {mbOK}, 0);
    return false;
  }
  return RunForm(lookupTable_, *Selected());
}
