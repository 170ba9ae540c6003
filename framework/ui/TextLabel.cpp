#include "framework/ui/TextLabel.h"

#include <QImage>

#include "framework/ui/MenuShortcut.h"
#include "framework/ui/TextLayout.h"
#include "framework/ui/FormBase.h"
#include "framework/ui/WinControl.h"

void TextLabel::PublishProperties(PropertyPublisher<TextLabel>& publish) {
  publish.String("Caption", &TextLabel::Caption, &TextLabel::SetCaption);
  publish.Enumeration("Alignment", kAlignmentType, &TextLabel::Alignment, &TextLabel::SetAlignment);
  publish.Boolean("AutoSize", &TextLabel::AutoSize, &TextLabel::SetAutoSize);
  publish.Boolean("WordWrap", &TextLabel::WordWrap, &TextLabel::SetWordWrap);
  publish.Boolean("Transparent", &TextLabel::Transparent, &TextLabel::SetTransparent);
  publish.Boolean("ShowAccelChar", &TextLabel::ShowAccelChar, &TextLabel::SetShowAccelChar);
}

TextLabel::TextLabel(TComponent* AOwner) : WindowlessControl(AOwner) { SetBounds(Left(), Top(), 65, 13); }

void TextLabel::SetAlignment(TAlignment Value) {
  alignment_ = Value;
  Invalidate();
}

void TextLabel::SetAutoSize(bool Value) {
  autoSize_ = Value;
  fitToText();
}

void TextLabel::SetWordWrap(bool Value) {
  wordWrap_ = Value;
  fitToText();
  Invalidate();
}

void TextLabel::SetTransparent(bool Value) {
  transparent_ = Value;
  Invalidate();
}

void TextLabel::SetShowAccelChar(bool Value) {
  showAccelChar_ = Value;
  fitToText();
  Invalidate();
}

void TextLabel::SetFocusControl(TWinControl* Value) {
  if (focusControl_) focusControl_->RemoveFreeNotification(this);
  focusControl_ = Value;
  if (Value) Value->FreeNotification(this);
}

void TextLabel::Notification(TComponent* AComponent, TOperation Operation) {
  WindowlessControl::Notification(AComponent, Operation);
  if (Operation == opRemove && AComponent == focusControl_) focusControl_ = nullptr;
}

char TextLabel::AcceleratorChar() const {
  return showAccelChar_ ? qn::ui::acceleratorOfCaption(text_) : 0;
}

unsigned TextLabel::textFormat() const {
  unsigned format = textExpandTabs;
  if (alignment_ == taCenter) format |= textCentre;
  if (alignment_ == taRightJustify) format |= textRight;
  if (wordWrap_) format |= textWordBreak;
  if (!showAccelChar_) format |= textNoPrefix;
  if (transparent_) format |= textTransparent;
  return format;
}

void TextLabel::Paint() {
  Canvas& c = canvas();
  c.SetFont(Font());
  TRect box = ClientRect();
  if (!transparent_) {
    c.Brush.Color = Color();
    c.Brush.Style = BrushStyle::solid;
    c.fillRect(box);
  }
  c.Brush.Style = BrushStyle::clear;
  c.drawText(box, text_, textFormat());
  WindowlessControl::Paint();
}

void TextLabel::fitToText() {
  if (!autoSize_) return;
  QImage scratch(1, 1, QImage::Format_RGB32);
  Canvas measure(&scratch);
  measure.SetFont(Font());
  TRect box{0, 0, wordWrap_ ? Width() : 0, 0};
  measure.drawText(box, text_.empty() ? AnsiString(" ") : text_, textFormat() | textCalculateRect);
  SetBounds(Left(), Top(), wordWrap_ ? Width() : box.Width(), box.Height());
}

void TextLabel::TextChanged() {
  fitToText();
  WindowlessControl::TextChanged();
}

void TextLabel::scaleInParent(int M, int D, FontScaling Fonts) {
  WindowlessControl::scaleInParent(M, D, Fonts);
  fitToText();
}

void TextLabel::FontChanged() {
  fitToText();
  WindowlessControl::FontChanged();
}

namespace qn::ui {

namespace {

TextLabel* labelWithAccelerator(const TWinControl* parent, char accelerator) {
  for (int i = 0; i < parent->ControlCount(); ++i) {
    TControl* control = parent->Controls(i);
    if (!control->Showing() || !control->Enabled()) continue;
    if (auto* label = dynamic_cast<TextLabel*>(control)) {
      if (label->AcceleratorChar() == accelerator && label->FocusControl() && label->FocusControl()->CanFocus()) return label;
    } else if (auto* container = dynamic_cast<TWinControl*>(control)) {
      if (TextLabel* found = labelWithAccelerator(container, accelerator)) return found;
    }
  }
  return nullptr;
}

}  // namespace

bool focusByLabelAccelerator(FormBase* form, WORD key) {
  const bool letterOrDigit = (key >= 'A' && key <= 'Z') || (key >= '0' && key <= '9');
  if (!form || !letterOrDigit) return false;
  TextLabel* label = labelWithAccelerator(form, static_cast<char>(key));
  if (!label) return false;
  label->FocusControl()->SetFocus();
  return true;
}

}  // namespace qn::ui
