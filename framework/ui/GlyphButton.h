#pragma once
// A push button showing a small picture beside its caption. A standard kind gives it the picture,
// caption and role of a dialog's OK, Cancel, Help or Close button; any bitmap can be its picture
// instead (its images for the up, disabled, pressed and held-down looks side by side).
#include "framework/ui/Button.h"
#include "framework/ui/ButtonGlyph.h"

enum GlyphButtonKind { gbkCustom, gbkOK, gbkCancel, gbkHelp, gbkClose };
extern const EnumerationType kGlyphButtonKindType;

class GlyphButton : public TButton {
  QN_PUBLISHED_CLASS(GlyphButton, TButton)
 public:
  explicit GlyphButton(TComponent* AOwner);

  GlyphButtonKind Kind() const { return kind_; }
  // OK: caption "OK", modal result mrOk. Cancel: "Cancel", mrCancel. Help: "&Help", opens the
  // help of its help context (else its form's). Close: "&Close", closes its form. Each brings its
  // picture; custom keeps what the button has. Whether it is the default or the cancel button of
  // its form stays the program's choice.
  void SetKind(GlyphButtonKind Value);
  // The picture: a copy is taken; the image count follows a bitmap two to four squares wide.
  // Read only: a new picture comes through SetGlyph, which cuts it into its images again.
  const BitmapImage* Glyph() const { return &glyph_.bitmap(); }
  void SetGlyph(const BitmapImage& Value);
  int NumGlyphs() const { return glyph_.numGlyphs(); }
  void SetNumGlyphs(int Value);
  // -1 centres picture and caption; otherwise the picture starts this far from the left edge.
  int Margin() const { return margin_; }
  void SetMargin(int Value);
  // Between picture and caption; -1 centres the caption in the room beside the picture.
  int Spacing() const { return spacing_; }
  void SetSpacing(int Value);

  void Click() override;

 protected:
  void WindowCreated() override;
  void TextChanged() override;
  void PaintWindow(QPainter& painter) override;

 private:
  GlyphButtonKind kind_ = gbkCustom;
  ButtonGlyph glyph_;
  int margin_ = -1;
  int spacing_ = 4;
};
