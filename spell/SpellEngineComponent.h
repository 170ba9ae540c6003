#pragma once
// The spell checker behind the spell engine's dialogs. The spell unit makes it when it starts and
// installs the engine's three dialog calls over it into the engine library (when the library offers
// that entry): a check of a control given by its window handle, the options page and the
// dictionaries page of the configuration dialog. Its settings are VORLEX.CFG's "ssce" section;
// its user dictionaries are saved at the end of every check and dialog.
class TVorlexSpell;

// nullptr before the unit starts and after it stops.
TVorlexSpell* SpellEngineComponent();
