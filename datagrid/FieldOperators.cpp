#include "datagrid/FieldOperators.h"

#include "datagrid/StringHelpers.h"
#include "framework/base/StringUtils.h"
#include "framework/ui/Dialogs.h"

void TdcFieldOperators::set(AnsiString& word, const AnsiString& Value) {
  const AnsiString trimmed = Trim(Value);
  if (trimmed == word) return;
  word = trimmed;
  if (StrEqualNoCase(orChar_, andChar_) || StrEqualNoCase(orChar_, nullChar_) || StrEqualNoCase(andChar_, nullChar_))
    MessageDlg("Operators do not have a unique value.", mtWarning, {mbOK}, 0);
}

void TdcFieldOperators::Assign(TPersistent* Source) {
  if (auto* other = dynamic_cast<TdcFieldOperators*>(Source)) {
    orChar_ = other->orChar_;
    andChar_ = other->andChar_;
    nullChar_ = other->nullChar_;
    return;
  }
  TPersistent::Assign(Source);
}
