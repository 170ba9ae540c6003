#pragma once
// What the panels share about the lookup combos beside their code boxes. The combos are reached
// by class name and by their published properties, so this layer needs nothing of their module.
#include "framework/ui/VirtualKeys.h"

class TComponent;
class TControl;

// Cleared when the combo with Tag 210 turns its match state off.
extern unsigned char LookupComboMatchPair[2];

// Match text, automatic drop-down and the first sequential-search option on (Flag) or off.
void SetLookupComboMatch(TControl* Combo, bool Flag);
// Keys that edit or move within the text (and a handled key on an empty text) turn the match
// state off and hide the drop-down list.
void LookupComboKeyPress(TControl* Combo, WORD& Key);
// Every lookup combo the form owns shows its drop-down list yellow with maroon text.
void HighlightLookupCombos(TComponent* Form);
