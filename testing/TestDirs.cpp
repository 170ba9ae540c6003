#include "testing/TestDirs.h"

#include <unistd.h>

#include <atomic>
#include <cstdlib>
#include <filesystem>
#include <stdexcept>

namespace qn::testing {
namespace fs = std::filesystem;

namespace {

struct ScratchArea {
  std::string root;
  ScratchArea() {
    std::string pattern = (fs::temp_directory_path() / "qn-test-XXXXXX").string();
    if (!mkdtemp(pattern.data())) throw std::runtime_error("cannot create a scratch folder");
    root = pattern;
  }
  ~ScratchArea() {
    if (!std::getenv("QN_KEEP_TEST_DIRS")) {
      std::error_code ignored;
      fs::remove_all(root, ignored);
    }
  }
};

ScratchArea& area() {
  static ScratchArea instance;
  return instance;
}

}  // namespace

const std::string& scratchRoot() { return area().root; }

std::string makeScratchDir(const std::string& name) {
  static std::atomic<int> counter{0};
  fs::path dir = fs::path(scratchRoot()) / (name + "-" + std::to_string(++counter));
  fs::create_directories(dir);
  return dir.string();
}

}  // namespace qn::testing
