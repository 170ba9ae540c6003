#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "platform/os/MachineRoot.h"
#include "platform/os/Paths.h"
#include "testing/TestDirs.h"

namespace {
using namespace qn::os;
namespace fs = std::filesystem;

void touch(const fs::path& p) {
  fs::create_directories(p.parent_path());
  std::ofstream(p) << "x";
}

class PathsTest : public ::testing::Test {
 protected:
  std::string dir = qn::testing::makeScratchDir("paths");
};

TEST_F(PathsTest, EachComponentResolvesWithoutCase) {
  touch(fs::path(dir) / "Data" / "CASE.QC");
  EXPECT_EQ(resolvePath(dir + "\\data\\case.qc"), dir + "/Data/CASE.QC");
  EXPECT_EQ(resolvePath(dir + "/DATA/Case.Qc"), dir + "/Data/CASE.QC");
  EXPECT_EQ(resolvePath(dir + "\\data\\New.qc"), dir + "/Data/New.qc") << "a new file keeps its spelling";
  EXPECT_EQ(resolvePath(dir + "\\missing\\Case.qc"), dir + "/missing/Case.qc");
}

TEST_F(PathsTest, TwoSpellingsOfOneNameAreAnErrorNamingBoth) {
  touch(fs::path(dir) / "Sysop.QC");
  touch(fs::path(dir) / "SYSOP.qc");
  EXPECT_EQ(resolvePath(dir + "/Sysop.QC"), dir + "/Sysop.QC") << "the exact spelling wins";
  try {
    resolvePath(dir + "\\sysop.qc");
    ADD_FAILURE() << "an ambiguous name resolved";
  } catch (const AmbiguousPathError& e) {
    std::string message = e.what();
    EXPECT_NE(message.find("\"Sysop.QC\""), std::string::npos) << message;
    EXPECT_NE(message.find("\"SYSOP.qc\""), std::string::npos) << message;
  }
}

TEST_F(PathsTest, DotsApplyToTheTextBeforeThem) {
  touch(fs::path(dir) / "Data" / "Case.qc");
  EXPECT_EQ(resolvePath(dir + "\\.\\DATA\\..\\data\\.\\case.qc"), dir + "/Data/Case.qc");
  EXPECT_EQ(resolvePath("/..\\..\\tmp"), "/tmp") << "nothing above the root";
  EXPECT_EQ(resolvePath("a\\..\\..\\b"), "../b") << "a relative path keeps what reaches above it";
  EXPECT_EQ(resolvePath(".\\"), ".");
}

TEST_F(PathsTest, DriveLettersGoThroughTheDriveMap) {
  touch(fs::path(dir) / "Office" / "Data" / "Case.qc");
  std::ofstream(driveMapFile()) << "# drives of this machine\n"
                                << "c = " << dir << "/Office\n"
                                << "\n"
                                << "Q=" << dir << "\n";
  EXPECT_EQ(resolvePath("C:\\DATA\\case.qc"), dir + "/Office/Data/Case.qc");
  EXPECT_EQ(resolvePath("c:/data"), dir + "/Office/Data");
  EXPECT_EQ(resolvePath("C:"), dir + "/Office");
  EXPECT_EQ(resolvePath("C:\\..\\..\\Data"), dir + "/Office/Data") << "nothing above the drive's folder";
  EXPECT_EQ(resolvePath("q:\\office"), dir + "/Office");

  try {
    resolvePath("Z:\\Data");
    ADD_FAILURE() << "an unmapped drive resolved";
  } catch (const UnmappedDriveError& e) {
    EXPECT_NE(std::string(e.what()).find("Z:"), std::string::npos) << e.what();
    EXPECT_NE(std::string(e.what()).find(driveMapFile()), std::string::npos) << e.what();
  }
}

TEST_F(PathsTest, ADamagedDriveMapIsRefused) {
  std::ofstream(driveMapFile()) << "C=/srv\nthis is not a mapping\n";
  try {
    resolvePath("C:\\x");
    ADD_FAILURE() << "a damaged drive map was used";
  } catch (const PathError& e) {
    EXPECT_NE(std::string(e.what()).find("line 2"), std::string::npos) << e.what();
  }
}

}  // namespace
