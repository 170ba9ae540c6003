#pragma once
// TdcTrackIcon: a marker the user drags along a ruler. It shows a bitmap of the program's,
// transparent where it has its bottom-left pixel's colour; a left press holds the mouse until the
// release, every move slides the marker sideways (kept within MinValue and MaxValue, a bound of 0
// not limiting), and the release after a move tells OnEndDrag.
#include "framework/ui/BitmapImage.h"
#include "framework/ui/WindowlessControl.h"

class TdcTrackIcon : public WindowlessControl {
  QN_PUBLISHED_CLASS(TdcTrackIcon, WindowlessControl)
 public:
  explicit TdcTrackIcon(TComponent* AOwner);

  const AnsiString& BitmapName() const { return bitmapName_; }
  // Loads the named bitmap and takes its size; an empty name keeps the picture.
  void SetBitmapName(const AnsiString& Value);
  int MinValue = 0;
  int MaxValue = 0;
  TNotifyEvent OnEndDrag;

  bool Dragging() const { return dragging_; }

 protected:
  void Paint() override;
  void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  void MouseMove(TShiftState Shift, int X, int Y) override;
  void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;

 private:
  AnsiString bitmapName_;
  BitmapImage bitmap_;
  bool tracking_ = false;  // the press holds the mouse
  bool dragging_ = false;  // ... and it has moved since
  int pressX_ = 0;
};
