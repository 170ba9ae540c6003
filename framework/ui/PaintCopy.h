#pragma once
// Painting a control as a copy into another canvas (a grid cell shows its editors that way): the
// control's paint-as-copy state is set meanwhile; a self-painted or windowless control runs its
// paint handler on that canvas, a control Qt draws is rendered from its widget, which need never
// have been shown.
#include "framework/ui/Canvas.h"

class TControl;

namespace qn::ui {

// Paints the control into rect of the canvas, its top-left corner at rect's.
void paintCopyTo(TControl& control, Canvas& canvas, const TRect& rect);

}  // namespace qn::ui
