#pragma once
// TObject: the root of every class of the system. Besides a virtual destructor it carries the
// class's name and its ancestry, because the system finds controls and datasets by class name
// ("TdcDBCustomLookupCombo" or a descendant) rather than by C++ type.
#include <new>

#include "framework/base/AnsiString.h"

class PropertyTable;

// What a class knows of itself. Further per-class facts (the published-property table built from
// `publish`, a factory for creation by name) are kept in tables keyed by this record's address.
struct TClassInfo {
  const char* name;
  const TClassInfo* parent;  // nullptr only for TObject
  // Fills the class's own published properties (not its ancestors'); nullptr when it has none.
  // Called once, on the first look-up, so no table depends on static initialisation order.
  void (*publish)(PropertyTable&);
};

class TObject {
 public:
  virtual ~TObject() = default;

  static const TClassInfo* StaticClassInfo();
  virtual const TClassInfo* ClassInfo() const { return StaticClassInfo(); }

  AnsiString ClassName() const { return ClassInfo()->name; }
  // Compared without regard to case, as the class names the system tests for are.
  bool ClassNameIs(const AnsiString& name) const;
  bool InheritsFrom(const AnsiString& className) const;
  bool InheritsFrom(const TClassInfo* info) const;

  // `delete` runs BeforeDestruction while the whole object is still there (observers can still ask
  // it its class), then the destructors. What BeforeDestruction raises is reported through
  // HandleApplicationException (ApplicationHooks.h), and the destruction goes on.
  void operator delete(TObject* object, std::destroying_delete_t);
  // The allocation that pairs with it, and the release when a constructor raises.
  static void* operator new(std::size_t size);
  static void operator delete(void* storage);

 protected:
  // Called by delete before any destructor runs. The base does nothing.
  virtual void BeforeDestruction() {}
};

// Declares the class record of Self, a direct descendant of Parent. Place it first in the class body.
// A class that publishes properties uses QN_PUBLISHED_CLASS (PublishedProperties.h) instead.
#define QN_CLASS(Self, Parent) QN_CLASS_RECORD(Self, Parent, nullptr)

#define QN_CLASS_RECORD(Self, Parent, publisher)                                  \
 public:                                                                          \
  static const TClassInfo* StaticClassInfo() {                                    \
    static const TClassInfo info{#Self, Parent::StaticClassInfo(), publisher};    \
    return &info;                                                                 \
  }                                                                               \
  const TClassInfo* ClassInfo() const override { return StaticClassInfo(); }      \
                                                                                  \
 private:
