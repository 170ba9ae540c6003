#include "framework/ui/MenuBar.h"

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
}

void MenuBar::showEntries(TMainMenu* menu) {
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
