// The workstation's batch of transactions: hidden lines, new lines, the calculated columns, and a
// deleted line's descriptions.
#include <gtest/gtest.h>

#include <optional>

#include "core/tests/DataModuleFixture.h"
#include "framework/base/Exception.h"
#include "framework/base/Locale.h"
#include "framework/base/tests/ScopedSettings.h"
#include "framework/db/Field.h"
#include "framework/ui/testing/ScriptedMessageBoxes.h"
#include "platform/recmgr/tests/ServeChild.h"
#include "testing/TestFiles.h"

namespace {

using core_test::DataModuleFixture;
using qn::recmgr::testing::ServeChild;
using qn::testing::readFileText;
using qn::ui::testing::ScriptedMessageBoxes;

class Batch : public DataModuleFixture {
 protected:
  void SetUp() override {
    DataModuleFixture::SetUp();
    Locale().ShortDateFormat = "M/d/yyyy";
    Locale().DateSeparator = '/';
  }
  void TearDown() override {
    // A transaction a failing test left open would fail every test after it in this process.
    if (dm2 && dm2->QNDatabase->InTransaction()) dm2->QNDatabase->Rollback();
    DataModuleFixture::TearDown();
  }

  void openBatch() {
    dm->Batch_->SetTableName(dataDir + "\\Batch07.qf;RES:BATCH");
    dm->Batch_->Open();
    dm->Batch_->SetIndexName("1");
    dm->BatchDesc_->SetTableName(dataDir + "\\BDesc07.qf;RES:TRDESC");
    dm->BatchDesc_->Open();
    dm->BatchDesc_->SetIndexName("1");
  }
  // The lines the batch shows, by sequence number.
  std::string lines() {
    std::string all;
    for (dm->Batch_->First(); !dm->Batch_->Eof(); dm->Batch_->Next())
      all += (all.empty() ? "" : ",") + dm->Batch_->FieldByName("SeqNumber")->AsString();
    return all;
  }
  // The descriptions left in the file, as "sequence/suffix", in key order.
  std::string descriptions() {
    std::string all;
    for (const std::string& row : rows("BDesc07.qf;RES:TRDESC", {"SequenceNumber", "SequenceSuffix"}))
      all += (all.empty() ? "" : ",") + row;
    return all;
  }
  void deleteLine(const char* sequence) {
    ASSERT_TRUE(dm->Batch_->FindKey({AnsiString(sequence)})) << sequence;
    dm->Batch_->Delete();
  }
  // Line 00000101 read with a single-record lock by the other workstation: our delete of it fails.
  void holdFirstLineAt(ServeChild& other) {
    ASSERT_EQ(other.status("open 0 " + dataDir + "/Batch07.qf"), 0);
    ASSERT_EQ(other.status("read 0 205 1 3030303030313031"), 0);  // "00000101" on key 1
  }
  // Deletes the current line and answers what reached the caller: the message, marked when it
  // came as a database error; empty when nothing was raised.
  std::string deleteRaising() {
    try {
      dm->Batch_->Delete();
    } catch (const EDatabaseError& e) {
      return "database error: " + e.Message();
    } catch (const Exception& e) {
      return e.Message();
    }
    return "";
  }

  ScopedLocale locale_;
  ScriptedMessageBoxes boxes_;  // no conversion of these columns shows a message
};

TEST_F(Batch, LinesMarkedHiddenAreLeftOut) {
  openBatch();
  EXPECT_EQ(lines(), "00000101,00000102");
  // The mark is the whole field: a line whose spare space says something else stays.
  dm->Batch_->First();
  dm->Batch_->Edit();
  dm->Batch_->FieldByName("Unassigned")->SetAsString("SX");
  dm->Batch_->Post();
  EXPECT_EQ(lines(), "00000101,00000102");
  dm->Batch_->First();
  dm->Batch_->Edit();
  dm->Batch_->FieldByName("Unassigned")->SetAsString("S");
  dm->Batch_->Post();
  EXPECT_EQ(lines(), "00000102");
}

struct LineCase {
  const char* type;
  const char* subType;
  const char* date;  // nullptr: the date a new line gets
  double dollars, spread;
  const char* invoice;
  const char* shownDate;
  const char* shownType;
  const char* shownAmount;
  const char* shownInvoice;
};

TEST_F(Batch, EachLineShowsItsDateTypeAmountAndInvoice) {
  const LineCase cases[] = {
      {"A", "", "240315", -12.5, 0, "INV1", "03/15/04", "Adjustment", "-12.50", "INV1"},
      {"B", "", "191231", 300, 0, "", "12/31/99", "Retainer Billing", "300.00", "pending"},
      {"B", "", "200101", 300, 0, "INV7", "01/01/00", "Retainer Billing", "300.00", "INV7"},
      {"C", "D", "240315", 0.5, 0, "", "03/15/04", "Direct Cost", "0.50", ""},
      {"C", "I", "240315", 0, 0, "", "03/15/04", "Indirect Cost", "0.00", ""},
      {"F", "", "240315", 1234.5, 0, "INV2", "03/15/04", "Fee", "1,234.50", "INV2"},
      {"P", "", "240315", 50, 200, "INV3", "03/15/04", "Payment", "250.00", "multiple"},
      {"B", "", "240315", 0, 75, "", "03/15/04", "Retainer Billing", "75.00", "multiple"},
      {"R", "", "240315", 10, 0, "", "03/15/04", "Retainer Transfer", "10.00", ""},
      {"T", "D", "240315", 10, 0, "", "03/15/04", "Trust Debit", "10.00", ""},
      {"T", "C", "240315", 10, 0, "", "03/15/04", "Trust Credit", "10.00", ""},
      {"X", "", "240315", 10, 0, "", "03/15/04", "", "10.00", ""},
      {"", "", "240315", 10, 0, "", "03/15/04", "", "10.00", ""},
      // A line without a date yet, a blank date and a date of five digits show stars.
      {"F", "", nullptr, 1, 0, "", "********", "Fee", "1.00", ""},
      {"F", "", "", 1, 0, "", "********", "Fee", "1.00", ""},
      {"F", "", "24031", 1, 0, "", "********", "Fee", "1.00", ""},
  };
  openBatch();
  int sequence = 200;
  for (const LineCase& c : cases) {
    SCOPED_TRACE(std::string(c.type) + c.subType + " " + (c.date ? c.date : "new"));
    const AnsiString number = "00000" + std::to_string(++sequence);
    dm->Batch_->Append();
    TDataSet* line = dm->Batch_;
    line->FieldByName("Trtype")->SetAsString(c.type);
    line->FieldByName("SubType")->SetAsString(c.subType);
    if (c.date) line->FieldByName("TrDate")->SetAsString(c.date);
    line->FieldByName("Dollars")->SetAsFloat(c.dollars);
    line->FieldByName("BDollars")->SetAsFloat(c.spread);
    line->FieldByName("InvoiceNumber")->SetAsString(c.invoice);
    line->FieldByName("SeqNumber")->SetAsString(number);
    dm->Batch_->Post();
    ASSERT_TRUE(dm->Batch_->FindKey({number}));
    EXPECT_EQ(line->FieldByName("TrDate")->AsString(), c.date ? c.date : "-1");
    EXPECT_EQ(line->FieldByName("DisplayDate")->AsString(), c.shownDate);
    EXPECT_EQ(line->FieldByName("TransTypeString")->AsString(), c.shownType);
    EXPECT_EQ(line->FieldByName("DisplayAmount")->AsString(), c.shownAmount);
    EXPECT_EQ(line->FieldByName("DisplayInv")->AsString(), c.shownInvoice);
  }
}

TEST_F(Batch, ADayFirstWorkstationShowsTheDayFirst) {
  Locale().ShortDateFormat = "dd/MM/yyyy";
  openBatch();
  dm->Batch_->First();
  EXPECT_EQ(dm->Batch_->FieldByName("DisplayDate")->AsString(), "15/03/04");
}

struct DeleteCase {
  const char* name;
  bool keep;
  const char* descriptionIndex;  // the index the description table is on when the line goes
  const char* line;
  const char* left;
};

class BatchDelete : public Batch, public ::testing::WithParamInterface<DeleteCase> {};

TEST_P(BatchDelete, ADeletedLineTakesItsDescriptionsAlongUnlessAskedToKeepThem) {
  const DeleteCase& c = GetParam();
  openBatch();
  dm->KeepBatchDescriptions = c.keep;
  dm->BatchDesc_->SetIndexName(c.descriptionIndex);
  deleteLine(c.line);
  EXPECT_EQ(descriptions(), c.left);
  EXPECT_EQ(dm->BatchDesc_->IndexName(), c.descriptionIndex);
  EXPECT_EQ(lines(), std::string(c.line) == "00000101" ? "00000102" : "00000101");
}

INSTANTIATE_TEST_SUITE_P(
    Lines, BatchDelete,
    ::testing::Values(DeleteCase{"FirstLine", false, "1", "00000101", "00000102|A,00000103|A"},
                      DeleteCase{"SecondLine", false, "1", "00000102", "00000101|A,00000101|B,00000103|A"},
                      DeleteCase{"Kept", true, "1", "00000101", "00000101|A,00000101|B,00000102|A,00000103|A"},
                      DeleteCase{"DescriptionsInEntryOrder", false, "0", "00000101", "00000102|A,00000103|A"}),
    [](const ::testing::TestParamInfo<DeleteCase>& info) { return std::string(info.param.name); });

// A description that cannot go (in use elsewhere) stops the delete: the line stays, and the
// description table is back on the index the form had it on.
TEST_F(Batch, ADescriptionThatCannotGoKeepsTheLineAndTheDescriptionOrder) {
  openBatch();
  dm->BatchDesc_->SetIndexName("0");
  dm->BatchDesc_->BeforeDelete = [](TDataSet*) { throw Exception("The description is in use"); };
  ASSERT_TRUE(dm->Batch_->FindKey({AnsiString("00000101")}));
  EXPECT_THROW(dm->Batch_->Delete(), Exception);
  EXPECT_EQ(dm->BatchDesc_->IndexName(), "0");
  EXPECT_EQ(lines(), "00000101,00000102");
  dm->BatchDesc_->BeforeDelete = nullptr;
  EXPECT_EQ(descriptions(), "00000101|A,00000101|B,00000102|A,00000103|A");
}

// A line whose description is the only record of the file loses it too; the file empty, a
// deleted line has nothing to take along.
TEST_F(Batch, TheLastDescriptionGoesWithItsLine) {
  openBatch();
  for (dm->BatchDesc_->First(); !dm->BatchDesc_->Eof();)
    if (dm->BatchDesc_->FieldByName("SequenceNumber")->AsString() == "00000102")
      dm->BatchDesc_->Next();
    else
      dm->BatchDesc_->Delete();
  ASSERT_EQ(descriptions(), "00000102|A");
  deleteLine("00000102");
  EXPECT_EQ(descriptions(), "");
  deleteLine("00000101");
  EXPECT_EQ(lines(), "");
}

// Three lines: 00000101 with two descriptions, a line without a number beside a description
// without one, and 00000104, whose number no description carries.
class BatchLineDescriptions : public Batch {
 protected:
  void SetUp() override {
    Batch::SetUp();
    openBatch();
    for (const char* sequence : {"", "00000104"}) {
      dm->Batch_->Append();
      dm->Batch_->FieldByName("Trtype")->SetAsString("F");
      dm->Batch_->FieldByName("SeqNumber")->SetAsString(sequence);
      dm->Batch_->Post();
    }
    dm->BatchDesc_->Append();
    dm->BatchDesc_->FieldByName("SequenceNumber")->SetAsString("");
    dm->BatchDesc_->FieldByName("SequenceSuffix")->SetAsString("A");
    dm->BatchDesc_->Post();
  }
};

struct LineDescriptionsCase {
  const char* name;
  const char* line;
  const char* left;
};

class DeletingALine : public BatchLineDescriptions, public ::testing::WithParamInterface<LineDescriptionsCase> {};

// A line without a number takes no description along: those of every such line look alike. (The
// description without a number is listed as its suffix alone, "A".)
TEST_P(DeletingALine, LeavesExactlyTheOtherLinesDescriptions) {
  const LineDescriptionsCase& c = GetParam();
  ASSERT_EQ(descriptions(), "A,00000101|A,00000101|B,00000102|A,00000103|A");
  deleteLine(c.line);
  EXPECT_EQ(descriptions(), c.left);
  EXPECT_FALSE(dm2->QNDatabase->InTransaction());
}

INSTANTIATE_TEST_SUITE_P(
    Lines, DeletingALine,
    ::testing::Values(LineDescriptionsCase{"Numbered", "00000101", "A,00000102|A,00000103|A"},
                      LineDescriptionsCase{"Unnumbered", "", "A,00000101|A,00000101|B,00000102|A,00000103|A"},
                      LineDescriptionsCase{"WithoutDescriptions", "00000104",
                                           "A,00000101|A,00000101|B,00000102|A,00000103|A"}),
    [](const ::testing::TestParamInfo<LineDescriptionsCase>& info) { return std::string(info.param.name); });

// The line held by another workstation cannot go: its descriptions, deleted first, come back with
// it, and neither file differs by a byte.
TEST_F(Batch, ALineThatCannotGoKeepsItsDescriptionsAndBothFilesUnchanged) {
  openBatch();
  ServeChild other;
  holdFirstLineAt(other);
  const std::string lineBytes = readFileText(dataDir + "/Batch07.qf");
  const std::string descriptionBytes = readFileText(dataDir + "/BDesc07.qf");
  ASSERT_FALSE(lineBytes.empty());
  ASSERT_FALSE(descriptionBytes.empty());

  ASSERT_TRUE(dm->Batch_->FindKey({AnsiString("00000101")}));
  EXPECT_THROW(dm->Batch_->Delete(), EDatabaseError);
  EXPECT_FALSE(dm2->QNDatabase->InTransaction());
  int shown = 0;
  for (dm->BatchDesc_->First(); !dm->BatchDesc_->Eof(); dm->BatchDesc_->Next()) ++shown;
  EXPECT_EQ(shown, 4) << "the form's description list shows the descriptions that came back";
  other.ask("close 0");
  EXPECT_TRUE(readFileText(dataDir + "/Batch07.qf") == lineBytes) << "the lines file changed";
  EXPECT_TRUE(readFileText(dataDir + "/BDesc07.qf") == descriptionBytes) << "the descriptions file changed";
  EXPECT_EQ(descriptions(), "00000101|A,00000101|B,00000102|A,00000103|A");
  EXPECT_EQ(lines(), "00000101,00000102");
}

// The form retries the delete of a line another workstation held once that one has let go: the
// retried delete takes the descriptions along again, as one transaction that then commits.
TEST_F(Batch, ALineRetriedOnceItsLockIsGoneGoesWithItsDescriptions) {
  openBatch();
  ServeChild other;
  holdFirstLineAt(other);
  int asked = 0;
  dm->Batch_->OnDeleteError = [&](TDataSet*, EDatabaseError&, TDataAction& action) {
    if (++asked > 1) return;
    EXPECT_FALSE(dm2->QNDatabase->InTransaction()) << "the failed attempt is rolled back before the form is asked";
    EXPECT_EQ(descriptions(), "00000101|A,00000101|B,00000102|A,00000103|A");
    other.ask("close 0");
    action = daRetry;
  };
  ASSERT_TRUE(dm->Batch_->FindKey({AnsiString("00000101")}));
  EXPECT_EQ(deleteRaising(), "");
  EXPECT_EQ(asked, 1);
  EXPECT_FALSE(dm2->QNDatabase->InTransaction());
  EXPECT_EQ(lines(), "00000102");
  EXPECT_EQ(descriptions(), "00000102|A,00000103|A");
}

// Where a line's delete fails before the line is gone: a form's scroll handler refusing to leave
// the line, a description that fails once it has gone (the line's last), the line held by another
// workstation while the form handles the delete's errors itself.
enum class Failure { ScrollHandler, LastDescription, LineHeldWithFormsErrorHandler };

struct FailedDeleteCase {
  const char* name;
  Failure failure;
  const char* raised;  // what reaches the caller; nullptr: a database error, whatever its text
};

class DeletingALineThatFails : public Batch, public ::testing::WithParamInterface<FailedDeleteCase> {
 protected:
  void inject(Failure failure) {
    switch (failure) {
      case Failure::ScrollHandler:
        dm->Batch_->BeforeScroll = [](TDataSet*) { throw Exception("The line cannot be left now"); };
        break;
      case Failure::LastDescription:
        dm->BatchDesc_->AfterDelete = [this](TDataSet*) {
          if (++descriptionsGone_ == 2) throw Exception("The description is in use");
        };
        break;
      case Failure::LineHeldWithFormsErrorHandler:
        other_.emplace();
        holdFirstLineAt(*other_);
        dm->Batch_->OnDeleteError = [this](TDataSet*, EDatabaseError&, TDataAction&) { ++formsHandlerCalls_; };
        break;
    }
  }
  void clear() {
    dm->Batch_->BeforeScroll = nullptr;
    dm->BatchDesc_->AfterDelete = nullptr;
    if (other_) other_->ask("close 0");
    other_.reset();
  }

  int descriptionsGone_ = 0;
  int formsHandlerCalls_ = 0;
  std::optional<ServeChild> other_;
};

// The line and its descriptions stay as they were, byte for byte, the user is shown why, and no
// transaction is left open to hold every later write of the program; the line can go once the
// failure is past.
TEST_P(DeletingALineThatFails, KeepsTheLineAndItsDescriptionsAndEndsItsTransaction) {
  const FailedDeleteCase& c = GetParam();
  openBatch();
  const std::string lineBytes = readFileText(dataDir + "/Batch07.qf");
  const std::string descriptionBytes = readFileText(dataDir + "/BDesc07.qf");
  ASSERT_TRUE(dm->Batch_->FindKey({AnsiString("00000101")}));
  inject(c.failure);

  const std::string raised = deleteRaising();
  if (c.raised)
    EXPECT_EQ(raised, c.raised);
  else
    EXPECT_EQ(raised.rfind("database error: ", 0), 0u) << raised;
  EXPECT_FALSE(dm2->QNDatabase->InTransaction());
  if (c.failure == Failure::LineHeldWithFormsErrorHandler) {
    EXPECT_EQ(formsHandlerCalls_, 1);
  }
  clear();
  EXPECT_TRUE(readFileText(dataDir + "/Batch07.qf") == lineBytes) << "the lines file changed";
  EXPECT_TRUE(readFileText(dataDir + "/BDesc07.qf") == descriptionBytes) << "the descriptions file changed";
  EXPECT_EQ(lines(), "00000101,00000102");
  EXPECT_EQ(descriptions(), "00000101|A,00000101|B,00000102|A,00000103|A");

  deleteLine("00000101");
  EXPECT_FALSE(dm2->QNDatabase->InTransaction());
  EXPECT_EQ(lines(), "00000102");
  EXPECT_EQ(descriptions(), "00000102|A,00000103|A");
}

INSTANTIATE_TEST_SUITE_P(
    Lines, DeletingALineThatFails,
    ::testing::Values(FailedDeleteCase{"ScrollHandler", Failure::ScrollHandler, "The line cannot be left now"},
                      FailedDeleteCase{"LastDescription", Failure::LastDescription, "The description is in use"},
                      FailedDeleteCase{"LineHeldWithFormsErrorHandler", Failure::LineHeldWithFormsErrorHandler,
                                       nullptr}),
    [](const ::testing::TestParamInfo<FailedDeleteCase>& info) { return std::string(info.param.name); });

// What fails once the line is gone: the re-read of the lines around it (a calculated column that
// cannot be worked out, as a database error), a form's own AfterDelete, a form's AfterScroll.
enum class LateFailure { ReRead, FormsAfterDelete, FormsAfterScroll };

struct LateFailureCase {
  const char* name;
  LateFailure failure;
  const char* raised;
};

class DeletingALineWhoseLaterStepFails : public Batch, public ::testing::WithParamInterface<LateFailureCase> {
 protected:
  void inject(LateFailure failure) {
    switch (failure) {
      case LateFailure::ReRead: {
        // The scroll the delete announces comes before the line's delete; the re-read after it.
        dm->Batch_->BeforeScroll = [this](TDataSet*) { reReadFails_ = true; };
        auto calculate = dm->Batch_->OnCalcFields;
        dm->Batch_->OnCalcFields = [this, calculate](TDataSet* d) {
          if (reReadFails_) throw EDatabaseError("The next line cannot be read");
          calculate(d);
        };
        break;
      }
      case LateFailure::FormsAfterDelete:
        dm->Batch_->AfterDelete = [](TDataSet*) { throw Exception("The form could not show the change"); };
        break;
      case LateFailure::FormsAfterScroll:
        dm->Batch_->AfterScroll = [](TDataSet*) { throw Exception("The form could not follow the line"); };
        break;
    }
  }
  void clear() {
    reReadFails_ = false;
    dm->Batch_->BeforeScroll = nullptr;
    dm->Batch_->AfterDelete = nullptr;
    dm->Batch_->AfterScroll = nullptr;
  }

  bool reReadFails_ = false;
};

// The line and its descriptions are gone for good (committed), the error still reaches the user,
// and no transaction is left open.
TEST_P(DeletingALineWhoseLaterStepFails, LeavesTheLineAndItsDescriptionsGoneAndEndsItsTransaction) {
  const LateFailureCase& c = GetParam();
  openBatch();
  ASSERT_TRUE(dm->Batch_->FindKey({AnsiString("00000101")}));
  inject(c.failure);
  EXPECT_EQ(deleteRaising(), c.raised);
  EXPECT_FALSE(dm2->QNDatabase->InTransaction());
  clear();
  EXPECT_EQ(lines(), "00000102");
  EXPECT_EQ(descriptions(), "00000102|A,00000103|A");
  // Another workstation sees the same: nothing of the delete waits for a commit.
  ServeChild other;
  ASSERT_EQ(other.status("open 0 " + dataDir + "/Batch07.qf"), 0);
  EXPECT_EQ(other.ask("read 0 5 1 3030303030313031"), "4");  // get equal "00000101"
  ASSERT_EQ(other.status("open 1 " + dataDir + "/BDesc07.qf"), 0);
  // The first description from "00000101" on, its key the last word of the answer: "00000102" "A".
  const std::string next = other.ask("read 1 9 1 3030303030313031");
  EXPECT_EQ(next.substr(next.rfind(' ') + 1), "303030303031303241") << next;
}

INSTANTIATE_TEST_SUITE_P(
    Lines, DeletingALineWhoseLaterStepFails,
    ::testing::Values(LateFailureCase{"ReRead", LateFailure::ReRead, "database error: The next line cannot be read"},
                      LateFailureCase{"FormsAfterDelete", LateFailure::FormsAfterDelete,
                                      "The form could not show the change"},
                      LateFailureCase{"FormsAfterScroll", LateFailure::FormsAfterScroll,
                                      "The form could not follow the line"}),
    [](const ::testing::TestParamInfo<LateFailureCase>& info) { return std::string(info.param.name); });

}  // namespace
