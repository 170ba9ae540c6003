#include "core/Browser.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <chrono>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <thread>

#include "framework/ui/testing/ScriptedMessageBoxes.h"
#include "testing/TestDirs.h"

namespace {

using qn::ui::testing::ScriptedMessageBoxes;

// PATH holds only the test's own folder for the test's lifetime.
class BrowserTest : public ::testing::Test {
 protected:
  void SetUp() override {
    const char* path = std::getenv("PATH");
    savedPath_ = path ? path : "";
    folder_ = qn::testing::makeScratchDir("bin");
    setenv("PATH", folder_.c_str(), 1);
  }
  void TearDown() override { setenv("PATH", savedPath_.c_str(), 1); }

  // An xdg-open that writes the arguments it was started with into a file.
  std::string recordingOpener() {
    const std::string opener = folder_ + "/xdg-open";
    const std::string record = folder_ + "/opened";
    std::ofstream(opener) << "#!/bin/sh\nPATH=/usr/bin:/bin\nprintf '%s\\n' \"$@\" > '" << record << ".part' && mv '" << record
                          << ".part' '" << record << "'\n";
    chmod(opener.c_str(), 0755);
    return record;
  }

  static std::string waitForFile(const std::string& path) {
    for (int i = 0; i < 3000; ++i) {
      std::ifstream in(path);
      if (in) {
        std::stringstream text;
        text << in.rdbuf();
        return text.str();
      }
      std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    return "<never written>";
  }

  std::string savedPath_;
  std::string folder_;
};

TEST_F(BrowserTest, TheHomePageOpensInTheDesktopsBrowser) {
  const std::string record = recordingOpener();
  ScriptedMessageBoxes boxes;
  EXPECT_EQ(GetDefaultBrowserPath(), folder_ + "/xdg-open");
  OpenWebPage(1);
  EXPECT_EQ(waitForFile(record), MakerHomePage + "\n");
}

TEST_F(BrowserTest, WithoutABrowserTheUserIsTold) {
  ScriptedMessageBoxes boxes;
  boxes.expect(mtInformation, "Not able to read the '' value from the registry at this time.");
  EXPECT_EQ(GetDefaultBrowserPath(), "");
  boxes.expect(mtInformation, "Not able to read the '' value from the registry at this time.")
      .expect(mtInformation, "You may not access the requested website at this time.  Unable to launch browser.");
  OpenWebPage(1);
}

}  // namespace
