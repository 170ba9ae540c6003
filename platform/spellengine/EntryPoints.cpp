// The spell engine's exported calls. The engine keeps the registry key it is told for the whole
// run: every dialog reads its settings from there when it opens.
#include <string>

#include "platform/spellengine/SpellEngineApi.h"

#define SPELL_ENGINE_EXPORT extern "C" __attribute__((visibility("default")))

namespace {

std::string& registryTree() {
  static std::string tree;
  return tree;
}

}  // namespace

SPELL_ENGINE_EXPORT std::int16_t SSCE_SetRegTreeName(const char* treeName) {
  registryTree() = treeName ? treeName : "";
  return 0;
}

// The check and the two settings dialogs come with the spell checker's own windows; until then
// they return at once, leaving the control's text as it was.
SPELL_ENGINE_EXPORT std::int16_t SSCE_CheckCtrlDlg(std::uint32_t parent, std::uint32_t control, std::int16_t selectedOnly) {
  return 0;
}

SPELL_ENGINE_EXPORT std::int16_t SSCE_EditLexDlg(std::uint32_t parent) { return 0; }

SPELL_ENGINE_EXPORT std::int16_t SSCE_OptionsDlg(std::uint32_t parent) { return 0; }

SPELL_ENGINE_EXPORT const char* SpellEngineRegistryTree() { return registryTree().c_str(); }
