#pragma once
// The one error every list raises for an index it does not hold: EListError
// "List index out of bounds (n)".

[[noreturn]] void RaiseListIndexError(int index);
// Raises it unless 0 <= index < count.
void CheckListIndex(int index, int count);
