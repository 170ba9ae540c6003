#include "framework/ui/Font.h"

#include <cmath>

#include "framework/ui/Screen.h"

const EnumerationType kFontStyleType{"TFontStyle", {"fsBold", "fsItalic", "fsUnderline", "fsStrikeOut"}};
const EnumerationType kFontPitchType{"TFontPitch", {"fpDefault", "fpVariable", "fpFixed"}};

namespace {

// Multiplies and divides rounding half away from zero, as the system's size conversions do.
int scaled(int value, int numerator, int denominator) {
  return static_cast<int>(std::lround(static_cast<double>(value) * numerator / denominator));
}

}  // namespace

void TFont::PublishProperties(PropertyPublisher<TFont>& publish) {
  publish.String("Name", &TFont::Name, &TFont::SetName);
  publish.Integer("Size", &TFont::Size, &TFont::SetSize);
  publish.Integer("Height", &TFont::Height, &TFont::SetHeight);
  publish.Set("Style", kFontStyleType, &TFont::Style, &TFont::SetStyle);
  publish.Integer("Color", &TFont::Color, &TFont::SetColor);
  publish.Enumeration("Pitch", kFontPitchType, &TFont::Pitch, &TFont::SetPitch);
  publish.Integer("Charset", &TFont::Charset, &TFont::SetCharset);
}

TFont::TFont() : pixelsPerInch_(Screen->PixelsPerInch()) { height_ = -scaled(8, pixelsPerInch_, 72); }

void TFont::SetName(const AnsiString& Value) {
  if (Value.empty() || Value == name_) return;
  name_ = Value;
  Changed();
}

int TFont::Size() const { return -scaled(height_, 72, pixelsPerInch_); }

void TFont::SetSize(int Value) {
  const int height = -scaled(Value, pixelsPerInch_, 72);
  if (height == height_ && givenSize_ == Value) return;
  height_ = height;
  givenSize_ = Value;
  Changed();
}

void TFont::SetHeight(int Value) {
  if (Value == height_ && !givenSize_) return;
  height_ = Value;
  givenSize_.reset();
  Changed();
}

void TFont::SetStyle(TFontStyles Value) {
  if (Value == style_) return;
  style_ = Value;
  Changed();
}

void TFont::SetColor(TColor Value) {
  if (Value == color_) return;
  color_ = Value;
  Changed();
}

void TFont::SetPitch(TFontPitch Value) {
  if (Value == pitch_) return;
  pitch_ = Value;
  Changed();
}

void TFont::SetCharset(TFontCharset Value) {
  if (Value == charset_) return;
  charset_ = Value;
  Changed();
}

void TFont::Assign(TPersistent* Source) {
  auto* font = dynamic_cast<TFont*>(Source);
  if (!font) {
    TPersistent::Assign(Source);
    return;
  }
  if (SameAs(*font) && pixelsPerInch_ == font->pixelsPerInch_) return;
  name_ = font->name_;
  height_ = font->height_;
  givenSize_ = font->givenSize_;
  pixelsPerInch_ = font->pixelsPerInch_;
  style_ = font->style_;
  color_ = font->color_;
  pitch_ = font->pitch_;
  charset_ = font->charset_;
  Changed();
}

bool TFont::SameAs(const TFont& other) const {
  return name_ == other.name_ && height_ == other.height_ && style_ == other.style_ && color_ == other.color_ &&
         pitch_ == other.pitch_ && charset_ == other.charset_;
}

void TFont::Changed() {
  if (OnChange) OnChange(this);
}
