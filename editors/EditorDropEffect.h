#pragma once
// What a drop of text into the full-window editor does: Ctrl copies, Ctrl with Shift links, no
// keys move; an effect the drag's source does not allow refuses the drop (none).
#include "framework/ui/InputTypes.h"
#include "framework/ui/TextDrag.h"

class TObject;

qn::ui::DropEffect editorDropEffect(TShiftState Shift, qn::ui::DropEffects Allowed);
// The rule as a rich edit's OnDropEffect handler.
void applyEditorDropEffect(TObject* Sender, TShiftState Shift, qn::ui::DropEffects Allowed, qn::ui::DropEffect& Effect);
