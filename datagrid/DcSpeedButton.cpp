#include "datagrid/DcSpeedButton.h"

#include "framework/ui/ImageStrip.h"

void TdcSpeedButton::PublishProperties(PropertyPublisher<TdcSpeedButton>& publish) {
  publish.Integer("ImageIndex", &TdcSpeedButton::ImageIndex, &TdcSpeedButton::SetImageIndex);
  publish.Boolean("ShowText", &TdcSpeedButton::ShowText, &TdcSpeedButton::SetShowText);
}

TdcSpeedButton::TdcSpeedButton(TComponent* AOwner) : TSpeedButton(AOwner) {
  SetBounds(Left(), Top(), 25, 25);
  TControlStyle style = ControlStyle();
  SetControlStyle(style.Exclude(csReceivesDoubleClicks));
}

void TdcSpeedButton::SetImageIndex(int Value) { storeImageIndex(Value); }

void TdcSpeedButton::storeImageIndex(int Value) {
  if (Value == imageIndex_) return;
  imageIndex_ = Value;
  Invalidate();
}

void TdcSpeedButton::SetImages(ImageStrip* Value) {
  if (Value == images_) return;
  images_ = Value;
  Invalidate();
}

void TdcSpeedButton::SetShowText(bool Value) {
  if (Value == showText_) return;
  showText_ = Value;
  Invalidate();
}

void TdcSpeedButton::Paint() {
  Canvas& c = canvas();
  const bool pressed = Pressed();
  const bool designing = ComponentState().Contains(csDesigning);
  int index = imageIndex_;
  if (!Enabled() && NumGlyphs() > 1) index += 1;
  else if (pressed && NumGlyphs() > 2) index += 2;
  else if (MouseInside() && NumGlyphs() > 3) index += 3;

  TRect face{0, 0, Width(), Height()};
  int pressOffset;
  if (!Flat()) {
    c.drawFrameControl(face, FrameControl::pushButton, frameAdjustRect | (pressed ? framePushed : 0u));
    pressOffset = 2;
  } else {
    if ((MouseInside() && Enabled()) || designing) {
      TRect edge = face;
      c.drawEdge(edge, pressed ? edgeSunkenOuter : edgeRaisedInner, sidesAll | sideMiddle);
    }
    pressOffset = 1;
  }
  c.Brush.Style = BrushStyle::clear;
  if (Margin() != -1) face = {face.Left + Margin(), face.Top + Margin(), face.Right + Margin(), face.Bottom + Margin()};
  if (pressed)
    face = {face.Left + pressOffset, face.Top + pressOffset, face.Right + pressOffset, face.Bottom + pressOffset};

  TRect imageRect = face;
  if (Margin() == -1 && images_) {
    const int dx = (face.Width() - images_->Width()) / 2;
    const int dy = (face.Height() - images_->Height()) / 2;
    imageRect = {face.Left + dx, face.Top + dy, face.Right - dx, face.Bottom - dy};
  }
  imageRect = {imageRect.Left + (imageRect.Width() % 2 != 0 ? 1 : 0), imageRect.Top + 1,
               imageRect.Right + (imageRect.Width() % 2 != 0 ? 1 : 0), imageRect.Bottom + 1};

  const AnsiString caption = Caption();
  const bool textShown = showText_ && !caption.empty();
  const int textHeight = c.textHeight(caption.empty() ? AnsiString("Wg") : caption);
  const int shift = textHeight / 2 + Spacing() / 2;
  if (textShown) imageRect = {imageRect.Left, imageRect.Top - shift, imageRect.Right, imageRect.Bottom - shift};

  TRect textRect = face;
  if (Margin() == -1) {
    const int textWidth = c.textWidth(caption);
    const int dx = (face.Width() - textWidth) / 2;
    const int dy = (face.Height() - textHeight) / 2;
    textRect = {face.Left + dx, face.Top + dy, face.Left + dx + textWidth, face.Top + dy + textHeight};
  }
  const bool imageShown = images_ && imageIndex_ != -1;
  if (imageShown) textRect = {textRect.Left, textRect.Top + shift, textRect.Right, textRect.Bottom + shift};

  if (imageShown) images_->Draw(c, imageRect.Left, imageRect.Top, index);
  if (textShown) {
    c.Font()->Assign(Font());
    c.drawText(textRect, caption, textCentre | textVerticalCentre | textSingleLine | textTransparent);
  }
  WindowlessControl::Paint();
}
