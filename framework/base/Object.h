#pragma once
// TObject: the root of every class of the system. Besides a virtual destructor it carries the
// class's name and its ancestry, because the system finds controls and datasets by class name
// ("TdcDBCustomLookupCombo" or a descendant) rather than by C++ type.
#include "framework/base/AnsiString.h"

// What a class knows of itself. Further per-class facts (published properties, a factory for
// creation by name) are kept in tables keyed by this record's address.
struct TClassInfo {
  const char* name;
  const TClassInfo* parent;  // nullptr only for TObject
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
};

// Declares the class record of Self, a direct descendant of Parent. Place it first in the class body.
#define QN_CLASS(Self, Parent)                                                    \
 public:                                                                          \
  static const TClassInfo* StaticClassInfo() {                                    \
    static const TClassInfo info{#Self, Parent::StaticClassInfo()};               \
    return &info;                                                                 \
  }                                                                               \
  const TClassInfo* ClassInfo() const override { return StaticClassInfo(); }      \
                                                                                  \
 private:
