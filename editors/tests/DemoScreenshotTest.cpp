#include <gtest/gtest.h>

#include <QImage>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <set>
#include <thread>

#include "framework/ui/Application.h"
#include "framework/ui/testing/QtTestApplication.h"
#include "platform/os/Process.h"
#include "testing/TestDirs.h"

namespace editorstest {
namespace {
namespace fs = std::filesystem;

// The editing controls' demo form, run on a seeded demo folder as the build runs it, leaves its
// picture under build/screenshots.
TEST(DemoScreenshotTest, TheDemoSavesAPictureOfTheEditsBoundToAClient) {
  qn::ui::testing::qtApplication();
  const fs::path programFolder = fs::path(Application->ExeName()).parent_path();
  const fs::path demoFolder = fs::path(qn::testing::makeScratchDir("editors-demo")) / "demo";
  const std::string seed = "'" + (programFolder / "qnseed").string() + "' demo '" + demoFolder.string() + "' >/dev/null";
  ASSERT_EQ(std::system(seed.c_str()), 0);
  const fs::path picture = programFolder.parent_path() / "screenshots" / "qneditors_demo.png";
  fs::remove(picture);
  auto demo = qn::os::startProcess((programFolder / "qneditors_demo").string(),
                                   {demoFolder.string(), "--screenshot", picture.string()});
  ASSERT_TRUE(demo);
  std::optional<std::uint32_t> code;
  const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(30);
  while ((code = demo->exitCode()) && *code == qn::os::STILL_ACTIVE && std::chrono::steady_clock::now() < end)
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
  ASSERT_EQ(code, 0u);

  QImage image(QString::fromStdString(picture.string()));
  ASSERT_FALSE(image.isNull());
  EXPECT_GT(image.width(), 500);
  EXPECT_GT(image.height(), 250);
  std::set<QRgb> colours;
  for (int y = 0; y < image.height(); y += 2)
    for (int x = 0; x < image.width(); x += 2) colours.insert(image.pixel(x, y));
  EXPECT_GT(colours.size(), 20u) << "controls with text, not an empty form";
}

}  // namespace
}  // namespace editorstest
