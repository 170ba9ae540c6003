#include "framework/ui/PopupMenu.h"

#include <QMenu>

#include "framework/ui/ContextMenu.h"
#include "framework/ui/Control.h"
#include "framework/ui/MainMenu.h"
#include "framework/ui/MenuView.h"

void openControlPopupMenu(TComponent* control, TPopupMenu* menu, int x, int y);

namespace {

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

TPopupMenu::TPopupMenu(TComponent* AOwner) : TComponent(AOwner), items_(new TMenuItem(this)) {
  installOpener();
  qn::ui::installMenuKeys();
}

TPopupMenu::~TPopupMenu() = default;

void TPopupMenu::Popup(int X, int Y) {
  if (showing_) return;
  if (OnPopup) OnPopup(this);
  QMenu menu;
  auto choice = std::make_shared<qn::ui::MenuChoice>();
  qn::ui::fillMenu(&menu, items_, choice);
  showing_ = true;
  open_ = &menu;
  const int width = menu.sizeHint().width();
  const int left = Alignment == PopupAlignment::right ? X - width : Alignment == PopupAlignment::centre ? X - width / 2 : X;
  menu.exec(QPoint(left, Y));
  open_ = nullptr;
  showing_ = false;
  if (choice->entry) choice->entry->Click();
}
