#include "datagrid/MemoDialogPopup.h"

#include "datagrid/ExtensionProperties.h"
#include "datagrid/RecordViewControls.h"
#include "datagrid/StringHelpers.h"
#include "framework/base/PublishedProperties.h"
#include "framework/db/DataSet.h"
#include "framework/db/Field.h"
#include "framework/ui/Memo.h"

namespace {

bool IsReadOnlyTable(TDataSet* dataSet) {
  return dataSet && ClassInheritsFromName(dataSet->ClassInfo(), "TTable") &&
         ReadBooleanProperty(dataSet, "ReadOnly").value_or(false);
}

}  // namespace

TdcMemoDialogPopup::TdcMemoDialogPopup(TdcDBMemo& Memo) : TdcMemoDialog(nullptr), caret_(Memo.SelStart()) {
  SetDataSource(Memo.DataSource());
  SetDataField(Memo.DataField());
  SetFont(Memo.Font());
  if (TField* field = Memo.Field()) {
    Caption = StrReplaceCharByChar(field->DisplayLabel(), '~', ' ');
    if (field->ReadOnly() || IsReadOnlyTable(field->DataSet())) MemoAttributes.Include(mViewOnly);
  }
}

void TdcMemoDialogPopup::DoInitDialog(TdcMemoDlg* Dialog) {
  Dialog->Memo->SetSelStart(caret_);
  TdcMemoDialog::DoInitDialog(Dialog);
}
