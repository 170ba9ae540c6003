#pragma once
// One criterion of the filter dialog as its pages would fill it, labelled by its field's name, for
// the tables of cases the filter tests run. Test code only.
#include "datagrid/FilterCriteria.h"

namespace filtertest {

inline TdcFieldInfo criterion(const char* field, TdcFilterMatchType type, const char* value,
                              bool caseSensitive = false, bool nonMatching = false) {
  TdcFieldInfo c;
  c.FieldName = field;
  c.DisplayLabel = field;
  c.MatchType = type;
  c.FilterValue = value;
  c.CaseSensitive = caseSensitive;
  c.NonMatching = nonMatching;
  return c;
}

inline TdcFieldInfo range(const char* field, const char* min, const char* max, bool caseSensitive = false,
                          bool nonMatching = false) {
  TdcFieldInfo c = criterion(field, fdMatchRange, "", caseSensitive, nonMatching);
  c.MinValue = min;
  c.MaxValue = max;
  return c;
}

}  // namespace filtertest
