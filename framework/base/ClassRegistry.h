#pragma once
// The class registry: component classes registered by their units so that code that cannot name
// them (a layer below, a form description) finds and creates them by class name. Names compare
// without case. Registering a class twice is registering it once; a different class under a name
// already taken is refused.
#include <concepts>

#include "framework/base/Component.h"

using ComponentFactory = TComponent* (*)(TComponent* AOwner);

void RegisterComponentClass(const TClassInfo* cls, ComponentFactory factory);

template <class T>
  requires std::derived_from<T, TComponent> && std::constructible_from<T, TComponent*>
void RegisterClass() {
  RegisterComponentClass(T::StaticClassInfo(), [](TComponent* AOwner) -> TComponent* { return new T(AOwner); });
}

// The registered class of that name; nullptr when none.
const TClassInfo* FindRegisteredClass(const AnsiString& ClassName);

// Creates a component of the registered class of that name, owned by AOwner, and completes its
// creation (AfterConstruction); EComponentError when no class of that name is registered. A
// component whose completion raises is deleted again and the exception comes through.
TComponent* CreateComponentByClassName(const AnsiString& ClassName, TComponent* AOwner);

// Only constructs it: the caller completes its creation (AfterConstruction) once it has stored
// the reference that the creation handlers may already read.
TComponent* ConstructComponentByClassName(const AnsiString& ClassName, TComponent* AOwner);
