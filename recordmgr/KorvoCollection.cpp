#include "recordmgr/KorvoCollection.h"

TKorvoCollection::~TKorvoCollection() { FreeAll(); }

void TKorvoCollection::Add(TObject* item) { list_.Add(item); }

TObject* TKorvoCollection::At(int index) const {
  if (index < 0 || index >= Count()) return nullptr;
  return static_cast<TObject*>(list_.Items(index));
}

TObject* TKorvoCollection::Items(int index) const { return static_cast<TObject*>(list_.Items(index)); }

void TKorvoCollection::FreeItem(TObject* item) { delete item; }

// The item leaves the list before it is freed, so neither its own departure nor the departure of
// others it frees can leave an item behind or free one twice.
void TKorvoCollection::FreeAll() {
  while (Count() > 0) {
    TObject* item = Items(Count() - 1);
    list_.Delete(Count() - 1);
    FreeItem(item);
  }
}

void TSortedCollection::Add(TObject* item) {
  int index = 0;
  if (!Search(KeyOf(item), index) || Duplicates) Insert(index, item);
}

bool TSortedCollection::Search(const void* key, int& index) const {
  bool found = false;
  int low = 0;
  int high = Count() - 1;
  while (low <= high) {
    const int middle = (low + high) / 2;
    const int order = Compare(KeyOf(Items(middle)), key);
    if (order < 0) {
      low = middle + 1;
    } else {
      high = middle - 1;
      if (order == 0) {
        found = true;
        if (!Duplicates) low = middle;
      }
    }
  }
  index = low;
  return found;
}
