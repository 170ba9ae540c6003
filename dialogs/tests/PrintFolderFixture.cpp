#include "dialogs/tests/PrintFolderFixture.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "core/Globals.h"
#include "core/PrinterList.h"
#include "core/SettingKeys.h"
#include "datagrid/DcTbTable.h"
#include "dialogs/PrintChoices.h"
#include "framework/base/DateTime.h"
#include "framework/base/StringList.h"
#include "framework/ui/testing/QtTestApplication.h"
#include "platform/os/RegistryKey.h"
#include "platform/recmgr/tests/RecordManagerApi.h"
#include "recordmgr/BtrieveEngine.h"
#include "testing/TestDirs.h"

namespace dialogs_test {

std::string PrintFolderFixture::row(int number, const char* title, const char* size, const char* toFile, const char* dir,
                const char* name) {
  return "ReportNum = " + std::to_string(number) + "\nRptName = " + title + "\nPrintSize = " + size +
         "\nPageLen = 66\nPrntToFile = " + toFile + "\nDirPath = " + dir + "\nFileName = " + name + "\n\n";
}

std::string PrintFolderFixture::printerRow(int number, const char* printer) {
  return "ReportNum = " + std::to_string(number + 15) + "\nDirPath = \"  " + printer + "\"\n\n";
}

std::string PrintFolderFixture::standardRows() {
  std::string rows = row(1, "Statements", "R", "N", "", "");
  rows.insert(rows.size() - 1, "PaperBinFirstPage = 1\nPaperBinOtherPages = 0\n");
  for (int n : {2, 31, 35, 36, 37, 38, 90}) rows += row(n, "Report", "C", "N", "", "");
  rows += row(63, "Audit Trail", "R", "N", "", "AUDIT.TXT");
  for (int n : {1, 2, 31, 35, 36, 37, 38}) rows += printerRow(n, "Office Laser");
  rows += printerRow(63, "Front Desk");
  return rows;
}

namespace {

void writeHostValue(const AnsiString& key, const AnsiString& name, const AnsiString& value) {
  qn::os::RegistryKey registry(qn::os::HKEY_LOCAL_MACHINE);
  registry.OpenKey(key, true);
  registry.WriteString(name, value);
}

}  // namespace

void PrintFolderFixture::SetUp() {
  qn::ui::testing::qtApplication();
  root = qn::testing::makeScratchDir("print-choices");
  const std::string fixture = root + "/fixture";
  dataDir = root + "/data";
  programDir = root + "/program";
  ASSERT_EQ(std::system(("mkdir -p '" + fixture + "' '" + programDir + "'").c_str()), 0);
  reseed(standardRows());
  const std::string qnseed = "'" + qn::recmgr::testing::programFolder() + "/qnseed'";
  ASSERT_EQ(std::system((qnseed + " templates '" + programDir + "' >/dev/null").c_str()), 0);
  writeHostValue(MainAliasKey, "PhysicalName", dataDir);
  writeHostValue(HostKey, "DefPrintToFilePath", "");
  qn::os::RegistryKey(qn::os::HKEY_LOCAL_MACHINE).CreateKey(HostKey + "\\H_Data");
  DataDir = dataDir;
  ProgramDir = programDir;
  WorkstationId = "01";
  const uint16_t status = LoadBtrieveEngine("", "RECWBTRV.DLL");
  ASSERT_TRUE(status == 0 || status == 1016) << status;

  savedLocale_ = Locale();
  Locale().ShortDateFormat = "M/d/yyyy";
  clock.setNow(EncodeDate(2026, 5, 26) + EncodeTime(9, 5, 7, 0));
  qn::setClock(&clock);

  qn::ui::InstalledPrinters printers{{"Office Laser", "Front Desk"}, "Office Laser", {}};
  printers.bins["Office Laser"] = std::vector<qn::ui::PaperBin>{{"Tray 1", 257}, {"Manual", 4}};
  printers.bins["Front Desk"] = std::nullopt;
  previousPrinters_ = qn::ui::setInstalledPrinterSource([printers] { return printers; });
  delete PrinterNames;
  PrinterNames = nullptr;
  BuildPrinterList();

  PrintChoice = TPrintChoice{};
  table.reset(MakePrintTable(nullptr));
}

void PrintFolderFixture::reseed(const std::string& rows) {
  const std::string fixture = root + "/fixture";
  std::filesystem::remove(printFile());
  std::ofstream(fixture + "/Print01.QC.seed") << rows;
  const std::string qnseed = "'" + qn::recmgr::testing::programFolder() + "/qnseed'";
  ASSERT_EQ(std::system((qnseed + " data '" + dataDir + "' '" + fixture + "' >/dev/null").c_str()), 0);
}

void PrintFolderFixture::TearDown() {
  table.reset();
  qn::ui::setInstalledPrinterSource(previousPrinters_);
  delete PrinterNames;
  PrinterNames = nullptr;
  qn::setClock(nullptr);
  Locale() = savedLocale_;
  PrintChoice = TPrintChoice{};
}

}  // namespace dialogs_test
