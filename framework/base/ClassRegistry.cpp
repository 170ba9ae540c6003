#include "framework/base/ClassRegistry.h"

#include <strings.h>

#include <mutex>
#include <vector>

#include "framework/base/ComponentError.h"

namespace {

struct RegisteredClass {
  const TClassInfo* cls;
  ComponentFactory factory;
};

std::mutex registryMutex;
std::vector<RegisteredClass> registered;

const RegisteredClass* find(const AnsiString& name) {
  for (const RegisteredClass& entry : registered)
    if (strcasecmp(entry.cls->name, name.c_str()) == 0) return &entry;
  return nullptr;
}

}  // namespace

void RegisterComponentClass(const TClassInfo* cls, ComponentFactory factory) {
  std::lock_guard lock(registryMutex);
  if (const RegisteredClass* existing = find(cls->name)) {
    if (existing->cls == cls) return;
    throw EComponentError(AnsiString("A different class named ") + cls->name + " is already registered");
  }
  registered.push_back({cls, factory});
}

const TClassInfo* FindRegisteredClass(const AnsiString& ClassName) {
  std::lock_guard lock(registryMutex);
  const RegisteredClass* entry = find(ClassName);
  return entry ? entry->cls : nullptr;
}

TComponent* ConstructComponentByClassName(const AnsiString& ClassName, TComponent* AOwner) {
  ComponentFactory factory;
  {
    std::lock_guard lock(registryMutex);
    const RegisteredClass* entry = find(ClassName);
    if (!entry) throw EComponentError("Class " + ClassName + " is not registered");
    factory = entry->factory;
  }
  return factory(AOwner);
}

TComponent* CreateComponentByClassName(const AnsiString& ClassName, TComponent* AOwner) {
  TComponent* component = ConstructComponentByClassName(ClassName, AOwner);
  try {
    component->AfterConstruction();
  } catch (...) {
    delete component;
    throw;
  }
  return component;
}
