#include "framework/base/FormVariables.h"

#include <strings.h>

#include <mutex>
#include <utility>
#include <vector>

namespace {

struct FormVariable {
  AnsiString className;
  std::function<void(TComponent*)> store;
};

std::mutex variablesMutex;
std::vector<FormVariable> variables;

}  // namespace

void RegisterFormVariable(const AnsiString& ClassName, std::function<void(TComponent*)> store) {
  std::lock_guard lock(variablesMutex);
  for (FormVariable& entry : variables)
    if (strcasecmp(entry.className.c_str(), ClassName.c_str()) == 0) {
      entry.store = std::move(store);
      return;
    }
  variables.push_back({ClassName, std::move(store)});
}

bool StoreFormVariable(const AnsiString& ClassName, TComponent* component) {
  std::function<void(TComponent*)> store;
  {
    std::lock_guard lock(variablesMutex);
    for (const FormVariable& entry : variables)
      if (strcasecmp(entry.className.c_str(), ClassName.c_str()) == 0) store = entry.store;
  }
  if (!store) return false;
  store(component);
  return true;
}
