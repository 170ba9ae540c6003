#pragma once
// The spell engine's settings at start-up: the lexicon and help files in the program folder are
// recorded under the Spelling key when none are recorded yet, or when the program folder holds
// them and the recorded folder is another; then the engine is told that key. A missing engine
// stops nothing: the settings are still stored.

// The registry key the engine reads its settings from.
inline constexpr const char* SpellingRegistryTree = "HKEY_LOCAL_MACHINE\\Software\\Vantor\\Quillon\\Spelling";

void SetupSpellEngine();
