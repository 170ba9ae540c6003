#pragma once
// TdcMemoDialogPopup: the memo dialog a data-aware memo opens on its own field, showing the
// field's text in the memo's font with the caret where the memo had it.
#include "datagrid/MemoDialog.h"

class TdcDBMemo;

class TdcMemoDialogPopup : public TdcMemoDialog {
  QN_CLASS(TdcMemoDialogPopup, TdcMemoDialog)
 public:
  // Takes the memo's data source, field, font and caret; the field's display label is the
  // caption, and a read-only field or a read-only table only shows its text.
  explicit TdcMemoDialogPopup(TdcDBMemo& Memo);

  void DoInitDialog(TdcMemoDlg* Dialog) override;

 private:
  int caret_ = 0;
};
