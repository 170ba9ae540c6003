#pragma once
// TCollection: an ordered list of items of one kind that the collection owns and deletes, and that
// tell it about their changes; TCollectionItem: such an item. The collection passes every change on
// to Update (and every arrival and departure of an item to Notify), where a collection tells its
// owner; inside BeginUpdate/EndUpdate the changes collect into one Update at the end.
// Like components, items are created with new and deleted with delete (or by their collection);
// an item deleted first leaves its collection.
#include <vector>

#include "framework/base/Persistent.h"

class TCollection;

class TCollectionItem : public TPersistent {
  QN_CLASS(TCollectionItem, TPersistent)
 public:
  // Joins Collection (when given) at its end.
  explicit TCollectionItem(TCollection* Collection);
  ~TCollectionItem() override;
  TCollectionItem(const TCollectionItem&) = delete;
  TCollectionItem& operator=(const TCollectionItem&) = delete;

  TCollection* Collection() const { return collection_; }
  // Leaves the present collection and joins Value (when given) at its end.
  void SetCollection(TCollection* Value);
  // The position in the collection; -1 without one.
  int Index() const;
  // Moves the item to position Value (clamped to the collection).
  void SetIndex(int Value);
  // A number the collection gave the item when it joined, never given to another item of it.
  int ID() const { return id_; }

 protected:
  // Tells the collection that this item changed; AllItems when the change concerns every item.
  void Changed(bool AllItems);
  // A deleted item leaves its collection while it is still whole.
  void BeforeDestruction() override { SetCollection(nullptr); }

 private:
  friend class TCollection;

  TCollection* collection_ = nullptr;
  int id_ = 0;
};

enum class CollectionChange { Added, Removing };

class TCollection : public TPersistent {
  QN_CLASS(TCollection, TPersistent)
 public:
  // Makes the collection's new items (Add, Insert).
  using ItemFactory = TCollectionItem* (*)(TCollection* Collection);

  TCollection(TPersistent* Owner, ItemFactory factory);
  ~TCollection() override;
  TCollection(const TCollection&) = delete;
  TCollection& operator=(const TCollection&) = delete;

  TPersistent* Owner() const { return owner_; }
  int Count() const { return static_cast<int>(items_.size()); }
  // The item at Index (0-based); an index out of range is an error.
  TCollectionItem* Items(int Index) const;
  TCollectionItem* Add();
  // A new item at position Index.
  TCollectionItem* Insert(int Index);
  void Delete(int Index);
  // Deletes every item, the last first, as one change.
  void Clear();
  // The item with that ID; nullptr when none.
  TCollectionItem* FindItemID(int ID) const;

  void BeginUpdate() { ++updateCount_; }
  void EndUpdate();
  int UpdateCount() const { return updateCount_; }

  // From another collection: the same number of new items, each assigned from its counterpart.
  void Assign(TPersistent* Source) override;

 protected:
  // After a change: Item is the one item that changed, or nullptr when the change concerns the
  // whole collection (an item added, removed or moved; an update bracket closed). The base does
  // nothing.
  virtual void Update(TCollectionItem* Item) {}
  // When an item has joined, or is about to leave. The base does nothing.
  virtual void Notify(TCollectionItem* Item, CollectionChange Change) {}

 private:
  friend class TCollectionItem;

  void insertItem(TCollectionItem* item);
  void removeItem(TCollectionItem* item);
  void changed(TCollectionItem* item);

  TPersistent* owner_;
  ItemFactory factory_;
  std::vector<TCollectionItem*> items_;
  int nextId_ = 0;
  int updateCount_ = 0;
  bool destroying_ = false;
};

// The ItemFactory of a collection of Items.
template <class Item>
TCollectionItem* CollectionItemOf(TCollection* Collection) {
  return new Item(Collection);
}
