#pragma once
// What the list controls share about their items: the check an ItemIndex must pass and the
// search for the first item that begins with a typed prefix.
#include "framework/base/Strings.h"

namespace qn::ui {

// Raises EListError "List index out of bounds (n)" unless -1 <= index < count.
void checkItemIndex(int index, int count);

// An item as a list control remembers it across a change of its items: its text and its object.
struct ItemIdentity {
  AnsiString text;
  TObject* object = nullptr;
};
ItemIdentity identityOf(const TStrings& items, int index);
// Where the remembered item is now: at hint when it is still there, else the first item of that
// text and object; -1 when it is gone.
int findItemAgain(const TStrings& items, const ItemIdentity& item, int hint);

// The first item, from start onward and wrapping once around the list, whose text begins with
// prefix, compared without case; -1 when none does. A start outside the list begins at the first.
int findItemWithPrefix(const TStrings& items, const AnsiString& prefix, int start);

}  // namespace qn::ui
