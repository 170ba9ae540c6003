#pragma once
// How a menu's entries show in Qt, for popup menus and the menu bar alike. The shortcut after a
// caption's tab is only shown, never given to Qt, so the keys stay with the key route. Radio
// groups show round marks; an entry that starts a column lays its menu out in columns; an entry
// the program draws is measured and painted through its handlers on a canvas.
#include <functional>
#include <memory>

class QMenu;
class TMenuItem;

namespace qn::ui {

// The entry the user chose in a menu and its sub-menus; nullptr while none. With onChosen set,
// the choice is also handed there at once, every open menu having closed.
struct MenuChoice {
  TMenuItem* entry = nullptr;
  std::function<void(TMenuItem*)> onChosen;
};

// Fills menu (emptied first) with the visible entries of item. Each sub-menu, as it opens, runs
// its entry's OnClick and is filled again, so entries changed then are shown. Choosing an entry
// closes every open menu and records it in choice; running it is the caller's (or onChosen's).
void fillMenu(QMenu* menu, TMenuItem* item, std::shared_ptr<MenuChoice> choice);

}  // namespace qn::ui
