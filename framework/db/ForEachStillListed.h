#pragma once
// Walks a list of listeners while each call may remove (and free) others: an element is called
// only if it is still in the list when its turn comes.
#include <algorithm>
#include <vector>

template <typename T, typename Call>
void ForEachStillListed(const std::vector<T*>& list, Call call) {
  for (T* item : std::vector<T*>(list))
    if (std::find(list.begin(), list.end(), item) != list.end()) call(item);
}
