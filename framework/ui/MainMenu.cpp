#include "framework/ui/MainMenu.h"

#include <QMenu>
#include <QPointer>
#include <map>
#include <memory>

#include "framework/ui/Control.h"
#include "framework/ui/Focus.h"
#include "framework/ui/Form.h"
#include "framework/ui/KeyRoute.h"
#include "framework/ui/MenuBar.h"
#include "framework/ui/MenuView.h"
#include "framework/ui/PopupMenu.h"
#include "framework/ui/WinControl.h"

namespace {

struct Shown {
  TMainMenu* menu;
  QPointer<MenuBar> bar;  // a top-level form's; it goes with the form's window
};

std::map<FormBase*, Shown>& shownMenus() {
  static std::map<FormBase*, Shown> menus;
  return menus;
}

// A top-level form shows the menu in its bar, made on first need and kept for later menus.
void showInBar(FormBase* form, Shown& shown) {
  auto* topLevel = dynamic_cast<TForm*>(form);
  if (!topLevel || topLevel->Docked()) return;
  if (!shown.bar) shown.bar = new MenuBar;
  shown.bar->showEntries(shown.menu);
  topLevel->setMenuBar(shown.bar);
}

void removeBar(FormBase* form, Shown& shown) {
  if (!shown.bar) return;
  auto* topLevel = dynamic_cast<TForm*>(form);
  if (topLevel && !topLevel->ComponentState().Contains(csDestroying)) topLevel->setMenuBar(nullptr);
  delete shown.bar.data();
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
  if (TMenuItem* entry = shown->second.menu->Items()->findShortcut(shortcut)) {
    entry->Click();
    return true;
  }
  if (TMenuItem* top = acceleratedTopEntry(shown->second.menu, key, shortcut.Shift)) {
    qn::ui::openMainMenuEntry(form, top);
    return true;
  }
  return false;
}

}  // namespace

TMainMenu::TMainMenu(TComponent* AOwner) : TComponent(AOwner), items_(new TMenuItem(this)) { qn::ui::installMenuKeys(); }

TMainMenu::~TMainMenu() {
  for (auto shown = shownMenus().begin(); shown != shownMenus().end();) {
    if (shown->second.menu != this) {
      ++shown;
      continue;
    }
    removeBar(shown->first, shown->second);
    shown = shownMenus().erase(shown);
  }
}

namespace qn::ui {

void installMenuKeys() { setMenuKeyHandler(runMenuKey); }

void showMainMenu(FormBase* form, TMainMenu* menu) {
  installMenuKeys();
  const auto shown = shownMenus().find(form);
  if (!menu) {
    if (shown == shownMenus().end()) return;
    removeBar(form, shown->second);
    shownMenus().erase(shown);
    return;
  }
  Shown& now = shown == shownMenus().end() ? shownMenus()[form] : shown->second;
  now.menu = menu;
  showInBar(form, now);
}

TMainMenu* shownMainMenu(FormBase* form) {
  const auto shown = shownMenus().find(form);
  return shown == shownMenus().end() ? nullptr : shown->second.menu;
}

QWidget* mainMenuBar(FormBase* form) {
  const auto shown = shownMenus().find(form);
  return shown == shownMenus().end() ? nullptr : shown->second.bar.data();
}

void openMainMenuEntry(FormBase* form, TMenuItem* top) {
  const auto shown = shownMenus().find(form);
  if (shown != shownMenus().end() && shown->second.bar && shown->second.bar->isVisible()) {
    shown->second.bar->openEntry(top);
    return;
  }
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
