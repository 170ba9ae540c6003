#include "framework/ui/Panel.h"

#include <algorithm>

#include "framework/ui/TextLayout.h"

const EnumerationType kPanelBevelType{"TPanelBevel", {"bvNone", "bvLowered", "bvRaised"}};

void TPanel::PublishProperties(PropertyPublisher<TPanel>& publish) {
  publish.String("Caption", &TPanel::Caption, &TPanel::SetCaption);
  publish.Enumeration("Alignment", kAlignmentType, &TPanel::Alignment, &TPanel::SetAlignment);
  publish.Enumeration("BevelInner", kPanelBevelType, &TPanel::BevelInner, &TPanel::SetBevelInner);
  publish.Enumeration("BevelOuter", kPanelBevelType, &TPanel::BevelOuter, &TPanel::SetBevelOuter);
  publish.Integer("BevelWidth", &TPanel::BevelWidth, &TPanel::SetBevelWidth);
  publish.Integer("BorderWidth", &TPanel::BorderWidth, &TPanel::SetBorderWidth);
}

TPanel::TPanel(TComponent* AOwner) : SelfPaintedControl(AOwner) { SetBounds(Left(), Top(), 185, 41); }

void TPanel::SetAlignment(TAlignment Value) {
  alignment_ = Value;
  Invalidate();
}

void TPanel::SetBevelInner(TPanelBevel Value) {
  bevelInner_ = Value;
  frameChanged();
}

void TPanel::SetBevelOuter(TPanelBevel Value) {
  bevelOuter_ = Value;
  frameChanged();
}

void TPanel::SetBevelWidth(int Value) {
  bevelWidth_ = std::max(1, Value);
  frameChanged();
}

void TPanel::SetBorderWidth(int Value) {
  borderWidth_ = std::max(0, Value);
  frameChanged();
}

void TPanel::frameChanged() {
  AlignControls();
  Invalidate();
}

int TPanel::frameWidth() const {
  return (bevelOuter_ != bvNone ? bevelWidth_ : 0) + borderWidth_ + (bevelInner_ != bvNone ? bevelWidth_ : 0);
}

TRect TPanel::ClientRect() const {
  TRect r = SelfPaintedControl::ClientRect();
  const int f = frameWidth();
  return {r.Left + f, r.Top + f, std::max(r.Left + f, r.Right - f), std::max(r.Top + f, r.Bottom - f)};
}

namespace {

// One bevel of the given width, drawn inward from rect's edges; rect shrinks by it.
void drawBevel(Canvas& canvas, TRect& rect, TPanelBevel bevel, int width) {
  if (bevel == bvNone) return;
  for (int i = 0; i < width; ++i) canvas.drawEdge(rect, bevel == bvRaised ? edgeRaisedInner : edgeSunkenInner, sidesAll | sideAdjust);
}

}  // namespace

void TPanel::Paint() {
  Canvas& c = canvas();
  TRect r{0, 0, Width(), Height()};
  c.Brush.Color = Color();
  c.Brush.Style = BrushStyle::solid;
  c.fillRect(r);
  drawBevel(c, r, bevelOuter_, bevelWidth_);
  r = {r.Left + borderWidth_, r.Top + borderWidth_, r.Right - borderWidth_, r.Bottom - borderWidth_};
  drawBevel(c, r, bevelInner_, bevelWidth_);
  if (!text_.empty()) {
    unsigned format = textSingleLine | textVerticalCentre | textExpandTabs;
    if (alignment_ == taCenter) format |= textCentre;
    if (alignment_ == taRightJustify) format |= textRight;
    c.SetFont(Font());
    c.Brush.Style = BrushStyle::clear;
    c.drawText(r, text_, format);
  }
  SelfPaintedControl::Paint();
}
