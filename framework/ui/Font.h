#pragma once
// TFont: the font a control paints its text with, as the system sets it: a face name, a size in
// points or a height in pixels (negative: the character height without leading; the two follow
// each other through the dots per inch the font was made for), a style and a colour. Every
// change is told through OnChange, which the owning control uses to refit and repaint and to pass
// the change to the children that take their parent's font.
#include <optional>

#include "framework/base/EnumSet.h"
#include "framework/base/NotifyEvent.h"
#include "framework/base/Persistent.h"
#include "framework/base/PublishedProperties.h"
#include "framework/ui/Color.h"

enum TFontStyle { fsBold, fsItalic, fsUnderline, fsStrikeOut };
// Whether the letters share one width; a fixed-pitch font of a family this platform lacks takes
// the installed monospace family, so columns keep their widths.
enum TFontPitch { fpDefault, fpVariable, fpFixed };
extern const EnumerationType kFontPitchType;
// The character set the font is asked for (1: the default one). Kept and compared; every font here
// draws the Windows-1252 characters the program's text holds.
using TFontCharset = int;
constexpr TFontCharset DEFAULT_CHARSET = 1;
using TFontStyles = EnumSet<TFontStyle>;
extern const EnumerationType kFontStyleType;

class TFont : public TPersistent {
  QN_PUBLISHED_CLASS(TFont, TPersistent)
 public:
  // A font for the screen's current dots per inch.
  TFont();

  const AnsiString& Name() const { return name_; }
  void SetName(const AnsiString& Value);
  int Size() const;
  void SetSize(int Value);
  int Height() const { return height_; }
  void SetHeight(int Value);
  TFontStyles Style() const { return style_; }
  void SetStyle(TFontStyles Value);
  TColor Color() const { return color_; }
  void SetColor(TColor Value);
  // The size in points when the font was last given one (not a height): a device of another
  // resolution converts from it, without the rounding the height took on.
  std::optional<int> GivenSize() const { return givenSize_; }
  TFontPitch Pitch() const { return pitch_; }
  void SetPitch(TFontPitch Value);
  TFontCharset Charset() const { return charset_; }
  void SetCharset(TFontCharset Value);
  // The dots per inch Size and Height convert with.
  int PixelsPerInch() const { return pixelsPerInch_; }
  void SetPixelsPerInch(int Value) { pixelsPerInch_ = Value; }

  // Takes another font's name, height, style, colour, pitch and character set; one change
  // notification.
  void Assign(TPersistent* Source) override;
  // Whether the two fonts would look alike (name, height, style, colour, pitch, character set).
  bool SameAs(const TFont& other) const;

  TNotifyEvent OnChange;

 protected:
  virtual void Changed();

 private:
  AnsiString name_ = "MS Sans Serif";
  int height_;
  int pixelsPerInch_;
  TFontStyles style_;
  TColor color_ = clWindowText;
  std::optional<int> givenSize_ = 8;
  TFontPitch pitch_ = fpDefault;
  TFontCharset charset_ = DEFAULT_CHARSET;
};
