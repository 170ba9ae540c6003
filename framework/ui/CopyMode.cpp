#include "framework/ui/CopyMode.h"

#include <array>
#include <utility>


namespace qn::ui {

CopyMode copyModeNamed(const AnsiString& name) {
  static const std::array<std::pair<const char*, CopyMode>, 8> names{{
      {"Source Copy", CopyMode::sourceCopy},
      {"Source Paint", CopyMode::sourcePaint},
      {"Source And", CopyMode::sourceAnd},
      {"Source Invert", CopyMode::sourceInvert},
      {"Source Erase", CopyMode::sourceErase},
      {"Not Source Copy", CopyMode::notSourceCopy},
      {"Not Source Erase", CopyMode::notSourceErase},
      {"Merge Paint", CopyMode::mergePaint},
  }};
  for (const auto& [text, mode] : names)
    if (name == text) return mode;
  return CopyMode::sourceCopy;
}

QRgb combinePixels(CopyMode mode, QRgb source, QRgb destination) {
  QRgb result = source;
  switch (mode) {
    case CopyMode::sourceCopy: result = source; break;
    case CopyMode::sourcePaint: result = source | destination; break;
    case CopyMode::sourceAnd: result = source & destination; break;
    case CopyMode::sourceInvert: result = source ^ destination; break;
    case CopyMode::sourceErase: result = source & ~destination; break;
    case CopyMode::notSourceCopy: result = ~source; break;
    case CopyMode::notSourceErase: result = ~(source | destination); break;
    case CopyMode::mergePaint: result = ~source | destination; break;
  }
  return result | 0xFF000000u;  // the images are opaque whatever the bits did to alpha
}

void combineImage(CopyMode mode, const QImage& source, QImage& target, QPoint at, const QRect& limit) {
  const QRect area = QRect(at, source.size()) & limit & target.rect();
  for (int y = area.top(); y <= area.bottom(); ++y) {
    const QRgb* from = reinterpret_cast<const QRgb*>(source.constScanLine(y - at.y()));
    QRgb* to = reinterpret_cast<QRgb*>(target.scanLine(y));
    for (int x = area.left(); x <= area.right(); ++x) to[x] = combinePixels(mode, from[x - at.x()], to[x]);
  }
}

}  // namespace qn::ui
