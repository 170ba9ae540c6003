#pragma once
// TKorvoCollection: the engine's owning list of objects; freeing the list frees what it holds.
// TSortedCollection: the same kept in the order of Compare over each item's KeyOf, with or
// without equal keys.
#include "framework/base/List.h"
#include "framework/base/Object.h"

class TKorvoCollection : public TObject {
  QN_CLASS(TKorvoCollection, TObject)
 public:
  TKorvoCollection() = default;
  ~TKorvoCollection() override;  // FreeAll
  TKorvoCollection(const TKorvoCollection&) = delete;
  TKorvoCollection& operator=(const TKorvoCollection&) = delete;

  virtual void Add(TObject* item);

  // nullptr outside the list.
  TObject* At(int index) const;
  // Outside the list: EListError.
  TObject* Items(int index) const;
  int Count() const { return list_.Count(); }
  int IndexOf(TObject* item) const { return list_.IndexOf(item); }
  void Insert(int index, TObject* item) { list_.Insert(index, item); }
  // Delete, Remove and Clear take items out without freeing them.
  void Delete(int index) { list_.Delete(index); }
  void Remove(TObject* item) { list_.Remove(item); }
  void Clear() { list_.Clear(); }
  void FreeItem(TObject* item);
  // Frees every item, the last first, each once: an engine object leaves the list while it goes,
  // and may free others of the list on its way.
  void FreeAll();

 private:
  TList list_;
};

class TSortedCollection : public TKorvoCollection {
  QN_CLASS(TSortedCollection, TKorvoCollection)
 public:
  // Inserts at the item's sorted place; an item whose key is present already is neither inserted
  // nor freed when duplicates are off. With duplicates an equal key goes before the present ones.
  void Add(TObject* item) override;
  // The key the list is sorted by; the item itself in the base.
  virtual const void* KeyOf(TObject* item) const { return item; }
  // Negative, 0 or positive as key1 sorts before, with or after key2.
  virtual int Compare(const void* key1, const void* key2) const = 0;
  // Whether the key is present; index is its position (the first of equal ones with duplicates),
  // or where it would be inserted.
  virtual bool Search(const void* key, int& index) const;

  bool Duplicates = true;
};
