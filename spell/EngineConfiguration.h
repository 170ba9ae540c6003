#pragma once
// The spell engine's settings for its checker: the "ssce" section of VORLEX.CFG in the program
// folder. A file without that section gets one built from the engine's registry key (the lexicon
// folders and files the program stored there, userdic.tlx the dictionary new words go to), and the
// help file named there.
#include "framework/base/AnsiString.h"

class TVorlexSpell;

struct SpellEngineSettings {
  AnsiString MainLexPath;
  AnsiString MainLexFiles;  // comma-separated
  AnsiString UserLexPath;
  AnsiString UserLexFiles;
  AnsiString HelpFile;
};

// The values under the key, given as the full key text with its hive; empty ones when it is missing.
SpellEngineSettings ReadSpellEngineSettings(const AnsiString& RegistryTree);

// Gives Spell its settings: writes the section from Settings when the file lacks it, then reloads.
void PrepareEngineConfiguration(TVorlexSpell& Spell, const SpellEngineSettings& Settings);
