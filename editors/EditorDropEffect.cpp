#include "editors/EditorDropEffect.h"

using qn::ui::DropEffect;
using qn::ui::DropEffects;

DropEffect editorDropEffect(TShiftState Shift, DropEffects Allowed) {
  DropEffect wanted = DropEffect::move;
  if (Shift.Contains(ssCtrl)) wanted = Shift.Contains(ssShift) ? DropEffect::link : DropEffect::copy;
  return Allowed.Contains(wanted) ? wanted : DropEffect::none;
}

void applyEditorDropEffect(TObject*, TShiftState Shift, DropEffects Allowed, DropEffect& Effect) {
  Effect = editorDropEffect(Shift, Allowed);
}
