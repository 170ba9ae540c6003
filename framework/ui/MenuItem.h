#pragma once
// An entry of a menu: a caption with its '&' accelerator and, after a tab, its shortcut; a
// caption of "-" is a separator. Entries own the entries of their sub-menu and may be added
// and removed while the program runs. An entry may belong to a radio group, start a new column
// of its menu, or be drawn by the program (measured and painted on a canvas).
#include <functional>
#include <optional>
#include <vector>

#include "framework/base/Component.h"
#include "framework/base/NotifyEvent.h"
#include "framework/ui/Geometry.h"
#include "framework/ui/MenuShortcut.h"

class Canvas;
class TMenuItem;

// An entry drawn by the program: its size asked first (Width and Height come preset to the
// plain entry's), then each painting, within Rect, selected while the pointer or the keys are on it.
using TMenuMeasureEvent = std::function<void(TObject* Sender, Canvas& ACanvas, int& Width, int& Height)>;
using TMenuDrawEvent = std::function<void(TObject* Sender, Canvas& ACanvas, TRect Rect, bool Selected)>;

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
  bool Checked() const { return checked_; }
  // Checking an entry of a radio group unchecks the other entries of its group.
  void SetChecked(bool Value);
  // Non-zero: the entries of one sub-menu with the same number form a radio group, one of them
  // checked, shown with a round mark.
  int RadioGroup = 0;
  // The entry begins a new column of its menu.
  bool StartsColumn = false;
  bool Enabled = true;
  bool Visible = true;
  // Chosen; for an entry with a sub-menu, the sub-menu is opening (its entries may still change).
  TNotifyEvent OnClick;
  // Either set: the program draws the entry.
  TMenuMeasureEvent OnMeasure;
  TMenuDrawEvent OnDraw;
  bool ownerDrawn() const { return OnMeasure || OnDraw; }
  // The letter after the caption's single '&' ('&&' is a plain '&'), upper-cased; 0 when none.
  char Accelerator() const;

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
  bool checked_ = false;
  std::vector<TMenuItem*> items_;
  TMenuItem* parent_ = nullptr;
};
