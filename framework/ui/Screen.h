#pragma once
// The screen: the mouse cursor the program shows over all its windows, the logical dots per inch
// of the primary screen, and the control that has the keyboard focus (the active form's active
// control) with a handler told once after each focus move and each change of active form.
// HourglassCursor shows the hourglass for a scope and puts back the cursor it found on every way
// out, exceptions included.
#include <Qt>

#include "framework/base/NotifyEvent.h"
#include "framework/base/Object.h"
#include "framework/ui/ScreenFacts.h"

class TWinControl;
class TForm;

using TCursor = int;
constexpr TCursor crDefault = 0;
constexpr TCursor crArrow = -2;
constexpr TCursor crCross = -3;
constexpr TCursor crIBeam = -4;
constexpr TCursor crSizeWE = -9;
constexpr TCursor crHourGlass = -11;
constexpr TCursor crHSplit = -14;  // the column-sizing cursor of the grid

// The Qt cursor shape a cursor is shown with.
Qt::CursorShape cursorShapeOf(TCursor cursor);

class TScreen : public TObject {
  QN_CLASS(TScreen, TObject)
 public:
  TCursor Cursor() const { return cursor_; }
  // Shown over every window of the program; crDefault lets each window show its own again.
  void SetCursor(TCursor cursor);

  // The primary screen's logical dots per inch, rounded (96 until a screen says otherwise);
  // settable, and then kept.
  int PixelsPerInch() const;
  void SetPixelsPerInch(int Value) { pixelsPerInch_ = Value; }

  // The primary screen's size, its work area and the primary monitor's size, and the system
  // metrics: all from the screen facts table (ScreenFacts.h).
  int width() const { return qn::ui::screenFacts().width; }
  int height() const { return qn::ui::screenFacts().height; }
  TRect workArea() const { return qn::ui::screenFacts().workArea; }
  int primaryMonitorWidth() const { return qn::ui::screenFacts().primaryMonitorWidth; }
  int primaryMonitorHeight() const { return qn::ui::screenFacts().primaryMonitorHeight; }
  ScreenFacts metrics() const { return qn::ui::screenFacts(); }

  // The framework's active form: the top-level form whose window is active, none while a modal
  // service (a message box, the login dialog) is open over it.
  TForm* activeForm() const;

  // The control with the keyboard focus; nullptr when no form of ours is active or the active one
  // has no active control.
  TWinControl* ActiveControl() const;
  // Told once after each completed focus move and when another form becomes active.
  TNotifyEvent activeControlChanged;

 private:
  TCursor cursor_ = crDefault;
  bool overriding_ = false;  // our override cursor is on Qt's stack
  int pixelsPerInch_ = 0;    // 0: asked of the primary screen
  // The primary screen's, read once: forms are scaled for it as they are made, and every text
  // measured asks for it, so it stays what it was for the run.
  mutable int screenPixelsPerInch_ = 0;
};

extern TScreen* const Screen;

class HourglassCursor {
 public:
  HourglassCursor() : saved_(Screen->Cursor()) { Screen->SetCursor(crHourGlass); }
  ~HourglassCursor() { Screen->SetCursor(saved_); }
  HourglassCursor(const HourglassCursor&) = delete;
  HourglassCursor& operator=(const HourglassCursor&) = delete;

 private:
  TCursor saved_;
};
