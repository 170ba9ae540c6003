// The dataset core on the record manager's clients file: reading, writing, bookmarks, blocks and
// the database it holds.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "framework/db/DatabaseError.h"
#include "recordmgr/BDEDataset.h"
#include "recordmgr/Database.h"
#include "recordmgr/DatabaseEngineError.h"
#include "recordmgr/VirtEng.h"
#include "recordmgr/tests/BtrDictionaryFolder.h"
#include "recordmgr/tests/ClientsDatasetFixture.h"
#include "recordmgr/tests/EngineFiles.h"

namespace {

using datasettest::ClientsDatasetTest;
using datasettest::kClientCode;
using datasettest::kFirstName;

std::string messageOf(const std::function<void()>& action) {
  try {
    action();
  } catch (const EDatabaseError& error) {
    return error.Message();
  }
  return "(nothing raised)";
}

class DatasetCoreTest : public ClientsDatasetTest {
 protected:
  void SetUp() override {
    ClientsDatasetTest::SetUp();
    seed({"CLARK", "ADAMS", "DAVIS", "BRIGHT"});
  }
  // The clients as another dataset reads them now.
  std::vector<std::string> codesSeenAfresh() {
    bindingtest::TestTableDataset* fresh = openClients();
    std::vector<std::string> all = codes(*fresh);
    fresh->Close();
    return all;
  }
};

const std::vector<std::string> kSeeded{"ADAMS", "BRIGHT", "CLARK", "DAVIS"};

TEST_F(DatasetCoreTest, OpensTheFileInKeyOrderWithFieldsOfItsLayout) {
  bindingtest::TestTableDataset* clients = openClients();
  TField* field = clients->FieldByName(kClientCode);
  EXPECT_EQ(field->DataType(), ftString);
  EXPECT_EQ(field->Size(), 7);
  EXPECT_EQ(clients->FieldByName("AutoIncrement")->FieldNo(), 1);
  EXPECT_EQ(codes(*clients), kSeeded);
  EXPECT_EQ(clients->RecordCount(), 4);
  EXPECT_TRUE(clients->CanModify());
}

TEST_F(DatasetCoreTest, FetchedRecordsHaveNoRecordNumberAndSetRecNoDoesNothing) {
  bindingtest::TestTableDataset* clients = openClients();
  for (clients->First(); !clients->Eof(); clients->Next()) EXPECT_EQ(clients->RecNo(), -1) << code(*clients);
  EXPECT_FALSE(clients->RecordNumbersSupported());
  EXPECT_FALSE(clients->IsSequenced());
  clients->First();
  clients->SetRecNo(3);
  EXPECT_EQ(code(*clients), "ADAMS");
}

TEST_F(DatasetCoreTest, ReadingPastEitherEndStopsThereWithoutAnError) {
  bindingtest::TestTableDataset* clients = openClients();
  clients->Last();
  EXPECT_EQ(code(*clients), "DAVIS");
  EXPECT_NO_THROW(clients->Next());
  EXPECT_TRUE(clients->Eof());
  clients->First();
  EXPECT_EQ(clients->MoveBy(10), 3);
  EXPECT_TRUE(clients->Eof());
  EXPECT_EQ(clients->MoveBy(-10), -3);
  EXPECT_TRUE(clients->Bof());
  EXPECT_EQ(code(*clients), "ADAMS");
}

TEST_F(DatasetCoreTest, EditPostAndCancelChangeOnlyWhatWasPosted) {
  bindingtest::TestTableDataset* clients = openClients();
  clients->MoveBy(1);
  clients->Edit();
  clients->FieldByName(kFirstName)->SetAsString("Beatrice");
  clients->Post();
  EXPECT_EQ(code(*clients), "BRIGHT");

  clients->Edit();
  clients->FieldByName(kFirstName)->SetAsString("Nobody");
  clients->Cancel();
  EXPECT_EQ(clients->FieldByName(kFirstName)->AsString(), "Beatrice");

  bindingtest::TestTableDataset* fresh = openClients();
  fresh->MoveBy(1);
  EXPECT_EQ(fresh->FieldByName(kFirstName)->AsString(), "Beatrice");
  fresh->Next();
  EXPECT_EQ(fresh->FieldByName(kFirstName)->AsString(), "");
}

TEST_F(DatasetCoreTest, InsertAndDeleteReachTheFile) {
  bindingtest::TestTableDataset* clients = openClients();
  clients->Insert();
  clients->FieldByName(kClientCode)->SetAsString("EVANS");
  clients->Post();
  EXPECT_EQ(code(*clients), "EVANS");
  EXPECT_EQ(codesSeenAfresh(), (std::vector<std::string>{"ADAMS", "BRIGHT", "CLARK", "DAVIS", "EVANS"}));

  clients->First();
  clients->MoveBy(2);
  ASSERT_EQ(code(*clients), "CLARK");
  clients->Delete();
  EXPECT_EQ(code(*clients), "DAVIS");
  EXPECT_EQ(codesSeenAfresh(), (std::vector<std::string>{"ADAMS", "BRIGHT", "DAVIS", "EVANS"}));
  EXPECT_EQ(clients->RecordCount(), 4);

  // An appended record takes its place in key order and stays the current one.
  clients->Append();
  clients->FieldByName(kClientCode)->SetAsString("AARON");
  clients->Post();
  EXPECT_EQ(code(*clients), "AARON");
  clients->Next();
  EXPECT_EQ(code(*clients), "ADAMS");
}

TEST_F(DatasetCoreTest, ADuplicateKeyReachesOnPostErrorAndTheRecordStaysBeingInserted) {
  bindingtest::TestTableDataset* clients = openClients();
  std::string seen;
  clients->OnPostError = [&](TDataSet*, EDatabaseError& error, TDataAction& action) {
    seen = error.Message();
    action = daFail;
  };
  clients->Insert();
  clients->FieldByName(kClientCode)->SetAsString("CLARK");
  EXPECT_THROW(clients->Post(), ETDBEngineError);
  EXPECT_EQ(seen.substr(0, 17), "Btrieve Status 5 ");
  EXPECT_EQ(clients->State(), dsInsert);
  clients->Cancel();
  EXPECT_EQ(codesSeenAfresh(), kSeeded);
}

TEST_F(DatasetCoreTest, BookmarksFindTheirRecordAndCompareInKeyOrder) {
  bindingtest::TestTableDataset* clients = openClients();
  clients->MoveBy(1);
  TBookmark bright = clients->GetBookmark();
  clients->MoveBy(2);
  TBookmark davis = clients->GetBookmark();
  clients->First();
  clients->GotoBookmark(bright);
  EXPECT_EQ(code(*clients), "BRIGHT");
  EXPECT_LT(clients->CompareBookmarks(bright, davis), 0);
  EXPECT_GT(clients->CompareBookmarks(davis, bright), 0);
  EXPECT_EQ(clients->CompareBookmarks(bright, bright), 0);
  // A missing bookmark sorts after a set one.
  EXPECT_EQ(clients->CompareBookmarks(nullptr, nullptr), 0);
  EXPECT_EQ(clients->CompareBookmarks(nullptr, bright), 1);
  EXPECT_EQ(clients->CompareBookmarks(bright, nullptr), -1);
  EXPECT_TRUE(clients->BookmarkValid(davis));
  EXPECT_FALSE(clients->BookmarkValid(nullptr));
  clients->FreeBookmark(bright);
  clients->FreeBookmark(davis);
}

TEST_F(DatasetCoreTest, FieldsAreWrittenOnlyWhileEditing) {
  bindingtest::TestTableDataset* clients = openClients();
  EXPECT_EQ(messageOf([&] { clients->FieldByName(kFirstName)->SetAsString("X"); }),
            "Dataset not in edit or insert mode");
  clients->FieldByName(kFirstName)->SetReadOnly(true);
  clients->Edit();
  EXPECT_EQ(messageOf([&] { clients->FieldByName(kFirstName)->SetAsString("X"); }),
            "Field 'Client First Name' cannot be modified");
  clients->Cancel();
}

TEST_F(DatasetCoreTest, AMissingFileRaisesTheEngineErrorNamingItAndGivesTheDatabaseBack) {
  bindingtest::TestTableDataset* missing = newClients();
  missing->SetTableName("YNowhere.qf;RES:YCLIENT");
  try {
    missing->Open();
    FAIL() << "a missing file opened";
  } catch (const ETDBEngineError& error) {
    EXPECT_NE(error.Message().find("YNowhere.qf"), std::string::npos) << error.Message();
  }
  EXPECT_FALSE(missing->Active());
  EXPECT_EQ(missing->Database(), nullptr);
  ASSERT_EQ(standard->DatabaseCount(), 1);
  EXPECT_EQ(standard->Databases(0)->DataSetCount(), 0);
}

TEST_F(DatasetCoreTest, ADatasetWithoutACursorRaisesNoResultSet) {
  class Cursorless : public TttDBDataset {
   public:
    Cursorless(bindingtest::TestSessionList& list) : TttDBDataset(nullptr, list), list_(list) {}
    ~Cursorless() override { CloseForDestruction(); }
    TVirtEng* Engine() override { return list_.engine; }
    TttSession* DefaultSession() override { return list_.DefaultSession(); }

   private:
    bindingtest::TestSessionList& list_;
  } cursorless(sessions);
  cursorless.SetDatabaseName(dataDir);
  try {
    cursorless.Open();
    FAIL() << "a dataset without a cursor opened";
  } catch (const ENoResultSet& error) {
    EXPECT_EQ(error.Message(), "Error creating cursor handle");
  }
  EXPECT_FALSE(cursorless.Active());
  EXPECT_EQ(cursorless.Database(), nullptr);
}

TEST_F(DatasetCoreTest, DatasetsShareTheirDatabaseAndClosingItDisconnectsThem) {
  bindingtest::TestTableDataset* first = openClients();
  bindingtest::TestTableDataset* second = openClients("0");
  ASSERT_EQ(first->Database(), second->Database());
  TttDatabase* database = first->Database();
  EXPECT_TRUE(database->Temporary());
  EXPECT_EQ(database->ReferenceCount(), 2);
  EXPECT_EQ(database->DataSetCount(), 2);
  EXPECT_EQ(messageOf([&] { first->SetDatabaseName("elsewhere"); }),
            "Cannot perform this operation on an open dataset");

  database->Close();
  EXPECT_FALSE(first->Active());
  EXPECT_FALSE(second->Active());
  EXPECT_EQ(database->DataSetCount(), 0);
  EXPECT_EQ(first->Database(), nullptr);
  first->Open();
  EXPECT_EQ(codes(*first), kSeeded);
}

TEST_F(DatasetCoreTest, ABlockReadGoesThroughEveryRecordOnceFromTheActiveOne) {
  bindingtest::TestTableDataset* clients = openClients();
  auto readBlocks = [&](int size) {
    clients->SetBlockReadSize(size);
    EXPECT_EQ(clients->State(), dsBlockRead);
    std::vector<std::string> read;
    while (!clients->Eof()) {
      read.push_back(code(*clients));
      clients->Next();
    }
    clients->SetBlockReadSize(0);
    EXPECT_EQ(clients->State(), dsBrowse);
    return read;
  };
  EXPECT_EQ(readBlocks(3), kSeeded);  // the second block comes back short
  EXPECT_EQ(code(*clients), "DAVIS");
  clients->First();
  EXPECT_EQ(readBlocks(2), kSeeded);  // two full blocks, then an empty one
  clients->First();
  clients->Next();
  EXPECT_EQ(readBlocks(100), (std::vector<std::string>{"BRIGHT", "CLARK", "DAVIS"}));
}

TEST_F(DatasetCoreTest, AParentScrollBringsTheFirstRecord) {
  bindingtest::TestTableDataset* clients = openClients();
  clients->MoveBy(2);
  clients->DataEvent(deParentScroll, 0);
  EXPECT_EQ(code(*clients), "ADAMS");
  EXPECT_TRUE(clients->Bof());
}

TEST_F(DatasetCoreTest, TheBlobOfTheActiveRecordIsReadWholeIntoAGrowingBuffer) {
  btrtest::DictionaryFolder dictionary(false);
  recordingtest::createRecordFile(dictionary.path() + "/MEMO.DAT", 8, {{1, 4, 0, 1}}, 0x01);
  dictionary.addTable(1, "MEMO", "MEMO.DAT");
  dictionary.addField(1, 1, "Id", 1, 0, 4);
  dictionary.addField(2, 1, "Note", 0, 8, 300);
  dictionary.addIndexSegment(1, 1);
  bindingtest::TestTableDataset* memos = newClients("0");
  memos->SetDatabaseName(dictionary.path());
  memos->SetTableName("MEMO");
  memos->Open();
  const std::string text(120, 'n');
  std::vector<char> record(static_cast<size_t>(memos->RecordSize()));
  TVirtEng* engine = memos->Engine();
  ASSERT_EQ(engine->InitRecord(memos->Handle(), record.data()), 0);
  ASSERT_EQ(engine->PutBlob(memos->Handle(), record.data(), 2, 0, static_cast<uint32_t>(text.size()), text.data()), 0);
  ASSERT_EQ(engine->InsertRecord(memos->Handle(), 0, record.data()), 0);
  memos->First();

  std::vector<char> blob(10);
  ASSERT_EQ(memos->GetBlobFieldData(2, blob), static_cast<int>(text.size()));
  EXPECT_EQ(std::string(blob.data(), text.size()), text);
  EXPECT_EQ(blob.size(), text.size() + text.size() / 4);
  EXPECT_THROW(memos->GetBlobFieldData(1, blob), ETDBEngineError);  // not a blob
}

TEST_F(DatasetCoreTest, ADatasetOfAnotherSessionTakesOverTheDefaultSessionsDatabaseOfItsName) {
  auto* other = new bindingtest::TestSessionComponent(nullptr, sessions);
  other->SetSessionName("Other");
  bindingtest::TestDatabaseComponent database(nullptr, sessions);
  database.SetDatabaseName(dataDir);
  ASSERT_EQ(database.Session(), standard);
  bindingtest::TestTableDataset* clients = newClients();
  clients->SetSessionName("Other");
  clients->Open();
  EXPECT_EQ(clients->Database(), &database);
  EXPECT_EQ(database.Session(), other);
  EXPECT_EQ(database.SessionName(), "Other");
  EXPECT_EQ(clients->DBSession(), other);
  EXPECT_EQ(codes(*clients), kSeeded);
  clients->Close();
}

TEST_F(DatasetCoreTest, TheCurrentRecordIsCopiedOnlyForAStoredRecord) {
  bindingtest::TestTableDataset* clients = openClients();
  clients->MoveBy(2);
  std::vector<char> record(static_cast<size_t>(clients->RecordSize()));
  ASSERT_TRUE(clients->GetCurrentRecord(record.data()));
  EXPECT_EQ(std::string(record.data() + 4, 5), "CLARK");
  clients->Insert();
  EXPECT_FALSE(clients->GetCurrentRecord(record.data()));
  clients->Cancel();
}

}  // namespace
