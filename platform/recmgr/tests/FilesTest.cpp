// Creating and replacing files, owners, clients of one process, and damaged or foreign files.
#include <sqlite3.h>
#include <unistd.h>

#include <fstream>

#include "platform/recmgr/RecordFile.h"
#include "platform/recmgr/tests/RecmgrFixture.h"

namespace qn::recmgr::testing {
namespace {

class Files : public RecmgrFixture {
 protected:
  void writeFile(const std::string& p, const std::string& bytes) {
    std::ofstream out(p, std::ios::binary | std::ios::trunc);
    out << bytes;
  }
  uint32_t count(OpenFile& f) {
    auto s = f.stat();
    return static_cast<uint32_t>(s[6] | s[7] << 8 | s[8] << 16 | s[9] << 24);
  }
};

TEST_F(Files, CreateFailsIfAskedOrReplacesAFileNobodyHasOpen) {
  const std::string file = makeSmallFile("replace.qf", {"A", "B"});
  const std::string before = fileBytes(file);
  EXPECT_EQ(createFile(file, createSpec(50, {}), -1), 59);
  EXPECT_EQ(fileBytes(file), before);
  EXPECT_EQ(createFile(file, createSpec(50, {{{48, 4, 0}}}), 0), 29) << "a bad replacement";
  EXPECT_EQ(fileBytes(file), before);

  {
    OpenFile holder;
    ASSERT_EQ(holder.open(file), 0);
    EXPECT_EQ(createFile(file, createSpec(50, {}), 0), 85) << "never delete an open file";
    EXPECT_EQ(count(holder), 2u);
  }
  ASSERT_EQ(createFile(file, createSpec(50, {}), 0), 0);
  OpenFile f;
  ASSERT_EQ(f.open(file), 0);
  const auto s = f.stat();
  EXPECT_EQ(s[0], 50) << "the new layout";
  EXPECT_EQ(s[4], 0) << "no keys";
  EXPECT_EQ(count(f), 0u);
  EXPECT_EQ(f.read(12, 0).status, 6) << "keyed reads on a file without keys";
  std::string r(50, 'x');
  ASSERT_EQ(f.insert(r), 0);
  EXPECT_EQ(f.read(33, 0).record, r) << "physical reads work without keys";
  EXPECT_EQ(f.direct(f.position()).status, 0) << "get direct needs no key path";
}

TEST_F(Files, OwnerNamesMustMatchExactly) {
  FileSpec spec;
  spec.recordLength = 16;
  const std::string owned = path("owned.qf");
  ASSERT_EQ(RecordFile::create(owned, spec, "Secret", false), 0);
  struct Case {
    std::string owner;
    int16_t expected;
  };
  for (const Case& c : std::vector<Case>{{"", 51}, {"secret", 51}, {"Secret1", 51}, {"Secre", 51}, {"Secret", 0}}) {
    SCOPED_TRACE("owner \"" + c.owner + "\"");
    OpenFile f;
    EXPECT_EQ(f.open(owned, 0, c.owner), c.expected);
  }
  const std::string open = makeSmallFile("open.qf", {});
  OpenFile any;
  EXPECT_EQ(any.open(open, 0, "Whatever"), 0) << "a file without an owner takes any name";
}

TEST_F(Files, ClientsOfOneProcessKeepTheirHandlesApart) {
  const std::string file = makeSmallFile("clients.qf", {"A", "B", "C"});
  const ClientId first{0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 'A', 'B', 1, 2};
  const ClientId second{0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 'C', 'D', 3, 4};
  OpenFile a(&first), b(&second), plain;
  ASSERT_EQ(a.open(file), 0);
  ASSERT_EQ(b.open(file), 0);
  ASSERT_EQ(plain.open(file), 0);
  ASSERT_EQ(a.read(12, 1).status, 0);
  ASSERT_EQ(b.read(13, 1).status, 0);
  EXPECT_EQ(nameOf(a.read(6, 1).record), "B") << "each handle its own position";

  // A block used by another client is not that client's.
  uint16_t length = 0;
  const RecordManagerApi& api = RecordManagerApi::instance();
  EXPECT_EQ(api.call(22, a.block(), nullptr, &length, nullptr, 0, &second), 3);
  EXPECT_EQ(api.call(22, a.block(), nullptr, &length, nullptr, 0), 3) << "nor the default client's";

  // Changes of one client are seen by the others.
  std::string r = smallRecord("D");
  ASSERT_EQ(a.insert(r), 0);
  EXPECT_EQ(nameOf(b.read(13, 1).record), "D");

  // Stop ends only the calling client.
  EXPECT_EQ(api.call(25, nullptr, nullptr, &length, nullptr, 0, &first), 0);
  EXPECT_EQ(a.read(12, 1).status, 3);
  EXPECT_EQ(b.read(12, 1).status, 0);
  EXPECT_EQ(plain.read(12, 1).status, 0);
}

TEST_F(Files, ExclusiveOpensExcludeOtherClients) {
  const std::string file = makeSmallFile("exclusive.qf", {"A"});
  const ClientId other{0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 'X', 'Y', 0, 0};
  OpenFile mine, mineAgain, theirs(&other);
  ASSERT_EQ(mine.open(file, -4), 0);
  EXPECT_EQ(mineAgain.open(file), 0) << "a client's own handles never conflict";
  EXPECT_EQ(theirs.open(file), 85);
  ASSERT_EQ(mine.close(), 0);
  ASSERT_EQ(mineAgain.close(), 0);
  ASSERT_EQ(theirs.open(file), 0);
  EXPECT_EQ(mine.open(file, -4), 88);
}

TEST_F(Files, DamagedAndForeignFilesAnswerAStatusAndStayAsTheyAre) {
  const std::string good = makeSmallFile("good.qf", {"AAA", "BBB", "CCC"});
  const std::string goodBytes = fileBytes(good);

  const std::string emptyFile = path("empty.qf");
  writeFile(emptyFile, "");
  const std::string text = path("text.qf");
  writeFile(text, "This is not a record file, just some text that is long enough to look like a header.\n");
  const std::string foreign = path("foreign.db");
  {
    sqlite3* db = nullptr;
    ASSERT_EQ(sqlite3_open(foreign.c_str(), &db), SQLITE_OK);
    ASSERT_EQ(sqlite3_exec(db, "CREATE TABLE people(name TEXT); INSERT INTO people VALUES('x');", nullptr, nullptr,
                           nullptr),
              SQLITE_OK);
    sqlite3_close(db);
  }
  const std::string headerless = path("headerless.qf");
  writeFile(headerless, goodBytes);
  {
    sqlite3* db = nullptr;
    ASSERT_EQ(sqlite3_open(headerless.c_str(), &db), SQLITE_OK);
    ASSERT_EQ(sqlite3_exec(db, "DELETE FROM header", nullptr, nullptr, nullptr), SQLITE_OK);
    sqlite3_close(db);
  }
  const std::string truncated = path("truncated.qf");
  writeFile(truncated, goodBytes.substr(0, goodBytes.size() / 2));
  const std::string firstPageOnly = path("firstpage.qf");
  writeFile(firstPageOnly, goodBytes.substr(0, 100));

  struct Case {
    std::string file;
    std::vector<int16_t> allowed;
  };
  const std::vector<Case> cases = {
      {emptyFile, {30}}, {text, {30}}, {foreign, {30}}, {headerless, {30}}, {truncated, {0, 2, 30}},
      {firstPageOnly, {2, 30}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.file);
    const std::string before = fileBytes(c.file);
    OpenFile f;
    const int16_t opened = f.open(c.file);
    EXPECT_NE(std::find(c.allowed.begin(), c.allowed.end(), opened), c.allowed.end()) << "open answered " << opened;
    if (opened == 0) {
      // Whatever survives is read without a crash; each read answers some status.
      for (uint16_t op : {12, 6, 13, 7, 33, 24, 34, 35, 15}) f.read(op, op == 15 ? 0 : 1);
      f.close();
    }
    EXPECT_EQ(fileBytes(c.file), before) << "the file is unchanged";
    EXPECT_FALSE(std::ifstream(c.file + "-journal").good());
  }
}

TEST_F(Files, RefusedWritesLeaveTheFileUnchanged) {
  const std::string file = makeSmallFile("refused.qf", {"AAA"});
  OpenFile f;
  ASSERT_EQ(f.open(file), 0);
  const std::string before = fileBytes(file);
  std::string shortRecord = smallRecord("BBB").substr(0, 20);
  EXPECT_EQ(f.insert(shortRecord), 22);
  std::string duplicate = smallRecord("CCC", 1);
  EXPECT_EQ(f.insert(duplicate), 5);
  EXPECT_EQ(fileBytes(file), before);
}

}  // namespace
}  // namespace qn::recmgr::testing
