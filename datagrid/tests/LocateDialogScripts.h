#pragma once
// Scripts the locate dialog tests run on its form: what the form shows, read back and cancelled.
// Test code only.
#include <vector>

#include "datagrid/LocateDialogForm.h"

namespace locate_dialog_test {

// The search the form shows when it opens, and the form cancelled.
struct ShownSearch {
  AnsiString value, field;
  bool caseSensitive = false, exact = false;
};

inline void readShownSearch(TdcLocateDlg& form, ShownSearch& shown) {
  shown.value = form.SearchValue->Text();
  shown.field = form.FieldNameComboBox->Text();
  shown.caseSensitive = form.CaseSensitiveCheckBox->Checked();
  shown.exact = form.ExactMatchBtn->Checked();
  form.CancelButton->Click();
}

// The form's field list, and the form cancelled.
inline void readFieldList(TdcLocateDlg& form, std::vector<AnsiString>& items) {
  items.clear();
  for (int i = 0; i < form.FieldNameComboBox->Items()->Count(); ++i)
    items.push_back(form.FieldNameComboBox->Items()->Strings(i));
  form.CancelButton->Click();
}

}  // namespace locate_dialog_test
