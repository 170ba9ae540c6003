#pragma once
// A window that drops down from a control: a combo's list, a calendar, a grid of choices. It is
// shown without taking the activation or the focus, so the keys stay with its control and the
// form stays active; it is a tooltip-type window with the control's form window as its transient
// parent (a popup-type window would take every key; a tool window is activated by some window
// managers and by the offscreen platform). On Wayland the compositor may still move it.
//
// While it is open the owning control hears of every press in the program's windows outside
// the drop-down and outside the control (presses outside the program are not seen; their
// activation change sends the cancel-mode notice instead), and once of the cancel mode when the
// control loses the focus or its window, or the program, loses the activation. Only one
// drop-down is open at a time. The wheel over it scrolls it, not the focused control.
#include <QPointer>
#include <functional>

#include "framework/ui/Control.h"
#include "framework/ui/Geometry.h"

class QWidget;
class TWinControl;

class DropDownWindow {
 public:
  // content becomes the window's only child, filling it; it and its children never take the focus.
  DropDownWindow(TWinControl* owner, QWidget* content);
  // A framework control without a parent as the content: its window is made inside the drop-down
  // (also when it is made again) and fills it; it is no tab stop, so a press in it moves no focus.
  // Hiding the control closes the drop-down.
  DropDownWindow(TWinControl* owner, TWinControl* content);
  ~DropDownWindow();
  DropDownWindow(const DropDownWindow&) = delete;
  DropDownWindow& operator=(const DropDownWindow&) = delete;

  // Shows it width x height under its control, or above it when it would pass the bottom of the
  // screen's work area, its left edge the control's unless that takes it off the screen. Another
  // open drop-down closes first.
  void open(int width, int height);
  // The same, its left edge at the screen x Left, kept on the work area.
  void open(int width, int height, int Left);
  void close();
  bool isOpen() const;
  // Where it was placed, in screen pixels, and whether above its control.
  TRect placedAt() const { return placed_; }
  bool openedAbove() const { return above_; }
  QWidget* window() const { return window_; }

  // A press outside the drop-down and outside its control, at that screen point.
  std::function<void(TPoint screenPos)> OnPressOutside;
  // The control lost the focus, or the activation went elsewhere.
  std::function<void()> OnCancelMode;
  // Lets the next loss send the cancel mode again: for a control that kept its drop-down open
  // because the focus went to something of its own (a menu it opened) and will come back.
  void rearmCancelMode() { cancelled_ = false; }

  // Called by the application for each press in any of its windows.
  static void pressSeen(QWidget* receiver, TPoint screenPos);
  // Whether the widget lies in the open drop-down.
  static bool inOpenDropDown(const QWidget* widget);

 private:
  void focusChanged(QWidget* old, QWidget* now);
  bool ownerHolds(const QWidget* widget) const;

  TWinControl* owner() const;
  void place(int width, int height, int left);
  // A content control that was hidden closes the drop-down.
  void watchContentWidget(QObject* widget);

  ControlRef owner_;
  ControlRef content_;
  QObject* watcher_ = nullptr;
  QPointer<QWidget> window_;
  TRect placed_;
  bool above_ = false;
  bool cancelled_ = false;
};
