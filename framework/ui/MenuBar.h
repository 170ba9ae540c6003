#pragma once
// The bar a form shows its main menu in, across the top of its window. A form has one bar; when
// it shows another menu the bar's entries are replaced. Top entries the program adds, removes,
// hides, disables or renames show once the running handlers have returned (the bar looks
// again each time the program waits for input). The bar is nobody's control: presses on
// it and its menus are Qt's own, and no key reaches it (Alt and a letter open its menus through
// the key route, after the message hook; its own mnemonics never fire, since the route takes
// every shortcut first).
#include <QMenuBar>
#include <tuple>
#include <vector>

#include "framework/base/AnsiString.h"

#include "framework/ui/ControlWidget.h"

class TMainMenu;
class TMenuItem;

class MenuBar : public QMenuBar, public WidgetOfControl {
 public:
  MenuBar();

  // The visible top entries of menu, disabled ones greyed. A top entry's OnClick runs as its menu
  // opens (its entries may still change then); one without entries runs it when chosen.
  void showEntries(TMainMenu* menu);
  // Opens the menu of that top entry, as a click on it does.
  void openEntry(TMenuItem* top);

 private:
  // What the bar shows of each top entry.
  using TopEntryLook = std::tuple<TMenuItem*, AnsiString, bool, bool, bool>;
  std::vector<TopEntryLook> lookOf(TMainMenu* menu) const;
  void followMenu();

  TMainMenu* menu_ = nullptr;
  std::vector<TopEntryLook> shown_;
};
