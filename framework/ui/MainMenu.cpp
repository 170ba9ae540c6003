#include "framework/ui/MainMenu.h"

#include <QMenu>
#include <map>
#include <memory>

#include "framework/ui/Control.h"
#include "framework/ui/Focus.h"
#include "framework/ui/FormBase.h"
#include "framework/ui/KeyRoute.h"
#include "framework/ui/MenuView.h"
#include "framework/ui/PopupMenu.h"
#include "framework/ui/WinControl.h"

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

// The popup menus of the focused control and of its parents come first: the nearest menu
// that has the shortcut runs it.
TMenuItem* popupMenuShortcut(TShortCut shortcut) {
  for (TControl* c = qn::ui::focusedControl(); c; c = c->Parent())
    if (auto* popup = dynamic_cast<TPopupMenu*>(c->PopupMenu()))
      if (TMenuItem* entry = popup->Items()->findShortcut(shortcut)) return entry;
  return nullptr;
}

// The top entry whose accelerator is the key: Alt and a letter or digit.
TMenuItem* acceleratedTopEntry(TMainMenu* menu, WORD key, TShiftState modifiers) {
  if (modifiers != TShiftState{ssAlt} || key > 0xFF) return nullptr;
  TMenuItem* top = menu->Items();
  for (int i = 0; i < top->Count(); ++i) {
    TMenuItem* entry = top->Items(i);
    if (entry->Visible && entry->Enabled && entry->Accelerator() && entry->Accelerator() == static_cast<char>(key))
      return entry;
  }
  return nullptr;
}

bool runMenuKey(FormBase* form, WORD key, TShiftState shift) {
  const TShortCut shortcut{key, keyModifiers(shift)};
  if (TMenuItem* entry = popupMenuShortcut(shortcut)) {
    entry->Click();
    return true;
  }
  const auto shown = shownMenus().find(form);
  if (shown == shownMenus().end()) return false;
  if (TMenuItem* entry = shown->second->Items()->findShortcut(shortcut)) {
    entry->Click();
    return true;
  }
  if (TMenuItem* top = acceleratedTopEntry(shown->second, key, shortcut.Shift)) {
    qn::ui::openMainMenuEntry(form, top);
    return true;
  }
  return false;
}

}  // namespace

TMainMenu::TMainMenu(TComponent* AOwner) : TComponent(AOwner), items_(new TMenuItem(this)) { qn::ui::installMenuKeys(); }

TMainMenu::~TMainMenu() {
  for (auto shown = shownMenus().begin(); shown != shownMenus().end();)
    shown = shown->second == this ? shownMenus().erase(shown) : std::next(shown);
}

namespace qn::ui {

void installMenuKeys() { setMenuKeyHandler(runMenuKey); }

void showMainMenu(FormBase* form, TMainMenu* menu) {
  installMenuKeys();
  if (menu) shownMenus()[form] = menu;
  else shownMenus().erase(form);
}

TMainMenu* shownMainMenu(FormBase* form) {
  const auto shown = shownMenus().find(form);
  return shown == shownMenus().end() ? nullptr : shown->second;
}

void openMainMenuEntry(FormBase* form, TMenuItem* top) {
  // The entry's OnClick is the opening of its sub-menu: it may still change the entries.
  top->Click();
  if (top->Count() == 0) return;
  QMenu menu;
  auto choice = std::make_shared<MenuChoice>();
  fillMenu(&menu, top, choice);
  const TPoint at = form->ClientToScreen({0, 0});
  menu.exec(QPoint(at.X, at.Y));
  if (choice->entry) choice->entry->Click();
}

}  // namespace qn::ui
