// Every operation against the states that make it fail, and the status each answers.
#include <sys/stat.h>

#include <fstream>
#include <functional>

#include "platform/recmgr/tests/RecmgrFixture.h"

namespace qn::recmgr::testing {
namespace {

class OperationStatus : public RecmgrFixture {};

int16_t rawCall(uint16_t op, OpenFile& f, int8_t keyNumber = 0, uint16_t length = 32) {
  std::string data(1024, '\0');
  std::string key(256, '\0');
  return RecordManagerApi::instance().call(op, f.block(), data.data(), &length, key.data(), keyNumber);
}

TEST_F(OperationStatus, EachOperationAnswersItsStatus) {
  const std::string file = makeSmallFile("ops.qf", {"BBB", "AAA", "CCC"});
  const std::string empty = makeSmallFile("empty.qf", {});

  struct Case {
    const char* what;
    std::function<int16_t(OpenFile&)> run;
    int16_t expected;
  };
  const std::vector<Case> onOpenFile = {
      {"get equal of a missing value", [](OpenFile& f) { return f.read(5, 1, nameKey("ZZZ")).status; }, 4},
      {"get equal of a present value", [](OpenFile& f) { return f.read(5, 1, nameKey("BBB")).status; }, 0},
      {"a key number the file lacks", [](OpenFile& f) { return f.read(12, 2).status; }, 6},
      {"a negative key number", [](OpenFile& f) { return f.read(12, -1).status; }, 6},
      {"next without a current record", [](OpenFile& f) { return f.read(6, 1).status; }, 8},
      {"previous without a current record", [](OpenFile& f) { return f.read(7, 1).status; }, 8},
      {"step next without a current record", [](OpenFile& f) { return f.read(24, 0).status; }, 8},
      {"get position without a current record", [](OpenFile& f) { return rawCall(22, f); }, 8},
      {"update without a current record", [](OpenFile& f) { return f.update(smallRecord("X")); }, 8},
      {"delete without a current record", [](OpenFile& f) { return f.remove(); }, 8},
      {"greater than the greatest", [](OpenFile& f) { return f.read(8, 1, nameKey("CCC")).status; }, 9},
      {"greater or equal past the end", [](OpenFile& f) { return f.read(9, 1, nameKey("D")).status; }, 9},
      {"less than the least", [](OpenFile& f) { return f.read(10, 1, nameKey("AAA")).status; }, 9},
      {"less or equal before the start", [](OpenFile& f) { return f.read(11, 1, nameKey("A")).status; }, 9},
      {"next at the end", [](OpenFile& f) { f.read(13, 1); return f.read(6, 1).status; }, 9},
      {"previous at the start", [](OpenFile& f) { f.read(12, 1); return f.read(7, 1).status; }, 9},
      {"step next at the end", [](OpenFile& f) { f.read(34, 0); return f.read(24, 0).status; }, 9},
      {"step previous at the start", [](OpenFile& f) { f.read(33, 0); return f.read(35, 0).status; }, 9},
      {"insert shorter than the record", [](OpenFile& f) { return rawCall(2, f, 0, 31); }, 22},
      {"insert of a duplicate unique key",
       [](OpenFile& f) { std::string r = smallRecord("X", 1); return f.insert(r); }, 5},
      {"update changing a non-modifiable key",
       [](OpenFile& f) { f.read(12, 0); return f.update(smallRecord("AAA", 77)); }, 10},
      {"update shorter than the record", [](OpenFile& f) { f.read(12, 0); return rawCall(3, f, 0, 20); }, 22},
      {"get direct of a position never used", [](OpenFile& f) { return f.direct(999).status; }, 43},
      {"get direct of position 0", [](OpenFile& f) { return f.direct(0).status; }, 43},
      {"get direct with a 3-byte buffer", [](OpenFile& f) { return rawCall(23, f, 0, 3); }, 22},
      {"get direct with a key number the file lacks", [](OpenFile& f) { return f.direct(1, 5).status; }, 6},
      {"stat into a buffer too short", [](OpenFile& f) { int16_t s; f.stat(20, &s); return s; }, 22},
      {"read into a buffer too short", [](OpenFile& f) { return f.read(12, 0, "", 10).status; }, 22},
      {"unknown operation", [](OpenFile& f) { return rawCall(16, f); }, 1},
      {"operation beyond the table", [](OpenFile& f) { return rawCall(99, f); }, 1},
      {"lock bias on insert", [](OpenFile& f) { return rawCall(202, f); }, 1},
      {"lock bias on create", [](OpenFile& f) { return rawCall(214, f); }, 1},
      {"lock bias on a read", [](OpenFile& f) { return f.read(212, 0).status; }, 0},
      {"waiting lock bias on a read", [](OpenFile& f) { return f.read(312, 0).status; }, 0},
      {"unlock with nothing locked", [](OpenFile& f) { return rawCall(27, f); }, 0},
      {"stop", [](OpenFile& f) { return rawCall(25, f); }, 0},
  };
  for (const Case& c : onOpenFile) {
    SCOPED_TRACE(c.what);
    OpenFile f;
    ASSERT_EQ(f.open(file), 0);
    EXPECT_EQ(c.run(f), c.expected);
  }

  const std::vector<Case> onEmptyFile = {
      {"first of an empty key path", [](OpenFile& f) { return f.read(12, 1).status; }, 9},
      {"last of an empty key path", [](OpenFile& f) { return f.read(13, 0).status; }, 9},
      {"step first of an empty file", [](OpenFile& f) { return f.read(33, 0).status; }, 9},
      {"step last of an empty file", [](OpenFile& f) { return f.read(34, 0).status; }, 9},
      {"get equal in an empty file", [](OpenFile& f) { return f.read(5, 0, std::string(4, '\0')).status; }, 4},
  };
  for (const Case& c : onEmptyFile) {
    SCOPED_TRACE(c.what);
    OpenFile f;
    ASSERT_EQ(f.open(empty), 0);
    EXPECT_EQ(c.run(f), c.expected);
  }

  const std::vector<Case> onClosedBlock = {
      {"close", [](OpenFile& f) { return f.close(); }, 3},
      {"insert", [](OpenFile& f) { std::string r = smallRecord("X"); return f.insert(r); }, 3},
      {"update", [](OpenFile& f) { return f.update(smallRecord("X")); }, 3},
      {"delete", [](OpenFile& f) { return f.remove(); }, 3},
      {"get first", [](OpenFile& f) { return f.read(12, 0).status; }, 3},
      {"step first", [](OpenFile& f) { return f.read(33, 0).status; }, 3},
      {"stat", [](OpenFile& f) { int16_t s; f.stat(2048, &s); return s; }, 3},
      {"get position", [](OpenFile& f) { return rawCall(22, f); }, 3},
      {"get direct", [](OpenFile& f) { return f.direct(1).status; }, 3},
      {"unlock", [](OpenFile& f) { return rawCall(27, f); }, 3},
      {"stop", [](OpenFile& f) { return rawCall(25, f); }, 0},
  };
  for (const Case& c : onClosedBlock) {
    SCOPED_TRACE(std::string("zero block: ") + c.what);
    OpenFile f;
    EXPECT_EQ(c.run(f), c.expected);
  }
  for (const Case& c : onClosedBlock) {
    SCOPED_TRACE(std::string("closed block: ") + c.what);
    OpenFile f;
    ASSERT_EQ(f.open(file), 0);
    ASSERT_EQ(f.close(), 0);
    EXPECT_EQ(c.run(f), c.expected);
  }
}

TEST_F(OperationStatus, OpenAnswersForNamesModesAndOwners) {
  const std::string file = makeSmallFile("names.qf", {"A"});
  struct Case {
    const char* what;
    std::string name;
    int8_t mode;
    int16_t expected;
  };
  const std::vector<Case> cases = {
      {"a missing file", path("missing.qf"), 0, 12},
      {"a missing folder", path("nofolder/x.qf"), 0, 35},
      {"an empty name", "", 0, 11},
      {"a folder", dir_, 0, 11},
      {"a folder named with its slash", dir_ + "/", 0, 11},
      {"a file named with a slash after it", file + "/", 0, 11},
      {"a file named with a backslash after it", file + "\\", 0, 11},
      {"an unknown mode", file, 5, 1},
      {"normal", file, 0, 0},
      {"accelerated", file, -1, 0},
      {"read-only", file, -2, 0},
      {"verify", file, -3, 0},
      {"exclusive", file, -4, 0},
      {"another spelling of the name", dir_ + "/NAMES.QF", 0, 0},
      {"backslashes", dir_ + "\\names.qf", 0, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    OpenFile f;
    EXPECT_EQ(f.open(c.name, c.mode), c.expected);
  }
}

TEST_F(OperationStatus, ReadOnlyOpenRefusesWrites) {
  const std::string file = makeSmallFile("ro.qf", {"A", "B"});
  OpenFile f;
  ASSERT_EQ(f.open(file, -2), 0);
  std::string r = smallRecord("C");
  EXPECT_EQ(f.insert(r), 46);
  ASSERT_EQ(f.read(12, 1).status, 0);
  EXPECT_EQ(f.update(smallRecord("Z")), 46);
  EXPECT_EQ(f.remove(), 46);
  EXPECT_EQ(f.read(6, 1).status, 0) << "reads still work";
}

TEST_F(OperationStatus, CreateAnswersForSpecificationsAndExistingFiles) {
  const std::string existing = makeSmallFile("exists.qf", {"A"});
  struct Case {
    const char* what;
    std::vector<uint8_t> spec;
    std::string name;
    int8_t mode;
    int16_t expected;
  };
  const std::vector<Case> cases = {
      {"fail if exists", createSpec(32, {}), existing, -1, 59},
      {"page size below 512", createSpec(32, {}, 0, 256), path("p1.qf"), 0, 24},
      {"page size above 4096", createSpec(32, {}, 0, 8192), path("p2.qf"), 0, 24},
      {"segment past the record", createSpec(32, {{{30, 4, 0}}}), path("k1.qf"), 0, 29},
      {"segment at position 0", createSpec(32, {{{0, 4, 0}}}), path("k2.qf"), 0, 29},
      {"segment of length 0", createSpec(32, {{{1, 0, 0}}}), path("k3.qf"), 0, 29},
      {"integer of 3 bytes", createSpec(32, {{{1, 3, 1}}}), path("k4.qf"), 0, 29},
      {"an unknown type", createSpec(32, {{{1, 4, 99}}}), path("k5.qf"), 0, 29},
      {"auto-increment in a segmented key", createSpec(32, {{{1, 4, 15}, {5, 4, 0}}}), path("k6.qf"), 0, 29},
      {"a collating sequence not supplied", createSpec(32, {{{1, 4, 0, 0x20}}}), path("k7.qf"), 0, 29},
      {"a key longer than 255 bytes", createSpec(300, {{{1, 256, 0}}}), path("k8.qf"), 0, 29},
      {"record length 0", createSpec(0, {}), path("k9.qf"), 0, 29},
      {"a missing folder", createSpec(32, {}), path("none/x.qf"), 0, 35},
      {"a name ending in a slash", createSpec(32, {}), path("slash.qf") + "/", 0, 11},
      {"a name ending in a backslash", createSpec(32, {}), path("slash.qf") + "\\", 0, 11},
      {"a folder", createSpec(32, {}), dir_, 0, 11},
      {"no keys", createSpec(32, {}), path("nokeys.qf"), 0, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    EXPECT_EQ(createFile(c.name, c.spec, c.mode), c.expected);
    if (c.expected != 0 && c.name != existing && c.name != dir_) {
      EXPECT_FALSE(std::ifstream(c.name).good()) << "nothing is created";
    }
  }

  EXPECT_FALSE(std::ifstream(path("slash.qf")).good()) << "no file named after the folder it was to be in";
  struct stat folder;
  ASSERT_EQ(::stat(dir_.c_str(), &folder), 0);
  EXPECT_TRUE(S_ISDIR(folder.st_mode)) << "a folder is never replaced";

  // Fewer bytes than the keys the header announces.
  std::vector<uint8_t> cut = createSpec(32, {{{1, 4, 0}}, {{5, 4, 0}}});
  cut.resize(cut.size() - 8);
  EXPECT_EQ(createFile(path("cut.qf"), cut), 29);
  std::vector<uint8_t> header = createSpec(32, {});
  header.resize(10);
  EXPECT_EQ(createFile(path("short.qf"), header), 22);
}

TEST_F(OperationStatus, InactiveAfterStopUntilInitialised) {
  const std::string file = makeSmallFile("stop.qf", {"A"});
  OpenFile f;
  ASSERT_EQ(f.open(file), 0);
  const RecordManagerApi& api = RecordManagerApi::instance();
  EXPECT_EQ(api.stop(), 0);
  EXPECT_EQ(f.read(12, 0).status, 20);
  OpenFile g;
  EXPECT_EQ(g.open(file), 20);
  uint16_t length = 0;
  EXPECT_EQ(api.call(25, nullptr, nullptr, &length, nullptr, 0), 0) << "stop answers 0 even then";
  EXPECT_EQ(api.init(""), 0);
  EXPECT_EQ(api.init(""), 1016);
  EXPECT_EQ(f.read(12, 0).status, 3) << "the stop ended every handle";
  EXPECT_EQ(g.open(file), 0);
}

}  // namespace
}  // namespace qn::recmgr::testing
