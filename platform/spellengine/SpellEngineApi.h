#pragma once
// The entry points of the spell engine library, plain C calls. Windows cross as the window
// registry's 32-bit ids. The engine reads its settings (lexicon paths and files, memory budget,
// help file) from the registry key it is told.
#include <cstdint>

extern "C" {
// The registry key of the engine's settings, as the full key text with its hive.
using SSCE_SetRegTreeNameFn = std::int16_t (*)(const char* treeName);
// A modal check of the text in control, owned by parent; corrections go into the control.
using SSCE_CheckCtrlDlgFn = std::int16_t (*)(std::uint32_t parent, std::uint32_t control, std::int16_t selectedOnly);
// The modal dictionary dialog, owned by parent.
using SSCE_EditLexDlgFn = std::int16_t (*)(std::uint32_t parent);
// The modal options dialog, owned by parent.
using SSCE_OptionsDlgFn = std::int16_t (*)(std::uint32_t parent);
// The key text the engine was last told; empty before. For the program's tests and diagnostics.
using SpellEngineRegistryTreeFn = const char* (*)();

// The three dialog calls, served by the program's spell checker.
struct SpellEngineDialogCalls {
  SSCE_CheckCtrlDlgFn CheckCtrlDlg;
  SSCE_EditLexDlgFn EditLexDlg;
  SSCE_OptionsDlgFn OptionsDlg;
};
// Installs the calls the dialog entry points forward to (copied); nullptr takes them back, and the
// entry points return at once again.
using SpellEngineInstallDialogsFn = void (*)(const SpellEngineDialogCalls* calls);
}
