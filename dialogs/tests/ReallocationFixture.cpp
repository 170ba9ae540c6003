#include "dialogs/tests/ReallocationFixture.h"

#include <fstream>

#include "core/Globals.h"
#include "core/RecordFiles.h"
#include "dialogs/DummyMatter.h"
#include "dialogs/PrintChoice.h"
#include "dialogs/PrntDefF.h"
#include "dialogs/ReAllocF.h"
#include "dialogs/ReportWriter.h"
#include "framework/base/DateTime.h"
#include "testing/TestDirs.h"

namespace dialogs_test {

std::string feeSeed(const std::string& client, int suffix, const std::string& type, const std::string& date,
                    const std::string& mark, const std::string& sequence, const std::string& extra) {
  return "Client Code = " + client + "\nCase Suffix = \"" + CaseFolderFixture::suffixText(suffix) + "\"\nType = " + type +
         "\nTransaction Date = \"" + date + "\"" + "\nHNDR = " + mark + "\nSequence Number = " + sequence +
         "\nEmployee Code = E1\n" + extra + "\n\n";
}

std::string splitSeed(const std::string& dummy, int dummySuffix, const std::string& receptor, int receptorSuffix,
                      const std::string& percent) {
  return "DummyClient = " + dummy + "\nDummyCase = \"" + CaseFolderFixture::suffixText(dummySuffix) +
         "\"\nReceptorClient = " + receptor + "\nReceptorCase = \"" + CaseFolderFixture::suffixText(receptorSuffix) +
         "\"\nFeePerCent = " + percent + "\nCostPerCent = " + percent + "\n\n";
}

std::map<std::string, std::string> ReallocationFixture::seeds() {
  std::map<std::string, std::string> s;
  s["YClient.qf"] = clientSeed("DUM", "Dummy") + clientSeed("R1", "One") + clientSeed("R2", "Two") +
                    clientSeed("R3", "Three");
  s["YCase.qf"] = caseSeed("DUM", 1, "Case Status 2 = D\nBilling Rate Code = R1\n") +
                  caseSeed("R1", 1, "Case Status 2 = R\n") + caseSeed("R2", 1, "Case Status 2 = R\n") +
                  caseSeed("R3", 1, "Case Status 2 = R\n");
  s["FSplit.qf"] = splitSeed("DUM", 1, "R1", 1, "33.3333") + splitSeed("DUM", 1, "R2", 1, "33.3333") +
                   splitSeed("DUM", 1, "R3", 1, "33.3334");
  s["YEmpl.qf"] = "Employee Code = E1\nEmployee Last Name = Able\nDepartment Code = D1\nClass Code = C1\n\n";
  s["Fee.qf"] = fees();
  for (const char* empty : {"HFee.qf", "TSC.qc", "Yemrt.qf", "ygrate.qf"}) s[empty] = "";
  s["Sysop.qc"] = "DateFmt = M\n\n";
  addSeeds(s);
  return s;
}

void ReallocationFixture::SetUp() {
  CaseFolderFixture::SetUp();
  if (HasFatalFailure()) return;
  RecordFileDir = DataDir;
  SystemDateText = "461211";
  reportFolder = qn::testing::makeScratchDir("realloc-report");
  PrntDefF = nullptr;
  PrintChoice = {};
  PrintChoice.Destination = 100;
  PrintChoice.Folder = reportFolder;
  PrintChoice.FileName = "REALLOC.TXT";
  ReportPage.Started = false;
  ReportPage.PageNumber = 1;
}

void ReallocationFixture::TearDown() {
  delete dialog;
  dialog = nullptr;
  CloseAllRecordFiles();
  CaseFolderFixture::TearDown();
}

TReAllocF* ReallocationFixture::showDialog(const std::string& client, int suffix) {
  DummyClient = client;
  DummySuffix = suffix == 0 ? AnsiString() : suffixText(suffix);
  dialog = new TReAllocF(nullptr);
  dialog->Show();
  dialog->StartDatePicker->SetDate(EncodeDate(2026, 3, 1));
  dialog->EndDatePicker->SetDate(EncodeDate(2026, 3, 31));
  return dialog;
}

std::vector<std::string> ReallocationFixture::feesOf(const std::string& client) {
  std::vector<std::string> mine;
  for (const std::string& row : allFees())
    if (row.rfind(client + "|", 0) == 0) mine.push_back(row);
  return mine;
}

std::vector<std::string> ReallocationFixture::allFees() {
  return rows("Fee.qf;RES:FEES", {"Client Code", "Case Suffix", "Type", "Transaction Date", "HNDR", "Entry Date",
                                  "Fixed Fee", "Employee Code", "Bill Enp Code", "Actual Hours", "Actual $",
                                  "Billable Hours", "Billable $", "Invoice Number", "Sequence Number"});
}

std::vector<std::string> ReallocationFixture::rawRecords(const std::string& fileAndCode) {
  constexpr uint8_t kSlot = 200;
  OpenRecordFile(kSlot, DataDir + "\\" + fileAndCode, 0);
  SetKeyPath(kSlot, 1);
  uint16_t length = 0;
  GetRecordLength(kSlot, length);
  AnsiString record(length, ' ');
  std::vector<std::string> all;
  bool eof = false;
  for (GetFirstRecord(kSlot, record, eof, 0); !eof; GetNextRecord(kSlot, record, eof, 0)) all.push_back(record);
  CloseRecordFile(kSlot);
  return all;
}

std::vector<std::string> ReallocationFixture::reportLines() {
  std::ifstream in(reportFolder + "/REALLOC.TXT");
  std::vector<std::string> lines;
  for (std::string line; std::getline(in, line);) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    lines.push_back(line);
  }
  return lines;
}

}  // namespace dialogs_test
