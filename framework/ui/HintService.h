#pragma once
// Hints. The control under the mouse decides the application's current hint (its Hint, or the
// long part of a "short|long" hint) at once; after the hint pause (500 ms of the framework's
// clock) resting over a control with ShowHint and a hint, the tooltip service shows the short
// part. The program's tooltip service is QToolTip; tests put a recorder in its place.
#include <functional>

#include "framework/base/AnsiString.h"
#include "framework/ui/Geometry.h"

class TControl;

using TooltipPresenter = std::function<void(const AnsiString& Text, TPoint ScreenPoint)>;

namespace qn::ui {

constexpr unsigned kHintPauseMs = 500;

// The part of a hint the tooltip shows and the part the status line gets.
AnsiString GetShortHint(const AnsiString& Hint);
AnsiString GetLongHint(const AnsiString& Hint);

// Puts presenter in charge of tooltips; answers the one replaced. Empty: QToolTip again.
TooltipPresenter setTooltipPresenter(TooltipPresenter presenter);

// Called by the mouse route with the control under the mouse (nullptr: none of ours).
void mouseIsOver(TControl* control, TPoint screenPoint);

}  // namespace qn::ui
