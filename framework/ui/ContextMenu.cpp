#include "framework/ui/ContextMenu.h"

#include "framework/ui/Control.h"
#include "framework/ui/WinControl.h"

namespace qn::ui {

namespace {

PopupMenuOpener& installed() {
  static PopupMenuOpener opener;
  return opener;
}

}  // namespace

PopupMenuOpener setPopupMenuOpener(PopupMenuOpener opener) { return std::exchange(installed(), std::move(opener)); }

bool openPopupMenuOf(TControl* control, TPoint screenPos) {
  for (TControl* c = control; c; c = c->Parent()) {
    if (!c->PopupMenu()) continue;
    if (!installed()) return false;
    PopupMenuOpener opener = installed();
    opener(c, c->PopupMenu(), screenPos);
    return true;
  }
  return false;
}

}  // namespace qn::ui
