#pragma once
// How a copied image combines with the pixels under it, bit by bit on red, green and blue.
#include <QImage>
#include <QRect>

#include "framework/base/AnsiString.h"

enum class CopyMode {
  sourceCopy,      // "Source Copy": the source
  sourcePaint,     // "Source Paint": source or destination
  sourceAnd,       // "Source And": source and destination
  sourceInvert,    // "Source Invert": source exclusive-or destination
  sourceErase,     // "Source Erase": source and not destination
  notSourceCopy,   // "Not Source Copy": not source
  notSourceErase,  // "Not Source Erase": not (source or destination)
  mergePaint,      // "Merge Paint": not source, or destination
};

namespace qn::ui {

// The mode a name stands for ("Source And" ...); any other name is "Source Copy".
CopyMode copyModeNamed(const AnsiString& name);

QRgb combinePixels(CopyMode mode, QRgb source, QRgb destination);

// Combines source (already at its final size, in device pixels) into target with its top-left
// corner at `at`, only inside `limit`.
void combineImage(CopyMode mode, const QImage& source, QImage& target, QPoint at, const QRect& limit);

}  // namespace qn::ui
