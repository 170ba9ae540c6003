#pragma once
// What a data-aware custom edit offers the grid that mounts it: the text it would show for a
// stored value. The edit controls implement it; the grid reaches it without naming their classes.
#include "framework/base/AnsiString.h"

class CellDisplayMapping {
 public:
  virtual ~CellDisplayMapping() = default;
  // True, with DisplayText set, when the control shows StoredValue as another text (a combo box
  // with a map list); False leaves the field's own display text in force.
  virtual bool GetMappedDisplayText(const AnsiString& StoredValue, AnsiString& DisplayText) = 0;
};
