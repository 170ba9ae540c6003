// A post that fails keeps the record in edit state with what the user typed; the error events
// decide between failing, aborting silently and retrying.
#include <gtest/gtest.h>

#include "framework/base/Exception.h"
#include "framework/db/DatabaseError.h"
#include "framework/db/tests/DbTestSupport.h"

using namespace dbtest;

namespace {

TEST(PostFailure, KeepsEditStateAndTheUsersValues) {
  auto ds = People();
  Fill(*ds, 3);
  ds->Next();
  ds->Edit();
  ds->FieldByName("NAME")->SetAsString("typed");
  ds->FieldByName("AMOUNT")->SetAsFloat(1.5);
  EventLog log;
  log.Attach(*ds);
  ds->BeforePost = [&](TDataSet*) { log.events.push_back("BeforePost"); DatabaseError("no"); };

  EXPECT_THROW(ds->Post(), EDatabaseError);
  EXPECT_EQ(log.events, (std::vector<std::string>{"BeforePost"}));
  EXPECT_EQ(ds->State(), dsEdit);
  EXPECT_TRUE(ds->Modified());
  EXPECT_EQ(ds->FieldByName("NAME")->AsString(), "typed");
  EXPECT_EQ(ds->FieldByName("AMOUNT")->AsFloat(), 1.5);
  EXPECT_EQ(CurrentId(*ds), 2);

  // Once the cause is gone the same edit posts.
  ds->BeforePost = nullptr;
  ds->Post();
  EXPECT_EQ(ds->State(), dsBrowse);
  ds->First();
  ds->Next();
  EXPECT_EQ(ds->FieldByName("NAME")->AsString(), "typed");
}

TEST(PostFailure, MissingRequiredValueKeepsTheInsertedRecord) {
  auto ds = People();
  Fill(*ds, 2);
  ds->Append();
  ds->FieldByName("NAME")->SetAsString("new");
  try {
    ds->Post();
    FAIL() << "posted without ID";
  } catch (const EDatabaseError& e) {
    EXPECT_EQ(e.Message(), "Field 'ID' must have a value");
  }
  EXPECT_EQ(ds->State(), dsInsert);
  EXPECT_EQ(ds->FieldByName("NAME")->AsString(), "new");
  ds->FieldByName("ID")->SetAsInteger(3);
  ds->Post();
  EXPECT_EQ(ds->RecordCount(), 3);
}

TEST(PostFailure, FieldValidationRefusesTheValueAndKeepsTheOldOne) {
  auto ds = People();
  Fill(*ds, 1);
  TField* name = ds->FieldByName("NAME");
  AnsiString seen;
  name->OnValidate = [&](TField* f) {
    seen = f->AsString();  // the value about to be stored
    if (seen == "bad") DatabaseError("bad name");
  };
  ds->Edit();
  EXPECT_THROW(name->SetAsString("bad"), EDatabaseError);
  EXPECT_EQ(seen, "bad");
  EXPECT_EQ(name->AsString(), "N1");
  name->SetAsString("good");
  EXPECT_EQ(name->AsString(), "good");
}

struct ErrorActionCase {
  TDataAction action;
  bool raisesAbort;
};

class PostErrorAction : public ::testing::TestWithParam<ErrorActionCase> {};

TEST_P(PostErrorAction, DecidesWhatTheFailureBecomes) {
  auto ds = People();
  Fill(*ds, 1);
  ds->Edit();
  ds->FieldByName("ID")->Clear();
  int asked = 0;
  ds->OnPostError = [&](TDataSet*, EDatabaseError& e, TDataAction& action) {
    EXPECT_EQ(e.Message(), "Field 'ID' must have a value");
    ++asked;
    action = GetParam().action;
  };
  if (GetParam().raisesAbort)
    EXPECT_THROW(ds->Post(), EAbort);
  else
    EXPECT_THROW(ds->Post(), EDatabaseError);
  EXPECT_EQ(asked, 1);
  EXPECT_EQ(ds->State(), dsEdit);
}

INSTANTIATE_TEST_SUITE_P(FailAndAbort, PostErrorAction,
                         ::testing::Values(ErrorActionCase{daFail, false},
                                           ErrorActionCase{daAbort, true}));

TEST(PostErrorRetry, RunsThePostAgain) {
  auto ds = People();
  Fill(*ds, 1);
  ds->Edit();
  ds->FieldByName("ID")->Clear();
  int asked = 0;
  ds->OnPostError = [&](TDataSet* d, EDatabaseError&, TDataAction& action) {
    ++asked;
    d->FieldByName("ID")->SetAsInteger(7);  // what a handler fixes before retrying
    action = daRetry;
  };
  ds->Post();
  EXPECT_EQ(asked, 1);
  EXPECT_EQ(ds->State(), dsBrowse);
  EXPECT_EQ(CurrentId(*ds), 7);
}

// A dataset whose first deletes fail, as a record locked by another station would.
class LockedDelete : public MemoryDataSet {
 public:
  int failures = 0;

 protected:
  void InternalDelete() override {
    if (failures > 0) {
      --failures;
      DatabaseError("record locked");
    }
    MemoryDataSet::InternalDelete();
  }
};

// A dataset whose first edits fail, as a record another station holds would.
class LockedEdit : public MemoryDataSet {
 public:
  int failures = 0;

 protected:
  void InternalEdit() override {
    if (failures > 0) {
      --failures;
      DatabaseError("A record lock was encountered.");
    }
  }
};

TEST(EditError, RetryThenFail) {
  LockedEdit ds;
  DefinePeople(ds);
  Fill(ds, 1);
  EventLog log;
  log.Attach(ds);
  ds.failures = 1;
  ds.OnEditError = [](TDataSet*, EDatabaseError&, TDataAction& action) { action = daRetry; };
  ds.Edit();
  EXPECT_EQ(ds.State(), dsEdit);
  EXPECT_EQ(log.events, (std::vector<std::string>{"BeforeEdit", "AfterEdit"}));
  ds.Cancel();

  ds.failures = 1;
  ds.OnEditError = nullptr;  // fail: the error comes through, no AfterEdit
  log.events.clear();
  EXPECT_THROW(ds.Edit(), EDatabaseError);
  EXPECT_EQ(ds.State(), dsBrowse);
  EXPECT_EQ(log.events, std::vector<std::string>{"BeforeEdit"});
}

TEST(DeleteError, RetryAndAbort) {
  LockedDelete ds;
  DefinePeople(ds);
  Fill(ds, 3);
  ds.failures = 2;
  int asked = 0;
  ds.OnDeleteError = [&](TDataSet*, EDatabaseError& e, TDataAction& action) {
    EXPECT_EQ(e.Message(), "record locked");
    action = ++asked < 2 ? daRetry : daAbort;
  };
  EXPECT_THROW(ds.Delete(), EAbort);
  EXPECT_EQ(asked, 2);
  EXPECT_EQ(ds.RecordCount(), 3);
  EXPECT_EQ(CurrentId(ds), 1);

  ds.failures = 1;
  ds.OnDeleteError = [](TDataSet*, EDatabaseError&, TDataAction& action) { action = daRetry; };
  ds.Delete();
  EXPECT_EQ(ds.RecordCount(), 2);
  EXPECT_EQ(CurrentId(ds), 2);
}

}  // namespace
