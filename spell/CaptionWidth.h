#pragma once
// How wide a caption shows in a font, its accelerator marks left out: what the spell checker's
// dialogs widen their columns and buttons to when a language's texts run long.
#include "framework/base/AnsiString.h"

class TFont;

int captionWidth(TFont* font, const AnsiString& caption);
