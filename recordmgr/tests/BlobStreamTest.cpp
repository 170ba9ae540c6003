// Blob streams of a table: the read cache a stream fills when it reads a blob in order, the
// checks made when a stream opens, and written bytes reaching the posted record.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "framework/base/ClassRegistry.h"
#include "framework/base/MemoryStream.h"
#include "framework/db/BlobField.h"
#include "framework/db/DatabaseError.h"
#include "framework/db/Field.h"
#include "recordmgr/BlobStream.h"
#include "recordmgr/FrameworkTable.h"
#include "recordmgr/Sessions.h"
#include "recordmgr/tests/BtrDictionaryFolder.h"
#include "recordmgr/tests/ClientsDatasetFixture.h"
#include "recordmgr/tests/EngineFiles.h"

namespace {

constexpr int kNoteField = 2;

// Counts every use of the engine, so a test sees whether a stream went to it at all.
class CountingBlobStream : public TttBlobStream {
 public:
  using TttBlobStream::TttBlobStream;
  TVirtEng* Engine() override {
    ++engineCalls;
    return TttBlobStream::Engine();
  }
  int engineCalls = 0;
};

// A table counting its uses of the engine.
class CountingTable : public bindingtest::TestTableDataset {
 public:
  using TestTableDataset::TestTableDataset;
  TVirtEng* Engine() override {
    ++engineCalls;
    return TestTableDataset::Engine();
  }
  int engineCalls = 0;
};

std::string pattern(size_t length) {
  std::string text(length, ' ');
  for (size_t i = 0; i < length; ++i) text[i] = static_cast<char>('a' + i % 26);
  return text;
}

class BlobStreamTest : public datasettest::ClientsDatasetTest {
 protected:
  void SetUp() override {
    ClientsDatasetTest::SetUp();
    dictionary_ = std::make_unique<btrtest::DictionaryFolder>(false);
    btrtest::DictionaryFolder& dictionary = *dictionary_;
    recordingtest::createRecordFile(dictionary.path() + "/MEMO.DAT", 8, {{1, 4, 0, 1}}, 0x01);
    dictionary.addTable(1, "MEMO", "MEMO.DAT");
    dictionary.addField(1, 1, "Id", 1, 0, 4);
    dictionary.addField(2, 1, "Note", 0, 8, 1200);
    dictionary.addIndexSegment(1, 1);
  }
  CountingTable* openMemos() {
    auto* memos = new CountingTable(nullptr, sessions);
    datasets.emplace_back(memos);
    memos->SetIndexName("0");
    memos->SetDatabaseName(dictionary_->path());
    memos->SetTableName("MEMO");
    memos->Open();
    return memos;
  }
  // A table of one record whose note is the text, written through a stream.
  CountingTable* memosWith(const std::string& text) {
    CountingTable* memos = openMemos();
    memos->Append();
    memos->FieldByName("Id")->SetAsInteger(1);
    {
      std::unique_ptr<TStream> stream(memos->CreateBlobStream(note(*memos), bmWrite));
      stream->WriteBuffer(text.data(), static_cast<int64_t>(text.size()));
    }
    memos->Post();
    memos->First();
    return memos;
  }
  static TField* note(TDataSet& memos) { return memos.FieldByName("Note"); }
  static std::unique_ptr<CountingBlobStream> reader(TDataSet& memos) {
    auto stream = std::make_unique<CountingBlobStream>(note(memos), bmRead);
    stream->Open();
    return stream;
  }
  static std::string readAll(TStream& stream, int64_t chunk) {
    std::string text;
    std::vector<char> part(static_cast<size_t>(chunk));
    for (int64_t n; (n = stream.Read(part.data(), chunk)) > 0;) text.append(part.data(), static_cast<size_t>(n));
    return text;
  }

  // Made once the engine is loaded.
  std::unique_ptr<btrtest::DictionaryFolder> dictionary_;
};

TEST_F(BlobStreamTest, ReadingInOrderFillsTheCacheOnTheFourthChunkAndLaterStreamsNeedNoEngine) {
  const std::string text = pattern(1000);
  bindingtest::TestTableDataset* memos = memosWith(text);

  auto first = reader(*memos);
  std::vector<char> chunk(300);
  std::string read;
  for (int i = 1; i <= 3; ++i) {
    read.append(chunk.data(), static_cast<size_t>(first->Read(chunk.data(), 300)));
    EXPECT_FALSE(first->Cached()) << "after read " << i;
  }
  read.append(chunk.data(), static_cast<size_t>(first->Read(chunk.data(), 300)));
  EXPECT_TRUE(first->Cached());
  EXPECT_EQ(read, text);
  first.reset();

  auto second = reader(*memos);
  EXPECT_TRUE(second->Cached());
  EXPECT_EQ(second->Size(), 1000);
  EXPECT_EQ(readAll(*second, 300), text);
  EXPECT_EQ(second->engineCalls, 0);
}

TEST_F(BlobStreamTest, TheFieldDataOfACachedBlobComesFromTheCacheUntilAStreamWritesIt) {
  const std::string text = pattern(1000);
  CountingTable* memos = memosWith(text);
  auto fieldData = [&] {
    std::vector<char> bytes;
    const int size = memos->GetBlobFieldData(kNoteField, bytes);
    return std::string(bytes.data(), static_cast<size_t>(size));
  };
  memos->engineCalls = 0;
  EXPECT_EQ(fieldData(), text);
  EXPECT_GT(memos->engineCalls, 0);

  EXPECT_EQ(readAll(*reader(*memos), 300), text);
  memos->engineCalls = 0;
  EXPECT_EQ(fieldData(), text);
  EXPECT_EQ(memos->engineCalls, 0);

  memos->Edit();
  {
    std::unique_ptr<TStream> stream(memos->CreateBlobStream(note(*memos), bmWrite));
    stream->WriteBuffer("rewritten", 9);
  }
  EXPECT_EQ(fieldData(), "rewritten");
  memos->Post();
  EXPECT_EQ(fieldData(), "rewritten");
}

TEST_F(BlobStreamTest, ASeekAheadStopsTheCollectingAndTheBlobStaysWithTheEngine) {
  const std::string text = pattern(1000);
  bindingtest::TestTableDataset* memos = memosWith(text);

  auto first = reader(*memos);
  std::vector<char> chunk(300);
  first->Read(chunk.data(), 300);
  first->Seek(100, soCurrent);
  EXPECT_EQ(readAll(*first, 300), text.substr(400));
  EXPECT_FALSE(first->Cached());
  first.reset();

  auto second = reader(*memos);
  EXPECT_FALSE(second->Cached());
  EXPECT_EQ(readAll(*second, 1000), text);
  EXPECT_GT(second->engineCalls, 0);
}

TEST_F(BlobStreamTest, MovingToAnotherRecordForgetsTheCache) {
  bindingtest::TestTableDataset* memos = memosWith("first note");
  memos->Append();
  memos->FieldByName("Id")->SetAsInteger(2);
  memos->Post();
  memos->First();
  EXPECT_EQ(readAll(*reader(*memos), 100), "first note");
  memos->Next();
  auto other = reader(*memos);
  EXPECT_FALSE(other->Cached());
  EXPECT_EQ(readAll(*other, 100), "");
}

TEST_F(BlobStreamTest, AWriteStreamOpensOnlyOnAnEditedWritableField) {
  bindingtest::TestTableDataset* memos = memosWith("kept");
  struct Case {
    const char* name;
    bool edit;
    bool readOnly;
    TBlobStreamMode mode;
    const char* message;
  };
  const Case cases[] = {
      {"write in browse state", false, false, bmWrite, "Dataset not in edit or insert mode"},
      {"read-write in browse state", false, false, bmReadWrite, "Dataset not in edit or insert mode"},
      {"write on a read-only field", true, true, bmWrite, "Field 'Note' cannot be modified"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    if (c.edit) memos->Edit();
    note(*memos)->SetReadOnly(c.readOnly);
    try {
      std::unique_ptr<TStream> stream(memos->CreateBlobStream(note(*memos), c.mode));
      ADD_FAILURE() << "opened";
    } catch (const EDatabaseError& e) {
      EXPECT_EQ(e.Message(), c.message);
    }
    note(*memos)->SetReadOnly(false);
    if (c.edit) memos->Cancel();
  }
  EXPECT_EQ(readAll(*reader(*memos), 100), "kept");
}

TEST_F(BlobStreamTest, AFilterCannotReachTheBlob) {
  bindingtest::TestTableDataset* memos = memosWith("hidden");
  std::string message;
  memos->SetOnFilterRecord([&](TDataSet* dataSet, bool& accept) {
    accept = true;
    try {
      std::unique_ptr<TStream> stream(dataSet->CreateBlobStream(note(*dataSet), bmRead));
    } catch (const EDatabaseError& e) {
      message = e.Message();
    }
  });
  memos->SetFiltered(true);
  memos->First();
  EXPECT_EQ(message, "Cannot access field 'Note' in a filter");
}

TEST_F(BlobStreamTest, AStreamStillOpenAtPostHasItsBytesInThePostedRecord) {
  bindingtest::TestTableDataset* memos = memosWith("old text");
  const std::string text = pattern(700);
  memos->Edit();
  auto stream = std::make_unique<TttBlobStream>(note(*memos), bmWrite);
  stream->Open();
  stream->WriteBuffer(text.data(), static_cast<int64_t>(text.size()));
  memos->Post();
  stream.reset();

  bindingtest::TestTableDataset* again = openMemos();
  again->First();
  EXPECT_EQ(readAll(*reader(*again), 256), text);
  memos->Refresh();
  EXPECT_EQ(readAll(*reader(*memos), 256), text);
}

TEST_F(BlobStreamTest, AMemoWrittenShorterOrEmptyHoldsExactlyTheNewTextAfterThePostAndTheReread) {
  struct Case {
    const char* name;
    void (*write)(TBlobField& memo);
    std::string stored;
  };
  const Case cases[] = {
      {"cleared with an empty text", [](TBlobField& memo) { memo.SetAsString(""); }, ""},
      {"loaded from an empty stream",
       [](TBlobField& memo) {
         MemoryStream empty;
         memo.LoadFromStream(empty);
       },
       ""},
      {"a shorter text", [](TBlobField& memo) { memo.SetAsString("short"); }, "short"},
  };
  CountingTable* memos = openMemos();
  int id = 0;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    memos->Append();
    memos->FieldByName("Id")->SetAsInteger(++id);
    note(*memos)->SetAsString(pattern(700));
    memos->Post();

    memos->Edit();
    auto& memo = dynamic_cast<TBlobField&>(*note(*memos));
    EXPECT_FALSE(memo.Modified());
    c.write(memo);
    EXPECT_TRUE(memo.Modified());
    EXPECT_EQ(memo.AsString(), c.stored) << "before the post";
    memos->Post();
    EXPECT_EQ(memo.AsString(), c.stored) << "after the post";

    bindingtest::TestTableDataset* again = openMemos();
    for (again->First(); !again->Eof() && again->FieldByName("Id")->AsInteger() != id;) again->Next();
    ASSERT_FALSE(again->Eof());
    EXPECT_EQ(readAll(*reader(*again), 256), c.stored) << "read again";
  }
}

// The published table hands out streams whose engine is the process's session list's, on blob
// fields only.
TEST_F(BlobStreamTest, ThePublishedTableMakesItsStreamsOnBlobFieldsOnly) {
  TtbTable table(nullptr);
  table.SetDatabaseName(dictionary_->path());
  table.SetTableName("MEMO");
  table.Open();
  table.Append();
  table.FieldByName("Id")->SetAsInteger(1);
  AnsiString refusal;
  try {
    delete table.CreateBlobStream(table.FieldByName("Id"), bmWrite);
  } catch (const EDatabaseError& e) {
    refusal = e.Message();
  }
  EXPECT_EQ(refusal, "Field 'Id' is not a blob field");
  {
    std::unique_ptr<TStream> stream(table.CreateBlobStream(note(table), bmWrite));
    auto* published = dynamic_cast<TtbBlobStream*>(stream.get());
    ASSERT_NE(published, nullptr);
    EXPECT_EQ(published->Engine(), BtrieveSessionList()->Engine());
    stream->WriteBuffer("on the record", 13);
  }
  table.Post();
  table.First();
  std::unique_ptr<TStream> back(table.CreateBlobStream(note(table), bmRead));
  EXPECT_EQ(readAll(*back, 5), "on the record");
}

TEST(TbBatchMove, FormsMakeItByClassNameWithTheSessionListsEngine) {
  TComponent form(nullptr);
  auto* move = dynamic_cast<TtbBatchMove*>(CreateComponentByClassName("TtbBatchMove", &form));
  ASSERT_NE(move, nullptr);
  EXPECT_EQ(move->Engine(), BtrieveSessionList()->Engine());
  TTable table(&form);
  EXPECT_EQ(table.GetBatchMoveClass(), TtbBatchMove::StaticClassInfo()) << "the framework's table is the published one";
}

}  // namespace
