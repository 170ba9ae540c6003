#pragma once
// The screen: the mouse cursor the program shows over all its windows. HourglassCursor shows the
// hourglass for a scope and puts back the cursor it found on every way out, exceptions included.
#include "framework/base/Object.h"

using TCursor = int;
constexpr TCursor crDefault = 0;
constexpr TCursor crArrow = -2;
constexpr TCursor crHourGlass = -11;

class TScreen : public TObject {
  QN_CLASS(TScreen, TObject)
 public:
  TCursor Cursor() const { return cursor_; }
  // Shown over every window of the program; crDefault lets each window show its own again.
  void SetCursor(TCursor cursor);

 private:
  TCursor cursor_ = crDefault;
  bool overriding_ = false;  // our override cursor is on Qt's stack
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
