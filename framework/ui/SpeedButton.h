#pragma once
// A button without a window of its own, drawn on its parent, for toolbars and button bars. It
// shows a picture, a caption or both. With a GroupIndex it stays down when clicked, and of the
// buttons of one parent sharing that index at most one is down; with AllowAllUp a click on the
// one that is down lets it up, otherwise one of the group stays down. A flat button shows its
// edge only while the mouse is over it or it is down.
//
// Descendants that paint their own face override Paint and read State for the look to draw.
#include "framework/ui/ButtonGlyph.h"
#include "framework/ui/WindowlessControl.h"

class TSpeedButton : public WindowlessControl {
  QN_PUBLISHED_CLASS(TSpeedButton, WindowlessControl)
 public:
  explicit TSpeedButton(TComponent* AOwner);

  AnsiString Caption() const { return Text(); }
  void SetCaption(const AnsiString& Value) { SetText(Value); }
  bool Down() const { return down_; }
  // Ignored without a GroupIndex, and when it would let up the one down button of a group that
  // does not allow all up. Down lets every other button of the group up.
  void SetDown(bool Value);
  int GroupIndex() const { return groupIndex_; }
  void SetGroupIndex(int Value);
  // Shared by the whole group: set on one, every button of the group takes it.
  bool AllowAllUp() const { return allowAllUp_; }
  void SetAllowAllUp(bool Value);
  bool Flat() const { return flat_; }
  void SetFlat(bool Value);
  // Read only: a new picture comes through SetGlyph, which cuts it into its images again.
  const BitmapImage* Glyph() const { return &glyph_.bitmap(); }
  void SetGlyph(const BitmapImage& Value);
  int NumGlyphs() const { return glyph_.numGlyphs(); }
  void SetNumGlyphs(int Value);
  int Margin() const { return margin_; }
  void SetMargin(int Value);
  int Spacing() const { return spacing_; }
  void SetSpacing(int Value);

  // The look it is drawn in now: disabled, pressed under the mouse, held down, or up.
  TButtonState State() const;

  // From a mouse release over the button, the group's Down changes before OnClick runs.
  void Click() override;

 protected:
  void Paint() override;
  void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  void MouseMove(TShiftState Shift, int X, int Y) override;
  void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  void EnabledChanged() override;

 private:
  // The other buttons of the same parent with the same group index.
  template <class Visit>
  void forEachInGroup(Visit visit);
  void setPressed(bool Value);

  bool down_ = false;
  int groupIndex_ = 0;
  bool allowAllUp_ = false;
  bool flat_ = false;
  ButtonGlyph glyph_;
  int margin_ = -1;
  int spacing_ = 4;
  bool tracking_ = false;  // the left button went down here and is still down
  bool pressed_ = false;   // ... and the mouse is over the button
};
