#pragma once
// TBapiListItem: the base of every engine object (sessions, databases, cursors, statements, the
// facade). It knows the engine object that owns it and enters the owning list it is created
// into, which it leaves again when freed; freeing that list frees every object created into it.
// Engine objects are made with new and freed with delete (or by their list).
#include <cstdint>

#include "framework/base/Object.h"

class TKorvoCollection;

class TBapiListItem : public TObject {
  QN_CLASS(TBapiListItem, TObject)
 public:
  TBapiListItem(TBapiListItem* owner, TKorvoCollection* list);
  // The form a class reference creates through (TBapiListItemClass); the base ignores arg1 and
  // arg2, a class of its own gives them its meaning (a session: directory and name).
  TBapiListItem(TBapiListItem* owner, const char* arg1, const char* arg2, TKorvoCollection* list);
  ~TBapiListItem() override;
  TBapiListItem(const TBapiListItem&) = delete;
  TBapiListItem& operator=(const TBapiListItem&) = delete;

  TBapiListItem* Owner() const { return owner_; }
  TKorvoCollection* List() const { return list_; }
  // The position in the owning list; 0 without one.
  int IndexInList() const;

  // The property's value into buffer (at most bufferSize bytes), its length into length. The base
  // supports none.
  virtual void GetProperty(uint32_t property, void* buffer, uint16_t& length, uint16_t bufferSize);
  virtual void SetProperty(uint32_t property, uint32_t value) {}
  // Raises when the property cannot be used as the flag asks; the base accepts all.
  virtual void CheckProperty(uint32_t property, bool flag) {}

 protected:
  // Answers a property of size bytes: copies value into the caller's buffer, which must hold it
  // (else invalid parameter), and sets length.
  static void AnswerProperty(void* buffer, uint16_t bufferSize, const void* value, uint16_t size, uint16_t& length);

 private:
  TBapiListItem* owner_;
  TKorvoCollection* list_;
};

// A class reference of engine objects: creates an object of the class it was made for, so that a
// caller holding it (the facade, with the driver's session class) creates objects it does not
// know the class of.
using TBapiListItemClass = TBapiListItem* (*)(TBapiListItem* owner, const char* arg1, const char* arg2,
                                              TKorvoCollection* list);

template <class Item>
TBapiListItem* CreateBapiListItem(TBapiListItem* owner, const char* arg1, const char* arg2, TKorvoCollection* list) {
  return new Item(owner, arg1, arg2, list);
}
