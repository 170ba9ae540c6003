#pragma once
// The facts about the screen the system computes window sizes and positions from: the primary
// screen's size and work area (the desktop less its panels), the primary monitor's size, and the
// system metrics of window frames, scroll bars, menus and the system font. The metrics are the
// program's fixed values below (what forms add around their client area, whatever the window
// manager draws); the sizes come from the primary screen. Tests put a table of their own in place.
#include <optional>

#include "framework/ui/Geometry.h"

struct ScreenFacts {
  int width = 1024;
  int height = 768;
  TRect workArea = Rect(0, 0, 1024, 768);
  int primaryMonitorWidth = 1024;
  int primaryMonitorHeight = 768;

  int captionHeight = 19;
  int sizingFrameHeight = 4;  // the frame of a sizeable window
  int dialogFrameHeight = 3;  // the frame of a dialog or fixed window
  int borderHeight = 1;
  int verticalScrollBarWidth = 17;
  int horizontalScrollBarHeight = 17;
  int thumbWidth = 17;
  int menuHeight = 19;
  int systemFontLineHeight = 16;
};

namespace qn::ui {

// The table in use: a test's, else the program's metrics with the primary screen's sizes.
ScreenFacts screenFacts();
// Puts a table in place; nullopt goes back to the program's.
void setScreenFacts(std::optional<ScreenFacts> facts);

}  // namespace qn::ui
