#include "framework/base/Object.h"

#include <strings.h>

#include "framework/base/ApplicationHooks.h"

const TClassInfo* TObject::StaticClassInfo() {
  static const TClassInfo info{"TObject", nullptr, nullptr};
  return &info;
}

bool TObject::ClassNameIs(const AnsiString& name) const {
  return strcasecmp(ClassInfo()->name, name.c_str()) == 0;
}

bool TObject::InheritsFrom(const AnsiString& className) const {
  for (const TClassInfo* c = ClassInfo(); c; c = c->parent)
    if (strcasecmp(c->name, className.c_str()) == 0) return true;
  return false;
}

bool TObject::InheritsFrom(const TClassInfo* info) const {
  for (const TClassInfo* c = ClassInfo(); c; c = c->parent)
    if (c == info) return true;
  return false;
}

void* TObject::operator new(std::size_t size) { return ::operator new(size); }

void TObject::operator delete(void* storage) { ::operator delete(storage); }

void TObject::operator delete(TObject* object, std::destroying_delete_t) {
  try {
    object->BeforeDestruction();
  } catch (...) {
    HandleApplicationException(object);
  }
  void* storage = dynamic_cast<void*>(object);
  object->~TObject();
  ::operator delete(storage);
}
