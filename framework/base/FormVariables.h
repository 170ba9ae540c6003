#pragma once
// The program's form variables (one global pointer per long-lived form or data module, named
// after its class) reached by class name. The main block creates its forms by class name and
// cannot name their classes; each unit that defines a form variable registers it here, and the
// main block stores what it created through the class's name.
#include <functional>

#include "framework/base/AnsiString.h"

class TComponent;

void RegisterFormVariable(const AnsiString& ClassName, std::function<void(TComponent*)> store);

template <class T>
void RegisterFormVariable(T*& variable) {
  RegisterFormVariable(T::StaticClassInfo()->name, [&variable](TComponent* c) { variable = static_cast<T*>(c); });
}

// Stores the component in the variable registered for its class name; false when there is none.
bool StoreFormVariable(const AnsiString& ClassName, TComponent* component);
