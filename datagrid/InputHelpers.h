#pragma once
// Small input and screen helpers shared by the grid, the dialogs and the edit controls, on the
// framework's own key route, mouse capture and screen.
#include "framework/base/Component.h"
#include "framework/ui/Geometry.h"
#include "framework/ui/InputTypes.h"

class TWinControl;
class FormBase;

// Backspace, space, delete, the keys 0x30 to 0x6F and every key above 145.
bool IsTextEditKey(WORD Key);
// Value * PixelsPerInch / 96, by default at the screen's resolution.
int ScaleByScreenDPI(int Value, int PixelsPerInch);
int ScaleByScreenDPI(int Value);
// Posts a left-button release to the active form when it holds the left button down, else to its
// first windowed control (depth first) that does; nothing when none does.
void ReleaseMouseCapture();
// Posts Key down and up to Window with Modifier (a virtual key such as VK_CONTROL) shown pressed
// in the keyboard state while they are handled; the state is put back afterwards.
void SendKeyWithModifier(TWinControl* Window, WORD Key, WORD Modifier);
// The desktop less its panels.
TRect GetDesktopWorkArea();
// The first owner that is a form, else the topmost owner; nullptr without owner.
TComponent* GetOwnerForm(const TComponent* Component);
