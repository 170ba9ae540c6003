#include "datagrid/FilterTypedValues.h"

#include <cerrno>
#include <cstdlib>

#include "datagrid/DateTextHelpers.h"
#include "framework/base/FloatText.h"
#include "framework/base/StringUtils.h"

FilterValueKind FilterValueKindOf(TFieldType FieldType) {
  switch (FieldType) {
    case ftSmallint: case ftInteger: case ftWord: case ftAutoInc: case ftLargeint:
      return FilterValueKind::Integer;
    case ftFloat: case ftCurrency: case ftBCD:
      return FilterValueKind::Float;
    case ftDate: return FilterValueKind::Date;
    case ftTime: return FilterValueKind::Time;
    case ftDateTime: return FilterValueKind::DateTime;
    case ftBoolean: return FilterValueKind::Boolean;
    case ftString: case ftFixedChar: case ftWideString:
      return FilterValueKind::Text;
    default:
      return FilterValueKind::Other;
  }
}

bool ReadFilterValue(FilterValueKind Kind, const AnsiString& Text, double& Value) {
  const AnsiString text = Trim(Text);
  if (text.empty()) return false;
  switch (Kind) {
    case FilterValueKind::Integer: {
      if (!IsIntegerText(text)) return false;
      errno = 0;
      const long long number = std::strtoll(text.c_str(), nullptr, 10);
      if (errno == ERANGE) return false;
      Value = static_cast<double>(number);
      return true;
    }
    case FilterValueKind::Float:
      return TryStrToFloat(text, Value);
    case FilterValueKind::Date:
      if (!IsDateText(text)) return false;
      Value = DateTextToValue(text);
      return true;
    case FilterValueKind::Time:
      if (!IsTimeText(text)) return false;
      Value = TimeTextToValue(text);
      return true;
    case FilterValueKind::DateTime:
      if (IsDateTimeText(text)) {
        Value = DateTimeTextToValue(text);
        return true;
      }
      if (!IsDateText(text)) return false;
      Value = DateTextToValue(text);
      return true;
    default:
      return false;
  }
}
