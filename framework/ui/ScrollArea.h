#pragma once
// A container whose content may be larger than itself: a scroll bar per direction shows when the
// content (its Range) is longer than the room, and scrolling moves every child by the distance
// scrolled. The range is given by the program, not measured from the children. Increment is the
// step of the bar's arrows; Margin the room kept beside a control scrolled into view. A child's
// Left and Top are where it shows now: a child placed while scrolled is placed in the view.
// Moving the focus does not scroll; the program scrolls a control into view when it wants it.
#include <QPointer>

#include "framework/ui/WinControl.h"

class QScrollBar;
class ScrollArea;

class ScrollAreaBar {
 public:
  ScrollAreaBar(ScrollArea& area, bool horizontal) : area_(area), horizontal_(horizontal) {}

  int Range() const { return range_; }
  void SetRange(int Value);
  int Increment() const { return increment_; }
  void SetIncrement(int Value);
  // The distance scrolled, kept between 0 and Range less the room.
  int Position() const { return position_; }
  void SetPosition(int Value);
  int Margin() const { return margin_; }
  void SetMargin(int Value) { margin_ = Value < 0 ? 0 : Value; }
  bool Visible() const { return visible_; }
  void SetVisible(bool Value);
  // Whether the bar shows: visible and the range longer than the room.
  bool IsScrollBarVisible() const;

 private:
  friend class ScrollArea;

  ScrollArea& area_;
  bool horizontal_;
  int range_ = 0;
  int increment_ = 8;
  int position_ = 0;
  int margin_ = 0;
  bool visible_ = true;
};

class ScrollArea : public TWinControl {
  QN_PUBLISHED_CLASS(ScrollArea, TWinControl)
 public:
  explicit ScrollArea(TComponent* AOwner);

  ScrollAreaBar* HorzScrollBar() { return &horz_; }
  ScrollAreaBar* VertScrollBar() { return &vert_; }

  // Moves every child by the distance given (positive: right and down).
  void ScrollBy(int DeltaX, int DeltaY);
  // Scrolls as little as needed for the child (and the bars' margins beside it) to show; a child
  // larger than the room shows its top-left corner.
  void ScrollInView(TControl* AControl);

  // The room left by the border and the scroll bars that show.
  TRect ClientRect() const override;

 protected:
  QWidget* MakeWidget(QWidget* parentWidget) override;
  void WindowCreated() override;
  void BoundsChanged() override;
  void PaintWindow(QPainter& painter) override;

 private:
  friend class ScrollAreaBar;

  // Which bars show, each taking room from the other.
  void barsShown(bool& horizontal, bool& vertical) const;
  // The room along a bar's direction.
  int roomFor(const ScrollAreaBar& bar) const;
  void scrollTo(ScrollAreaBar& bar, int position);
  // Clamps both positions to the room and shows the bars as they are.
  void barsChanged();
  void showBars();

  ScrollAreaBar horz_{*this, true};
  ScrollAreaBar vert_{*this, false};
  QPointer<QScrollBar> horzWidget_;
  QPointer<QScrollBar> vertWidget_;
};
