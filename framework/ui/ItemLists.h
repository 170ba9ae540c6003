#pragma once
// What the list controls share about their items: the check an ItemIndex must pass and the
// search for the first item that begins with a typed prefix.
#include "framework/base/Strings.h"

namespace qn::ui {

// Raises EListError "List index out of bounds (n)" unless -1 <= index < count.
void checkItemIndex(int index, int count);
// The same for an index that must name an item (0 <= index < count).
void checkItemPosition(int index, int count);

// The first item, from start onward and wrapping once around the list, whose text begins with
// prefix, compared without case; -1 when none does. A start outside the list begins at the first.
int findItemWithPrefix(const TStrings& items, const AnsiString& prefix, int start);

}  // namespace qn::ui
