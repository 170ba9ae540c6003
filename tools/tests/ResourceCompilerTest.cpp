// The resource compiler stops the build on a string it could not carry as written.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "testing/TestDirs.h"
#include "tools/tests/ToolRunner.h"

namespace {

namespace fs = std::filesystem;

TEST(ResourceCompiler, RefusesAStringWithACharacterWindows1252Lacks) {
  const fs::path dir = qn::testing::makeScratchDir("rescomp");
  std::ofstream(dir / "table.str", std::ios::binary) << "# strings\n1\tPlain\n2\tLeft \xE2\x86\x92 right\n";
  const auto run =
      qn::tools::testing::runProgram(QN_RESCOMP, {(dir / "out.cpp").string(), "--strings", (dir / "table.str").string()});
  EXPECT_EQ(run.exitCode, 1);
  EXPECT_EQ(run.output, "rescomp: " + (dir / "table.str").string() +
                            ":3: a character that is not UTF-8 or that Windows-1252 does not have\n");
  EXPECT_FALSE(fs::exists(dir / "out.cpp"));
}

}  // namespace
