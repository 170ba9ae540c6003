#pragma once
// The spell engine library ("ssce5432.dll": libssce5432.so in the program folder, else where the
// system finds libraries), loaded on first use and kept for the rest of the run.
#include "framework/base/AnsiString.h"
#include "platform/spellengine/SpellEngineApi.h"

struct SpellEngineCalls {
  SSCE_SetRegTreeNameFn SetRegTreeName = nullptr;
  SSCE_CheckCtrlDlgFn CheckCtrlDlg = nullptr;
  SSCE_EditLexDlgFn EditLexDlg = nullptr;
  SSCE_OptionsDlgFn OptionsDlg = nullptr;
  // Present only in the program's own engine.
  SpellEngineRegistryTreeFn RegistryTree = nullptr;
  SpellEngineInstallDialogsFn InstallDialogs = nullptr;
};

// The engine's calls; nullptr when the library cannot be loaded or lacks one of its four calls.
// A failed load is tried again at the next use.
const SpellEngineCalls* LoadedSpellEngine();

// What the program tells when the engine's lexicon files are not in the program folder: where
// they come from and where they go.
AnsiString SpellFilesMissingText();
