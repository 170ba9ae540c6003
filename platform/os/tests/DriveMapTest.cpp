#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "platform/os/DriveMap.h"
#include "platform/os/MachineRoot.h"
#include "platform/os/Paths.h"
#include "testing/TestDirs.h"

namespace {
using namespace qn::os;

class DriveMapTest : public ::testing::Test {
 protected:
  std::string dir = qn::testing::makeScratchDir("drivemap");
};

TEST_F(DriveMapTest, TheMapListsEachLetterOnceInLetterOrder) {
  std::ofstream(driveMapFile()) << "; mapped drives\n"
                                << "q=/srv/shared\n"
                                << "C = /home/office\n"
                                << "Q=/elsewhere\n";
  using Drives = std::vector<std::pair<char, std::string>>;
  EXPECT_EQ(mappedDrives(), (Drives{{'C', "/home/office"}, {'Q', "/srv/shared"}}));
  EXPECT_EQ(driveFolder('q'), "/srv/shared") << "the first line of a letter holds";
}

TEST_F(DriveMapTest, NoMapListsNoDrivesAndADamagedOneIsRefused) {
  std::filesystem::remove(driveMapFile());
  EXPECT_TRUE(mappedDrives().empty());
  std::ofstream(driveMapFile()) << "C=/srv\nCD=/x\n";
  EXPECT_THROW(mappedDrives(), PathError);
}

}  // namespace
