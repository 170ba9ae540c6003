#pragma once
// Popup menus: a right press released over a control, or the menu key, opens the popup menu of
// the control or of its nearest parent that has one. The menus install the opener.
#include <functional>

#include "framework/ui/Geometry.h"

class TComponent;
class TControl;

namespace qn::ui {

using PopupMenuOpener = std::function<void(TControl* control, TComponent* menu, TPoint screenPos)>;
// Installs opener (an empty one uninstalls); answers the one installed before.
PopupMenuOpener setPopupMenuOpener(PopupMenuOpener opener);
// Opens the popup menu that belongs to control at screenPos; false when none does.
bool openPopupMenuOf(TControl* control, TPoint screenPos);

}  // namespace qn::ui
