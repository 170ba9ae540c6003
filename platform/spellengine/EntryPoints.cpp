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

// The program's spell checker serves the dialogs; the library links no framework of its own, so
// that there is one application and one class registry in the program.
SpellEngineDialogCalls& dialogs() {
  static SpellEngineDialogCalls calls{};
  return calls;
}

}  // namespace

SPELL_ENGINE_EXPORT std::int16_t SSCE_SetRegTreeName(const char* treeName) {
  registryTree() = treeName ? treeName : "";
  return 0;
}

// Until the program installs its dialogs they return at once, leaving the control's text as it was.
SPELL_ENGINE_EXPORT std::int16_t SSCE_CheckCtrlDlg(std::uint32_t parent, std::uint32_t control, std::int16_t selectedOnly) {
  return dialogs().CheckCtrlDlg ? dialogs().CheckCtrlDlg(parent, control, selectedOnly) : 0;
}

SPELL_ENGINE_EXPORT std::int16_t SSCE_EditLexDlg(std::uint32_t parent) {
  return dialogs().EditLexDlg ? dialogs().EditLexDlg(parent) : 0;
}

SPELL_ENGINE_EXPORT std::int16_t SSCE_OptionsDlg(std::uint32_t parent) {
  return dialogs().OptionsDlg ? dialogs().OptionsDlg(parent) : 0;
}

SPELL_ENGINE_EXPORT void SpellEngineInstallDialogs(const SpellEngineDialogCalls* calls) {
  dialogs() = calls ? *calls : SpellEngineDialogCalls{};
}

SPELL_ENGINE_EXPORT const char* SpellEngineRegistryTree() { return registryTree().c_str(); }
