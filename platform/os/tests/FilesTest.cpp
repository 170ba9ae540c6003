#include <gtest/gtest.h>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "platform/os/DirectoryListing.h"
#include "platform/os/FileNames.h"
#include "platform/os/Files.h"
#include "platform/os/IniFile.h"
#include "platform/os/UserName.h"
#include "testing/TestDirs.h"
#include "testing/TestFiles.h"

namespace {
using namespace qn::os;
namespace fs = std::filesystem;

class FilesTest : public ::testing::Test {
 protected:
  std::string dir = qn::testing::makeScratchDir("files");
};

TEST_F(FilesTest, CopyWithFailIfExistsLeavesTheDestinationAlone) {
  qn::testing::writeFileText(dir + "/Audit.clo", "template");
  qn::testing::writeFileText(dir + "/Audit07.qc", "records of the day");
  EXPECT_FALSE(copyFile(dir + "\\audit.CLO", dir + "\\AUDIT07.QC", true));
  EXPECT_EQ(qn::testing::readFileText(dir + "/Audit07.qc"), "records of the day");

  EXPECT_TRUE(copyFile(dir + "\\audit.CLO", dir + "\\AUDIT07.QC", false)) << "without the flag it replaces";
  EXPECT_EQ(qn::testing::readFileText(dir + "/Audit07.qc"), "template");
  EXPECT_FALSE(fs::exists(dir + "/AUDIT07.QC")) << "the existing spelling is replaced, not a second file made";

  EXPECT_TRUE(copyFile(dir + "/Audit.clo", dir + "/Audit08.qc", true));
  EXPECT_EQ(qn::testing::readFileText(dir + "/Audit08.qc"), "template");
}

TEST_F(FilesTest, CopyKeepsTheModificationTimeAndFailsCleanly) {
  qn::testing::writeFileText(dir + "/a.txt", "a");
  fs::last_write_time(dir + "/a.txt", fs::file_time_type::clock::now() - std::chrono::hours(48));
  ASSERT_TRUE(copyFile(dir + "/a.txt", dir + "/b.txt", true));
  EXPECT_EQ(fileModificationTime(dir + "/b.txt"), fileModificationTime(dir + "/A.TXT"));

  EXPECT_FALSE(copyFile(dir + "/missing.txt", dir + "/c.txt", true));
  EXPECT_FALSE(copyFile(dir + "/a.txt", dir + "/no/such/folder/c.txt", true));
  EXPECT_FALSE(copyFile(dir, dir + "/d.txt", true)) << "a folder is not copied as a file";
  for (const auto& e : fs::directory_iterator(dir))
    EXPECT_EQ(e.path().filename().string().find(".tmp"), std::string::npos) << e.path();
}

TEST_F(FilesTest, FilesWithTheLongestNamesAreCopiedAndRewritten) {
  // 255 bytes is as long as a name may be; the temporary a replacement is written to first must
  // fit too.
  for (size_t length : {240u, 250u, 255u}) {
    const std::string name = std::string(length - 4, 'n') + ".ini";
    qn::testing::writeFileText(dir + "/source", "[Setup]\nWSID=07\n");
    EXPECT_TRUE(copyFile(dir + "/source", dir + "/" + name, false)) << length;
    EXPECT_EQ(qn::testing::readFileText(dir + "/" + name), "[Setup]\nWSID=07\n") << length;
    IniFile(dir + "/" + name).WriteString("Setup", "WSID", "08");
    EXPECT_EQ(IniFile(dir + "/" + name).ReadString("Setup", "WSID", ""), "08") << length;
    EXPECT_TRUE(deleteFile(dir + "/" + name));
  }
  EXPECT_EQ(std::distance(fs::directory_iterator(dir), fs::directory_iterator()), 1) << "no temporary is left";
}

TEST_F(FilesTest, ExistenceDeleteAndRename) {
  qn::testing::writeFileText(dir + "/Data/Case.qc", "x");
  EXPECT_TRUE(fileExists(dir + "\\DATA\\case.QC"));
  EXPECT_FALSE(fileExists(dir + "\\DATA"));
  EXPECT_TRUE(directoryExists(dir + "\\data"));
  EXPECT_FALSE(directoryExists(dir + "\\data\\case.qc"));

  qn::testing::writeFileText(dir + "/Data/Other.qc", "y");
  EXPECT_FALSE(renameFile(dir + "\\data\\other.qc", dir + "\\data\\CASE.QC")) << "an existing file stays";
  EXPECT_EQ(qn::testing::readFileText(dir + "/Data/Case.qc"), "x");
  EXPECT_TRUE(renameFile(dir + "\\data\\other.qc", dir + "\\data\\Moved.qc"));
  EXPECT_EQ(qn::testing::readFileText(dir + "/Data/Moved.qc"), "y");

  EXPECT_TRUE(deleteFile(dir + "\\data\\moved.QC"));
  EXPECT_FALSE(fileExists(dir + "/Data/Moved.qc"));
  EXPECT_FALSE(deleteFile(dir + "\\data\\moved.QC"));
  EXPECT_FALSE(deleteFile(dir + "\\data")) << "a folder is not a file";
}

TEST_F(FilesTest, ANewFileIsMadeEmptyOnlyWhereTheNameIsFree) {
  qn::testing::writeFileText(dir + "/Data/BS052626.001", "another workstation's report");
  fs::create_directories(dir + "/Data/Folder");
  fs::create_symlink(dir + "/Data/nowhere", dir + "/Data/Link");
  EXPECT_FALSE(createNewFile(dir + "\\DATA\\bs052626.001")) << "taken in another letter case";
  EXPECT_EQ(qn::testing::readFileText(dir + "/Data/BS052626.001"), "another workstation's report");
  EXPECT_FALSE(createNewFile(dir + "\\data\\folder"));
  EXPECT_FALSE(createNewFile(dir + "\\data\\Link")) << "a link's target is not made";
  EXPECT_FALSE(fs::exists(dir + "/Data/nowhere"));
  EXPECT_FALSE(createNewFile(dir + "\\data\\missing\\x.001"));

  ASSERT_TRUE(createNewFile(dir + "\\data\\BS052626.002"));
  EXPECT_TRUE(fs::is_regular_file(dir + "/Data/BS052626.002"));
  EXPECT_EQ(fs::file_size(dir + "/Data/BS052626.002"), 0u);
  EXPECT_FALSE(createNewFile(dir + "\\data\\BS052626.002")) << "the second attempt finds it taken";
}

TEST_F(FilesTest, ForceDirectoriesCreatesEveryLevel) {
  qn::testing::writeFileText(dir + "/Data/x", "");
  EXPECT_TRUE(forceDirectories(dir + "\\DATA\\cmdata\\Mail"));
  EXPECT_TRUE(fs::is_directory(dir + "/Data/cmdata/Mail")) << "the existing folder is used";
  EXPECT_TRUE(forceDirectories(dir + "\\DATA\\cmdata"));
  qn::testing::writeFileText(dir + "/Blocked", "a file");
  EXPECT_FALSE(forceDirectories(dir + "/Blocked/Sub"));
}

TEST_F(FilesTest, CurrentFolderAndDates) {
  const std::string before = currentDirectory();
  ASSERT_TRUE(setCurrentDirectory(dir));
  EXPECT_EQ(fs::path(currentDirectory()), fs::canonical(dir));
  qn::testing::writeFileText(dir + "/Here.txt", "x");
  EXPECT_TRUE(fileExists("here.TXT")) << "relative to the current folder";
  ASSERT_TRUE(setCurrentDirectory(before));
  EXPECT_FALSE(setCurrentDirectory(dir + "/missing"));

  EXPECT_FALSE(fileModificationTime(dir + "/missing").has_value());
  std::time_t now = std::time(nullptr);
  std::optional<std::time_t> written = fileModificationTime(dir + "/HERE.txt");
  ASSERT_TRUE(written.has_value());
  EXPECT_LE(std::abs(*written - now), 60);
}

TEST_F(FilesTest, ListingByMask) {
  for (const char* name : {"Case1.qic", "case2.QIC", "Case3.qc", "README", "notes.qic.bak"})
    qn::testing::writeFileText(dir + "/" + name, name);
  fs::create_directories(dir + "/Sub.qic");
  auto names = [](const std::vector<DirectoryEntry>& entries) {
    std::vector<std::string> out;
    for (const DirectoryEntry& e : entries) out.push_back(e.name);
    return out;
  };
  EXPECT_EQ(names(listDirectory(dir + "\\*.qic")), (std::vector<std::string>{"Case1.qic", "case2.QIC", "Sub.qic"}));
  EXPECT_EQ(names(listDirectory(dir + "\\CASE?.q*")), (std::vector<std::string>{"Case1.qic", "case2.QIC", "Case3.qc"}));
  EXPECT_EQ(names(listDirectory(dir + "\\*.*")).size(), 6u) << "\"*.*\" takes names without a dot too";
  EXPECT_EQ(names(listDirectory(dir + "\\readme.*")), std::vector<std::string>{"README"});
  EXPECT_TRUE(listDirectory(dir + "\\*.xyz").empty());
  EXPECT_TRUE(listDirectory(dir + "\\missing\\*.qic").empty());

  std::vector<DirectoryEntry> sub = listDirectory(dir + "/sub.QIC");
  ASSERT_EQ(sub.size(), 1u);
  EXPECT_TRUE(sub[0].isDirectory);
  std::vector<DirectoryEntry> one = listDirectory(dir + "/Case3.qc");
  ASSERT_EQ(one.size(), 1u);
  EXPECT_EQ(one[0].size, 8u);
}

struct NameCase {
  const char* path;
  const char* drive;
  const char* filePath;
  const char* dir;
  const char* name;
  const char* ext;
  const char* changed;  // the extension changed to ".bak"
};

TEST(FileNamesTest, PartsOfAPath) {
  const NameCase cases[] = {
      {"C:\\QN\\Data\\Case.qc", "C:", "C:\\QN\\Data\\", "C:\\QN\\Data", "Case.qc", ".qc", "C:\\QN\\Data\\Case.bak"},
      {"C:\\Case.qc", "C:", "C:\\", "C:\\", "Case.qc", ".qc", "C:\\Case.bak"},
      {"C:Case", "C:", "C:", "C:", "Case", "", "C:Case.bak"},
      {"/srv/qn.d/README", "", "/srv/qn.d/", "/srv/qn.d", "README", "", "/srv/qn.d/README.bak"},
      {"/Case.qc", "", "/", "/", "Case.qc", ".qc", "/Case.bak"},
      {"Case.tar.gz", "", "", "", "Case.tar.gz", ".gz", "Case.tar.bak"},
      {"dir\\sub/", "", "dir\\sub/", "dir\\sub", "", "", "dir\\sub/.bak"},
  };
  for (const NameCase& c : cases) {
    SCOPED_TRACE(c.path);
    EXPECT_EQ(extractFileDrive(c.path), c.drive);
    EXPECT_EQ(extractFilePath(c.path), c.filePath);
    EXPECT_EQ(extractFileDir(c.path), c.dir);
    EXPECT_EQ(extractFileName(c.path), c.name);
    EXPECT_EQ(extractFileExt(c.path), c.ext);
    EXPECT_EQ(changeFileExt(c.path, ".bak"), c.changed);
  }
}

TEST(UserNameTest, TheNetworkUserIsTheLoginName) {
  struct passwd* pw = getpwuid(geteuid());
  ASSERT_NE(pw, nullptr) << "the test needs a user the system knows";
  EXPECT_EQ(networkUserName(), pw->pw_name);
}

}  // namespace
