#pragma once
// What the button tests share: a glyph bitmap whose images are squares of plain colours (so a
// pixel tells which image shows), pixels of a window, and mouse events sent to a window.
#include <QApplication>
#include <QMouseEvent>
#include <QWidget>
#include <initializer_list>

#include "framework/ui/BitmapImage.h"
#include "framework/ui/ColorPalette.h"

namespace qn::ui::testing {

constexpr TColor glyphKey = clFuchsia;
constexpr int glyphSide = 10;

// One 10 x 10 image per colour, side by side: the colour inside a 2-pixel border of the key.
inline void makeColourGlyph(BitmapImage& bitmap, std::initializer_list<TColor> colours) {
  bitmap.SetSize(glyphSide * static_cast<int>(colours.size()), glyphSide);
  Canvas& c = bitmap.canvas();
  c.Brush = {glyphKey, BrushStyle::solid};
  c.fillRect({0, 0, bitmap.Width(), glyphSide});
  int left = 0;
  for (TColor colour : colours) {
    c.Brush = {colour, BrushStyle::solid};
    c.fillRect({left + 2, 2, left + glyphSide - 2, glyphSide - 2});
    left += glyphSide;
  }
  bitmap.SetTransparentColor(glyphKey);
}

inline TColor windowPixel(QWidget* widget, int x, int y) { return colorOfPixel(widget->grab().toImage().pixel(x, y)); }

// A mouse event at a point of the window, with the buttons held after it.
inline void sendMouse(QWidget* widget, QEvent::Type type, QPoint at, Qt::MouseButton button, Qt::MouseButtons held) {
  QMouseEvent event(type, QPointF(at), QPointF(widget->mapToGlobal(at)), button, held, Qt::NoModifier);
  QApplication::sendEvent(widget, &event);
}

inline void pressAt(QWidget* widget, QPoint at) { sendMouse(widget, QEvent::MouseButtonPress, at, Qt::LeftButton, Qt::LeftButton); }
inline void moveHeldTo(QWidget* widget, QPoint at) { sendMouse(widget, QEvent::MouseMove, at, Qt::NoButton, Qt::LeftButton); }
inline void releaseAt(QWidget* widget, QPoint at) { sendMouse(widget, QEvent::MouseButtonRelease, at, Qt::LeftButton, Qt::NoButton); }
inline void clickAt(QWidget* widget, QPoint at) {
  pressAt(widget, at);
  releaseAt(widget, at);
}
// Two quick clicks, as the window system reports them: the second press comes as a double click.
inline void doubleClickAt(QWidget* widget, QPoint at) {
  clickAt(widget, at);
  sendMouse(widget, QEvent::MouseButtonDblClick, at, Qt::LeftButton, Qt::LeftButton);
  releaseAt(widget, at);
}

}  // namespace qn::ui::testing
