#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <utility>
#include <vector>

#include "core/RecordFiles.h"
#include "core/tests/RecordRaised.h"
#include "core/tests/SeededDataFolder.h"
#include "recordmgr/WinBtr.h"

namespace {

using qn::core::testing::raised;
using qn::core::testing::SeededDataFolder;

constexpr uint8_t kClients = 1;
constexpr int kClientLength = 393;

class RecordFileReadWriteTest : public SeededDataFolder {
 protected:
  void SetUp() override {
    SeededDataFolder::SetUp();
    OpenRecordFile(kClients, path("YClient.qf;CL"), 0);
    SetKeyPath(kClients, 1);
  }

  AnsiString record() { return AnsiString(kClientLength, ' '); }
  static AnsiString code(const AnsiString& buffer) { return buffer.substr(4, 7); }

  // The client codes in key order, read with GetFirstRecord and GetNextRecord.
  std::vector<AnsiString> codes() {
    std::vector<AnsiString> out;
    AnsiString buffer = record();
    bool eof = false;
    for (GetFirstRecord(kClients, buffer, eof, 0); !eof; GetNextRecord(kClients, buffer, eof, 0))
      out.push_back(code(buffer));
    return out;
  }

  // A client record's data behind its 4-byte key.
  static AnsiString clientData(const AnsiString& clientCode) {
    AnsiString data(kClientLength - 4, ' ');
    data.replace(0, clientCode.size(), clientCode);
    return data;
  }
};

TEST_F(RecordFileReadWriteTest, FirstAndNextReadInKeyOrderUpToTheEnd) {
  EXPECT_EQ(codes(), (std::vector<AnsiString>{"ADAMS  ", "BRIGHT ", "CLARK  ", "DAVIS  "}));
  EXPECT_EQ(GetRecordCount(kClients), 4u);
  uint16_t length = 0;
  GetRecordLength(kClients, length);
  EXPECT_EQ(length, kClientLength);
}

TEST_F(RecordFileReadWriteTest, AShortBufferGetsTheStartOfTheRecordAndNothingMore) {
  AnsiString shortBuffer(9, '#');
  bool eof = false;
  GetFirstRecord(kClients, shortBuffer, eof, 0);
  EXPECT_EQ(shortBuffer.size(), 9u);
  EXPECT_EQ(shortBuffer.substr(4), "ADAMS");
  EXPECT_NE(shortBuffer.substr(0, 4), AnsiString(4, '\0'));  // the record's own key
}

TEST_F(RecordFileReadWriteTest, EqualAndFindLocateByTheCurrentKey) {
  AnsiString buffer = record();
  EXPECT_TRUE(GetEqualRecord(kClients, "BRIGHT ", buffer, false));
  EXPECT_EQ(code(buffer), "BRIGHT ");
  buffer = record();
  EXPECT_FALSE(GetEqualRecord(kClients, "BROWN  ", buffer, false));
  EXPECT_EQ(buffer, record());

  struct FindCase {
    const char* key;
    int comparison;
    bool found;
    const char* code;
    bool eof;
  };
  const std::vector<FindCase> cases = {
      {"BRIGHT ", 0, true, "BRIGHT ", false}, {"BRIGHT ", 1, true, "CLARK  ", false},
      {"BRIGHT ", 2, true, "ADAMS  ", false}, {"BROWN  ", 3, true, "CLARK  ", false},
      {"BROWN  ", 4, true, "BRIGHT ", false}, {"BROWN  ", 0, false, "", false},
      {"DAVIS  ", 1, false, "", true},        {"ADAMS  ", 2, false, "", true},
      {"ADAMS  ", 5, false, "", false},       {"ADAMS  ", -1, false, "", false},
  };
  for (const FindCase& c : cases) {
    SCOPED_TRACE(std::string(c.key) + " " + std::to_string(c.comparison));
    buffer = record();
    bool eof = false;
    EXPECT_EQ(FindRecord(kClients, c.key, buffer, eof, c.comparison), c.found);
    EXPECT_EQ(eof, c.eof);
    EXPECT_EQ(code(buffer), c.found ? AnsiString(c.code) : AnsiString(7, ' '));
  }
}

TEST_F(RecordFileReadWriteTest, KeyPathsUpToTheKeyCountAreAccepted) {
  // YClient.qf has four keys (0 to 3); four itself is let through and fails at the read.
  SetKeyPath(kClients, 3);
  SetKeyPath(kClients, 4);
  AnsiString buffer = record();
  bool eof = false;
  EXPECT_EQ(raised([&] { GetFirstRecord(kClients, buffer, eof, 0); }),
            "A record could not be read from the file.\r\rBtrieve status 6.\rThe key number is not valid for the file");
  EXPECT_EQ(raised([&] { GetEqualRecord(kClients, "ADAMS", buffer, false); }),
            "A record could not be located in the file.\r\rBtrieve status 6.\r"
            "The key number is not valid for the file");
  EXPECT_EQ(raised([&] { SetKeyPath(kClients, 5); }),
            "Unable to set an index for file #1.\r\rBtrieve status 6.\rThe key number is not valid for the file");
  EXPECT_EQ(RecordFileTable(kClients).CallObject->Status, 6);
}

TEST_F(RecordFileReadWriteTest, InsertWritesFourZeroBytesBeforeTheDataAndGetsItsKey) {
  OpenRecordFile(5, path("Cdesc.qf;CD"), 0);
  AnsiString data(66, ' ');
  data.replace(0, 14, "ADAMS        1");
  InsertRecord(5, data);
  AnsiString buffer(70, '#');
  bool eof = false;
  GetFirstRecord(5, buffer, eof, 0);
  ASSERT_FALSE(eof);
  EXPECT_EQ(buffer.substr(4), data);
  uint32_t key = 0;
  std::memcpy(&key, buffer.data(), 4);
  EXPECT_EQ(key, 1u);

  // A raw record carries its own first four bytes.
  AnsiString raw = AnsiString("\x09\x00\x00\x00", 4) + data;
  raw.replace(4, 7, "BRIGHT ");
  InsertRawRecord(5, raw);
  SetKeyPath(5, 0);
  EXPECT_TRUE(GetEqualRecord(5, AnsiString("\x09\x00\x00\x00", 4), buffer, false));
  EXPECT_EQ(buffer, raw);
}

TEST_F(RecordFileReadWriteTest, UpdateKeepsTheRecordsKeyAndDeleteRemovesIt) {
  AnsiString buffer = record();
  ASSERT_TRUE(GetEqualRecord(kClients, "CLARK  ", buffer, false));
  const AnsiString key = buffer.substr(0, 4);
  AnsiString data = clientData("CLARKE");
  UpdateRecord(kClients, data, buffer);
  EXPECT_EQ(codes(), (std::vector<AnsiString>{"ADAMS  ", "BRIGHT ", "CLARKE ", "DAVIS  "}));
  ASSERT_TRUE(GetEqualRecord(kClients, "CLARKE ", buffer, false));
  EXPECT_EQ(buffer.substr(0, 4), key);

  DeleteRecord(kClients);
  EXPECT_EQ(codes(), (std::vector<AnsiString>{"ADAMS  ", "BRIGHT ", "DAVIS  "}));
}

TEST_F(RecordFileReadWriteTest, WritesTheRecordManagerRefusesSayWhy) {
  EXPECT_EQ(raised([&] { InsertRecord(kClients, clientData("ADAMS")); }),
            "This record could not be written.\rBtrieve status 5.\r"
            "The record has a key field containing a duplicate key value");
  EXPECT_EQ(raised([&] { InsertRawRecord(kClients, "short"); }),
            "This record could not be written.\rBtrieve status 22.\rThe data buffer parameter is too short");
  AnsiString buffer = record();
  ASSERT_TRUE(GetEqualRecord(kClients, "ADAMS  ", buffer, false));
  EXPECT_EQ(raised([&] { UpdateRecord(kClients, clientData("BRIGHT"), buffer); }),
            "This record could not be updated.\rBtrieve status 5.\r"
            "The record has a key field containing a duplicate key value");
  DeleteRecord(kClients);
  EXPECT_EQ(raised([&] { DeleteRecord(kClients); }),
            "This record could not be deleted.\rBtrieve status 8.\r"
            "The operation needs a current record and there is none");
  EXPECT_EQ(raised([&] { UpdateRecord(kClients, clientData("ADAMS"), buffer); }),
            "This record could not be updated.\rBtrieve status 8.\r"
            "The operation needs a current record and there is none");
  AnsiString tooShort(3, ' ');
  EXPECT_EQ(raised([&] { UpdateRecord(kClients, clientData("ADAMS"), tooShort); }), "Databuffer is invalid!");
}

// A record's length travels in 16 bits; one 65536 bytes longer than the file's records would
// arrive as a record of exactly the right length, cut short.
TEST_F(RecordFileReadWriteTest, RecordsLongerThanALengthCanSayAreRefusedUnwritten) {
  const AnsiString invalidLength = "Btrieve status 28.\rThe record length is not valid";
  const AnsiString tooLong = clientData("ZED") + AnsiString(65536, ' ');
  EXPECT_EQ(raised([&] { InsertRecord(kClients, tooLong); }), "This record could not be written.\r" + invalidLength);
  EXPECT_EQ(raised([&] { InsertRawRecord(kClients, AnsiString(4, '\0') + tooLong); }),
            "This record could not be written.\r" + invalidLength);
  AnsiString buffer = record();
  ASSERT_TRUE(GetEqualRecord(kClients, "CLARK  ", buffer, false));
  EXPECT_EQ(raised([&] { UpdateRecord(kClients, clientData("CLARKE") + AnsiString(65536, ' '), buffer); }),
            "This record could not be updated.\r" + invalidLength);
  EXPECT_EQ(codes(), (std::vector<AnsiString>{"ADAMS  ", "BRIGHT ", "CLARK  ", "DAVIS  "}));
}

TEST_F(RecordFileReadWriteTest, BookmarksReturnToTheirRecordUntilItIsDeleted) {
  AnsiString buffer = record();
  AnsiString none = record();
  EXPECT_EQ(raised([&] { GotoBookmark(kClients, none); }), "No bookmark was set for this file.");

  ASSERT_TRUE(GetEqualRecord(kClients, "BRIGHT ", buffer, false));
  const AnsiString bright = buffer;
  const int bookmark = SaveBookmark(kClients, buffer);
  EXPECT_NE(bookmark, 0);
  EXPECT_EQ(buffer, bright);
  EXPECT_EQ(RecordFileTable(kClients).Bookmark, static_cast<uint32_t>(bookmark));

  ASSERT_TRUE(GetEqualRecord(kClients, "DAVIS  ", buffer, false));
  const int davis = SaveBookmark(kClients, buffer);
  GotoPosition(kClients, buffer, static_cast<uint32_t>(bookmark));
  EXPECT_EQ(buffer, bright);
  bool eof = false;
  GetNextRecord(kClients, buffer, eof, 0);
  EXPECT_EQ(code(buffer), "CLARK  ");
  GotoBookmark(kClients, buffer);
  EXPECT_EQ(code(buffer), "DAVIS  ");

  DeleteRecord(kClients);
  EXPECT_EQ(raised([&] { GotoBookmark(kClients, buffer); }),
            "Unable to return to bookmark.\rBtrieve status 43.\rThe record address is not valid");
  EXPECT_EQ(raised([&] { GotoPosition(kClients, buffer, static_cast<uint32_t>(davis)); }),
            "Physical location invalid.\rBtrieve status 43.\rThe record address is not valid");
  GotoPosition(kClients, buffer, static_cast<uint32_t>(bookmark));
  EXPECT_EQ(buffer, bright);
}

// Nothing of a closed file stays in its slot for the next file opened there to find.
TEST_F(RecordFileReadWriteTest, ClosingEmptiesTheSlotAndTheNextOpenReplacesItsStructure) {
  const std::vector<std::pair<const char*, std::function<void()>>> closes = {
      {"CloseRecordFile", [] { CloseRecordFile(kClients); }}, {"CloseAllRecordFiles", [] { CloseAllRecordFiles(); }}};
  for (const auto& [name, close] : closes) {
    SCOPED_TRACE(name);
    if (!IsRecordFileOpen(kClients)) OpenRecordFile(kClients, path("YClient.qf;CL"), 0);
    AnsiString buffer = record();
    bool eof = false;
    GetFirstRecord(kClients, buffer, eof, 0);
    ASSERT_NE(SaveBookmark(kClients, buffer), 0);
    const TQNFileStructure* structure = RecordFileStructure(kClients);
    close();
    const RecordFileSlot& slot = RecordFileTable(kClients);
    EXPECT_EQ(slot.FileName, "");
    EXPECT_EQ(slot.Bookmark, 0u);
    EXPECT_EQ(slot.CallObject, nullptr);
    if (std::string(name) == "CloseRecordFile") {
      EXPECT_EQ(slot.Structure.get(), structure) << "the last record stays readable until the next open";
    } else {
      EXPECT_EQ(slot.Structure.get(), nullptr);
    }

    EXPECT_NE(raised([&] { OpenRecordFile(kClients, path("Nothing.qf;CL"), 0); }), "");
    EXPECT_EQ(slot.Bookmark, 0u);
    EXPECT_EQ(slot.Structure.get(), nullptr);
    OpenRecordFile(kClients, path("Fee.qf"), 0);
    EXPECT_EQ(slot.FileName, path("Fee.qf"));
    EXPECT_EQ(slot.Structure.get(), nullptr);
    AnsiString fee(80, ' ');
    EXPECT_EQ(raised([&] { GotoBookmark(kClients, fee); }), "No bookmark was set for this file.");
    CloseRecordFile(kClients);
  }
}

}  // namespace

namespace {

TEST_F(RecordFileReadWriteTest, ASlotWhoseFileWasClosedUnderneathReportsStatusThree) {
  RecordFileTable(kClients).CallObject->Close();
  EXPECT_FALSE(IsRecordFileOpen(kClients));
  EXPECT_EQ(GetRecordCount(kClients), 0u);
  AnsiString buffer = record();
  bool eof = false;
  const AnsiString notOpen = "A record could not be located in the file.\r\rBtrieve status 3.\rThe file is not open";
  EXPECT_EQ(raised([&] { GetEqualRecord(kClients, "ADAMS  ", buffer, false); }), notOpen);
  EXPECT_EQ(raised([&] { FindRecord(kClients, "ADAMS  ", buffer, eof, 3); }), notOpen);
  // Closing leaves such a slot as it is.
  CloseRecordFile(kClients);
  EXPECT_NE(RecordFileTable(kClients).CallObject, nullptr);
}

TEST(StandardFileEntryTest, NamesOnlyEntriesAndEmptyNumbers) {
  EXPECT_EQ(StandardFileEntry(1), "YClient.qf;CL");
  EXPECT_EQ(StandardFileEntry(12), "HFee.qf");
  EXPECT_EQ(StandardFileEntry(13), "HBill.qf");
  EXPECT_EQ(StandardFileEntry(16), "");
  EXPECT_EQ(StandardFileEntry(21), "Conflict.qc;CF");
  EXPECT_EQ(StandardFileEntry(22), "");
}

}  // namespace
