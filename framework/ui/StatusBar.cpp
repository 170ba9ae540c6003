#include "framework/ui/StatusBar.h"

#include <algorithm>

#include "framework/ui/Application.h"
#include "framework/ui/HandlerCall.h"
#include "framework/ui/TextLayout.h"

const EnumerationType kStatusPanelStyleType{"TStatusPanelStyle", {"psText", "psOwnerDraw"}};

namespace {

// Panels stand this far apart, and their text this far inside their bevel.
constexpr int kPanelGap = 2;
constexpr int kTextInset = 2;

}  // namespace

StatusPanel::StatusPanel(TCollection* Collection) : TCollectionItem(Collection) {}

void StatusPanel::SetWidth(int Value) {
  width_ = std::max(0, Value);
  Changed(true);
}

void StatusPanel::SetText(const AnsiString& Value) {
  if (Value == text_) return;
  text_ = Value;
  Changed(false);
}

void StatusPanel::SetAlignment(TAlignment Value) {
  alignment_ = Value;
  Changed(false);
}

void StatusPanel::SetBevel(TPanelBevel Value) {
  bevel_ = Value;
  Changed(false);
}

void StatusPanel::SetStyle(TStatusPanelStyle Value) {
  style_ = Value;
  Changed(false);
}

StatusPanels::StatusPanels(StatusBar* Owner) : TCollection(Owner, CollectionItemOf<StatusPanel>) {}

void StatusPanels::Update(TCollectionItem*) { static_cast<StatusBar*>(Owner())->Invalidate(); }

void StatusBar::PublishProperties(PropertyPublisher<StatusBar>& publish) {
  publish.Boolean("SimplePanel", &StatusBar::SimplePanel, &StatusBar::SetSimplePanel);
  publish.String("SimpleText", &StatusBar::SimpleText, &StatusBar::SetSimpleText);
  publish.Boolean("AutoHint", &StatusBar::AutoHint, &StatusBar::SetAutoHint);
  publish.Event("OnDrawPanel", &StatusBar::OnDrawPanel, &StatusBar::OnDrawPanel);
}

StatusBar::StatusBar(TComponent* AOwner) : SelfPaintedControl(AOwner), panels_(std::make_unique<StatusPanels>(this)) {
  SetBounds(Left(), Top(), 200, 19);
  SetAlign(alBottom);
}

StatusBar::~StatusBar() {
  if (Application) Application->removeHintListener(this);
}

void StatusBar::SetSimplePanel(bool Value) {
  simplePanel_ = Value;
  Invalidate();
}

void StatusBar::SetSimpleText(const AnsiString& Value) {
  if (Value == simpleText_) return;
  simpleText_ = Value;
  if (simplePanel_) Invalidate();
}

void StatusBar::SetAutoHint(bool Value) {
  autoHint_ = Value;
  if (!Application) return;
  if (Value) Application->addHintListener(this, [this](TObject*) { showApplicationHint(); });
  else Application->removeHintListener(this);
}

void StatusBar::showApplicationHint() {
  const AnsiString& hint = Application->currentHint();
  if (simplePanel_ || panels_->Count() == 0) SetSimpleText(hint);
  else panels_->Items(0)->SetText(hint);
}

TRect StatusBar::PanelRect(int Index) const {
  int left = 0;
  for (int i = 0; i < Index; ++i) left += panels_->Items(i)->Width() + kPanelGap;
  const bool last = Index == panels_->Count() - 1;
  const int right = last ? std::max(left, Width()) : left + panels_->Items(Index)->Width();
  return {left, kPanelGap, right, Height()};
}

int StatusBar::PanelAt(TPoint Point) const {
  if (simplePanel_) return -1;
  for (int i = 0; i < panels_->Count(); ++i)
    if (PanelRect(i).Contains(Point)) return i;
  return -1;
}

void StatusBar::paintPanelFace(const TRect& rect, TPanelBevel bevel, const AnsiString& text, TAlignment alignment) {
  Canvas& c = canvas();
  TRect inside = rect;
  if (bevel != bvNone) c.drawEdge(inside, bevel == bvRaised ? edgeRaisedInner : edgeSunkenOuter, sidesAll | sideAdjust);
  if (text.empty()) return;
  TRect textRect{inside.Left + kTextInset, inside.Top, inside.Right - kTextInset, inside.Bottom};
  unsigned format = textSingleLine | textVerticalCentre | textNoPrefix;
  if (alignment == taCenter) format |= textCentre;
  if (alignment == taRightJustify) format |= textRight;
  c.Brush.Style = BrushStyle::clear;
  c.drawText(textRect, text, format);
  c.Brush.Style = BrushStyle::solid;
}

void StatusBar::Paint() {
  Canvas& c = canvas();
  c.SetFont(Font());
  c.Brush.Color = Color();
  c.Brush.Style = BrushStyle::solid;
  c.fillRect({0, 0, Width(), Height()});
  if (simplePanel_) {
    paintPanelFace({0, kPanelGap, Width(), Height()}, bvNone, simpleText_, taLeftJustify);
  } else {
    for (int i = 0; i < panels_->Count(); ++i) {
      StatusPanel* panel = panels_->Items(i);
      const TRect rect = PanelRect(i);
      if (panel->Style() == psOwnerDraw) {
        paintPanelFace(rect, panel->Bevel(), {}, panel->Alignment());
        c.SetFont(Font());
        c.Brush.Color = Color();
        DrawPanel(panel, rect);
      } else {
        paintPanelFace(rect, panel->Bevel(), panel->Text(), panel->Alignment());
      }
    }
  }
  SelfPaintedControl::Paint();
}

void StatusBar::DrawPanel(StatusPanel* Panel, const TRect& Rect) { qn::ui::callHandler(OnDrawPanel, this, Panel, Rect); }
