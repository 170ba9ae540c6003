#pragma once
// An entry of a menu: a caption with its '&' accelerator and, after a tab, its shortcut; a
// caption of "-" is a separator. Entries own the entries of their sub-menu and may be added
// and removed while the program runs.
#include <functional>
#include <optional>
#include <vector>

#include "framework/base/Component.h"
#include "framework/base/NotifyEvent.h"
#include "framework/ui/MenuShortcut.h"

class TMenuItem : public TComponent {
  QN_CLASS(TMenuItem, TComponent)
 public:
  explicit TMenuItem(TComponent* AOwner);
  ~TMenuItem() override;

  const AnsiString& Caption() const { return caption_; }
  void SetCaption(const AnsiString& Value) { caption_ = Value; }
  bool IsSeparator() const { return caption_ == "-"; }
  // The shortcut the caption shows.
  std::optional<TShortCut> ShortCut() const { return qn::ui::shortcutOfCaption(caption_); }
  bool Checked = false;
  bool Enabled = true;
  bool Visible = true;
  TNotifyEvent OnClick;

  // The sub-menu's entries, in order.
  int Count() const { return static_cast<int>(items_.size()); }
  TMenuItem* Items(int Index) const { return items_.at(Index); }
  // Item joins the sub-menu at its end (or at Index), leaving the sub-menu it was in.
  void Add(TMenuItem* Item);
  void Insert(int Index, TMenuItem* Item);
  // Item leaves the sub-menu; its owner still frees it.
  void Remove(TMenuItem* Item);
  TMenuItem* Parent() const { return parent_; }

  // What choosing the entry does: its OnClick.
  virtual void Click();
  // The entry, here or in the sub-menus, whose shortcut is that key; only visible and enabled
  // entries of visible and enabled sub-menus count.
  TMenuItem* findShortcut(TShortCut shortcut);

 private:
  AnsiString caption_;
  std::vector<TMenuItem*> items_;
  TMenuItem* parent_ = nullptr;
};
