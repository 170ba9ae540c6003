#pragma once
// A form's main menu. A form shows one main menu at a time and may swap among several while
// the program runs; only the shown menu's shortcuts work (the key route's menu step asks the
// active form's shown menu). The menu is owned by its form, or outlives its showing.
#include "framework/base/Component.h"
#include "framework/ui/MenuItem.h"

class FormBase;

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

}  // namespace qn::ui
