#include "core/tests/DataModuleFixture.h"

#include <cstdlib>
#include <fstream>
#include <map>

#include "core/Globals.h"
#include "core/SettingKeys.h"
#include "core/tests/MachineRegistry.h"
#include "framework/base/FormatText.h"
#include "framework/db/Field.h"
#include "platform/recmgr/tests/RecordManagerApi.h"
#include "recordmgr/BtrieveEngine.h"
#include "testing/TestDirs.h"

namespace core_test {
namespace {

AnsiString caseRecord(const char* client, const char* suffix, const char* extra = "") {
  return std::string("Client Code = ") + client + "\nCase Suffix = \"" + suffix + "\"\nLeftJustCaseSuffix = " +
         std::string(suffix).substr(std::string(suffix).find_first_not_of(' ')) + "\n" + extra + "\n";
}

AnsiString descLine(const char* client, const char* suffix, const char* line, const char* text) {
  return std::string("ClientCode = ") + client + "\nCaseSuffix = \"" + suffix + "\"\nDescNum = " + line +
         "\nDescr = " + text + "\n\n";
}

AnsiString address(const char* client, const char* suffix, const char* type, const char* name) {
  return std::string("Client Code = ") + client + "\nCase Suffix = \"" + suffix + "\"\nAddress Type = " + type +
         "\nName1 = " + name + "\n\n";
}

AnsiString bill(const char* client, const char* suffix, const char* type, const char* date) {
  return std::string("Client Code = ") + client + "\nCase Suffix = \"" + suffix + "\"\nType = " + type +
         "\nTransactionDate = \"" + date + "\"\n\n";
}

AnsiString code(char type, const char* code, const char* description) {
  return std::string("type code = ") + type + "\ncode = " + code + "\nDescription = " + description + "\n\n";
}

std::map<std::string, std::string> seeds() {
  return {
      {"YTable.qf", code('O', "OF1", "Main office") + code('L', "L1", "Corporate") + code('D', "D2", "Estates") +
                        code('D', "D1", "Litigation") + code('A', "A1", "Probate") + code('I', "I1", "Hearing") +
                        code('P', "P1", "Courthouse") + code('S', "S1", "Thank you")},
      {"YEmpl.qf",
       "Employee Code = E1\nEmployee Last Name = Smith\nEmployee First Name = Anna\n\n"
       "Employee Code = E2\nEmployee Last Name = Jones\n\n"
       "Employee Code = E3\nEmployee First Name = Carl\n"},
      {"YClient.qf",
       "Client Code = ADAMS\nClient Last Name = Adams\nClient First Name = Walter\n\n"
       "Client Code = BRIGHT\nClient Last Name = Bright\nSales Tax = Y\nUnassigned = N\n"},
      {"YCase.qf", caseRecord("ADAMS", "      1") + "\n" + caseRecord("ADAMS", "      2", "Case Status 1 = X\n") + "\n" +
                       caseRecord("BRIGHT", "      1")},
      {"CaseSave.QF", ""},
      {"Cdesc.qf", descLine("ADAMS", "      1", "01", "First line") + descLine("ADAMS", "      1", "02", "Second") +
                       descLine("ADAMS", "      1", "03", "Third") + descLine("ADAMS", "      1", "20", "Twentieth") +
                       descLine("ADAMS", "      1", "21", "Past the description") +
                       descLine("ADAMS", "      1", "31", "Old note one") + descLine("ADAMS", "      1", "32", "Old two") +
                       descLine("ADAMS", "      1", "99", "Reserve") + descLine("ADAMS", "      2", "02", "Other matter") +
                       descLine("BRIGHT", "      1", "02", "Bright's")},
      {"CDescSav.QF", ""},
      {"CaseAddr.qf", address("ADAMS", "      1", "B", "Billing") + address("ADAMS", "      1", "M", "Mailing") +
                          address("ADAMS", "      2", "B", "Other matter") + address("BRIGHT", "      1", "B", "Bright")},
      {"AddrSave.QF", ""},
      {"Bill.qf", bill("ADAMS", "      1", "B", "240101") + bill("ADAMS", "      1", "R", "240201") +
                      bill("ADAMS", "      2", "B", "240301") + bill("BRIGHT", "      1", "B", "240401")},
      {"HBill.qf", bill("ADAMS", "      1", "B", "230101") + bill("ADAMS", "      2", "B", "230301") +
                       bill("BRIGHT", "      1", "B", "230401")},
      {"Fee.qf",
       "Client Code = BRIGHT\nCase Suffix = \"      1\"\nType = F\nTransaction Date = 2024-03-15\nEmployee Code = E1\n"
       "Entry Date = 2024-03-16\nHNDR = H\nGroup Code = G1\nFixed Fee = N\nActual Hours = 1.50\nActual $ = 150.00\n"
       "Bill Enp Code = E2\nBillable Hours = 1.25\nBillable $ = 125.00\nInvoice Number = INV00001\n"
       "Sequence Number = 00000042\n"},
      {"TrDesc.qf", "SequenceNumber = 00000042\nSequenceSuffix = A\nDescription = Drafted the will\n"},
      {"Gl.qc", "RecordKey = \"    B\"\n"},
      {"Batch07.qf",
       "Trtype = F\nTrDate = 240315\nDollars = 125.00\nInvoiceNumber = INV00001\nSeqNumber = 00000101\n\n"
       "Trtype = P\nTrDate = 240320\nDollars = 50.00\nBDollars = 200.00\nSeqNumber = 00000102\n\n"
       "Trtype = C\nSubType = D\nTrDate = 240321\nSeqNumber = 00000103\nUnassigned = S\n"},
      {"BDesc07.qf",
       "SequenceNumber = 00000101\nSequenceSuffix = A\nDescription = Drafted the will\n\n"
       "SequenceNumber = 00000102\nSequenceSuffix = A\nDescription = Payment received\n\n"
       "SequenceNumber = 00000101\nSequenceSuffix = B\nDescription = Reviewed it\n\n"
       "SequenceNumber = 00000103\nSequenceSuffix = A\nDescription = Hidden cost\n"},
  };
}

}  // namespace

void DataModuleFixture::SetUp() {
  const std::string root = qn::testing::makeScratchDir("data-module");
  const std::string fixture = root + "/fixture";
  dataDir = root + "/data";
  ASSERT_EQ(std::system(("mkdir -p '" + fixture + "'").c_str()), 0);
  for (const auto& [name, records] : seedFiles()) std::ofstream(fixture + "/" + name + ".seed") << records;
  const std::string command =
      "'" + qn::recmgr::testing::programFolder() + "/qnseed' data '" + dataDir + "' '" + fixture + "' >/dev/null";
  ASSERT_EQ(std::system(command.c_str()), 0) << command;
  writeMachineString(MainAliasKey, "PhysicalName", dataDir);
  DataDir = dataDir;
  const uint16_t status = LoadBtrieveEngine("", "RECWBTRV.DLL");
  ASSERT_TRUE(status == 0 || status == 1016) << status;
  program = std::make_unique<qn::os::ExecutablePathOverride>("/opt/quillon/QNCASES");
  dm2 = std::make_unique<TDM2>(nullptr);
  dm2->AfterConstruction();
  dm = std::make_unique<TDM>(nullptr);
  dm->AfterConstruction();
}

std::map<std::string, std::string> DataModuleFixture::seedFiles() const { return seeds(); }

void DataModuleFixture::TearDown() {
  dm.reset();
  dm2.reset();
  program.reset();
  CalendarParameter = false;
}

void DataModuleFixture::goToCase(const char* client, const char* suffix) {
  ASSERT_TRUE(dm->OpenCaseTables());
  dm->Case1_->SetIndexName("1");
  ASSERT_TRUE(dm->Case1_->FindKey({Format("%-7s", {AnsiString(client)}), Format("%7s", {AnsiString(suffix)})}))
      << client << "-" << suffix;
}

std::vector<std::string> storedRows(const std::string& dataDir, const std::string& tableName,
                                    const std::vector<std::string>& fields) {
  TdcTbTable table(nullptr);
  table.SetDatabaseName("QNWIN");
  table.SetTableName(dataDir + "\\" + tableName);
  table.SetIndexName("1");
  table.Open();
  std::vector<std::string> all;
  for (table.First(); !table.Eof(); table.Next()) {
    std::string row;
    for (const std::string& f : fields) row += (row.empty() ? "" : "|") + table.FieldByName(f)->AsString();
    all.push_back(row);
  }
  return all;
}

std::vector<std::string> DataModuleFixture::rows(const std::string& tableName, const std::vector<std::string>& fields) {
  return storedRows(dataDir, tableName, fields);
}

}  // namespace core_test
