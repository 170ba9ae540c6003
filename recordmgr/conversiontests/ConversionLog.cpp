#include "recordmgr/conversiontests/ConversionLog.h"

#include <dlfcn.h>

#include <stdexcept>

namespace conversiontest {
namespace {

// Whichever test library the converters have loaded; never loads one itself.
void* loadedLibrary() {
  for (const char* name : {"libkorvoc32.so", "libs2dtconv.so"})
    if (void* handle = dlopen(name, RTLD_NOW | RTLD_NOLOAD)) return handle;
  throw std::runtime_error("no conversion library is loaded");
}

template <typename Fn>
Fn exported(const char* name) {
  auto fn = reinterpret_cast<Fn>(dlsym(loadedLibrary(), name));
  if (fn == nullptr) throw std::runtime_error(std::string("the conversion library lacks ") + name);
  return fn;
}

}  // namespace

std::vector<std::string> calledNames() {
  const unsigned count = exported<unsigned (*)()>("CONVLOG_COUNT")();
  auto at = exported<bool (*)(unsigned, char*, unsigned)>("CONVLOG_AT");
  std::vector<std::string> names;
  for (unsigned i = 0; i < count; ++i) {
    char name[64] = {};
    if (at(i, name, sizeof name)) names.emplace_back(name);
  }
  return names;
}

void clearCalls() { exported<void (*)()>("CONVLOG_CLEAR")(); }

void failNext(const std::string& name) { exported<void (*)(const char*)>("CONVLOG_FAIL")(name.c_str()); }

}  // namespace conversiontest
