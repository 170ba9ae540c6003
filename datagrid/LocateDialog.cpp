#include "datagrid/LocateDialog.h"

#include <memory>

#include "datagrid/LocateDialogForm.h"
#include "framework/db/DataSet.h"
#include "framework/db/DataSource.h"
#include "framework/db/Field.h"
#include "framework/ui/Application.h"
#include "framework/ui/Dialogs.h"

void TdcLocateDialog::PublishProperties(PropertyPublisher<TdcLocateDialog>& publish) {
  publish.Object("DataSource", &TdcLocateDialog::DataSource, &TdcLocateDialog::SetDataSource);
}

TdcLocateDialog::TdcLocateDialog(TComponent* AOwner) : TdcCustomDialog(AOwner) {}

TDataSet* TdcLocateDialog::GetPrimaryDataSet() { return link_.DataSet(); }

void TdcLocateDialog::DoInitDialog(TdcLocateDlg* Dialog) {
  if (OnInitDialog) OnInitDialog(Dialog);
}

void TdcLocateDialog::Fill(TdcLocateDlg& form, TDataSet& dataSet) {
  form.SetDataSet(&dataSet);
  ComboBox* fields = form.FieldNameComboBox;
  fields->SetSorted(SortFields != fsSortByFieldNo);
  for (int i = 0; i < dataSet.FieldCount(); ++i) {
    TField* field = dataSet.Fields()[i];
    switch (field->DataType()) {
      case ftBlob:
      case ftGraphic:
      case ftVarBytes:
      case ftBytes: continue;
      default: break;
    }
    if (FieldSelection == fsVisibleFields && !field->Visible()) continue;
    fields->Items()->Add(LocateFieldLabel(field->DisplayLabel()));
  }
  form.FirstButton->SetDefault(DefaultButton == dbFindFirst);
  form.NextButton->SetDefault(DefaultButton == dbFindNext);
  if (TField* remembered = SearchField.empty() ? nullptr : dataSet.FindField(SearchField)) {
    form.SearchValue->SetText(searchValue_);
    fields->SetItemIndex(fields->Items()->IndexOf(LocateFieldLabel(remembered->DisplayLabel())));
  } else {
    form.SearchValue->SetText("");
  }
  form.CaseSensitiveCheckBox->SetChecked(CaseSensitive);
  form.SetMatchType(MatchType);
  form.SetCaption(Caption);
}

bool TdcLocateDialog::Execute() {
  auto form = std::make_unique<TdcLocateDlg>(Application);
  TDataSet* dataSet = GetPrimaryDataSet();
  if (!dataSet || !dataSet->Active()) {
    MessageDlg("DataSource does not reference an active DataSet", mtError, {mbOK}, 0);
    return false;
  }
  Fill(*form, *dataSet);
  form->OnShow = [this, &form](TObject*) {
    form->ApplyTexts();
    DoInitDialog(form.get());
  };
  const bool found = form->runModal() == mrOk;
  MatchType = static_cast<TdcLocateMatchType>(form->MatchType());
  CaseSensitive = form->CaseSensitiveCheckBox->Checked();
  searchValue_ = form->SearchValue->Text();
  SearchField = form->SelectedFieldName();
  return found;
}
