#pragma once
// What the docked sub-forms of the main window share: a window without frame, and the notice to
// the main window that the mouse activated another of their controls.
#include "framework/ui/Form.h"

// The main window hears this (both parameters 0) when a press reaches another named control.
constexpr unsigned MainFormMouseActivateMessage = 0x0400 + 100;

// Clears the frame bits and keeps only bit 0x10000 of the style.
void StripFormFrame(TCreateParams& Params);

// Remembers the cursor position; when the main window remembers an active control and the named
// windowed control under the cursor is another one, posts it MainFormMouseActivateMessage.
void NotifyMainFormMouseActivate();
// The cursor position the last notice saw.
extern TPoint MouseActivatePoint;
