#pragma once
// The bitmap file format: a file header, an information header, a palette for up to 256
// colours and rows of pixels from the bottom up, each padded to four bytes. Reading checks every
// size against the bytes that are really there before it allocates anything, and raises
// EStreamError "The bitmap data is damaged." for whatever it cannot take.
#include <QImage>
#include <cstdint>
#include <vector>

class TStream;

enum class BitmapPixelFormat { monochrome, colours16, colours256, trueColour };

struct BitmapFileContent {
  QImage image;  // Format_RGB32
  BitmapPixelFormat format = BitmapPixelFormat::trueColour;
  std::vector<QRgb> palette;  // the file's own colours, kept so a saved file keeps them
  std::int32_t pixelsPerMetreX = 0;
  std::int32_t pixelsPerMetreY = 0;
};

namespace qn::ui {

// Reads one bitmap file from the stream's position on. The position after a failure is
// unspecified.
BitmapFileContent readBitmapFile(TStream& stream);

// Writes the image in its pixel format; colours an indexed format's palette lacks take the
// nearest entry.
void writeBitmapFile(const BitmapFileContent& content, TStream& stream);

}  // namespace qn::ui
