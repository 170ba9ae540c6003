#include <gtest/gtest.h>

#include <map>

#include "framework/base/Exception.h"
#include "recordmgr/BapiListItem.h"
#include "recordmgr/EngineError.h"
#include "recordmgr/KorvoCollection.h"

namespace {

// An engine object that counts its destructions and may free others of its list on its way.
class CountedItem : public TBapiListItem {
 public:
  CountedItem(std::map<const CountedItem*, int>& freed, TKorvoCollection* list) : TBapiListItem(nullptr, list), freed_(freed) {}
  ~CountedItem() override {
    ++freed_[this];
    for (CountedItem* other : alsoFrees) delete other;
  }
  std::vector<CountedItem*> alsoFrees;

 private:
  std::map<const CountedItem*, int>& freed_;
};

TEST(KorvoCollectionTest, FreeingTheListFreesEachObjectOnceWhenObjectsFreeOthers) {
  std::map<const CountedItem*, int> freed;
  auto* list = new TKorvoCollection;
  std::vector<CountedItem*> items;
  for (int i = 0; i < 6; ++i) items.push_back(new CountedItem(freed, list));
  items[5]->alsoFrees = {items[0], items[2]};  // the first one freed takes two others with it
  items[3]->alsoFrees = {items[1]};            // and a later one the last that is left
  delete list;
  ASSERT_EQ(freed.size(), items.size());
  for (CountedItem* item : items) EXPECT_EQ(freed[item], 1);
}

TEST(KorvoCollectionTest, AnObjectLeavesItsListWhenFreedAlone) {
  std::map<const CountedItem*, int> freed;
  TKorvoCollection list;
  auto* first = new CountedItem(freed, &list);
  auto* second = new CountedItem(freed, &list);
  EXPECT_EQ(second->IndexInList(), 1);
  delete first;
  EXPECT_EQ(list.Count(), 1);
  EXPECT_EQ(list.At(0), second);
  EXPECT_EQ(second->IndexInList(), 0);
  TBapiListItem loose(nullptr, nullptr);
  EXPECT_EQ(loose.IndexInList(), 0);
}

TEST(KorvoCollectionTest, AtAnswersNilOutsideTheListAndItemsRaises) {
  TKorvoCollection list;
  TObject item;
  list.Add(&item);
  EXPECT_EQ(list.At(0), &item);
  EXPECT_EQ(list.At(1), nullptr);
  EXPECT_EQ(list.At(-1), nullptr);
  EXPECT_THROW(list.Items(1), EListError);
  list.Clear();  // the item is not the list's to free
}

TEST(KorvoCollectionTest, RemovingDeletingAndClearingFreeNothing) {
  std::map<const CountedItem*, int> freed;
  TKorvoCollection list;
  auto* a = new CountedItem(freed, nullptr);
  auto* b = new CountedItem(freed, nullptr);
  auto* c = new CountedItem(freed, nullptr);
  list.Add(a);
  list.Insert(0, b);
  list.Add(c);
  EXPECT_EQ(list.IndexOf(a), 1);
  list.Delete(0);
  list.Remove(c);
  EXPECT_EQ(list.Count(), 1);
  list.Clear();
  EXPECT_TRUE(freed.empty());
  list.FreeItem(nullptr);
  list.FreeItem(a);
  delete b;
  delete c;
  EXPECT_EQ(freed.size(), 3u);
}

TEST(BapiListItemTest, AClassReferenceCreatesAnObjectOfItsClassIntoTheList) {
  struct Session : TBapiListItem {
    Session(TBapiListItem* owner, const char* directory, const char* name, TKorvoCollection* list)
        : TBapiListItem(owner, list), Directory(directory) {}
    AnsiString Directory;
  };
  TKorvoCollection list;
  TBapiListItem owner(nullptr, nullptr);
  TBapiListItemClass sessionClass = &CreateBapiListItem<Session>;
  TBapiListItem* made = sessionClass(&owner, "C:\\DATA", "Main", &list);
  EXPECT_EQ(made->Owner(), &owner);
  EXPECT_EQ(made->List(), &list);
  EXPECT_EQ(list.At(0), made);
  ASSERT_NE(dynamic_cast<Session*>(made), nullptr);
  EXPECT_EQ(dynamic_cast<Session*>(made)->Directory, "C:\\DATA");
}

TEST(BapiListItemTest, TheBaseSupportsNoProperty) {
  TBapiListItem item(nullptr, nullptr);
  uint16_t length = 0;
  uint32_t value = 0;
  try {
    item.GetProperty(1, &value, length, sizeof value);
    FAIL();
  } catch (const EKorvoEngineError& error) {
    EXPECT_EQ(error.ErrorCode(), DBIERR_NOTSUPPORTED);
    EXPECT_FALSE(error.ExtraText().empty());
  }
  item.SetProperty(1, 5);
  item.CheckProperty(1, true);
}

// Items sorted by a number; each knows the order it was made in.
struct Numbered : TObject {
  Numbered(int key, int serial) : key(key), serial(serial) {}
  int key;
  int serial;
};

class NumberedCollection : public TSortedCollection {
 public:
  const void* KeyOf(TObject* item) const override { return &static_cast<Numbered*>(item)->key; }
  int Compare(const void* key1, const void* key2) const override {
    return *static_cast<const int*>(key1) - *static_cast<const int*>(key2);
  }
  std::vector<std::pair<int, int>> Contents() const {
    std::vector<std::pair<int, int>> out;
    for (int i = 0; i < Count(); ++i) out.emplace_back(static_cast<Numbered*>(At(i))->key, static_cast<Numbered*>(At(i))->serial);
    return out;
  }
};

TEST(SortedCollectionTest, WithoutDuplicatesAnEqualKeyIsIgnoredAndNotFreed) {
  NumberedCollection list;
  list.Duplicates = false;
  for (auto [key, serial] : {std::pair{30, 1}, {10, 2}, {20, 3}}) list.Add(new Numbered(key, serial));
  Numbered second(20, 4);
  list.Add(&second);
  EXPECT_EQ(list.Contents(), (std::vector<std::pair<int, int>>{{10, 2}, {20, 3}, {30, 1}}));
  EXPECT_EQ(second.key, 20);  // still whole: the list neither took nor freed it
  int index = -1;
  EXPECT_TRUE(list.Search(&second.key, index));
  EXPECT_EQ(index, 1);
  const int missing = 25;
  EXPECT_FALSE(list.Search(&missing, index));
  EXPECT_EQ(index, 2);
}

TEST(SortedCollectionTest, WithDuplicatesAnEqualKeyGoesBeforeThePresentOnes) {
  NumberedCollection list;
  for (auto [key, serial] : {std::pair{20, 1}, {10, 2}, {20, 3}, {30, 4}, {20, 5}}) list.Add(new Numbered(key, serial));
  EXPECT_EQ(list.Contents(), (std::vector<std::pair<int, int>>{{10, 2}, {20, 5}, {20, 3}, {20, 1}, {30, 4}}));
}

}  // namespace
