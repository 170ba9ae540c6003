#include "framework/ui/PopupMenu.h"

#include <QMenu>

#include "framework/ui/ContextMenu.h"
#include "framework/ui/Control.h"

void openControlPopupMenu(TComponent* control, TPopupMenu* menu, int x, int y);

namespace {

QString qtText(const AnsiString& text) { return QString::fromStdString(qn::ansiToUtf8(text)); }

// The visible entries of item as actions of menu; the shortcut text after the tab is only
// shown, never given to Qt, so the keys stay with the key route.
void addEntries(QMenu* menu, TMenuItem* item) {
  for (int i = 0; i < item->Count(); ++i) {
    TMenuItem* entry = item->Items(i);
    if (!entry->Visible) continue;
    if (entry->IsSeparator()) {
      menu->addSeparator();
      continue;
    }
    QAction* action = nullptr;
    if (entry->Count() > 0) {
      QMenu* sub = menu->addMenu(qtText(entry->Caption()));
      addEntries(sub, entry);
      action = sub->menuAction();
    } else {
      action = menu->addAction(qtText(entry->Caption()));
      action->setData(QVariant::fromValue(static_cast<void*>(entry)));
      action->setCheckable(entry->Checked);
      action->setChecked(entry->Checked);
    }
    action->setEnabled(entry->Enabled);
  }
}

void installOpener() {
  static const bool installed = [] {
    qn::ui::setPopupMenuOpener([](TControl* control, TComponent* menu, TPoint at) {
      if (auto* popup = dynamic_cast<TPopupMenu*>(menu)) openControlPopupMenu(control, popup, at.X, at.Y);
    });
    return true;
  }();
  (void)installed;
}

}  // namespace

void openControlPopupMenu(TComponent* control, TPopupMenu* menu, int x, int y) {
  menu->popupComponent_ = control;
  menu->Popup(x, y);
  menu->popupComponent_ = nullptr;
}

TPopupMenu::TPopupMenu(TComponent* AOwner) : TComponent(AOwner), items_(new TMenuItem(this)) { installOpener(); }

TPopupMenu::~TPopupMenu() = default;

void TPopupMenu::Popup(int X, int Y) {
  if (showing_) return;
  if (OnPopup) OnPopup(this);
  QMenu menu;
  addEntries(&menu, items_);
  showing_ = true;
  open_ = &menu;
  QAction* chosen = menu.exec(QPoint(X, Y));
  open_ = nullptr;
  showing_ = false;
  if (chosen && chosen->data().isValid()) static_cast<TMenuItem*>(chosen->data().value<void*>())->Click();
}
