#pragma once
// The pictures of the standard dialog buttons (a tick for OK, a cross for Cancel, a question mark
// for Help, a door for Close), drawn by the program itself: two 18 x 18 images side by side, the
// second greyed for a disabled button, on an olive key colour that stays transparent.
#include "framework/ui/BitmapImage.h"

enum class KindGlyph { ok, cancel, help, close };

void drawKindGlyph(KindGlyph kind, BitmapImage& bitmap);
