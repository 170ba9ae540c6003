// Each client's current directory: where relative names start.
#include <unistd.h>

#include <climits>
#include <filesystem>

#include "platform/recmgr/tests/RecmgrFixture.h"

namespace qn::recmgr::testing {
namespace {

class Directories : public RecmgrFixture {
 protected:
  static int16_t setDirectory(const std::string& dir, const ClientId* client = nullptr) {
    std::string key = dir + '\0';
    uint16_t length = 0;
    return RecordManagerApi::instance().call(17, nullptr, nullptr, &length, key.data(), 0, client);
  }
  static std::string getDirectory(const ClientId* client = nullptr) {
    std::string key(300, '\x5A');
    uint16_t length = 0;
    EXPECT_EQ(RecordManagerApi::instance().call(18, nullptr, nullptr, &length, key.data(), 0, client), 0);
    const size_t end = key.find('\0');
    EXPECT_EQ(key.substr(end + 1), std::string(300 - end - 1, '\x5A')) << "nothing written past the zero";
    return key.substr(0, end);
  }
};

TEST_F(Directories, RelativeNamesStartFromTheClientsDirectory) {
  std::filesystem::create_directories(path("one"));
  std::filesystem::create_directories(path("two"));
  const std::string one = std::filesystem::canonical(path("one")).string();
  const std::string two = std::filesystem::canonical(path("two")).string();
  const ClientId other{0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 'D', 'R', 0, 0};

  char cwd[PATH_MAX];
  ASSERT_NE(::getcwd(cwd, sizeof cwd), nullptr);
  EXPECT_EQ(getDirectory(&other), std::filesystem::canonical(cwd).string()) << "initially the working directory";

  ASSERT_EQ(setDirectory(one), 0);
  ASSERT_EQ(setDirectory(two, &other), 0);
  EXPECT_EQ(getDirectory(), one);
  EXPECT_EQ(getDirectory(&other), two);

  ASSERT_EQ(createFile("here.qf", createSpec(16, {})), 0);
  EXPECT_TRUE(std::filesystem::exists(one + "/here.qf"));
  OpenFile mine, theirs(&other);
  EXPECT_EQ(mine.open("HERE.QF"), 0) << "letter case resolves";
  EXPECT_EQ(theirs.open("here.qf"), 12) << "not in the other client's directory";
  EXPECT_EQ(theirs.open("..\\one\\here.qf"), 0);

  ASSERT_EQ(setDirectory("../two"), 0) << "relative to the current one";
  EXPECT_EQ(getDirectory(), two);
  EXPECT_EQ(setDirectory(path("missing")), 35);
  EXPECT_EQ(setDirectory(one + "/here.qf"), 35) << "a file is no directory";
  EXPECT_EQ(getDirectory(), two) << "a refused change changes nothing";
}

TEST_F(Directories, ADriveNoFolderIsMappedToIsADirectoryError) {
  const std::string name = "Q:\\data\\file.qf";  // this test's machine maps no drive
  OpenFile f;
  EXPECT_EQ(f.open(name), 35);
  EXPECT_EQ(createFile(name, createSpec(16, {})), 35);
  EXPECT_EQ(setDirectory("Q:\\data"), 35);
}

}  // namespace
}  // namespace qn::recmgr::testing
