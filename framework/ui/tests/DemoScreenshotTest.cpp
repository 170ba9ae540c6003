#include <gtest/gtest.h>

#include <QImage>
#include <chrono>
#include <filesystem>
#include <set>
#include <thread>

#include "framework/ui/Application.h"
#include "framework/ui/testing/QtTestApplication.h"
#include "platform/os/Process.h"

namespace qn::ui::testing {
namespace {
namespace fs = std::filesystem;

// The demo program, run as the build runs it, leaves its picture under build/screenshots.
TEST(DemoScreenshotTest, TheDemoSavesAPictureOfItsControls) {
  qtApplication();
  const fs::path programFolder = fs::path(Application->ExeName()).parent_path();
  const fs::path picture = programFolder.parent_path() / "screenshots" / "qnui_demo.png";
  fs::remove(picture);
  auto demo = os::startProcess((programFolder / "qnui_demo").string(), {"--screenshot", picture.string()});
  ASSERT_TRUE(demo);
  std::optional<std::uint32_t> code;
  const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(30);
  while ((code = demo->exitCode()) && *code == os::STILL_ACTIVE && std::chrono::steady_clock::now() < end)
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
  ASSERT_EQ(code, 0u);

  QImage image(QString::fromStdString(picture.string()));
  ASSERT_FALSE(image.isNull());
  EXPECT_GT(image.width(), 600);
  EXPECT_GT(image.height(), 400);
  std::set<QRgb> colours;
  for (int y = 0; y < image.height(); y += 3)
    for (int x = 0; x < image.width(); x += 3) colours.insert(image.pixel(x, y));
  EXPECT_GT(colours.size(), 20u) << "controls, not an empty form";
}

}  // namespace
}  // namespace qn::ui::testing
