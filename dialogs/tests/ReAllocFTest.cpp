// The dummy-receptor reallocation run as the user starts it: which dummy transactions are taken,
// the receptor transactions written in place of the old ones, the log and the closing status.
#include <gtest/gtest.h>

#include <algorithm>
#include <map>

#include "core/Globals.h"
#include "datagrid/DcTbTable.h"
#include "framework/db/Field.h"
#include "dialogs/ReAllocF.h"
#include "dialogs/tests/ReallocationFixture.h"
#include "framework/ui/testing/ScriptedMessageBoxes.h"

namespace dialogs_test {
namespace {

using qn::ui::testing::ScriptedMessageBoxes;

const std::string kHours = "Billable Hours = ";

class ReAllocFTest : public ReallocationFixture {
 protected:
  std::string fees() override {
    return
        // On the start date, with two old receptors.
        feeSeed("DUM", 1, "F", "460301", "D", "S0000001", "Billable Hours = 1.00\nActual $ = 100.00") +
        feeSeed("R1", 1, "F", "460301", "R", "S0000001", "Billable $ = 50.00") +
        feeSeed("R2", 1, "F", "460301", "R", "S0000001", "Billable $ = 50.00") +
        // On the end date, a cost.
        feeSeed("DUM", 1, "C", "460331", "D", "S0000002", "Actual $ = 10000.00") +
        // Before the range.
        feeSeed("DUM", 1, "F", "460228", "D", "S0000003", "Actual $ = 70.00") +
        // A receptor billed already.
        feeSeed("DUM", 1, "F", "460310", "D", "S0000004", "Actual $ = 80.00") +
        feeSeed("R1", 1, "F", "460310", "R", "S0000004", "Invoice Number = INV00001\nBillable $ = 80.00") +
        // Posted: a copy in the history.
        feeSeed("DUM", 1, "F", "460311", "D", "S0000005", "Actual $ = 90.00") +
        // No sequence number.
        feeSeed("DUM", 1, "F", "460312", "D", "", "Actual $ = 95.00") +
        // Not yet marked, with a billable amount.
        feeSeed("DUM", 1, "F", "460315", "", "S0000007",
                "Billable Hours = 0.50\nActual $ = 40.00\nBillable $ = 50.00\nBill Enp Code = E1");
  }
  void addSeeds(std::map<std::string, std::string>& s) override {
    s["HFee.qf"] = feeSeed("DUM", 1, "F", "460311", "D", "S0000005", "Actual $ = 90.00");
  }
};

const std::string kQuestion =
    "Quillon is about to reallocate the Receptor transactions for the Dummy matter DUM-1 using a date range of "
    "03/01/2026 to 03/31/2026.\r\rContinue with this operation?";

// The transactions outside the range, with a billed receptor, posted or without a number, as
// seeded.
const std::vector<std::string> kUntouched = {
    "DUM|      1|F|460228|D|||E1||0|70|0|0||S0000003", "DUM|      1|F|460310|D|||E1||0|80|0|0||S0000004",
    "DUM|      1|F|460311|D|||E1||0|90|0|0||S0000005", "DUM|      1|F|460312|D|||E1||0|95|0|0||",
    "R1|      1|F|460310|R|||E1||0|0|0|80|INV00001|S0000004"};

TEST_F(ReAllocFTest, TheRangeIsTakenWithBothEndsAndEveryReceptorIsWrittenAnew) {
  ScriptedMessageBoxes boxes;
  showDialog("DUM", 1);
  boxes.expect(mtConfirmation, kQuestion, mrYes);
  dialog->RunBitBtnClick(nullptr);
  EXPECT_EQ(dialog->StatusBar1->SimpleText(), "Processing complete. 3 dummy transactions have been re-allocated");
  EXPECT_FALSE(dialog->RunBitBtn->Enabled());

  const std::vector<std::string> stored = allFees();
  for (const std::string& row : kUntouched)
    EXPECT_EQ(std::count(stored.begin(), stored.end(), row), 1) << row;
  // The dummies keep their hours; one not yet marked is marked, its billable amount moved into the
  // actual one.
  EXPECT_EQ(feesOf("DUM"), (std::vector<std::string>{
                             kUntouched[0],
                             "DUM|      1|F|460301|D|||E1||0|100|1|0||S0000001",
                             kUntouched[1],
                             kUntouched[2],
                             kUntouched[3],
                             "DUM|      1|F|460315|D|||E1||0|50|0.5|0||S0000007",
                             "DUM|      1|C|460331|D|||E1||0|10000|0|0||S0000002",
                         }));
  // Each receptor keeps the dummy's kept amount and billable hours; the billable shares are
  // rounded cumulatively in split order, so each transaction's shares add up to the whole.
  EXPECT_EQ(feesOf("R1"), (std::vector<std::string>{
                            "R1|      1|F|460301|R|461211||E1|E1|1|100|0.33|33.33||S0000001",
                            kUntouched[4],
                            "R1|      1|F|460315|R|461211||E1|E1|0.5|40|0.17|13.33||S0000007",
                            "R1|      1|C|460331|R|461211||E1|E1|0|10000|0|3333.33||S0000002",
                        }));
  EXPECT_EQ(feesOf("R2"), (std::vector<std::string>{
                            "R2|      1|F|460301|R|461211||E1|E1|1|100|0.34|33.34||S0000001",
                            "R2|      1|F|460315|R|461211||E1|E1|0.5|40|0.16|13.34||S0000007",
                            "R2|      1|C|460331|R|461211||E1|E1|0|10000|0|3333.33||S0000002",
                        }));
  EXPECT_EQ(feesOf("R3"), (std::vector<std::string>{
                            "R3|      1|F|460301|R|461211||E1|E1|1|100|0.33|33.33||S0000001",
                            "R3|      1|F|460315|R|461211||E1|E1|0.5|40|0.17|13.33||S0000007",
                            "R3|      1|C|460331|R|461211||E1|E1|0|10000|0|3333.34||S0000002",
                        }));
  const std::vector<std::string> report = reportLines();
  ASSERT_EQ(report.size(), 5u);
  EXPECT_NE(report[0].find("DUMMY-RECEPTOR REALLOCATION"), std::string::npos) << report[0];
  for (int i = 2; i < 5; ++i) EXPECT_EQ(report[i], "     DUM          1###DR103/01/2026  03/31/2026  ");
}

TEST_F(ReAllocFTest, NoToTheQuestionChangesNothing) {
  const std::vector<std::string> before = allFees();
  ScriptedMessageBoxes boxes;
  showDialog("DUM", 1);
  EXPECT_EQ(dialog->Label1->Caption(), "Dummy Matter: DUM-1");
  boxes.expect(mtConfirmation, kQuestion, mrNo);
  dialog->RunBitBtnClick(nullptr);
  EXPECT_EQ(allFees(), before);
  EXPECT_TRUE(dialog->RunBitBtn->Enabled());
}

// Every byte of a new receptor record the run sets: the texts as the layout pads them, the
// invoice eight blanks, no fixed fee.
TEST_F(ReAllocFTest, NewReceptorRecordsAreUnbilledAndBlankPadded) {
  ScriptedMessageBoxes boxes;
  showDialog("DUM", 1);
  boxes.expect(mtConfirmation, kQuestion, mrYes);
  dialog->RunBitBtnClick(nullptr);
  delete dialog;
  dialog = nullptr;
  int receptors = 0;
  for (const std::string& record : rawRecords("Fee.qf;FE")) {
    if (record.substr(30, 7) != "461211R") continue;
    ++receptors;
    EXPECT_EQ(record.substr(11, 7), "      1");
    EXPECT_EQ(record.substr(25, 1), " ") << "the dummy's sub type";
    EXPECT_EQ(record.substr(37, 3), "   ") << "group and fixed fee";
    EXPECT_EQ(record.substr(50, 4), "E1  ") << "the dummy's employee bills";
    EXPECT_EQ(record.substr(64, 8), "        ");
    EXPECT_EQ(record.substr(72, 7), "S000000");
  }
  EXPECT_EQ(receptors, 9);
}

// A flagged statement format bills tenths of an hour at the rate; with no kept amount the rate
// comes from the rate files, the employee's own rate or a group's fixed fee.
class ReAllocFRatesTest : public ReallocationFixture {
 protected:
  std::string fees() override {
    return feeSeed("DUM", 2, "F", "460305", "D", "T0000001", "Billable Hours = 1.00") +
           feeSeed("DUM", 2, "F", "460306", "D", "T0000002", "Billable Hours = 0.50\nGroup Code = G1") +
           feeSeed("DUM", 2, "F", "460307", "D", "T0000003", "Billable Hours = 3.00\nActual $ = 100.00");
  }
  void addSeeds(std::map<std::string, std::string>& s) override {
    s["YCase.qf"] += caseSeed("DUM", 2, "Case Status 2 = D\nBilling Rate Code = R1\nAlt Billing Format = TEN\n") +
                     caseSeed("R1", 2, "Case Status 2 = R\n") + caseSeed("R2", 2, "Case Status 2 = R\n") +
                     caseSeed("R3", 2, "Case Status 2 = R\n");
    s["FSplit.qf"] += splitSeed("DUM", 2, "R1", 2, "33.3333") + splitSeed("DUM", 2, "R2", 2, "33.3333") +
                      splitSeed("DUM", 2, "R3", 2, "33.3334");
    // Character 92 of the format's second row.
    s["TSC.qc"] = "TableName = TEN\nTableNameSuffix = 2\nCaseDescCaption4 = \"        Y\"\n\n";
    s["Yemrt.qf"] = "Employee Code = E1\nRate Code = R1\nHourly Rate = 150.00\n\n";
    s["ygrate.qf"] = "RateKey = \"EE1  GG1  \"\nRateKind = F\nRate = 500.00\n\n";
  }
};

TEST_F(ReAllocFRatesTest, TenthsAtTheLookedUpRateAndFixedFees) {
  ScriptedMessageBoxes boxes;
  showDialog("DUM", 2);
  boxes.expect(mtConfirmation,
               "Quillon is about to reallocate the Receptor transactions for the Dummy matter DUM-2 using a date "
               "range of 03/01/2026 to 03/31/2026.\r\rContinue with this operation?",
               mrYes);
  dialog->RunBitBtnClick(nullptr);
  EXPECT_EQ(dialog->StatusBar1->SimpleText(), "Processing complete. 3 dummy transactions have been re-allocated");
  const std::vector<std::string> expected[] = {
      // 1.00 h at 150.00: tenths 0.3, 0.4, 0.3 each billed at the rate.
      // 0.50 h of a fixed fee of 500.00: the fee shared, the hours in tenths.
      // 100.00 kept over 3.00 h: the rate is the exact quotient, 33.333... an hour.
      {"R1|      2|F|460305|R|461211||E1|E1|1|150|0.3|45||T0000001",
       "R1|      2|F|460306|R|461211|F|E1|E1|0.5|500|0.2|166.67||T0000002",
       "R1|      2|F|460307|R|461211||E1|E1|3|100|1|33.33||T0000003"},
      {"R2|      2|F|460305|R|461211||E1|E1|1|150|0.4|60||T0000001",
       "R2|      2|F|460306|R|461211|F|E1|E1|0.5|500|0.1|166.66||T0000002",
       "R2|      2|F|460307|R|461211||E1|E1|3|100|1|33.33||T0000003"},
      {"R3|      2|F|460305|R|461211||E1|E1|1|150|0.3|45||T0000001",
       "R3|      2|F|460306|R|461211|F|E1|E1|0.5|500|0.2|166.67||T0000002",
       "R3|      2|F|460307|R|461211||E1|E1|3|100|1|33.33||T0000003"},
  };
  EXPECT_EQ(feesOf("R1"), expected[0]);
  EXPECT_EQ(feesOf("R2"), expected[1]);
  EXPECT_EQ(feesOf("R3"), expected[2]);
}

// Every matter of a client: a matter that is not a dummy is asked about (the longer question from
// the third on), skipped on No, and on Yes only its transactions still marked as a dummy's are
// converted, their receptors deleted.
class ReAllocFClientTest : public ReallocationFixture {
 protected:
  std::string fees() override {
    return feeSeed("DUM", 3, "F", "460305", "D", "U0000001",
                   "Actual Hours = 2.00\nActual $ = 300.00\nBillable Hours = 1.50\nBill Enp Code = E2") +
           feeSeed("R1", 1, "F", "460305", "R", "U0000001", "Billable $ = 300.00") +
           feeSeed("DUM", 3, "F", "460306", "", "U0000002",
                   "Actual Hours = 1.00\nActual $ = 100.00\nBillable Hours = 1.00\nBillable $ = 80.00");
  }
  void addSeeds(std::map<std::string, std::string>& s) override {
    s["YCase.qf"] += caseSeed("DUM", 2, "Case Status 2 = D\n") + caseSeed("DUM", 3, "Billing Rate Code = R1\n");
  }
  std::string question() const {
    return "DUM-3 is not a dummy case.\r\rQuillon is about to convert all unbilled dummy transactions for this case "
           "into non-dummy transactions.\r\rThis means that the dummy transaction's billable dollar amount will be "
           "changed from 0 to the actual dollar amount. In addition, all receptor transactions associated with the "
           "dummy transaction will be DELETED.\r\rThis applies to all dummy transactions and their associated "
           "receptors within the date range:  03/01/2026   to   03/31/2026\r\rAre you sure this is what you want to "
           "do?\r\rSelect YES to process this case.    Select NO to skip it.\r\rThis routine will continue to process "
           "other dummy cases for this client, if any, regardless of what you select here.";
  }
  const std::string clientQuestion =
      "Quillon is about to reallocate the Receptor transactions for ALL of the Dummy matters belonging to the Dummy "
      "client DUM using a date range of 03/01/2026 to 03/31/2026.\r\rContinue with this operation?";
};

TEST_F(ReAllocFClientTest, ANonDummyAnsweredNoIsSkipped) {
  const std::vector<std::string> before = allFees();
  ScriptedMessageBoxes boxes;
  showDialog("DUM", 0);
  EXPECT_EQ(dialog->Label1->Caption(), "Dummy Client: DUM");
  boxes.expect(mtConfirmation, clientQuestion, mrYes);
  boxes.expect(mtConfirmation, question(), mrNo);
  dialog->RunBitBtnClick(nullptr);
  EXPECT_EQ(allFees(), before);
  EXPECT_EQ(dialog->StatusBar1->SimpleText(), "Processing complete. 0 dummy transactions have been re-allocated");
}

TEST_F(ReAllocFClientTest, ANonDummyAnsweredYesConvertsOnlyItsDummyTransactions) {
  ScriptedMessageBoxes boxes;
  showDialog("DUM", 0);
  boxes.expect(mtConfirmation, clientQuestion, mrYes);
  boxes.expect(mtConfirmation, question(), mrYes);
  dialog->RunBitBtnClick(nullptr);
  EXPECT_EQ(dialog->StatusBar1->SimpleText(), "Processing complete. 1 dummy matter has been re-allocated");
  EXPECT_EQ(feesOf("DUM"), (std::vector<std::string>{
                             "DUM|      3|F|460305||||E1|E1|2|300|2|300||U0000001",
                             "DUM|      3|F|460306||||E1||1|100|1|80||U0000002",
                         }));
  EXPECT_TRUE(feesOf("R1").empty());
}

// With the ledger interface on and fees posting, every deleted receptor gets a reversing ledger
// record and every new one a record of its own, in the workstation's account file.
class ReAllocFLedgerTest : public ReallocationFixture {
 protected:
  std::string fees() override {
    return feeSeed("DUM", 1, "F", "460301", "D", "S0000001", "Billable Hours = 1.00\nActual $ = 100.00") +
           feeSeed("R1", 1, "F", "460301", "R", "S0000001", "Billable $ = 50.00\nActual $ = 100.00");
  }
  void addSeeds(std::map<std::string, std::string>& s) override {
    s["Sysop.qc"] = "DateFmt = M\nGLInterface = Y\n\n";
    // The fee kind's flag: character 25 of the record, the settings' sixteenth.
    s["Gl.qc"] = "RecordKey = \"    B\"\nSettings = \"               Y\"\n\n";
    s["Glac07"] = "";
  }
  void SetUp() override {
    savedWorkstation = WorkstationId;
    WorkstationId = "07";
    ReallocationFixture::SetUp();
  }
  void TearDown() override {
    ReallocationFixture::TearDown();
    WorkstationId = savedWorkstation;
  }
  AnsiString savedWorkstation;
};

TEST_F(ReAllocFLedgerTest, DeletedReceptorsAreReversedAndNewOnesPosted) {
  ScriptedMessageBoxes boxes;
  showDialog("DUM", 1);
  boxes.expect(mtConfirmation, kQuestion, mrYes);
  dialog->RunBitBtnClick(nullptr);
  EXPECT_EQ(dialog->StatusBar1->SimpleText(), "Processing complete. 1 dummy matter has been re-allocated");
  delete dialog;
  dialog = nullptr;
  // The account file has only its record numbers for a key: the records in the order written.
  TdcTbTable ledger(nullptr);
  ledger.SetDatabaseName("QNWIN");
  ledger.SetTableName(dataDir + "\\Glac07;RES:Glac");
  ledger.SetIndexName("0");
  ledger.Open();
  std::vector<std::string> written;
  for (ledger.First(); !ledger.Eof(); ledger.Next()) {
    std::string row;
    for (const char* f : {"Client", "HNDR", "ActAmt", "BilHrs", "BilAmt", "Sequence"})
      row += (row.empty() ? "" : "|") + ledger.FieldByName(f)->AsString();
    written.push_back(row);
  }
  EXPECT_EQ(written,
            (std::vector<std::string>{"R1|R|-100|0|-50|S0000001", "R1|R|100|0.33|33.33|S0000001",
                                      "R2|R|100|0.34|33.34|S0000001", "R3|R|100|0.33|33.33|S0000001"}));
}

}  // namespace
}  // namespace dialogs_test
