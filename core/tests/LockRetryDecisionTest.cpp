// What the lock handler of the fee, bill and description tables decides for one failure.
#include <gtest/gtest.h>

#include "core/DM.h"
#include "core/tests/DataModuleFixture.h"
#include "framework/base/Clock.h"
#include "framework/db/Field.h"
#include "framework/ui/testing/ScriptedMessageBoxes.h"

namespace {

using core_test::DataModuleFixture;
using qn::ui::testing::ScriptedMessageBoxes;

const AnsiString LockText = "Btrieve Status 84 - The record or page is locked.";

class LockRetryDecision : public DataModuleFixture {
 protected:
  void SetUp() override {
    DataModuleFixture::SetUp();
    qn::setClock(&clock);
  }
  void TearDown() override {
    qn::setClock(nullptr);
    DataModuleFixture::TearDown();
  }
  TDataAction decide(TDataSet* table, const AnsiString& text) {
    EDatabaseError error(text);
    TDataAction action = daFail;
    dm->Fee_EditError(table, error, action);
    return action;
  }
  qn::ManualClock clock{100000};
};

TEST_F(LockRetryDecision, WithinTheWindowALockIsRetriedSilently) {
  dm->StartLockRetry(5000, "held");
  ScriptedMessageBoxes boxes;
  EXPECT_EQ(decide(dm->Fee_, LockText), daRetry);
}

TEST_F(LockRetryDecision, AnyOtherFailureIsReportedAtOnceEvenWithinTheWindow) {
  dm->StartLockRetry(5000, "held");
  ScriptedMessageBoxes boxes;
  boxes.expect(mtError, "An error was encountered while attempting to modify data in\rBill_.\r\r"
                        "Btrieve Status 5 - The record has a key field containing a duplicate key value."
                        "\r\rPlease call Vantor, Inc. for assistance.\rBill_");
  EXPECT_EQ(decide(dm->Bill_, "Btrieve Status 5 - The record has a key field containing a duplicate key value."),
            daAbort);
  EXPECT_EQ(clock.milliseconds(), 100000u);
}

TEST_F(LockRetryDecision, ADeadlineMoreThanTwentySecondsAwayStartsANewWindow) {
  for (const std::uint32_t away : {20001u, static_cast<std::uint32_t>(-20001)}) {
    LockRetryDeadline = static_cast<std::uint32_t>(clock.milliseconds()) + away;
    LockRetryWindow = 0;
    ScriptedMessageBoxes boxes;
    EXPECT_EQ(decide(dm->Fee_, LockText), daRetry) << away;
    EXPECT_EQ(LockRetryWindow, 5000u);
    EXPECT_EQ(LockRetryMessage, "A record lock was encountered.");
    EXPECT_GT(LockRetryDeadline, static_cast<std::uint32_t>(clock.milliseconds()));
  }
}

TEST_F(LockRetryDecision, AGeneralMessageNamesTheFileInItsQuestion) {
  const AnsiString general =
      "Quillon is altering this line (or associated fee or cost transactions as needed).\r\rYou may retry.";
  for (TdcTbTable* table : {dm->Bill_, dm->Fee2_}) {
    dm->StartLockRetry(0, general);
    LockRetryWindow = 5000;
    clock.advance(1);
    const AnsiString file = table == dm->Bill_ ? "BILL.QF" : "FEE.QF";
    ScriptedMessageBoxes boxes;
    boxes.expect(mtInformation,
                 "A record lock was encountered while Quillon was attempting to alter a record in " + file +
                     ".\r\rYou may retry.",
                 mrRetry);
    EXPECT_EQ(decide(table, LockText), daRetry);
    EXPECT_EQ(LockRetryDeadline, static_cast<std::uint32_t>(clock.milliseconds()) + 5000);
  }
}

TEST_F(LockRetryDecision, CancelAtTheQuestionGivesUpTheChangeOfTheTableThatMetTheLockAlone) {
  dm->Fee_->SetTableName(dataDir + "\\fee.qf;RES:FEES");
  dm->Fee_->Open();
  dm->Fee_->First();
  const AnsiString storedGroup = dm->Fee_->FieldByName("Group Code")->AsString();
  dm->Fee_->Edit();
  dm->Fee_->FieldByName("Group Code")->SetAsString("ZZ");
  dm->Bill_->SetTableName(dataDir + "\\bill.qf;RES:BILLS");
  dm->Bill_->Open();
  dm->Bill_->First();
  const AnsiString storedClient = dm->Bill_->FieldByName("Client Code")->AsString();
  dm->Bill_->Edit();
  dm->Bill_->FieldByName("Client Code")->SetAsString("ZZZZ");

  dm->StartLockRetry(0, "held");
  clock.advance(1);
  ScriptedMessageBoxes boxes;
  boxes.expect(mtInformation, "held", mrCancel);
  EXPECT_EQ(decide(dm->Bill_, LockText), daAbort);

  EXPECT_EQ(dm->Bill_->State(), dsBrowse);
  EXPECT_EQ(dm->Bill_->FieldByName("Client Code")->AsString(), storedClient);
  EXPECT_EQ(dm->Fee_->State(), dsEdit) << "the fee's change is not the one the user gave up";
  EXPECT_EQ(dm->Fee_->FieldByName("Group Code")->AsString(), "ZZ");
  dm->Fee_->Cancel();
  EXPECT_EQ(dm->Fee_->FieldByName("Group Code")->AsString(), storedGroup);
}

}  // namespace
