#include "core/SpellEngine.h"

#include <dlfcn.h>

#include "core/Globals.h"
#include "recordmgr/ProgramLibrary.h"

const SpellEngineCalls* LoadedSpellEngine() {
  static SpellEngineCalls calls;
  static bool loaded = false;
  if (loaded) return &calls;
  // Never closed: the engine's dialogs may run until the program ends.
  void* library = OpenProgramLibrary("ssce5432.dll");
  if (!library) return nullptr;
  SpellEngineCalls found;
  found.SetRegTreeName = reinterpret_cast<SSCE_SetRegTreeNameFn>(dlsym(library, "SSCE_SetRegTreeName"));
  found.CheckCtrlDlg = reinterpret_cast<SSCE_CheckCtrlDlgFn>(dlsym(library, "SSCE_CheckCtrlDlg"));
  found.EditLexDlg = reinterpret_cast<SSCE_EditLexDlgFn>(dlsym(library, "SSCE_EditLexDlg"));
  found.OptionsDlg = reinterpret_cast<SSCE_OptionsDlgFn>(dlsym(library, "SSCE_OptionsDlg"));
  found.RegistryTree = reinterpret_cast<SpellEngineRegistryTreeFn>(dlsym(library, "SpellEngineRegistryTree"));
  found.InstallDialogs = reinterpret_cast<SpellEngineInstallDialogsFn>(dlsym(library, "SpellEngineInstallDialogs"));
  if (!found.SetRegTreeName || !found.CheckCtrlDlg || !found.EditLexDlg || !found.OptionsDlg) return nullptr;
  calls = found;
  loaded = true;
  return &calls;
}

AnsiString SpellFilesMissingText() {
  return "Quillon cannot find the spell checker files that it needs.\r\r"
         "They may be downloaded from the Vantor, Inc. web site, unzipped and placed in the program folder: " +
         ProgramDir + ".\r\rThe Spell Checker will not function until this is accomplished.";
}
