#include "framework/ui/MenuBar.h"

#include <QAbstractEventDispatcher>
#include <QMenu>
#include <memory>

#include "framework/ui/DialogSupport.h"
#include "framework/ui/MainMenu.h"
#include "framework/ui/MenuItem.h"
#include "framework/ui/MenuView.h"
#include "framework/ui/SafeDispatch.h"

namespace {

const char* const kEntryProperty = "menuEntry";

TMenuItem* entryOf(const QAction* action) { return static_cast<TMenuItem*>(action->property(kEntryProperty).value<void*>()); }

}  // namespace

MenuBar::MenuBar() : WidgetOfControl(nullptr) {
  setNativeMenuBar(false);
  setFocusPolicy(Qt::NoFocus);
  setContextMenuPolicy(Qt::PreventContextMenu);
  if (QAbstractEventDispatcher* dispatcher = QAbstractEventDispatcher::instance())
    QObject::connect(dispatcher, &QAbstractEventDispatcher::aboutToBlock, this, [this] { followMenu(); });
}

std::vector<MenuBar::TopEntryLook> MenuBar::lookOf(TMainMenu* menu) const {
  std::vector<TopEntryLook> look;
  TMenuItem* root = menu->Items();
  for (int i = 0; i < root->Count(); ++i) {
    TMenuItem* top = root->Items(i);
    look.emplace_back(top, top->Caption(), top->Visible, top->Enabled, top->Count() > 0);
  }
  return look;
}

void MenuBar::followMenu() {
  // Not while one of its menus is open: the entries stay as the user sees them.
  if (menu_ && !activeAction() && lookOf(menu_) != shown_) showEntries(menu_);
}

void MenuBar::showEntries(TMainMenu* menu) {
  menu_ = menu;
  shown_ = lookOf(menu);
  for (QAction* action : actions()) {
    removeAction(action);
    if (QMenu* sub = action->menu()) sub->deleteLater();
    action->deleteLater();
  }
  TMenuItem* root = menu->Items();
  for (int i = 0; i < root->Count(); ++i) {
    TMenuItem* top = root->Items(i);
    if (!top->Visible || top->IsSeparator()) continue;
    const QString caption = qn::ui::screenText(top->Caption());
    QAction* action = nullptr;
    if (top->Count() > 0) {
      QMenu* sub = addMenu(caption);
      auto choice = std::make_shared<qn::ui::MenuChoice>();
      choice->onChosen = [](TMenuItem* entry) { qn::ui::guarded(entry, [entry] { entry->Click(); }); };
      QObject::connect(sub, &QMenu::aboutToShow, sub, [sub, top, choice] {
        qn::ui::guarded(top, [top] { top->Click(); });
        qn::ui::fillMenu(sub, top, choice);
      });
      qn::ui::fillMenu(sub, top, choice);
      action = sub->menuAction();
    } else {
      action = addAction(caption);
      QObject::connect(action, &QAction::triggered, this, [top] { qn::ui::guarded(top, [top] { top->Click(); }); });
    }
    action->setProperty(kEntryProperty, QVariant::fromValue(static_cast<void*>(top)));
    action->setEnabled(top->Enabled);
  }
}

void MenuBar::openEntry(TMenuItem* top) {
  for (QAction* action : actions())
    if (entryOf(action) == top && action->menu()) setActiveAction(action);
}
