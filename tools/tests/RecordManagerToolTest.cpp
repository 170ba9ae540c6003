// Every catalogue entry can be created as a record file by the record manager's tool and the
// file then checks clean. Runs when the tool has been built beside this test.
#include <gtest/gtest.h>

#include <sys/wait.h>

#include <cstdlib>
#include <filesystem>

#include "testing/TestDirs.h"
#include "tools/Catalogue.h"

namespace {

std::filesystem::path toolPath() {
  return std::filesystem::read_symlink("/proc/self/exe").parent_path() / "qnrecmgr";
}

std::string quoted(const std::string& text) {
  std::string out = "'";
  for (char c : text) out += c == '\'' ? std::string("'\\''") : std::string(1, c);
  return out + "'";
}

int run(const std::string& command) {
  int status = std::system((command + " >/dev/null 2>&1").c_str());
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

TEST(RecordManagerToolTest, EveryCatalogueFileCanBeCreatedAndChecked) {
  const auto tool = toolPath();
  if (!std::filesystem::exists(tool)) GTEST_SKIP() << "qnrecmgr is not built yet (it comes with the record manager)";

  const auto catalogue = qn::tools::loadCatalogue(QN_CATALOGUE_DIR);
  const std::string dir = qn::testing::makeScratchDir("catalogue-files");
  for (const qn::catalogue::CatalogueEntry& entry : catalogue.entries) {
    const std::string file = dir + "/" + entry.source + ".qf";
    const std::string description = std::string(QN_CATALOGUE_DIR) + "/" + entry.source;
    EXPECT_EQ(run(quoted(tool) + " create " + quoted(file) + " " + quoted(description)), 0) << entry.source;
    EXPECT_EQ(run(quoted(tool) + " check " + quoted(file)), 0) << entry.source;
  }
}

}  // namespace
