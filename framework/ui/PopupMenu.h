#pragma once
// A menu opened at a point: by the program, or by a right press or the menu key on a control
// whose PopupMenu it is. The chosen entry's Click runs after the menu has closed.
#include "framework/base/Component.h"
#include "framework/base/NotifyEvent.h"
#include "framework/ui/MenuItem.h"

class QMenu;

// Where a menu opened at a point lies: its left edge, its right edge or its middle at the point.
enum class PopupAlignment { left, right, centre };

class TPopupMenu : public TComponent {
  QN_CLASS(TPopupMenu, TComponent)
 public:
  explicit TPopupMenu(TComponent* AOwner);
  ~TPopupMenu() override;

  // The menu's entries (the root entry has no caption of its own).
  TMenuItem* Items() const { return items_; }
  // Just before the menu opens, when its entries may still change.
  TNotifyEvent OnPopup;
  PopupAlignment Alignment = PopupAlignment::left;
  // True only while the menu is open.
  bool Showing() const { return showing_; }
  // The control whose PopupMenu opened it; nullptr when the program opened it.
  TComponent* PopupComponent() const { return popupComponent_; }

  // Opens at the screen point (its top at Y, lined up on X as Alignment says) and returns when
  // it has closed.
  virtual void Popup(int X, int Y);
  // The open menu's Qt menu (nullptr when closed), for tests that choose an entry.
  QMenu* openMenu() const { return open_; }

 private:
  friend void openControlPopupMenu(TComponent* control, TPopupMenu* menu, int x, int y);
  TMenuItem* items_;
  bool showing_ = false;
  TComponent* popupComponent_ = nullptr;
  QMenu* open_ = nullptr;
};
