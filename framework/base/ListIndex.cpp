#include "framework/base/ListIndex.h"

#include <string>

#include "framework/base/Exception.h"

void RaiseListIndexError(int index) { throw EListError("List index out of bounds (" + std::to_string(index) + ")"); }

void CheckListIndex(int index, int count) {
  if (index < 0 || index >= count) RaiseListIndexError(index);
}
