#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <iostream>
#include <random>

#include "framework/base/Exception.h"
#include "framework/base/MemoryStream.h"
#include "framework/ui/BitmapImage.h"
#include "framework/ui/ImageStrip.h"
#include "framework/ui/testing/QtTestApplication.h"
#include "platform/os/Resources.h"

namespace {

constexpr TColor black = 0x000000;
constexpr TColor red = 0x0000FF;
constexpr TColor blue = 0xFF0000;
constexpr TColor green = 0x00FF00;

std::string bytesOf(const BitmapImage& bitmap) {
  MemoryStream stream;
  bitmap.SaveToStream(stream);
  return std::string(stream.Memory(), static_cast<std::size_t>(stream.Size()));
}

void load(BitmapImage& bitmap, const std::string& bytes) {
  MemoryStream stream;
  if (!bytes.empty()) stream.WriteBuffer(bytes.data(), static_cast<int64_t>(bytes.size()));
  stream.SetPosition(0);
  bitmap.LoadFromStream(stream);
}

// A small picture with a colour in each quarter.
void paintQuarters(BitmapImage& bitmap, int width, int height) {
  bitmap.SetSize(width, height);
  Canvas& canvas = bitmap.canvas();
  const TColor colours[] = {red, green, blue, black};
  for (int i = 0; i < 4; ++i) {
    canvas.Brush.Color = colours[i];
    canvas.fillRect(Rect(i % 2 * width / 2, i / 2 * height / 2, (i % 2 + 1) * width / 2, (i / 2 + 1) * height / 2));
  }
}

void put32(std::string& bytes, std::size_t at, std::uint32_t value) {
  for (int i = 0; i < 4; ++i) bytes[at + i] = static_cast<char>(value >> 8 * i & 0xFF);
}

class BitmapImageTest : public ::testing::Test {
 protected:
  void SetUp() override { qn::ui::testing::qtApplication(); }
};

TEST_F(BitmapImageTest, ResourceBitmapDrawsItsPixelsAndSavesBackToItsBytes) {
  const auto resource = qn::os::findResource("DCDBGARROW", "BITMAP");
  ASSERT_TRUE(resource);
  BitmapImage arrow;
  arrow.LoadFromResourceName("DCDBGARROW");
  EXPECT_EQ(arrow.Width(), 10);
  EXPECT_EQ(arrow.Height(), 11);
  EXPECT_EQ(arrow.PixelFormat(), BitmapPixelFormat::colours16);
  EXPECT_EQ(bytesOf(arrow), std::string(*resource));

  BitmapImage target(20, 20);
  target.canvas().Brush.Color = blue;
  target.canvas().fillRect(Rect(0, 0, 20, 20));
  target.canvas().Draw(5, 5, arrow);
  EXPECT_EQ(target.canvas().pixel(5 + 3, 5 + 5), black);  // the arrow's point column
  EXPECT_EQ(target.canvas().pixel(5 + 7, 5 + 5), black);
  EXPECT_EQ(target.canvas().pixel(5 + 8, 5 + 5), clWhite);
  EXPECT_EQ(target.canvas().pixel(5 + 3, 5 + 0), clWhite);
  EXPECT_EQ(target.canvas().pixel(4, 4), blue);
  EXPECT_EQ(target.canvas().pixel(15, 15), blue);

  EXPECT_THROW(arrow.LoadFromResourceName("NOSUCHBITMAP"), EStreamError);
  EXPECT_EQ(arrow.Width(), 10);
}

TEST_F(BitmapImageTest, EveryPixelFormatSavesAndLoadsBackTheSamePixels) {
  for (const BitmapPixelFormat format : {BitmapPixelFormat::trueColour, BitmapPixelFormat::colours16,
                                         BitmapPixelFormat::colours256, BitmapPixelFormat::monochrome}) {
    BitmapImage original;
    paintQuarters(original, 13, 7);
    if (format == BitmapPixelFormat::monochrome) {  // two colours only
      original.canvas().Brush.Color = clWhite;
      original.canvas().fillRect(Rect(0, 0, 6, 7));
      original.canvas().Brush.Color = black;
      original.canvas().fillRect(Rect(6, 0, 13, 7));
      original.canvas().setPixel(9, 3, clWhite);
    }
    original.SetPixelFormat(format);
    const std::string saved = bytesOf(original);
    BitmapImage loaded;
    load(loaded, saved);
    EXPECT_EQ(loaded.PixelFormat(), format);
    EXPECT_EQ(loaded.image(), original.image()) << static_cast<int>(format);
    EXPECT_EQ(bytesOf(loaded), saved);
  }
}

TEST_F(BitmapImageTest, TopDownAndMaskedFilesLoad) {
  BitmapImage original;
  paintQuarters(original, 6, 4);
  std::string bytes = bytesOf(original);
  // The same rows stored from the top: a negative height, the rows reversed.
  std::string topDown = bytes;
  const std::size_t rowBytes = 20, pixels = 54;
  put32(topDown, 22, static_cast<std::uint32_t>(-4));
  for (std::size_t row = 0; row < 4; ++row)
    topDown.replace(pixels + row * rowBytes, rowBytes, bytes.substr(pixels + (3 - row) * rowBytes, rowBytes));
  BitmapImage loaded;
  load(loaded, topDown);
  EXPECT_EQ(loaded.image(), original.image());

  // 32 bits per pixel with masks for the colours.
  std::string masked(54 + 12, '\0');
  masked[0] = 'B';
  masked[1] = 'M';
  put32(masked, 10, 66);
  put32(masked, 14, 40);
  put32(masked, 18, 6);
  put32(masked, 22, static_cast<std::uint32_t>(-4));
  masked[26] = 1;
  masked[28] = 32;
  put32(masked, 30, 3);
  put32(masked, 54, 0x00FF0000);
  put32(masked, 58, 0x0000FF00);
  put32(masked, 62, 0x000000FF);
  for (int y = 0; y < 4; ++y)
    for (int x = 0; x < 6; ++x) {
      const QRgb pixel = original.image().pixel(x, y);
      masked.append({static_cast<char>(qBlue(pixel)), static_cast<char>(qGreen(pixel)), static_cast<char>(qRed(pixel)), 0});
    }
  put32(masked, 2, static_cast<std::uint32_t>(masked.size()));
  load(loaded, masked);
  EXPECT_EQ(loaded.image(), original.image());
  EXPECT_EQ(loaded.PixelFormat(), BitmapPixelFormat::trueColour);
}

// Masked pixels with every information-header size from the plain one to past the masks: the plain
// header leaves the masks to the words after it, one of 52 bytes or more holds them, and one in
// between has no room for them and is damaged.
TEST_F(BitmapImageTest, MaskedPixelsTakeTheirMasksFromWhereTheHeaderSizePutsThemOrAreRefused) {
  BitmapImage original;
  paintQuarters(original, 6, 4);
  for (std::uint32_t headerSize = 40; headerSize <= 56; ++headerSize) {
    SCOPED_TRACE(headerSize);
    const std::size_t masksAt = 14 + 40;
    const std::size_t pixelsAt = 14 + std::max<std::size_t>(headerSize, 52);
    std::string bytes(pixelsAt, '\0');
    bytes[0] = 'B';
    bytes[1] = 'M';
    put32(bytes, 10, static_cast<std::uint32_t>(pixelsAt));
    put32(bytes, 14, headerSize);
    put32(bytes, 18, 6);
    put32(bytes, 22, 4);
    bytes[26] = 1;
    bytes[28] = 32;
    put32(bytes, 30, 3);
    // Red in the lowest byte, blue in the third: not the order plain 32-bit pixels take.
    put32(bytes, masksAt, 0x000000FF);
    put32(bytes, masksAt + 4, 0x0000FF00);
    put32(bytes, masksAt + 8, 0x00FF0000);
    for (int y = 3; y >= 0; --y)
      for (int x = 0; x < 6; ++x) {
        const QRgb pixel = original.image().pixel(x, y);
        bytes.append({static_cast<char>(qRed(pixel)), static_cast<char>(qGreen(pixel)), static_cast<char>(qBlue(pixel)), 0});
      }
    put32(bytes, 2, static_cast<std::uint32_t>(bytes.size()));

    BitmapImage loaded;
    paintQuarters(loaded, 3, 5);
    const QImage before = loaded.image().copy();
    if (headerSize == 40 || headerSize >= 52) {
      ASSERT_NO_THROW(load(loaded, bytes));
      EXPECT_EQ(loaded.image(), original.image());
      continue;
    }
    try {
      load(loaded, bytes);
      ADD_FAILURE() << "loaded";
    } catch (const EStreamError& e) {
      EXPECT_EQ(e.Message(), "The bitmap data is damaged.");
    }
    EXPECT_EQ(loaded.image(), before);
  }
}

TEST_F(BitmapImageTest, DamagedStreamsRaiseTheErrorAndKeepThePreviousImage) {
  BitmapImage sound;
  paintQuarters(sound, 8, 8);
  const std::string good = bytesOf(sound);
  const auto with = [&](std::size_t at, std::uint32_t value) {
    std::string bytes = good;
    put32(bytes, at, value);
    return bytes;
  };
  struct Case {
    const char* what;
    std::string bytes;
  } cases[] = {
      {"empty", ""},
      {"not a bitmap", "GIF89a and then some bytes that are no bitmap at all, long enough for the headers"},
      {"file header only", good.substr(0, 14)},
      {"headers only", good.substr(0, 54)},
      {"truncated pixels", good.substr(0, good.size() - 1)},
      {"width 0", with(18, 0)},
      {"height -40000", with(22, static_cast<std::uint32_t>(-40000))},
      {"width beyond 32767", with(18, 32768)},
      {"size beyond the data", with(18, 30000)},
      {"height beyond the data", with(22, 20000)},
      {"unknown bit count", with(26, 1 | 7 << 16)},
      {"run-length pixels", with(30, 1)},
      {"information header too short", with(14, 20)},
      {"pixel offset into the headers", with(10, 20)},
      {"pixel offset beyond the data", with(10, 0x7FFFFFF0)},
  };
  for (const Case& c : cases) {
    BitmapImage bitmap;
    paintQuarters(bitmap, 3, 5);
    const QImage before = bitmap.image().copy();
    try {
      load(bitmap, c.bytes);
      ADD_FAILURE() << c.what << ": loaded";
    } catch (const EStreamError& e) {
      EXPECT_EQ(e.Message(), "The bitmap data is damaged.") << c.what;
    }
    EXPECT_EQ(bitmap.image(), before) << c.what;
  }
}

// Randomly damaged bitmaps for a fixed time: each either loads or raises the damaged-data error
// and keeps the previous image. QN_BITMAP_FUZZ_SEED replays a run.
TEST_F(BitmapImageTest, RandomlyDamagedStreamsNeverCrash) {
  std::vector<std::string> samples;
  for (const BitmapPixelFormat format : {BitmapPixelFormat::trueColour, BitmapPixelFormat::colours16,
                                         BitmapPixelFormat::colours256, BitmapPixelFormat::monochrome}) {
    BitmapImage bitmap;
    paintQuarters(bitmap, 9, 5);
    bitmap.SetPixelFormat(format);
    samples.push_back(bytesOf(bitmap));
  }
  samples.push_back(std::string(*qn::os::findResource("DCDBINSERT", "BITMAP")));
  const char* given = std::getenv("QN_BITMAP_FUZZ_SEED");
  const std::uint64_t seed = given ? std::stoull(given) : std::random_device{}();
  std::cout << "bitmap fuzz seed " << seed << " (QN_BITMAP_FUZZ_SEED=" << seed << " replays it)" << std::endl;
  RecordProperty("seed", std::to_string(seed));
  std::mt19937_64 random(seed);
  const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(10);
  int runs = 0;
  BitmapImage bitmap;
  paintQuarters(bitmap, 4, 4);
  while (std::chrono::steady_clock::now() < end) {
    std::string bytes = samples[random() % samples.size()];
    const int damages = 1 + static_cast<int>(random() % 6);
    for (int i = 0; i < damages; ++i) {
      switch (random() % 4) {
        case 0:  // a byte of the headers
          bytes[random() % std::min<std::size_t>(bytes.size(), 70)] = static_cast<char>(random());
          break;
        case 1:  // any byte
          bytes[random() % bytes.size()] = static_cast<char>(random());
          break;
        case 2:  // cut short
          bytes.resize(random() % (bytes.size() + 1));
          break;
        default:  // a size field set to something large or negative
          if (bytes.size() >= 26) put32(bytes, 18 + 4 * (random() % 2), static_cast<std::uint32_t>(random()));
      }
      if (bytes.empty()) break;
    }
    const QImage before = bitmap.image().copy();
    try {
      load(bitmap, bytes);
      EXPECT_GE(bitmap.Width(), 1);
    } catch (const EStreamError& e) {
      ASSERT_EQ(e.Message(), "The bitmap data is damaged.") << "seed " << seed << ", run " << runs;
      ASSERT_EQ(bitmap.image(), before) << "seed " << seed << ", run " << runs;
    }
    ++runs;
  }
  std::cout << runs << " damaged bitmaps read" << std::endl;
}

TEST_F(BitmapImageTest, ImageStripDrawsOneImageByIndex) {
  // Four 5 x 5 images side by side, each a different colour square on a green mask.
  BitmapImage strip(20, 5);
  strip.canvas().Brush.Color = green;
  strip.canvas().fillRect(Rect(0, 0, 20, 5));
  const TColor colours[] = {red, blue, black, clNavy};
  for (int i = 0; i < 4; ++i) {
    strip.canvas().Brush.Color = colours[i];
    strip.canvas().fillRect(Rect(5 * i + 1, 1, 5 * i + 4, 4));
  }
  ImageStrip images(5, 5);
  EXPECT_EQ(images.addMasked(strip, green), 0);
  EXPECT_EQ(images.Count(), 4);

  BitmapImage target(10, 10);
  target.canvas().Brush.Color = clWhite;
  target.canvas().fillRect(Rect(0, 0, 10, 10));
  images.Draw(target.canvas(), 2, 2, 3);
  for (int y = 0; y < 10; ++y)
    for (int x = 0; x < 10; ++x) {
      const bool inside = x >= 3 && x < 6 && y >= 3 && y < 6;
      EXPECT_EQ(target.canvas().pixel(x, y), inside ? clNavy : clWhite) << x << "," << y;
    }
  images.Draw(target.canvas(), 0, 0, 4);  // beyond the strip: nothing
  EXPECT_EQ(target.canvas().pixel(1, 1), clWhite);

  // Greyed: the square in the shadow colour over its highlight, the mask still transparent.
  target.canvas().Brush.Color = blue;
  target.canvas().fillRect(Rect(0, 0, 10, 10));
  images.Draw(target.canvas(), 0, 0, 0, false);
  EXPECT_EQ(target.canvas().pixel(1, 1), qn::ui::colorToRgb(clBtnShadow));
  EXPECT_EQ(target.canvas().pixel(4, 4), qn::ui::colorToRgb(clBtnHighlight));
  EXPECT_EQ(target.canvas().pixel(0, 0), blue);
}

}  // namespace
