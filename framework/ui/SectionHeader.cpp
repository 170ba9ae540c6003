#include "framework/ui/SectionHeader.h"

#include <algorithm>

#include "framework/ui/TextLayout.h"

namespace {

// A section's text stands this far from its left edge.
constexpr int kTextInset = 4;

}  // namespace

void HeaderSection::SetWidth(int Value) {
  width_ = std::max(0, Value);
  Changed(true);
}

void HeaderSection::SetText(const AnsiString& Value) {
  if (Value == text_) return;
  text_ = Value;
  Changed(false);
}

HeaderSections::HeaderSections(SectionHeader* Owner) : TCollection(Owner, CollectionItemOf<HeaderSection>) {}

void HeaderSections::Update(TCollectionItem*) { static_cast<SectionHeader*>(Owner())->Invalidate(); }

SectionHeader::SectionHeader(TComponent* AOwner)
    : SelfPaintedControl(AOwner), sections_(std::make_unique<HeaderSections>(this)) {
  SetBounds(Left(), Top(), 169, 17);
}

TRect SectionHeader::SectionRect(int Index) const {
  int left = 0;
  for (int i = 0; i < Index; ++i) left += sections_->Items(i)->Width();
  return {left, 0, left + sections_->Items(Index)->Width(), Height()};
}

void SectionHeader::Paint() {
  Canvas& c = canvas();
  c.SetFont(Font());
  c.Brush.Color = Color();
  c.Brush.Style = BrushStyle::solid;
  c.fillRect({0, 0, Width(), Height()});
  for (int i = 0; i < sections_->Count(); ++i) {
    TRect r = SectionRect(i);
    c.drawEdge(r, edgeRaised, sidesAll | sideAdjust);
    TRect textRect{r.Left + kTextInset, r.Top, r.Right - 1, r.Bottom};
    c.Brush.Style = BrushStyle::clear;
    c.drawText(textRect, sections_->Items(i)->Text(), textSingleLine | textVerticalCentre | textNoPrefix | textEndEllipsis);
    c.Brush.Style = BrushStyle::solid;
  }
  SelfPaintedControl::Paint();
}
