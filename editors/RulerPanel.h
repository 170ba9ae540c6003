#pragma once
// TdcRulerPanel: the rich-text editor's ruler. Across its ruler rectangle it marks the units of
// the editor's control (inches in eighths, centimetres in quarters) up to the line's length, the
// printed width between the margins or what the panel shows; its three markers stand at the
// current paragraph's left indent, first-line indent and right indent, and dragging one snaps it
// to the nearest mark below and sets the paragraph's indents.
#include "framework/ui/Panel.h"

class TdcCustomRichEdit;
class TdcTrackIcon;

class TdcRulerPanel : public TPanel {
  QN_CLASS(TdcRulerPanel, TPanel)
 public:
  // The three markers are made with the panel; Editor gives the units, the paragraph and the
  // edit width.
  TdcRulerPanel(TComponent* AOwner, TdcCustomRichEdit* Editor);

  // Where the ruler is drawn: the client area less 6 pixels left and right, 4 top and bottom.
  TRect RulerRect() const;
  TdcTrackIcon* LeftIcon() const { return left_; }
  TdcTrackIcon* FirstLineIcon() const { return firstLine_; }
  TdcTrackIcon* RightIcon() const { return right_; }

  // Screen pixels to one unit of the editor's control.
  double PixelsPerUnit() const;
  // The line's length in units: printed width between the margins with the printer's width,
  // else what the ruler rectangle holds.
  double LengthInUnits() const;
  // The markers' ranges and vertical places, for the current size.
  void PlaceIconRanges();
  // The markers moved to the paragraph at the editor's selection.
  void PlaceIconsFromParagraph();
  // Ends a marker's drag: snaps it, keeps it clear of the others, sets the paragraph.
  void IconDragEnded(TdcTrackIcon* Icon);

 protected:
  void Paint() override;
  void BoundsChanged() override;

 private:
  // A marker's position on the ruler (its centre from the rectangle's left) and back.
  int positionOf(const TdcTrackIcon* Icon) const;
  void placeAt(TdcTrackIcon* Icon, int Position);
  int pixelsToTwips(int Pixels) const;
  int twipsToPixels(int Twips) const;
  TdcTrackIcon* makeIcon(const char* Bitmap);

  TdcCustomRichEdit* editor_;
  TdcTrackIcon* left_ = nullptr;  // the three are made after the panel's first sizing
  TdcTrackIcon* firstLine_ = nullptr;
  TdcTrackIcon* right_ = nullptr;
};
