// A workstation that dies with its changes half written into a record file leaves a journal that
// only the next writer can roll back. Whoever comes next must find the file whole and unlocked at
// once: the dead process holds nothing any more.
#include <sqlite3.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>

#include "platform/recmgr/OperationCodes.h"
#include "platform/recmgr/tests/RecmgrFixture.h"

namespace qn::recmgr::testing {
namespace {

// A process that writes many records into `path` through a page cache too small to hold them, so
// its pages reach the file before any commit, and that then dies without committing.
void dieMidWrite(const std::string& path) {
  const pid_t pid = ::fork();
  ASSERT_GE(pid, 0);
  if (pid == 0) {
    sqlite3* db = nullptr;
    if (sqlite3_open_v2(path.c_str(), &db, SQLITE_OPEN_READWRITE, nullptr) != SQLITE_OK) ::_exit(2);
    const char* work =
        "PRAGMA cache_size=2; PRAGMA cache_spill=ON; BEGIN;"
        "UPDATE records SET bytes = randomblob(length(bytes));";
    if (sqlite3_exec(db, work, nullptr, nullptr, nullptr) != SQLITE_OK) ::_exit(3);
    ::_exit(std::filesystem::exists(path + "-journal") ? 0 : 4);  // dead, journal left behind
  }
  int status = 0;
  ASSERT_EQ(::waitpid(pid, &status, 0), pid);
  ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << "the writer left no journal: " << status;
}

class DeadWriter : public RecmgrFixture {};

TEST_F(DeadWriter, TheNextOpenerFindsTheFileWholeAndNobodysLock) {
  std::vector<std::string> names;
  for (int i = 0; i < 80; ++i) names.push_back("name" + std::to_string(1000 + i));
  const std::string file = makeSmallFile("dead.qf", names);
  dieMidWrite(file);
  ASSERT_TRUE(std::filesystem::exists(file + "-journal"));

  for (int8_t mode : {int8_t{-2}, int8_t{0}}) {  // read-only first: it cannot roll back, the next can
    SCOPED_TRACE(static_cast<int>(mode));
    OpenFile f;
    ASSERT_EQ(f.open(file, mode), 0) << "a dead writer's file answered as locked";
    const auto s = f.stat();
    EXPECT_EQ(getU32(std::string(s.begin(), s.end()), 6), names.size());
    // Every record as it was before the dead writer touched it, in key order.
    OpenFile::Read r = f.read(op::getFirst, 0);
    for (const std::string& name : names) {
      ASSERT_EQ(r.status, 0) << name;
      EXPECT_EQ(r.record.substr(4), smallRecord(name).substr(4));
      r = f.read(op::getNext, 0);
    }
    EXPECT_EQ(r.status, 9);
  }
  OpenFile f;
  ASSERT_EQ(f.open(file), 0);
  std::string r = smallRecord("after");
  EXPECT_EQ(f.insert(r), 0);
  EXPECT_FALSE(std::filesystem::exists(file + "-journal"));
}

}  // namespace
}  // namespace qn::recmgr::testing
