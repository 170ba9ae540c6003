// The print-choices file: a report's two rows read into the print choice, the defaults offered
// when the file or a row is missing, and the file never changed.
#include <gtest/gtest.h>

#include <filesystem>
#include <optional>

#include "core/Globals.h"
#include "datagrid/DcTbTable.h"
#include "dialogs/PrintChoices.h"
#include "dialogs/tests/PrintFolderFixture.h"
#include "framework/base/Exception.h"
#include "framework/db/Field.h"
#include "framework/ui/testing/ScriptedMessageBoxes.h"
#include "platform/os/ExecutablePath.h"
#include "platform/os/ProgramArguments.h"
#include "platform/recmgr/tests/ServeChild.h"
#include "testing/TestFiles.h"

namespace dialogs_test {
namespace {

using qn::ui::testing::ScriptedMessageBoxes;

class PrintChoicesFileTest : public PrintFolderFixture {
 protected:
  // Reads report `number`'s rows with the questions answered as given.
  bool read(int number) {
    PrintChoice.ReportNumber = number;
    return GetPrintTBInfo(table.get());
  }
  AnsiString missingQuestion() const {
    return "The PRINT01.QC file is missing.\rDo you want to use the default settings?";
  }
  AnsiString openQuestion() const {
    return "The " + dataDir + "\\PRINT01.QC file cannot be opened.\rDo you want to use the default settings?";
  }
  void expectDefaults() {
    EXPECT_EQ(PrintChoice.ReportTitle, "Statements");
    EXPECT_EQ(PrintChoice.Orientation, "C");
    EXPECT_EQ(PrintChoice.PageLength, "66");
    EXPECT_EQ(PrintChoice.PrintToFile, "N");
    EXPECT_EQ(PrintChoice.Pitch, "10");
    EXPECT_EQ(PrintChoice.PrinterName, "Office Laser");
    EXPECT_EQ(PrintChoice.Folder, "");
    EXPECT_TRUE(PrintChoice.DefaultsUsed);
  }
};

TEST_F(PrintChoicesFileTest, AReportsRowAndItsPrinterRowFillThePrintChoice) {
  const std::string before = qn::testing::readFileText(printFile());
  ScriptedMessageBoxes none;
  ASSERT_TRUE(read(63));
  EXPECT_EQ(PrintChoice.ReportTitle, "Audit Trail");
  EXPECT_EQ(PrintChoice.Orientation, "R");
  EXPECT_EQ(PrintChoice.PageLength, "66");
  EXPECT_EQ(PrintChoice.PrintToFile, "N");
  EXPECT_EQ(PrintChoice.FileName, "AUDIT.TXT");
  EXPECT_EQ(PrintChoice.FullName, "\\AUDIT.TXT");
  EXPECT_EQ(PrintChoice.PrinterName, "Front Desk");
  EXPECT_FALSE(PrintChoice.DefaultsUsed);
  EXPECT_FALSE(table->Active());
  EXPECT_EQ(qn::testing::readFileText(printFile()), before);
}

TEST_F(PrintChoicesFileTest, ReportOnesSavedBinsGiveTheirListIndexes) {
  std::string rows = standardRows();
  rows.replace(rows.find("PaperBinOtherPages = 0"), 22, "PaperBinOtherPages = x");
  reseed(rows);
  ScriptedMessageBoxes none;
  ASSERT_TRUE(read(1));
  EXPECT_EQ(PrintChoice.FirstPageBinIndex, 1);
  EXPECT_EQ(PrintChoice.OtherPagesBinIndex, 5);  // unreadable: the stand-in index
  EXPECT_EQ(PrintChoice.OtherPagesBin, -1);
}

TEST_F(PrintChoicesFileTest, APatternNameIsExpandedAsItIsRead) {
  reseed(row(63, "Audit Trail", "R", "Y", "C:\\Reports", "*+") + "\n" + printerRow(63, "Front Desk"));
  ScriptedMessageBoxes none;
  ASSERT_TRUE(read(63));
  EXPECT_EQ(PrintChoice.FileName, "GL0526T0.905");
  EXPECT_TRUE(PrintChoice.NameHasExtension);
  EXPECT_EQ(PrintChoice.FullName, "C:\\Reports\\GL0526T0.905");
  EXPECT_EQ(PrintChoice.PrintToFile, "Y");
}

struct MissingCase {
  const char* what;
  TModalResult answer;
  bool result;
  bool created;
};

TEST_F(PrintChoicesFileTest, AMissingFileIsMadeFromTheTemplateWhenTheDefaultsAreTaken) {
  for (const MissingCase c : {MissingCase{"no", mrNo, false, false}, MissingCase{"yes", mrYes, true, true}}) {
    std::filesystem::remove(printFile());
    PrintChoice = TPrintChoice{};
    ScriptedMessageBoxes boxes;
    boxes.expect(mtConfirmation, missingQuestion(), c.answer);
    EXPECT_EQ(read(63), c.result) << c.what;
    EXPECT_EQ(std::filesystem::exists(printFile()), c.created) << c.what;
    if (c.result) expectDefaults();
  }
  EXPECT_EQ(qn::testing::readFileText(printFile()), qn::testing::readFileText(programDir + "/Print.clo"));
}

TEST_F(PrintChoicesFileTest, AMissingTemplateIsToldAndTheDefaultsStillServe) {
  std::filesystem::remove(printFile());
  std::filesystem::remove(programDir + "/Print.clo");
  ScriptedMessageBoxes boxes;
  boxes.expect(mtConfirmation, missingQuestion(), mrYes)
      .expect(mtError, "The file " + programDir + "\\Print.clo is missing!The " + dataDir +
                           "\\Print01.qc file cannot be created at this time.\r\rPlease call Vantor, Inc. for assistance.");
  EXPECT_TRUE(read(63));
  expectDefaults();
}

TEST_F(PrintChoicesFileTest, AFileAnotherWorkstationHoldsExclusivelyOffersTheDefaults) {
  const std::string before = qn::testing::readFileText(printFile());
  qn::recmgr::testing::ServeChild other;
  ASSERT_EQ(other.status("open 0 " + printFile() + " -4"), 0);
  for (TModalResult answer : {mrNo, mrYes}) {
    PrintChoice = TPrintChoice{};
    ScriptedMessageBoxes boxes;
    boxes.expect(mtConfirmation, openQuestion(), answer);
    EXPECT_EQ(read(63), answer == mrYes);
    if (answer == mrYes) expectDefaults();
  }
  ASSERT_EQ(other.status("close 0"), 0);
  EXPECT_EQ(qn::testing::readFileText(printFile()), before);
}

TEST_F(PrintChoicesFileTest, ADamagedFileIsTakenForOneThatCannotBeOpened) {
  qn::testing::writeFileText(printFile(), std::string(4096, 'x'));
  ScriptedMessageBoxes boxes;
  boxes.expect(mtConfirmation, openQuestion(), mrYes);
  EXPECT_TRUE(read(63));
  expectDefaults();
}

struct RowCase {
  const char* what;
  bool dropSettings;  // else the printer row is dropped
  TModalResult answer;
  bool result;
  const char* printer;
};

TEST_F(PrintChoicesFileTest, AMissingRowOffersTheDefaultsOrTheFirstPrinter) {
  const AnsiString reportQuestion =
      "The PRINT01.QC  file is damaged or incomplete - can't find report number 63.\rDo you want to use the default "
      "settings for printing?";
  const AnsiString printerQuestion =
      "The PRINT01.QC  file is damaged or incomplete - can't find default printer name.\rDo you want to use the Office "
      "Laser printer?";
  const RowCase cases[] = {
      {"settings row, no", true, mrNo, false, ""},
      {"settings row, yes", true, mrYes, true, "Office Laser"},
      {"printer row, no", false, mrNo, false, ""},
      {"printer row, yes", false, mrYes, true, "Office Laser"},
  };
  for (const RowCase& c : cases) {
    reseed(c.dropSettings ? printerRow(63, "Front Desk") : row(63, "Audit Trail", "R", "N", "", "AUDIT.TXT"));
    const std::string before = qn::testing::readFileText(printFile());
    PrintChoice = TPrintChoice{};
    ScriptedMessageBoxes boxes;
    boxes.expect(mtConfirmation, c.dropSettings ? reportQuestion : printerQuestion, c.answer);
    EXPECT_EQ(read(63), c.result) << c.what;
    if (c.result) {
      EXPECT_EQ(PrintChoice.PrinterName, c.printer) << c.what;
      if (c.dropSettings) expectDefaults();
      else EXPECT_EQ(PrintChoice.ReportTitle, "Audit Trail") << c.what;
    }
    EXPECT_FALSE(table->Active()) << c.what;
    EXPECT_EQ(qn::testing::readFileText(printFile()), before) << c.what;
  }
}

TEST_F(PrintChoicesFileTest, ARemoteImportProgramTakesItsWorkstationFromTheFourthArgument) {
  qn::os::ExecutablePathOverride program("/opt/quillon/REMIMP/qncases");
  qn::os::ProgramArgumentsScope arguments({"260526", "ADAMS", "x_x_x", "01ZZ"});
  WorkstationId = "";
  ScriptedMessageBoxes none;
  EXPECT_TRUE(read(63));
  EXPECT_EQ(WorkstationId, "01");
  EXPECT_EQ(PrintChoice.PrinterName, "Front Desk");
}

TEST_F(PrintChoicesFileTest, AnyOtherProgramKeepsAnEmptyWorkstation) {
  qn::os::ExecutablePathOverride program("/opt/quillon/qncases");
  qn::os::ProgramArgumentsScope arguments({"260526", "ADAMS", "x_x_x", "01ZZ"});
  WorkstationId = "";
  ScriptedMessageBoxes boxes;
  boxes.expect(mtConfirmation, "The PRINT.QC file is missing.\rDo you want to use the default settings?", mrNo);
  EXPECT_FALSE(read(63));
  EXPECT_EQ(WorkstationId, "");
}

TEST_F(PrintChoicesFileTest, EveryPostIsRefused) {
  const std::string before = qn::testing::readFileText(printFile());
  table->SetTableName(dataDir + "\\Print01.QC;RES:Print");
  table->Open();
  table->SetIndexName("1");
  ASSERT_TRUE(table->FindKey({AnsiString("63")}));
  table->Edit();
  table->FieldByName("RptName")->SetAsString("Changed");
  EXPECT_THROW(table->Post(), EAbort);
  table->Cancel();
  table->Close();
  EXPECT_EQ(qn::testing::readFileText(printFile()), before);
}

}  // namespace
}  // namespace dialogs_test
