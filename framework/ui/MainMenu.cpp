#include "framework/ui/MainMenu.h"

#include <map>

#include "framework/ui/KeyRoute.h"

namespace {

std::map<FormBase*, TMainMenu*>& shownMenus() {
  static std::map<FormBase*, TMainMenu*> menus;
  return menus;
}

// Only Ctrl, Shift and Alt take part in a shortcut; the mouse buttons held do not.
TShiftState keyModifiers(TShiftState shift) {
  TShiftState modifiers;
  for (const TShiftStateFlag flag : {ssShift, ssAlt, ssCtrl})
    if (shift.Contains(flag)) modifiers.Include(flag);
  return modifiers;
}

bool runShortcut(FormBase* form, WORD key, TShiftState shift) {
  const auto shown = shownMenus().find(form);
  if (shown == shownMenus().end()) return false;
  TMenuItem* entry = shown->second->Items()->findShortcut({key, keyModifiers(shift)});
  if (!entry) return false;
  entry->Click();
  return true;
}

}  // namespace

TMainMenu::TMainMenu(TComponent* AOwner) : TComponent(AOwner), items_(new TMenuItem(this)) {}

TMainMenu::~TMainMenu() {
  for (auto shown = shownMenus().begin(); shown != shownMenus().end();)
    shown = shown->second == this ? shownMenus().erase(shown) : std::next(shown);
}

namespace qn::ui {

void showMainMenu(FormBase* form, TMainMenu* menu) {
  setMenuKeyHandler(runShortcut);
  if (menu) shownMenus()[form] = menu;
  else shownMenus().erase(form);
}

TMainMenu* shownMainMenu(FormBase* form) {
  const auto shown = shownMenus().find(form);
  return shown == shownMenus().end() ? nullptr : shown->second;
}

}  // namespace qn::ui
