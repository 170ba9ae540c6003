// A file another process cuts short while it is open here: every call answers a status and this
// process goes on.
#include <sys/wait.h>
#include <unistd.h>

#include "platform/recmgr/tests/RecmgrFixture.h"

namespace qn::recmgr::testing {
namespace {

constexpr uint16_t getEqual = 5, getNext = 6, getFirst = 12, getLast = 13, stepFirst = 33, single = 200;
constexpr int16_t damagedFile = 2;

// Truncates the file from a process of its own, as another workstation replacing it would.
void truncateElsewhere(const std::string& file, off_t size) {
  const pid_t child = ::fork();
  if (child == 0) _exit(::truncate(file.c_str(), size) == 0 ? 0 : 1);
  int status = 0;
  ASSERT_EQ(::waitpid(child, &status, 0), child);
  ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
}

class TruncatedFile : public RecmgrFixture, public ::testing::WithParamInterface<off_t> {};

TEST_P(TruncatedFile, ReadsAndWritesOfAFileCutShortAnswerTheDamagedFileStatus) {
  std::vector<std::string> names;
  for (int i = 0; i < 200; ++i) names.push_back("n" + std::to_string(i));
  const std::string file = makeSmallFile("cut.qf", names);
  OpenFile f;
  ASSERT_EQ(f.open(file), 0);
  const OpenFile::Read first = f.read(getFirst, 0);
  ASSERT_EQ(first.status, 0);
  ASSERT_EQ(f.read(getNext, 0).status, 0);

  truncateElsewhere(file, GetParam());

  EXPECT_EQ(f.read(getFirst, 0).status, damagedFile);
  EXPECT_EQ(f.read(getLast, 1).status, damagedFile);
  EXPECT_EQ(f.read(getEqual + single, 0, first.key).status, damagedFile);
  EXPECT_EQ(f.read(stepFirst, 0).status, damagedFile);
  std::string added = smallRecord("added");
  EXPECT_EQ(f.insert(added), damagedFile);
  EXPECT_EQ(f.update(first.record), damagedFile);
  EXPECT_EQ(f.remove(), damagedFile);
  EXPECT_EQ(f.close(), 0);
}

// Below one page, and nothing left at all.
INSTANTIATE_TEST_SUITE_P(Sizes, TruncatedFile, ::testing::Values(off_t{100}, off_t{0}),
                         [](const ::testing::TestParamInfo<off_t>& info) {
                           return "To" + std::to_string(info.param) + "Bytes";
                         });

}  // namespace
}  // namespace qn::recmgr::testing
