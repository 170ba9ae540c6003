#include "framework/ui/BitmapFile.h"

#include <QHash>
#include <algorithm>
#include <array>
#include <cstring>
#include <limits>

#include "framework/base/Exception.h"
#include "framework/base/Stream.h"

namespace qn::ui {

namespace {

constexpr int fileHeaderSize = 14;
constexpr int coreHeaderSize = 12;
constexpr int infoHeaderSize = 40;
constexpr int masksSize = 12;  // the red, green and blue masks of masked pixels
constexpr std::int64_t largestSide = 32767;
constexpr std::uint32_t plainPixels = 0;
constexpr std::uint32_t maskedPixels = 3;  // pixels packed by three colour masks

// The one message of every damaged or unreadable bitmap.
[[noreturn]] void raiseDamagedBitmap() { throw EStreamError("The bitmap data is damaged."); }

// Little-endian fields of a header already in memory.
class HeaderBytes {
 public:
  explicit HeaderBytes(const std::vector<unsigned char>& bytes) : bytes_(bytes) {}
  std::uint32_t u16(std::size_t at) const { return bytes_[at] | bytes_[at + 1] << 8; }
  std::uint32_t u32(std::size_t at) const {
    return bytes_[at] | bytes_[at + 1] << 8 | bytes_[at + 2] << 16 | static_cast<std::uint32_t>(bytes_[at + 3]) << 24;
  }
  std::int32_t s32(std::size_t at) const { return static_cast<std::int32_t>(u32(at)); }

 private:
  const std::vector<unsigned char>& bytes_;
};

// Reads from the stream only what the bytes still there can give.
class BoundedReader {
 public:
  explicit BoundedReader(TStream& stream) : stream_(stream), left_(std::max<std::int64_t>(0, stream.Size() - stream.Position())) {}
  void read(std::vector<unsigned char>& into, std::int64_t count) {
    if (count < 0 || count > left_) raiseDamagedBitmap();
    const std::size_t start = into.size();
    into.resize(start + static_cast<std::size_t>(count));
    if (count > 0 && stream_.Read(into.data() + start, count) != count) raiseDamagedBitmap();
    left_ -= count;
  }
  void skip(std::int64_t count) {
    std::vector<unsigned char> ignored;
    read(ignored, count);
  }

 private:
  TStream& stream_;
  std::int64_t left_;
};

struct Layout {
  std::int64_t width = 0;
  std::int64_t height = 0;
  bool topDown = false;
  int bitCount = 0;
  std::uint32_t compression = plainPixels;
  std::int64_t paletteEntries = 0;
  int paletteEntrySize = 4;
  std::array<std::uint32_t, 3> masks{0x7C00, 0x03E0, 0x001F};  // red, green, blue
  std::int32_t pixelsPerMetreX = 0;
  std::int32_t pixelsPerMetreY = 0;

  std::int64_t rowBytes() const { return (width * bitCount + 31) / 32 * 4; }
};

int lowestBit(std::uint32_t mask) {
  int shift = 0;
  while (mask != 0 && (mask & 1) == 0) {
    mask >>= 1;
    ++shift;
  }
  return shift;
}

// A channel of a masked pixel scaled to 0..255.
unsigned channel(std::uint32_t pixel, std::uint32_t mask) {
  if (mask == 0) return 0;
  const std::uint32_t value = (pixel & mask) >> lowestBit(mask);
  const std::uint32_t most = mask >> lowestBit(mask);
  return static_cast<unsigned>(std::uint64_t{value} * 255 / most);
}

Layout readLayout(BoundedReader& reader, std::vector<unsigned char>& header) {
  reader.read(header, 4);
  const std::uint32_t size = HeaderBytes(header).u32(fileHeaderSize);
  if (size != coreHeaderSize && (size < infoHeaderSize || size > 1024)) raiseDamagedBitmap();
  reader.read(header, size - 4);
  const HeaderBytes at(header);
  const std::size_t info = fileHeaderSize;
  Layout layout;
  std::int64_t signedHeight;
  if (size == coreHeaderSize) {
    layout.width = at.u16(info + 4);
    signedHeight = at.u16(info + 6);
    layout.bitCount = static_cast<int>(at.u16(info + 10));
    layout.paletteEntrySize = 3;
  } else {
    layout.width = at.s32(info + 4);
    signedHeight = at.s32(info + 8);
    layout.bitCount = static_cast<int>(at.u16(info + 14));
    layout.compression = at.u32(info + 16);
    layout.pixelsPerMetreX = at.s32(info + 24);
    layout.pixelsPerMetreY = at.s32(info + 28);
    layout.paletteEntries = at.u32(info + 32);
  }
  layout.topDown = signedHeight < 0;
  layout.height = signedHeight < 0 ? -signedHeight : signedHeight;
  if (layout.width < 1 || layout.width > largestSide || layout.height < 1 || layout.height > largestSide) raiseDamagedBitmap();
  const int bits = layout.bitCount;
  if (bits != 1 && bits != 4 && bits != 8 && bits != 16 && bits != 24 && bits != 32) raiseDamagedBitmap();
  if (layout.compression == maskedPixels) {
    if (bits != 16 && bits != 32) raiseDamagedBitmap();
    // A plain information header leaves the masks to the three words after it; a longer one
    // holds them, so it has room for all three.
    if (size == infoHeaderSize) reader.read(header, masksSize);
    else if (size < infoHeaderSize + masksSize) raiseDamagedBitmap();
    const HeaderBytes masks(header);
    for (std::size_t i = 0; i < 3; ++i) layout.masks[i] = masks.u32(info + infoHeaderSize + 4 * i);
  } else if (layout.compression != plainPixels) {
    raiseDamagedBitmap();
  } else if (bits == 32) {
    layout.masks = {0x00FF0000, 0x0000FF00, 0x000000FF};
  }
  if (bits <= 8) {
    const std::int64_t most = std::int64_t{1} << bits;
    if (layout.paletteEntries == 0 || layout.paletteEntries > most) layout.paletteEntries = most;
  } else {
    layout.paletteEntries = 0;  // a palette beside true colour only advises; the offset skips it
  }
  return layout;
}

BitmapPixelFormat formatOfBits(int bits) {
  switch (bits) {
    case 1: return BitmapPixelFormat::monochrome;
    case 4: return BitmapPixelFormat::colours16;
    case 8: return BitmapPixelFormat::colours256;
    default: return BitmapPixelFormat::trueColour;
  }
}

void decodeRow(const unsigned char* row, const Layout& layout, const std::vector<QRgb>& palette, QRgb* out) {
  const auto colourAt = [&](std::size_t index) { return index < palette.size() ? palette[index] : qRgb(0, 0, 0); };
  for (std::int64_t x = 0; x < layout.width; ++x) {
    switch (layout.bitCount) {
      case 1: out[x] = colourAt(row[x / 8] >> (7 - x % 8) & 1); break;
      case 4: out[x] = colourAt(row[x / 2] >> (x % 2 == 0 ? 4 : 0) & 0xF); break;
      case 8: out[x] = colourAt(row[x]); break;
      case 24: out[x] = qRgb(row[3 * x + 2], row[3 * x + 1], row[3 * x]); break;
      default: {
        const unsigned char* p = row + x * layout.bitCount / 8;
        const std::uint32_t pixel = layout.bitCount == 16 ? p[0] | p[1] << 8
                                                          : p[0] | p[1] << 8 | p[2] << 16 | static_cast<std::uint32_t>(p[3]) << 24;
        out[x] = qRgb(channel(pixel, layout.masks[0]), channel(pixel, layout.masks[1]), channel(pixel, layout.masks[2]));
      }
    }
  }
}

std::vector<QRgb> defaultPalette(BitmapPixelFormat format) {
  std::vector<QRgb> palette;
  if (format == BitmapPixelFormat::monochrome) return {qRgb(0, 0, 0), qRgb(255, 255, 255)};
  // The sixteen colours every display could show, in their customary order.
  for (const QRgb colour : {0x000000u, 0x800000u, 0x008000u, 0x808000u, 0x000080u, 0x800080u, 0x008080u, 0x808080u,
                            0xC0C0C0u, 0xFF0000u, 0x00FF00u, 0xFFFF00u, 0x0000FFu, 0xFF00FFu, 0x00FFFFu, 0xFFFFFFu})
    palette.push_back(0xFF000000u | colour);
  if (format == BitmapPixelFormat::colours256) {
    for (int r = 0; r < 6; ++r)
      for (int g = 0; g < 6; ++g)
        for (int b = 0; b < 6; ++b) palette.push_back(qRgb(r * 51, g * 51, b * 51));
    for (int grey = 1; palette.size() < 256; ++grey) palette.push_back(qRgb(grey * 10, grey * 10, grey * 10));
  }
  return palette;
}

int bitsOf(BitmapPixelFormat format) {
  switch (format) {
    case BitmapPixelFormat::monochrome: return 1;
    case BitmapPixelFormat::colours16: return 4;
    case BitmapPixelFormat::colours256: return 8;
    case BitmapPixelFormat::trueColour: return 24;
  }
  return 24;
}

// The palette index of each colour: the exact entry, else the nearest.
class PaletteIndexer {
 public:
  explicit PaletteIndexer(const std::vector<QRgb>& palette) : palette_(palette) {}
  unsigned indexOf(QRgb colour) {
    colour |= 0xFF000000u;
    const auto known = cache_.constFind(colour);
    if (known != cache_.constEnd()) return *known;
    unsigned best = 0;
    long bestDistance = std::numeric_limits<long>::max();
    for (std::size_t i = 0; i < palette_.size(); ++i) {
      const long dr = qRed(colour) - qRed(palette_[i]), dg = qGreen(colour) - qGreen(palette_[i]), db = qBlue(colour) - qBlue(palette_[i]);
      const long distance = dr * dr + dg * dg + db * db;
      if (distance < bestDistance) {
        bestDistance = distance;
        best = static_cast<unsigned>(i);
      }
    }
    cache_.insert(colour, best);
    return best;
  }

 private:
  const std::vector<QRgb>& palette_;
  QHash<QRgb, unsigned> cache_;
};

void put16(std::vector<unsigned char>& out, std::uint32_t value) {
  out.push_back(value & 0xFF);
  out.push_back(value >> 8 & 0xFF);
}
void put32(std::vector<unsigned char>& out, std::uint32_t value) {
  put16(out, value & 0xFFFF);
  put16(out, value >> 16);
}

}  // namespace

BitmapFileContent readBitmapFile(TStream& stream) {
  BoundedReader reader(stream);
  std::vector<unsigned char> header;
  reader.read(header, fileHeaderSize);
  if (header[0] != 'B' || header[1] != 'M') raiseDamagedBitmap();
  const std::int64_t pixelOffset = HeaderBytes(header).u32(10);
  Layout layout = readLayout(reader, header);

  std::vector<unsigned char> paletteBytes;
  reader.read(paletteBytes, layout.paletteEntries * layout.paletteEntrySize);
  const std::int64_t headersEnd = static_cast<std::int64_t>(header.size() + paletteBytes.size());
  // An offset of 0 is taken as "right after the palette"; one pointing into the headers is not.
  if (pixelOffset != 0) {
    if (pixelOffset < headersEnd) raiseDamagedBitmap();
    reader.skip(pixelOffset - headersEnd);
  }
  std::vector<unsigned char> pixels;
  reader.read(pixels, layout.rowBytes() * layout.height);

  BitmapFileContent content;
  for (std::int64_t i = 0; i < layout.paletteEntries; ++i) {
    const unsigned char* entry = paletteBytes.data() + i * layout.paletteEntrySize;
    content.palette.push_back(qRgb(entry[2], entry[1], entry[0]));
  }
  content.format = formatOfBits(layout.bitCount);
  content.pixelsPerMetreX = layout.pixelsPerMetreX;
  content.pixelsPerMetreY = layout.pixelsPerMetreY;
  QImage image(static_cast<int>(layout.width), static_cast<int>(layout.height), QImage::Format_RGB32);
  if (image.isNull()) throw EOutOfMemory("There is not enough memory for the bitmap.");
  for (std::int64_t y = 0; y < layout.height; ++y) {
    const std::int64_t fileRow = layout.topDown ? y : layout.height - 1 - y;
    decodeRow(pixels.data() + fileRow * layout.rowBytes(), layout, content.palette,
              reinterpret_cast<QRgb*>(image.scanLine(static_cast<int>(y))));
  }
  content.image = std::move(image);
  return content;
}

void writeBitmapFile(const BitmapFileContent& content, TStream& stream) {
  const QImage image = content.image.convertToFormat(QImage::Format_RGB32);
  const int bits = bitsOf(content.format);
  std::vector<QRgb> palette;
  if (bits <= 8) {
    const std::size_t entries = std::size_t{1} << bits;
    palette = content.palette.empty() || content.palette.size() > entries ? defaultPalette(content.format) : content.palette;
    palette.resize(entries, qRgb(0, 0, 0));
  }
  const std::uint32_t width = static_cast<std::uint32_t>(image.width()), height = static_cast<std::uint32_t>(image.height());
  const std::uint32_t rowBytes = (width * bits + 31) / 32 * 4;
  const std::uint32_t pixelOffset = fileHeaderSize + infoHeaderSize + 4 * static_cast<std::uint32_t>(palette.size());

  std::vector<unsigned char> out;
  out.reserve(pixelOffset + rowBytes * height);
  out.push_back('B');
  out.push_back('M');
  put32(out, pixelOffset + rowBytes * height);
  put32(out, 0);
  put32(out, pixelOffset);
  put32(out, infoHeaderSize);
  put32(out, width);
  put32(out, height);
  put16(out, 1);
  put16(out, static_cast<std::uint32_t>(bits));
  put32(out, plainPixels);
  put32(out, rowBytes * height);
  put32(out, static_cast<std::uint32_t>(content.pixelsPerMetreX));
  put32(out, static_cast<std::uint32_t>(content.pixelsPerMetreY));
  put32(out, 0);
  put32(out, 0);
  for (const QRgb colour : palette) {
    out.push_back(static_cast<unsigned char>(qBlue(colour)));
    out.push_back(static_cast<unsigned char>(qGreen(colour)));
    out.push_back(static_cast<unsigned char>(qRed(colour)));
    out.push_back(0);
  }
  PaletteIndexer indexer(palette);
  for (int y = static_cast<int>(height) - 1; y >= 0; --y) {
    const QRgb* line = reinterpret_cast<const QRgb*>(image.constScanLine(y));
    std::vector<unsigned char> row(rowBytes, 0);
    for (std::uint32_t x = 0; x < width; ++x) {
      if (bits == 24) {
        row[3 * x] = static_cast<unsigned char>(qBlue(line[x]));
        row[3 * x + 1] = static_cast<unsigned char>(qGreen(line[x]));
        row[3 * x + 2] = static_cast<unsigned char>(qRed(line[x]));
        continue;
      }
      const unsigned index = indexer.indexOf(line[x]);
      if (bits == 8) row[x] = static_cast<unsigned char>(index);
      else if (bits == 4) row[x / 2] |= static_cast<unsigned char>(index << (x % 2 == 0 ? 4 : 0));
      else row[x / 8] |= static_cast<unsigned char>(index << (7 - x % 8));
    }
    out.insert(out.end(), row.begin(), row.end());
  }
  stream.WriteBuffer(out.data(), static_cast<std::int64_t>(out.size()));
}

}  // namespace qn::ui
