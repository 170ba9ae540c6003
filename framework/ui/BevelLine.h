#pragma once
// A line or frame cut into or raised from its parent's face, drawn in the highlight and shadow
// colours: a box, a frame, one line along an edge, or nothing (a spacer).
#include "framework/ui/WindowlessControl.h"

enum BevelShape { bevelBox, bevelFrame, bevelTopLine, bevelBottomLine, bevelLeftLine, bevelRightLine, bevelSpacer };
extern const EnumerationType kBevelShapeType;
enum BevelStyle { bevelLowered, bevelRaised };
extern const EnumerationType kBevelStyleType;

class BevelLine : public WindowlessControl {
  QN_PUBLISHED_CLASS(BevelLine, WindowlessControl)
 public:
  explicit BevelLine(TComponent* AOwner);

  BevelShape Shape() const { return shape_; }
  void SetShape(BevelShape Value);
  BevelStyle Style() const { return style_; }
  void SetStyle(BevelStyle Value);

 protected:
  void Paint() override;

 private:
  BevelShape shape_ = bevelBox;
  BevelStyle style_ = bevelLowered;
};
