#include "dialogs/TransactionValues.h"

#include "framework/base/FloatText.h"
#include "framework/base/FormatText.h"
#include "framework/base/StringUtils.h"

bool TwoDecimalsComplete(const AnsiString& Text) {
  const std::size_t point = Text.find('.');
  return point != AnsiString::npos && Text.size() - point - 1 == 2 &&
         Text.find_first_not_of("0123456789", point + 1) == AnsiString::npos;
}

bool IsNegativeAmount(const AnsiString& Text) { return StrToFloatDef(Trim(Text), 0) < 0; }

BillableFieldValues BillableValuesTaken(const BillableFieldValues& Dialog) {
  BillableFieldValues taken = Dialog;
  const AnsiString code = Trim(Dialog.EmployeeCode);
  taken.EmployeeCode = code.empty() ? AnsiString("    ") : Format("%-4s", {code});
  for (AnsiString* value : {&taken.Hours, &taken.Rate, &taken.Amount})
    *value = Format("%3f", {StrToFloatDef(Trim(*value), 0)});
  taken.Changed = true;
  return taken;
}
