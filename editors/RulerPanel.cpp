#include "editors/RulerPanel.h"

#include <algorithm>
#include <cmath>

#include "datagrid/Intl.h"
#include "editors/DcCustomRichEdit.h"
#include "editors/TrackIcon.h"
#include "framework/ui/Screen.h"

namespace {

// Markers keep this far from the right indent's marker.
constexpr int kIconSpacing = 48;

}  // namespace

TdcRulerPanel::TdcRulerPanel(TComponent* AOwner, TdcCustomRichEdit* Editor) : TPanel(AOwner), editor_(Editor) {
  SetBevelOuter(bvNone);
  SetCaption("");
  SetHeight(Screen->PixelsPerInch() <= 96 ? 25 : 27);
  left_ = makeIcon("dcRulerUp");
  right_ = makeIcon("dcRulerUp");
  firstLine_ = makeIcon("dcRulerDown");
  PlaceIconRanges();
  placeAt(left_, 0);
  firstLine_->SetLeft(left_->Left() + 10);
}

TdcTrackIcon* TdcRulerPanel::makeIcon(const char* Bitmap) {
  auto* icon = new TdcTrackIcon(this);
  icon->SetParent(this);
  icon->SetBitmapName(Bitmap);
  icon->OnEndDrag = [this](TObject* Sender) { IconDragEnded(static_cast<TdcTrackIcon*>(Sender)); };
  return icon;
}

TRect TdcRulerPanel::RulerRect() const {
  const TRect client = TPanel::ClientRect();
  return Rect(client.Left + 6, client.Top + 4, client.Right - 6, client.Bottom - 4);
}

double TdcRulerPanel::PixelsPerUnit() const {
  const double dpi = editor_->ScreenResolution();
  return editor_->MeasurementUnits == muCentimeters ? dpi / kCentimetresPerInch : dpi;
}

double TdcRulerPanel::LengthInUnits() const {
  if (editor_->EditWidth() != rewPrinterSize) return RulerRect().Width() / PixelsPerUnit();
  const PrinterPage page = CurrentPrinterPage();
  const TdcPrintMargins* margins = editor_->PrintMargins();
  const double pageWidth = static_cast<double>(page.physicalWidth) / page.dpiX;
  const double perInch = editor_->MeasurementUnits == muCentimeters ? kCentimetresPerInch : 1.0;
  return pageWidth * perInch - margins->Left - margins->Right;
}

void TdcRulerPanel::BoundsChanged() {
  TPanel::BoundsChanged();
  PlaceIconRanges();
}

void TdcRulerPanel::PlaceIconRanges() {
  if (!firstLine_) return;
  const TRect ruler = RulerRect();
  for (TdcTrackIcon* icon : {left_, right_, firstLine_}) {
    // The marker's middle may reach either end of the ruler.
    icon->MinValue = ruler.Left - icon->Width() / 2;
    icon->MaxValue = ruler.Right - icon->Width() / 2;
  }
  left_->SetTop(ruler.Bottom + 4 - left_->Height());
  right_->SetTop(ruler.Bottom + 4 - right_->Height());
  firstLine_->SetTop(ruler.Top - 2);
}

int TdcRulerPanel::positionOf(const TdcTrackIcon* Icon) const {
  return Icon->Left() + Icon->Width() / 2 - RulerRect().Left;
}

void TdcRulerPanel::placeAt(TdcTrackIcon* Icon, int Position) {
  Icon->SetLeft(RulerRect().Left + Position - Icon->Width() / 2);
}

int TdcRulerPanel::pixelsToTwips(int Pixels) const {
  return static_cast<int>(std::lround(Pixels * 1440.0 / editor_->ScreenResolution()));
}

int TdcRulerPanel::twipsToPixels(int Twips) const {
  return static_cast<int>(std::lround(Twips * static_cast<double>(editor_->ScreenResolution()) / 1440.0));
}

void TdcRulerPanel::PlaceIconsFromParagraph() {
  if (!firstLine_) return;
  int start = 0, right = 0, offset = 0;
  editor_->GetParagraphIndents(start, right, offset);
  const int length = static_cast<int>(std::lround(LengthInUnits() * PixelsPerUnit()));
  placeAt(left_, twipsToPixels(start + offset));
  placeAt(firstLine_, twipsToPixels(start));
  placeAt(right_, length - twipsToPixels(right));
  Invalidate();
}

void TdcRulerPanel::IconDragEnded(TdcTrackIcon* Icon) {
  // Down to the mark at or before the marker: eighths of an inch, quarters of a centimetre.
  const double perUnit = PixelsPerUnit();
  const int step = editor_->MeasurementUnits == muCentimeters ? 1000 / 4 : 1000 / 8;
  for (TdcTrackIcon* icon : {left_, firstLine_, right_}) {
    const int thousandths = static_cast<int>(std::floor(positionOf(icon) * 1000.0 / perUnit));
    const int snapped = thousandths - ((thousandths % step) + step) % step;
    placeAt(icon, static_cast<int>(std::lround(snapped / 1000.0 * perUnit)));
    if (icon->MaxValue != 0 && icon->Left() > icon->MaxValue) icon->SetLeft(icon->MaxValue);
  }
  if (Icon == left_) left_->SetLeft(std::min(left_->Left(), right_->Left() - kIconSpacing));
  if (Icon == firstLine_) firstLine_->SetLeft(std::min(firstLine_->Left(), right_->Left() - kIconSpacing));
  if (Icon == right_)
    right_->SetLeft(std::max(right_->Left(), std::max(left_->Left(), firstLine_->Left()) + kIconSpacing));

  if (Icon == right_) {
    const int length = static_cast<int>(std::lround(LengthInUnits() * perUnit));
    const int rightIndent = pixelsToTwips(length - positionOf(right_));
    editor_->SetParagraph(0x08, "", 0, 0, 0, 0, nullptr, 0, 0, rightIndent, 0, false);
  } else {
    // The first line starts at its marker; the lines after it at the left marker.
    const int left = pixelsToTwips(positionOf(left_));
    const int first = pixelsToTwips(positionOf(firstLine_));
    editor_->SetParagraph(0x10 | 0x04, "", 0, 0, 0, 0, nullptr, 0, first, 0, left - first, false);
  }
  Invalidate();
}

void TdcRulerPanel::Paint() {
  TPanel::Paint();
  Canvas& c = canvas();
  TRect ruler = RulerRect();
  c.Brush.Color = clWhite;
  c.Brush.Style = BrushStyle::solid;
  c.fillRect(ruler);
  // Sunk into the panel: shadow and black above and left, face and highlight below and right.
  const auto frame = [&c](const TRect& r, TColor topLeft, TColor bottomRight) {
    c.Pen.Color = topLeft;
    c.moveTo(r.Left, r.Bottom - 1);
    c.drawLineTo(r.Left, r.Top);
    c.drawLineTo(r.Right - 1, r.Top);
    c.Pen.Color = bottomRight;
    c.drawLineTo(r.Right - 1, r.Bottom - 1);
    c.drawLineTo(r.Left - 1, r.Bottom - 1);
  };
  frame(Rect(ruler.Left - 2, ruler.Top - 2, ruler.Right + 2, ruler.Bottom + 2), clBtnShadow, clBtnHighlight);
  frame(Rect(ruler.Left - 1, ruler.Top - 1, ruler.Right + 1, ruler.Bottom + 1), clBlack, clBtnFace);

  const double perUnit = PixelsPerUnit();
  const double length = LengthInUnits();
  const int divisions = editor_->MeasurementUnits == muCentimeters ? 4 : 8;
  c.Font()->SetName("Arial");
  c.Font()->SetSize(7);
  c.Font()->SetColor(clBlack);
  c.Pen.Color = clBlack;
  c.Brush.Style = BrushStyle::clear;
  for (int unit = 0; unit <= static_cast<int>(length) + 1; ++unit) {
    const int x = ruler.Left + static_cast<int>(std::lround(unit * perUnit));
    if (unit >= 1 && unit < length) {
      const AnsiString label = std::to_string(unit);
      c.drawText(x - c.textWidth(label) / 2, ruler.Top + 3 - 2, label);
    }
    for (int d = 1; d < divisions; ++d) {
      const double at = unit + static_cast<double>(d) / divisions;
      if (at >= length) break;
      const int dx = ruler.Left + static_cast<int>(std::lround(at * perUnit));
      const bool half = d * 2 == divisions;
      c.moveTo(dx, ruler.Top + (half ? 7 : 8));
      c.drawLineTo(dx, ruler.Bottom - (half ? 5 : 7));
    }
  }
}
