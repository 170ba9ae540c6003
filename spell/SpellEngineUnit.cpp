#include <dlfcn.h>

#include <filesystem>
#include <string>

#include "framework/base/UnitLifecycle.h"
#include "framework/ui/Form.h"
#include "framework/ui/WinControl.h"
#include "platform/os/ExecutablePath.h"
#include "platform/spellengine/SpellEngineApi.h"
#include "spell/EngineConfiguration.h"
#include "spell/ParserFactory.h"
#include "spell/SpellEngineComponent.h"
#include "spell/VorlexSpell.h"

namespace {

TVorlexSpell* component = nullptr;
void* library = nullptr;

// The engine library the program loads: beside the program, else where the system finds it.
void* openEngine() {
  const std::string file = "libssce5432.so";
  for (const std::string& folder : {qn::os::executableFolder(), qn::os::runningProgramFolder()}) {
    const std::filesystem::path beside = std::filesystem::path(folder) / file;
    if (std::filesystem::exists(beside))
      if (void* handle = dlopen(beside.c_str(), RTLD_NOW | RTLD_LOCAL)) return handle;
  }
  return dlopen(file.c_str(), RTLD_NOW | RTLD_LOCAL);
}

template <class T>
T entry(const char* name) {
  return library ? reinterpret_cast<T>(dlsym(library, name)) : nullptr;
}

// Reads the key the engine was told each time: start-up tells it after the units have started.
void prepare() {
  const auto tree = entry<SpellEngineRegistryTreeFn>("SpellEngineRegistryTree");
  PrepareEngineConfiguration(*component, ReadSpellEngineSettings(tree ? tree() : ""));
}

std::int16_t checkControl(std::uint32_t, std::uint32_t control, std::int16_t selectedOnly) {
  if (!component || component->Checking()) return 0;
  TWinControl* target = FindControlByHandle(control);
  if (!target || !CreateParserForControl(target, "", 1)) return 0;
  prepare();
  if (selectedOnly) component->CheckControlSelection(target);
  else component->CheckControl(target);
  return 0;
}

// The dialog is owned by the caller's window when the handle names one of this program's.
std::int16_t configure(std::uint32_t parent, int page) {
  if (!component || component->Checking()) return 0;
  prepare();
  component->Configure(page, FindControlByHandle(parent));
  return 0;
}

std::int16_t optionsDialog(std::uint32_t parent) { return configure(parent, 1); }

std::int16_t dictionariesDialog(std::uint32_t parent) { return configure(parent, 0); }

const SpellEngineDialogCalls kCalls{checkControl, dictionariesDialog, optionsDialog};

UnitRegistration unit(
    "spell/SpellEngine", {"framework/ui/Application"},
    [] {
      component = new TVorlexSpell(nullptr);
      component->SetConfigKey("ssce");
      component->WaitForCompletion = true;
      library = openEngine();
      if (const auto install = entry<SpellEngineInstallDialogsFn>("SpellEngineInstallDialogs")) install(&kCalls);
    },
    [] {
      if (const auto install = entry<SpellEngineInstallDialogsFn>("SpellEngineInstallDialogs")) install(nullptr);
      delete component;
      component = nullptr;
    });

}  // namespace

TVorlexSpell* SpellEngineComponent() { return component; }
