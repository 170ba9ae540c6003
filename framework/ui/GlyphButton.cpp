#include "framework/ui/GlyphButton.h"

#include <QPushButton>

#include "framework/ui/Application.h"
#include "framework/ui/Form.h"
#include "framework/ui/KindGlyphs.h"

const EnumerationType kGlyphButtonKindType{"GlyphButtonKind", {"gbkCustom", "gbkOK", "gbkCancel", "gbkHelp", "gbkClose"}};

void GlyphButton::PublishProperties(PropertyPublisher<GlyphButton>& publish) {
  publish.Enumeration("Kind", kGlyphButtonKindType, &GlyphButton::Kind, &GlyphButton::SetKind);
  publish.Integer("NumGlyphs", &GlyphButton::NumGlyphs, &GlyphButton::SetNumGlyphs);
  publish.Integer("Margin", &GlyphButton::Margin, &GlyphButton::SetMargin);
  publish.Integer("Spacing", &GlyphButton::Spacing, &GlyphButton::SetSpacing);
}

GlyphButton::GlyphButton(TComponent* AOwner) : TButton(AOwner) {}

void GlyphButton::SetKind(GlyphButtonKind Value) {
  kind_ = Value;
  if (Value == gbkCustom) return;
  struct Role {
    const char* caption;
    TModalResult result;
    KindGlyph picture;
  };
  const Role role = Value == gbkOK       ? Role{"OK", mrOk, KindGlyph::ok}
                    : Value == gbkCancel ? Role{"Cancel", mrCancel, KindGlyph::cancel}
                    : Value == gbkHelp   ? Role{"&Help", mrNone, KindGlyph::help}
                                         : Role{"&Close", mrNone, KindGlyph::close};
  SetCaption(role.caption);
  SetModalResult(role.result);
  BitmapImage picture;
  drawKindGlyph(role.picture, picture);
  SetGlyph(picture);
}

void GlyphButton::SetGlyph(const BitmapImage& Value) {
  glyph_.setBitmap(Value);
  Invalidate();
}

void GlyphButton::SetNumGlyphs(int Value) {
  glyph_.setNumGlyphs(Value);
  Invalidate();
}

void GlyphButton::SetMargin(int Value) {
  margin_ = Value;
  Invalidate();
}

void GlyphButton::SetSpacing(int Value) {
  spacing_ = Value;
  Invalidate();
}

void GlyphButton::Click() {
  if (kind_ == gbkClose) {
    if (auto* form = dynamic_cast<TForm*>(GetParentForm(this))) form->Close();
  }
  if (kind_ == gbkHelp) {
    int context = HelpContext();
    if (context == 0) {
      if (FormBase* form = GetParentForm(this)) context = form->HelpContext();
    }
    Application->showHelpContext(context);
  }
  TButton::Click();
}

// Qt draws the button's face; the caption is drawn beside the picture, over it.
void GlyphButton::WindowCreated() {
  TButton::WindowCreated();
  static_cast<QPushButton*>(widgetIfAny())->setText(QString());
}

void GlyphButton::TextChanged() { TWinControl::TextChanged(); }

void GlyphButton::PaintWindow(QPainter& painter) {
  auto* button = static_cast<QPushButton*>(widgetIfAny());
  const bool pressed = button && button->isDown();
  const TButtonState state = !Enabled() ? bsDisabled : pressed ? bsDown : bsUp;
  Canvas canvas(&painter, Screen->PixelsPerInch());
  canvas.Font()->Assign(Font());
  TRect face{2, 2, Width() - 2, Height() - 2};
  if (pressed) face = {face.Left + 1, face.Top + 1, face.Right + 1, face.Bottom + 1};
  glyph_.draw(canvas, face, Caption(), state, margin_, spacing_);
}
