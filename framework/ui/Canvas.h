#pragma once
// The canvas: what the program draws with, on a control's image, an off-screen bitmap or a
// printer page. Pixels are the framework's: rectangles exclude their right and bottom edges,
// lines their end point, colours are 0x00BBGGRR. Text passes through the one Windows-1252
// conversion. On an image every operation works on the pixels themselves (copy modes, the
// exclusive-or focus rectangle); on a printer page every copy draws as "Source Copy" and the
// focus rectangle is a dotted outline, since a page has no pixels to read back.
#include <QFont>
#include <QFontMetrics>
#include <QImage>
#include <functional>
#include <memory>
#include <optional>
#include <span>
#include <vector>

#include "framework/base/AnsiString.h"
#include "framework/ui/CodePageFont.h"
#include "framework/ui/ColorPalette.h"
#include "framework/ui/CopyMode.h"
#include "framework/ui/Font.h"
#include "framework/ui/Geometry.h"
#include "framework/ui/HeldImagePainter.h"
#include "framework/ui/TextLayout.h"

class QPainter;
class BitmapImage;

enum class BrushStyle { solid, clear };
enum class PenStyle { solid, dot, clear };

struct CanvasBrush {
  TColor Color = clWhite;
  BrushStyle Style = BrushStyle::solid;
};

struct CanvasPen {
  TColor Color = 0;
  int Width = 1;
  PenStyle Style = PenStyle::solid;
};

// Edges of drawEdge, added up: raised or sunken, outer and inner line.
enum EdgeKind : unsigned {
  edgeRaisedOuter = 0x1,
  edgeSunkenOuter = 0x2,
  edgeRaisedInner = 0x4,
  edgeSunkenInner = 0x8,
  edgeRaised = edgeRaisedOuter | edgeRaisedInner,
  edgeSunken = edgeSunkenOuter | edgeSunkenInner,
};

// Which sides drawEdge draws, and what else it does.
enum EdgeSides : unsigned {
  sideLeft = 0x1,
  sideTop = 0x2,
  sideRight = 0x4,
  sideBottom = 0x8,
  sidesAll = 0xF,
  sideMiddle = 0x800,   // fills the inside with the button face
  sideAdjust = 0x2000,  // the rectangle comes back as the inside
};

enum class FrameControl { pushButton, comboArrow, checkBox };

// States of drawFrameControl, added up.
enum FrameState : unsigned {
  frameInactive = 0x100,
  framePushed = 0x200,
  frameChecked = 0x400,
  frameAdjustRect = 0x2000,  // the rectangle comes back as the inside (push button)
  frameFlat = 0x4000,
};

// What drawText measured: the height of the text and the text as shown, its lines joined by
// "\r\n", accelerator marks taken out and a cut line ending in "...".
struct DrawnText {
  int height = 0;
  AnsiString shown;
};

class Canvas {
 public:
  // Draws on image, which must outlive the canvas. changed hears of every area drawn on, in the
  // image's own (not device) pixels.
  explicit Canvas(QImage* image, std::function<void(const QRect&)> changed = {});
  // Draws through a painter kept open by the page's owner, whose device has that resolution.
  Canvas(QPainter* painter, int dotsPerInch);
  Canvas(const Canvas&) = delete;
  Canvas& operator=(const Canvas&) = delete;
  ~Canvas();

  // Text is drawn with it, in its colour; its size converts with the device's resolution
  // (Screen->PixelsPerInch on a control or bitmap, the page's on a printer page).
  TFont* Font() const { return font_.get(); }
  void SetFont(TFont* Value) { font_->Assign(Value); }
  CanvasBrush Brush;
  CanvasPen Pen;
  ::CopyMode CopyMode = ::CopyMode::sourceCopy;

  // Size in the canvas's pixels.
  int width() const;
  int height() const;

  // clNone outside the device.
  TColor pixel(int x, int y) const;
  void setPixel(int x, int y, TColor color);

  void fillRect(const TRect& rect);
  // A one-pixel frame in the brush colour.
  void frameRect(const TRect& rect);
  // Outlined with the pen (inside the rectangle), filled with the brush.
  void drawRectangle(const TRect& rect);
  // The ellipse inside the rectangle, outlined with the pen (inside it), filled with the brush.
  void drawEllipse(const TRect& rect);
  void moveTo(int x, int y);
  void drawLineTo(int x, int y);
  TPoint penPosition() const { return penPosition_; }
  // Lines through the points, the last point left out.
  void drawPolyline(std::span<const TPoint> points);

  // Text with its top-left corner at (x, y), on the brush unless the brush is clear.
  void drawText(int x, int y, const AnsiString& text);
  // The same, showing only what lies inside rect (filled with the brush unless it is clear).
  void drawTextClipped(const TRect& rect, int x, int y, const AnsiString& text);
  // Formatted text in rect (TextFormat flags). With textCalculateRect nothing is painted and rect
  // comes back as the box the text needs: as wide as its widest line and as high as its lines.
  DrawnText drawText(TRect& rect, const AnsiString& text, unsigned format);
  int textWidth(const AnsiString& text) const;
  int textHeight(const AnsiString& text) const;
  int fontHeight() const;
  int fontAscent() const;
  int averageCharWidth() const;

  // A bitmap copied with the copy mode, or keyed by its transparent colour when it is transparent.
  void Draw(int x, int y, const BitmapImage& bitmap);
  void drawScaled(const TRect& target, const BitmapImage& bitmap);
  // Pixels of another canvas (or this one) copied with the copy mode, scaled to target.
  void copyArea(const TRect& target, const Canvas& source, const TRect& sourceRect);
  // Every pixel of the colour is left out; the others are copied, scaled to target.
  void drawWithTransparentColour(const TRect& target, const BitmapImage& bitmap, const TRect& sourceRect, TColor transparent);
  // The same with the bitmap's transparent colour (its bottom-left pixel unless set).
  void drawWithTransparentColour(const TRect& target, const BitmapImage& bitmap);

  // Every other pixel of the outline inverted: drawn twice, the pixels come back.
  void DrawFocusRect(const TRect& rect);
  void drawEdge(TRect& rect, unsigned edge, unsigned sides);
  void drawFrameControl(TRect& rect, FrameControl kind, unsigned state);

  // Where the canvas's (0, 0) lies on the device: a control without a window of its own draws
  // through its parent's canvas moved to its own corner.
  void setOrigin(TPoint origin);
  TPoint origin() const { return origin_; }
  // Drawing stays inside rect (in the canvas's coordinates) until the clip is removed or a saved state comes back.
  void setClipRect(const TRect& rect);
  void removeClip();
  // The clip in the canvas's coordinates; none while drawing may reach the whole device.
  std::optional<TRect> clipRect() const { return clip_; }
  // Font, brush, pen, copy mode, pen position, clip and origin, kept until the matching restore.
  void saveState();
  void restoreState();

  // While the returned hold lives, drawing on the canvas's image shares one painter (a paint of
  // many cells); on a printer page it holds nothing.
  qn::ui::HeldImagePainter holdPainter() { return qn::ui::HeldImagePainter(image_); }

  // The font as handed to Qt for this canvas's device.
  const QFont& deviceFont() const;
  const QFontMetrics& deviceFontMetrics() const;
  // The resolution fonts convert with.
  int dotsPerInch() const;

 private:
  const qn::ui::CodePageFont& resolvedFont() const;

  struct SavedState {
    std::unique_ptr<TFont> font;
    CanvasBrush brush;
    CanvasPen pen;
    ::CopyMode copyMode;
    TPoint penPosition;
    std::optional<TRect> clip;
    TPoint origin;
  };

  // Runs draw with a painter on the device, clipped, and reports the area to changed.
  void paint(const QRect& area, const std::function<void(QPainter&)>& draw);
  // The area the canvas may change, in its own coordinates: the clip and the device.
  QRect drawableArea() const;
  void reportChanged(const QRect& area);
  qreal devicePixelRatio() const;
  QRect toDevice(const QRect& rect) const;
  void drawLinePixels(TPoint from, TPoint to);
  void drawTextLine(QPainter& painter, int x, int top, const QString& text, int accelerator, bool fillBackground);
  // Source pixels scaled to target and combined by mode; colours equal to transparent kept out.
  void combine(const TRect& target, const QImage& source, const QRect& sourceRect, std::optional<TColor> transparent);
  void drawEdgeLines(const TRect& rect, TColor topLeft, TColor bottomRight, unsigned sides);

  std::unique_ptr<TFont> font_;
  // Resolving a family and loading its glyphs costs more than most drawing: kept until the font
  // (or the resolution it converts with) changes.
  mutable qn::ui::CodePageFont::Key resolvedKey_;
  mutable std::shared_ptr<const qn::ui::CodePageFont> resolved_;
  QImage* image_ = nullptr;
  std::function<void(const QRect&)> changed_;
  QPainter* pagePainter_ = nullptr;
  int pageDotsPerInch_ = 0;
  TPoint penPosition_;
  std::optional<TRect> clip_;
  TPoint origin_;
  std::vector<SavedState> saved_;
};
