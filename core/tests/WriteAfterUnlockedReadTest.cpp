// Updates and deletes of the record-file layer after reads without a lock, with `qnrecmgr serve`
// as a second workstation that changes the same client record in between.
#include <gtest/gtest.h>

#include <cstdlib>
#include <functional>
#include <sstream>
#include <string>
#include <vector>

#include "core/RecordFiles.h"
#include "core/tests/RecordRaised.h"
#include "core/tests/SeededDataFolder.h"
#include "platform/recmgr/tests/RecordManagerApi.h"
#include "platform/recmgr/tests/ServeChild.h"
#include "platform/recmgr/tool/Hex.h"

namespace {

using qn::core::testing::raised;
using qn::core::testing::SeededDataFolder;
using qn::recmgr::testing::ServeChild;

constexpr uint8_t kClients = 1;
constexpr size_t kCodeAt = 4, kCodeSize = 7;
constexpr size_t kCityAt = 267;  // Client City, in no key
// What a write that would overwrite another workstation's change is refused with.
constexpr const char* kChangedSinceRead =
    "This record was changed at another workstation since it was read.\r\rRead it again and repeat your change.";

// A read of this workstation that ends on the client `code`, without a lock.
struct UnlockedRead {
  const char* name;
  const char* code;
  std::function<void(TQNFileStructure&)> read;
};

const std::vector<UnlockedRead> kUnlockedReads = {
    {"Find", "BRIGHT ", [](TQNFileStructure& s) { ASSERT_TRUE(s.Find("BRIGHT ", 0)); }},
    {"First", "ADAMS  ", [](TQNFileStructure& s) { s.First(); }},
    {"Next", "BRIGHT ",
     [](TQNFileStructure& s) {
       s.First();
       s.Next();
     }},
    {"GetEqualRecord", "CLARK  ",
     [](TQNFileStructure& s) { ASSERT_TRUE(GetEqualRecord(kClients, "CLARK  ", s.GetBuffer(), false)); }},
    {"GotoBookmark", "DAVIS  ",
     [](TQNFileStructure& s) {
       ASSERT_TRUE(GetEqualRecord(kClients, "DAVIS  ", s.GetBuffer(), false));
       s.SaveBookmark();
       s.First();
       s.GotoBookmark();
     }},
};

class WriteAfterUnlockedReadTest : public SeededDataFolder {
 protected:
  void SetUp() override {
    SeededDataFolder::SetUp();
    OpenRecordFile(kClients, path("YClient.qf;CL"), 0);
    SetKeyPath(kClients, 1);
    structure = RecordFileStructure(kClients);
    ASSERT_NE(structure, nullptr);
    ASSERT_EQ(other.status("open 0 " + linuxPath("YClient.qf")), 0);
  }

  // This workstation reads the way r does, locked or not, and lands on r's client.
  template <class Read>
  void readClient(const Read& r) {
    r.read(*structure);
    ASSERT_EQ(structure->GetBuffer().substr(kCodeAt, kCodeSize), r.code);
  }

  static std::string keyHex(const std::string& code) { return qn::recmgr::toHex(code); }

  // The other workstation's read with a single-record lock: its status and the record.
  int otherLockedRead(const std::string& code, std::string* record = nullptr) {
    std::istringstream answer(other.ask("read 0 205 1 " + keyHex(code)));
    int status = -1;
    std::string recordHex;
    answer >> status >> recordHex;
    if (record) *record = qn::recmgr::fromHex(recordHex).value_or("");
    return status;
  }

  // The other workstation reads the client with a lock, writes `city` into it and updates it.
  void otherChangesCity(const std::string& code, const std::string& city) {
    std::string record;
    ASSERT_EQ(otherLockedRead(code, &record), 0);
    record.replace(kCityAt, city.size(), city);
    ASSERT_EQ(other.status("update 0 " + qn::recmgr::toHex(record)), 0);
  }

  // A city no earlier case wrote into any record.
  static std::string otherCity(const UnlockedRead& r) { return std::string(r.name).substr(0, 4) + "ov"; }

  // The client's city as this workstation reads it now.
  AnsiString cityOf(const AnsiString& code) {
    AnsiString buffer(structure->GetBuffer().size(), ' ');
    if (!GetEqualRecord(kClients, code, buffer, false)) return "(gone)";
    return buffer.substr(kCityAt, 6);
  }

  // Our stale copy with a city of our own, as a screen would write it back.
  AnsiString changedData(const AnsiString& city) {
    AnsiString data = structure->GetBuffer().substr(4);
    data.replace(kCityAt - 4, city.size(), city);
    return data;
  }

  bool fileChecks() {
    const std::string command =
        "'" + qn::recmgr::testing::programFolder() + "/qnrecmgr' check '" + linuxPath("YClient.qf") + "' > /dev/null";
    return std::system(command.c_str()) == 0;
  }

  TQNFileStructure* structure = nullptr;
  ServeChild other;
};

TEST_F(WriteAfterUnlockedReadTest, AnUpdateAfterAnUnlockedReadKeepsAnotherWorkstationsChange) {
  for (const UnlockedRead& r : kUnlockedReads) {
    SCOPED_TRACE(r.name);
    ASSERT_NO_FATAL_FAILURE(readClient(r));
    const std::string theirs = otherCity(r);
    otherChangesCity(r.code, theirs);

    EXPECT_EQ(raised([&] { UpdateRecord(kClients, changedData("Denver"), structure->GetBuffer()); }),
              kChangedSinceRead);
    EXPECT_EQ(cityOf(r.code), theirs);
    // Nothing of the refused update holds the record: the other workstation locks it at once.
    EXPECT_EQ(otherLockedRead(r.code), 0);
    EXPECT_EQ(other.status("unlock 0 -1"), 0);
    EXPECT_TRUE(fileChecks());
  }
}

TEST_F(WriteAfterUnlockedReadTest, ADeleteAfterAnUnlockedReadKeepsAnotherWorkstationsChange) {
  for (const UnlockedRead& r : kUnlockedReads) {
    SCOPED_TRACE(r.name);
    ASSERT_NO_FATAL_FAILURE(readClient(r));
    const std::string theirs = otherCity(r);
    otherChangesCity(r.code, theirs);

    EXPECT_EQ(raised([&] { DeleteRecord(kClients); }), kChangedSinceRead);
    EXPECT_EQ(cityOf(r.code), theirs);
    EXPECT_EQ(GetRecordCount(kClients), 4u);
    EXPECT_EQ(otherLockedRead(r.code), 0);
    EXPECT_EQ(other.status("unlock 0 -1"), 0);
    EXPECT_TRUE(fileChecks());
  }
}

TEST_F(WriteAfterUnlockedReadTest, AWriteAfterAnUnlockedReadOfARecordDeletedMeanwhileIsRefused) {
  ASSERT_TRUE(structure->Find("BRIGHT ", 0));
  ASSERT_EQ(otherLockedRead("BRIGHT "), 0);
  ASSERT_EQ(other.status("delete 0 1"), 0);
  EXPECT_EQ(raised([&] { UpdateRecord(kClients, changedData("Denver"), structure->GetBuffer()); }),
            ChangedAtAnotherWorkstation);
  EXPECT_EQ(raised([&] { DeleteRecord(kClients); }), ChangedAtAnotherWorkstation);
  EXPECT_EQ(GetRecordCount(kClients), 3u);
  EXPECT_TRUE(fileChecks());
}

TEST_F(WriteAfterUnlockedReadTest, AWriteThatFailsAfterTheCheckGivesTheLockBack) {
  ASSERT_TRUE(structure->Find("BRIGHT ", 0));
  AnsiString data = structure->GetBuffer().substr(4);
  data.replace(0, kCodeSize, "ADAMS  ");  // a client code that is taken
  EXPECT_EQ(raised([&] { UpdateRecord(kClients, data, structure->GetBuffer()); }).substr(0, 51),
            "This record could not be updated.\rBtrieve status 5.");
  EXPECT_EQ(otherLockedRead("BRIGHT "), 0);
  EXPECT_EQ(cityOf("BRIGHT "), structure->GetBuffer().substr(kCityAt, 6));
}

TEST_F(WriteAfterUnlockedReadTest, AfterALockedReadTheWriteGoesAheadAndTheOtherWorkstationWaits) {
  struct LockedRead {
    const char* name;
    const char* code;
    std::function<void(TQNFileStructure&)> read;
  };
  const std::vector<LockedRead> reads = {
      {"GetFirstRecord", "ADAMS  ",
       [](TQNFileStructure& s) {
         bool eof = false;
         GetFirstRecord(kClients, s.GetBuffer(), eof, 1);
       }},
      {"GetNextRecord", "BRIGHT ",
       [](TQNFileStructure& s) {
         bool eof = false;
         GetFirstRecord(kClients, s.GetBuffer(), eof, 0);
         GetNextRecord(kClients, s.GetBuffer(), eof, 1);
       }},
      {"GetEqualRecord", "CLARK  ",
       [](TQNFileStructure& s) { ASSERT_TRUE(GetEqualRecord(kClients, "CLARK  ", s.GetBuffer(), true)); }},
  };
  for (const LockedRead& r : reads) {
    SCOPED_TRACE(r.name);
    ASSERT_NO_FATAL_FAILURE(readClient(r));
    EXPECT_EQ(otherLockedRead(r.code), 84);
    UpdateRecord(kClients, changedData("Denver"), structure->GetBuffer());
    EXPECT_EQ(cityOf(r.code), "Denver");
    EXPECT_EQ(otherLockedRead(r.code), 0);  // the update gave the lock back
    EXPECT_EQ(other.status("unlock 0 -1"), 0);
  }
  bool eof = false;
  GetFirstRecord(kClients, structure->GetBuffer(), eof, 1);
  DeleteRecord(kClients);
  EXPECT_EQ(cityOf("ADAMS  "), "(gone)");
  EXPECT_TRUE(fileChecks());
}

TEST_F(WriteAfterUnlockedReadTest, OurOwnWritesAfterAnUnlockedReadGoAheadWhileNobodyElseWrites) {
  for (const UnlockedRead& r : kUnlockedReads) {
    SCOPED_TRACE(r.name);
    ASSERT_NO_FATAL_FAILURE(readClient(r));
    UpdateRecord(kClients, changedData("Denver"), structure->GetBuffer());
    EXPECT_EQ(cityOf(r.code), "Denver");
  }
  // A record this slot wrote since its read is its own: a second update and a delete go ahead.
  ASSERT_TRUE(structure->Find("BRIGHT ", 0));
  UpdateRecord(kClients, changedData("Austin"), structure->GetBuffer());
  UpdateRecord(kClients, changedData("Dallas"), structure->GetBuffer());
  EXPECT_EQ(cityOf("BRIGHT "), "Dallas");
  ASSERT_TRUE(structure->Find("CLARK  ", 0));
  DeleteRecord(kClients);
  EXPECT_EQ(GetRecordCount(kClients), 3u);
  // So is a record it inserted: the insert makes it current.
  ASSERT_TRUE(structure->Find("DAVIS  ", 0));
  AnsiString evans(structure->GetBuffer().size() - 4, ' ');
  evans.replace(0, kCodeSize, "EVANS  ");
  InsertRecord(kClients, evans);
  DeleteRecord(kClients);
  EXPECT_EQ(cityOf("EVANS  "), "(gone)");
  EXPECT_NE(cityOf("DAVIS  "), "(gone)");
  EXPECT_TRUE(fileChecks());
}

}  // namespace
