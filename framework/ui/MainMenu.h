#pragma once
// A form's main menu. A form shows one main menu at a time and may swap among several while
// the program runs; only the shown menu's shortcuts and accelerators work. The key route's menu
// step (after the message hook, before KeyDown) asks the popup menus of the focused control and
// its parents first, then the form's shown menu for a shortcut, then for a top entry whose
// accelerator is Alt and the key. The menu is owned by its form, or outlives its showing.
#include "framework/base/Component.h"
#include "framework/ui/MenuItem.h"

class FormBase;
class QWidget;

class TMainMenu : public TComponent {
  QN_CLASS(TMainMenu, TComponent)
 public:
  explicit TMainMenu(TComponent* AOwner);
  ~TMainMenu() override;

  // The menu's top entries (the root entry has no caption of its own).
  TMenuItem* Items() const { return items_; }

 private:
  TMenuItem* items_;
};

namespace qn::ui {

// Form shows menu from now on (nullptr: none); the menu it showed before stops answering keys.
void showMainMenu(FormBase* form, TMainMenu* menu);
TMainMenu* shownMainMenu(FormBase* form);
// The bar a top-level form shows its menu in; nullptr for none (a docked form's menu has none).
QWidget* mainMenuBar(FormBase* form);
// Puts the menus' key handling into the key route; each menu does it when it is made.
void installMenuKeys();
// Opens a top entry's menu, as Alt and the entry's letter do: in the form's bar, else at the
// form's client origin. The entry's OnClick runs first, and the entry chosen runs once the menu
// has closed.
void openMainMenuEntry(FormBase* form, TMenuItem* top);

}  // namespace qn::ui
