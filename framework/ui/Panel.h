#pragma once
// A container that paints its own face: an outer and an inner bevel, a border of its colour
// between them, and its caption laid out inside (centred by default). Its children are laid out
// inside the bevels and border.
#include "framework/base/Alignment.h"
#include "framework/ui/SelfPaintedControl.h"

enum TPanelBevel { bvNone, bvLowered, bvRaised };
extern const EnumerationType kPanelBevelType;

class TPanel : public SelfPaintedControl {
  QN_PUBLISHED_CLASS(TPanel, SelfPaintedControl)
 public:
  explicit TPanel(TComponent* AOwner);

  AnsiString Caption() const { return Text(); }
  void SetCaption(const AnsiString& Value) { SetText(Value); }
  TAlignment Alignment() const { return alignment_; }
  void SetAlignment(TAlignment Value);
  TPanelBevel BevelInner() const { return bevelInner_; }
  void SetBevelInner(TPanelBevel Value);
  TPanelBevel BevelOuter() const { return bevelOuter_; }
  void SetBevelOuter(TPanelBevel Value);
  int BevelWidth() const { return bevelWidth_; }
  void SetBevelWidth(int Value);
  int BorderWidth() const { return borderWidth_; }
  void SetBorderWidth(int Value);

  // The area inside the bevels and the border.
  TRect ClientRect() const override;
  // The whole face, bevels included, is painted again.
  void Invalidate() override { invalidateRect({0, 0, Width(), Height()}); }

 protected:
  void Paint() override;

 private:
  // The bevels and border take this much from each side.
  int frameWidth() const;
  void frameChanged();

  TAlignment alignment_ = taCenter;
  TPanelBevel bevelInner_ = bvNone;
  TPanelBevel bevelOuter_ = bvRaised;
  int bevelWidth_ = 1;
  int borderWidth_ = 0;
};
