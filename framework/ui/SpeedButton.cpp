#include "framework/ui/SpeedButton.h"

#include "framework/ui/WinControl.h"

void TSpeedButton::PublishProperties(PropertyPublisher<TSpeedButton>& publish) {
  publish.String("Caption", &TSpeedButton::Caption, &TSpeedButton::SetCaption);
  publish.Boolean("Down", &TSpeedButton::Down, &TSpeedButton::SetDown);
  publish.Integer("GroupIndex", &TSpeedButton::GroupIndex, &TSpeedButton::SetGroupIndex);
  publish.Boolean("AllowAllUp", &TSpeedButton::AllowAllUp, &TSpeedButton::SetAllowAllUp);
  publish.Boolean("Flat", &TSpeedButton::Flat, &TSpeedButton::SetFlat);
  publish.Integer("NumGlyphs", &TSpeedButton::NumGlyphs, &TSpeedButton::SetNumGlyphs);
  publish.Integer("Margin", &TSpeedButton::Margin, &TSpeedButton::SetMargin);
  publish.Integer("Spacing", &TSpeedButton::Spacing, &TSpeedButton::SetSpacing);
}

TSpeedButton::TSpeedButton(TComponent* AOwner) : WindowlessControl(AOwner) { SetBounds(Left(), Top(), 23, 22); }

template <class Visit>
void TSpeedButton::forEachInGroup(Visit visit) {
  if (groupIndex_ == 0 || !Parent()) return;
  for (int i = 0; i < Parent()->ControlCount(); ++i) {
    auto* other = dynamic_cast<TSpeedButton*>(Parent()->Controls(i));
    if (other && other != this && other->groupIndex_ == groupIndex_) visit(*other);
  }
}

void TSpeedButton::SetDown(bool Value) {
  if (groupIndex_ == 0) Value = false;
  if (Value == down_) return;
  if (down_ && !allowAllUp_) return;
  down_ = Value;
  if (down_) {
    forEachInGroup([](TSpeedButton& other) {
      if (!other.down_) return;
      other.down_ = false;
      other.Invalidate();
    });
  }
  Invalidate();
}

void TSpeedButton::SetGroupIndex(int Value) {
  groupIndex_ = Value;
  if (groupIndex_ == 0) {
    down_ = false;
    Invalidate();
    return;
  }
  // Joining a group that has a button down lets this one up; it takes the group's AllowAllUp.
  bool groupHasDown = false;
  forEachInGroup([&](TSpeedButton& other) {
    groupHasDown = groupHasDown || other.down_;
    allowAllUp_ = other.allowAllUp_;
  });
  if (groupHasDown && down_) {
    down_ = false;
    Invalidate();
  }
}

void TSpeedButton::SetAllowAllUp(bool Value) {
  allowAllUp_ = Value;
  forEachInGroup([Value](TSpeedButton& other) { other.allowAllUp_ = Value; });
}

void TSpeedButton::SetFlat(bool Value) {
  if (Value == flat_) return;
  flat_ = Value;
  Invalidate();
}

void TSpeedButton::SetGlyph(const BitmapImage& Value) {
  glyph_.setBitmap(Value);
  Invalidate();
}

void TSpeedButton::SetNumGlyphs(int Value) {
  glyph_.setNumGlyphs(Value);
  Invalidate();
}

void TSpeedButton::SetMargin(int Value) {
  if (Value == margin_) return;
  margin_ = Value;
  Invalidate();
}

void TSpeedButton::SetSpacing(int Value) {
  if (Value == spacing_) return;
  spacing_ = Value;
  Invalidate();
}

TButtonState TSpeedButton::State() const {
  if (!Enabled()) return bsDisabled;
  if (pressed_ && !down_) return bsDown;
  return down_ ? bsExclusive : bsUp;
}

void TSpeedButton::Click() {
  if (tracking_ && groupIndex_ != 0) SetDown(!down_);
  WindowlessControl::Click();
}

void TSpeedButton::setPressed(bool Value) {
  if (Value == pressed_) return;
  pressed_ = Value;
  Invalidate();
}

void TSpeedButton::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
  if (Button == mbLeft && Enabled()) {
    tracking_ = true;
    setPressed(true);
  }
  WindowlessControl::MouseDown(Button, Shift, X, Y);
}

void TSpeedButton::MouseMove(TShiftState Shift, int X, int Y) {
  if (tracking_) setPressed(HitTest({X, Y}));
  WindowlessControl::MouseMove(Shift, X, Y);
}

void TSpeedButton::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
  if (Button == mbLeft) {
    tracking_ = false;
    setPressed(false);
  }
  WindowlessControl::MouseUp(Button, Shift, X, Y);
}

void TSpeedButton::EnabledChanged() {
  tracking_ = false;
  pressed_ = false;
  WindowlessControl::EnabledChanged();
}

void TSpeedButton::Paint() {
  Canvas& c = canvas();
  const TButtonState state = State();
  const bool sunk = state == bsDown || state == bsExclusive;
  TRect face{0, 0, Width(), Height()};
  if (!flat_) {
    c.drawFrameControl(face, FrameControl::pushButton, (sunk ? framePushed : 0u) | frameAdjustRect);
  } else {
    c.Brush = {Color(), BrushStyle::solid};
    c.fillRect(face);
    if ((MouseInside() && Enabled()) || sunk) c.drawEdge(face, sunk ? edgeSunkenOuter : edgeRaisedInner, sidesAll | sideAdjust);
  }
  if (sunk) face = {face.Left + 1, face.Top + 1, face.Right + 1, face.Bottom + 1};
  glyph_.draw(c, face, Caption(), state, margin_, spacing_);
  WindowlessControl::Paint();
}
