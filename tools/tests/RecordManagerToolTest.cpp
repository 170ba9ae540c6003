// Every catalogue entry can be created as a record file by the record manager's tool and the
// file then checks clean.
#include <gtest/gtest.h>

#include <filesystem>

#include "testing/TestDirs.h"
#include "tools/Catalogue.h"
#include "tools/tests/ToolRunner.h"

namespace {

using qn::tools::testing::runTool;

TEST(RecordManagerToolTest, EveryCatalogueFileCanBeCreatedAndChecked) {
  const auto catalogue = qn::tools::loadCatalogue(QN_CATALOGUE_DIR);
  const std::string dir = qn::testing::makeScratchDir("catalogue-files");
  for (const qn::catalogue::CatalogueEntry& entry : catalogue.entries) {
    const std::string file = dir + "/" + entry.source + ".qf";
    const std::string description = std::string(QN_CATALOGUE_DIR) + "/" + entry.source;
    EXPECT_EQ(runTool("qnrecmgr", {"create", file, description}).exitCode, 0) << entry.source;
    EXPECT_EQ(runTool("qnrecmgr", {"check", file}).exitCode, 0) << entry.source;
  }
}

}  // namespace
