// Another process changing a file under us while we work: replacing it while we open it, removing
// or replacing its lock file while a workstation holds locks, and adding and dropping keys while
// we write. `qnrecmgr serve` plays the other workstation.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <functional>

#include "platform/recmgr/tests/RecmgrFixture.h"
#include "platform/recmgr/tests/ServeChild.h"
#include "platform/recmgr/tool/Hex.h"

namespace qn::recmgr::testing {
namespace {

constexpr uint16_t getEqual = 5, getNext = 6, getFirst = 12, single = 200;
constexpr int racingMs = 1500;

const ClientId otherClient{'o', 't', 'h', 'e', 'r'};

std::string number(uint32_t n) {
  std::string k(4, '\0');
  putU32(k, 0, n);
  return k;
}

std::string hexOf(const std::vector<uint8_t>& bytes) { return toHex(std::string(bytes.begin(), bytes.end())); }

uint32_t recordCount(OpenFile& f) {
  const auto s = f.stat();
  return getU32(std::string(s.begin(), s.end()), 6);
}

// The records of key path `key`, first to last.
std::vector<std::string> keyPath(OpenFile& f, int8_t key) {
  std::vector<std::string> records;
  for (OpenFile::Read r = f.read(getFirst, key); r.status == 0; r = f.read(getNext, key)) records.push_back(r.record);
  return records;
}

int toolExitCode(const std::string& arguments) {
  const std::string command = programFolder() + "/qnrecmgr " + arguments + " >/dev/null 2>&1";
  const int rc = std::system(command.c_str());
  return WIFEXITED(rc) ? WEXITSTATUS(rc) : -1;
}

class SharingRaces : public RecmgrFixture {
 protected:
  void SetUp() override {
    RecmgrFixture::SetUp();
    file_ = makeSmallFile("shared.qf", {"ann", "bob"});
  }
  // Runs `step` again and again until the child answers the command it was sent.
  void whileChildRuns(const std::function<void()>& step) {
    while (!child_.answerReady() && !::testing::Test::HasFatalFailure()) step();
  }

  std::string file_;
  ServeChild child_;
};

TEST_F(SharingRaces, AnOpenRacingAReplaceIsOnTheFileAtThePath) {
  const std::string emptySpec = hexOf(createSpec(smallRecordLength, {{{1, 4, 15}}, {{5, 8, 0, 0x01 | 0x02}}}));
  child_.send("during " + std::to_string(racingMs) + " create " + file_ + " " + emptySpec + " 0");
  int checked = 0;
  whileChildRuns([&] {
    OpenFile opened;
    const int16_t s = opened.open(file_);
    ASSERT_TRUE(s == 0 || s == 85) << s;
    if (s != 0) return;
    std::string r = smallRecord("parent");
    const int16_t inserted = opened.insert(r);
    ASSERT_TRUE(inserted == 0 || inserted == 84 || inserted == 85) << inserted;
    if (inserted != 0) return;
    // While we hold the file nobody replaces it: a handle opened now is on the file at the path.
    OpenFile fresh(&otherClient);
    ASSERT_EQ(fresh.open(file_), 0);
    EXPECT_EQ(fresh.read(getEqual, 0, r.substr(0, 4)).status, 0) << "the open was on a replaced file";
    EXPECT_EQ(recordCount(fresh), recordCount(opened));
    ++checked;
  });
  const std::string summary = child_.answer();
  EXPECT_GT(checked, 0) << summary;
  EXPECT_NE(summary.find("0:"), std::string::npos) << "no replace was done: " << summary;
}

// What happens to the lock file while the child holds the file.
struct LockFileChange {
  const char* name;
  std::function<void(const std::string& lockFile)> apply;
};

void PrintTo(const LockFileChange& change, std::ostream* out) { *out << change.name; }

class RemovedLockFiles : public SharingRaces, public ::testing::WithParamInterface<LockFileChange> {};

TEST_P(RemovedLockFiles, NeverLetASecondWorkstationHoldWhatTheFirstHolds) {
  const std::string lockFile = file_ + ".lck";
  for (const int mode : {0, -4}) {
    SCOPED_TRACE(mode == 0 ? "record lock" : "exclusive open");
    ASSERT_EQ(child_.status("open 0 " + file_ + " " + std::to_string(mode)), 0);
    if (mode == 0) {
      ASSERT_EQ(child_.status("read 0 " + std::to_string(getEqual + single) + " 0 " + toHex(number(1))), 0);
    }
    GetParam().apply(lockFile);

    OpenFile f;
    EXPECT_EQ(f.open(file_), 85) << "a second holder beside the first";
    EXPECT_EQ(createFile(file_, createSpec(smallRecordLength, {{{1, 4, 15}}})), 85) << "a replace of an open file";
    OpenFile again;
    EXPECT_EQ(again.open(file_), 85) << "the lock file the first refusal left must not let the next one in";

    // Once the holder lets go, the file is usable again, with locks that work.
    ASSERT_EQ(child_.status("close 0"), 0);
    ASSERT_EQ(f.open(file_), 0);
    ASSERT_EQ(f.read(getEqual + single, 0, number(1)).status, 0);
    ASSERT_EQ(child_.status("open 0 " + file_), 0);
    EXPECT_EQ(child_.status("read 0 " + std::to_string(getEqual + single) + " 0 " + toHex(number(1))), 84);
    ASSERT_EQ(child_.status("close 0"), 0);
    ASSERT_EQ(f.close(), 0);
  }
}

INSTANTIATE_TEST_SUITE_P(
    Changes, RemovedLockFiles,
    ::testing::Values(LockFileChange{"removed", [](const std::string& lock) { ASSERT_EQ(::unlink(lock.c_str()), 0); }},
                      LockFileChange{"renamed", [](const std::string& lock) {
                                       ASSERT_EQ(::rename(lock.c_str(), (lock + ".away").c_str()), 0);
                                     }},
                      LockFileChange{"replaced",
                                     [](const std::string& lock) {
                                       const std::string other = lock + ".new";
                                       const int fd = ::open(other.c_str(), O_CREAT | O_WRONLY, 0666);
                                       ASSERT_GE(fd, 0);
                                       ::close(fd);
                                       ASSERT_EQ(::rename(other.c_str(), lock.c_str()), 0);
                                     }}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(SharingRaces, AClientOfTheHoldersOwnProcessIsRefusedToo) {
  OpenFile holder;
  ASSERT_EQ(holder.open(file_), 0);
  ASSERT_EQ(holder.read(getEqual + single, 0, number(1)).status, 0);
  ASSERT_EQ(::unlink((file_ + ".lck").c_str()), 0);
  OpenFile other(&otherClient);
  EXPECT_EQ(other.open(file_), 85);
  ASSERT_EQ(holder.close(), 0);
  ASSERT_EQ(other.open(file_), 0);
  EXPECT_EQ(other.read(getEqual + single, 0, number(1)).status, 0);
}

TEST_F(SharingRaces, WritesRacingKeyChangesInAnotherProcessLandWhole) {
  // A key over the filler bytes 13..16, added and dropped again and again.
  const auto spec = createSpec(smallRecordLength, {{{13, 4, 0, 0x01}}});
  const std::string segments = toHex(std::string(spec.begin() + 16, spec.end()));
  ASSERT_EQ(child_.status("open 0 " + file_), 0);
  child_.send("during " + std::to_string(racingMs) + " index 0 " + segments + " ; drop 0 2");

  OpenFile f;
  ASSERT_EQ(f.open(file_), 0);
  uint32_t expected = 2;
  int round = 0;
  whileChildRuns([&] {
    std::string r = smallRecord("p" + std::to_string(round++ % 1000));
    const int16_t inserted = f.insert(r);
    ASSERT_TRUE(inserted == 0 || inserted == 84) << inserted;
    if (inserted == 0) ++expected;
    const OpenFile::Read first = f.read(getFirst, 0);
    ASSERT_EQ(first.status, 0);
    std::string changed = first.record;
    changed[4] = static_cast<char>('a' + round % 26);
    const int16_t updated = f.update(changed);
    ASSERT_TRUE(updated == 0 || updated == 84) << updated;
  });
  const std::string summary = child_.answer();
  EXPECT_EQ(summary.find("2:"), std::string::npos) << summary;
  EXPECT_GT(round, 0);

  EXPECT_EQ(recordCount(f), expected);
  for (int8_t key : {0, 1}) EXPECT_EQ(keyPath(f, key).size(), expected) << "key " << int(key);
  ASSERT_EQ(f.close(), 0);
  ASSERT_EQ(child_.status("close 0"), 0);
  EXPECT_EQ(toolExitCode("check " + file_), 0);
}

}  // namespace
}  // namespace qn::recmgr::testing
