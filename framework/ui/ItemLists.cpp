#include "framework/ui/ItemLists.h"

#include <string>

#include "framework/base/Exception.h"
#include "framework/base/ListIndex.h"
#include "framework/base/TextCompare.h"

namespace qn::ui {

void checkItemIndex(int index, int count) {
  if (index < -1 || index >= count) RaiseListIndexError(index);
}

ItemIdentity identityOf(const TStrings& items, int index) { return {items.Get(index), items.GetObject(index)}; }

int findItemAgain(const TStrings& items, const ItemIdentity& item, int hint) {
  auto same = [&](int i) { return items.Get(i) == item.text && items.GetObject(i) == item.object; };
  if (hint >= 0 && hint < items.Count() && same(hint)) return hint;
  for (int i = 0; i < items.Count(); ++i)
    if (same(i)) return i;
  return -1;
}

int findItemWithPrefix(const TStrings& items, const AnsiString& prefix, int start) {
  const int count = items.Count();
  if (count == 0) return -1;
  if (start < 0 || start >= count) start = 0;
  for (int step = 0; step < count; ++step) {
    const int i = (start + step) % count;
    const AnsiString item = items.Get(i);
    if (item.size() >= prefix.size() && AnsiSameText(item.substr(0, prefix.size()), prefix)) return i;
  }
  return -1;
}

}  // namespace qn::ui
