// The printing-choices dialog driven as a user would, offscreen: the choices it offers by
// report, what OK and Cancel leave in the print choice, the folders it refuses, the files it
// makes, and the PDF server's registration before a PDF report.
#include <gtest/gtest.h>

#include <QImage>
#include <filesystem>
#include <functional>

#include "core/Globals.h"
#include "core/SettingKeys.h"
#include "datagrid/DcTbTable.h"
#include "dialogs/PrintChoices.h"
#include "dialogs/PrntDefF.h"
#include "dialogs/tests/PrintFolderFixture.h"
#include "framework/base/Exception.h"
#include "framework/ui/RadioButton.h"
#include "framework/ui/SafeDispatch.h"
#include "framework/ui/testing/ScriptedMessageBoxes.h"
#include "platform/os/ExecutablePath.h"
#include "platform/os/FaultInjection.h"
#include "platform/os/MachineRoot.h"
#include "platform/os/RegistryKey.h"
#include "platform/pdfserver/Registration.h"
#include "testing/TestDirs.h"
#include "testing/TestFiles.h"

namespace dialogs_test {
namespace {

namespace fs = std::filesystem;
using qn::ui::testing::ScriptedMessageBoxes;

const AnsiString ContactLine = "\r\rPlease call Vantor, Inc. for assistance.";

class PrntDefFTest : public PrintFolderFixture {
 protected:
  void SetUp() override {
    PrintFolderFixture::SetUp();
    qn::os::RegistryKey(qn::os::HKEY_LOCAL_MACHINE).DeleteKey("\\Software\\CLASSES");
    qn::os::RegistryKey(qn::os::HKEY_CLASSES_ROOT).DeleteKey("\\CLSID");
    reports = qn::testing::makeScratchDir("reports");
    dialog = std::make_unique<TPrntDefF>(nullptr);
  }
  void TearDown() override {
    dialog.reset();
    PrintFolderFixture::TearDown();
  }
  // Runs the dialog for the report; `user` acts while it is shown and must close it.
  void run(int report, std::function<void(TPrntDefF&)> user, int mode = 0) {
    TPrntDefF* d = dialog.get();
    qn::ui::postCall(d, [d, user] { user(*d); });
    // Whatever the user left open is cancelled, so a failing test ends.
    qn::ui::postCall(d, [d] {
      if (d->Modal()) d->SetModalResult(mrCancel);
    });
    d->GetPrinterInfo(mode, report);
  }
  // As the user picks it from the list.
  static void choosePrinter(TPrntDefF& d, int index) {
    d.PrinterComboBox->SetItemIndex(index);
    d.PrinterComboBoxChange(d.PrinterComboBox);
  }
  void chooseFile(TPrntDefF& d, const AnsiString& folder, const AnsiString& name) {
    d.PrintToRadioGroup->SetItemIndex(TPrntDefF::ptFile);
    d.FolderListBox->SetDirectory(folder);
    d.FileNameEdit->SetText(name);
  }
  static std::vector<bool> formatsEnabled(TPrntDefF& d) {
    std::vector<bool> enabled;
    for (int i = 0; i < d.FormatRadioGroup->ButtonCount(); ++i) enabled.push_back(d.FormatRadioGroup->Buttons(i)->Enabled());
    return enabled;
  }
  static std::vector<AnsiString> lines(TStrings* items) {
    std::vector<AnsiString> all;
    for (int i = 0; i < items->Count(); ++i) all.push_back(items->Strings(i));
    return all;
  }
  void saveShot(TPrntDefF& d, const std::string& name) {
    const fs::path shots = fs::path(qn::os::runningProgramFolder()).parent_path() / "screenshots";
    fs::create_directories(shots);
    EXPECT_TRUE(d.Window()->grab().toImage().save(QString::fromStdString((shots / name).string())));
  }

  std::string reports;
  std::unique_ptr<TPrntDefF> dialog;
};

TEST_F(PrntDefFTest, ReportSixtyThreeOffersNoDataPdfOrEmailAndRefusesTheScreen) {
  ScriptedMessageBoxes boxes;
  boxes.expect(mtInformation, "Unable to print this report to the screen.");
  run(63, [&](TPrntDefF& d) {
    EXPECT_EQ(d.Caption(), "Printing Choices");
    EXPECT_EQ(d.PrintToRadioGroup->ItemIndex(), TPrntDefF::ptPrinter);
    EXPECT_EQ(d.PrinterComboBox->Text(), "Front Desk");
    EXPECT_EQ(formatsEnabled(d), (std::vector<bool>{true, false, false}));
    EXPECT_FALSE(d.EmailCheckBox->Enabled());
    EXPECT_FALSE(d.DuplexCheckBox->Visible());
    EXPECT_FALSE(d.BinGroup->Visible());
    EXPECT_EQ(lines(d.OrientationRadioGroup->Items()), (std::vector<AnsiString>{"Portrait", "Landscape"}));
    EXPECT_EQ(d.OrientationRadioGroup->ItemIndex(), 0);
    saveShot(d, "prntdeff-63.png");
    d.PrintToRadioGroup->SetItemIndex(TPrntDefF::ptScreen);
    EXPECT_EQ(d.PrintToRadioGroup->ItemIndex(), TPrntDefF::ptFile);
    EXPECT_TRUE(d.FormatRadioGroup->Enabled());
    d.CancelBtn->Click();
  });
}

TEST_F(PrntDefFTest, ThePrinterChoiceGoesToThePrinterChosen) {
  ScriptedMessageBoxes none;
  run(63, [&](TPrntDefF& d) {
    d.PrinterComboBox->SetItemIndex(0);
    d.OrientationRadioGroup->SetItemIndex(1);
    d.OKBtn->Click();
  });
  EXPECT_EQ(PrintChoice.Destination, 255);
  EXPECT_EQ(PrintChoice.PrinterName, "Office Laser");
  EXPECT_EQ(PrintChoice.PrinterIndex, 0);
  EXPECT_EQ(PrintChoice.Orientation, "C");
  EXPECT_EQ(PrintChoice.PrintToFile, "N");
  EXPECT_TRUE(PrintChoice.OkPressed);
}

TEST_F(PrntDefFTest, AFileIsCreatedEmptyAndItsFolderRemembered) {
  ScriptedMessageBoxes none;
  run(63, [&](TPrntDefF& d) {
    chooseFile(d, reports, "AUDIT.TXT");
    d.OKBtn->Click();
  });
  EXPECT_EQ(PrintChoice.Destination, 100);
  EXPECT_EQ(PrintChoice.PrintToFile, "Y");
  EXPECT_EQ(PrintChoice.FullName, reports + "\\AUDIT.TXT");
  ASSERT_TRUE(fs::exists(reports + "/AUDIT.TXT"));
  EXPECT_EQ(fs::file_size(reports + "/AUDIT.TXT"), 0u);
  qn::os::RegistryKey host(qn::os::HKEY_LOCAL_MACHINE, qn::os::KEY_READ);
  ASSERT_TRUE(host.OpenKeyReadOnly(HostKey));
  EXPECT_EQ(host.ReadString("DefPrintToFilePath"), reports);
}

struct ExistingCase {
  int choice;
  int destination;
  const char* content;  // afterwards
};

TEST_F(PrntDefFTest, AnExistingFileIsEmptiedKeptOrLeftAsTheUserChooses) {
  const ExistingCase cases[] = {{TPrntDefF::exDelete, 100, ""},
                                {TPrntDefF::exAppend, 100, "earlier lines\n"},
                                {TPrntDefF::exExit, 0, "earlier lines\n"}};
  for (const ExistingCase& c : cases) {
    qn::testing::writeFileText(reports + "/AUDIT.TXT", "earlier lines\n");
    ScriptedMessageBoxes none;
    run(63, [&](TPrntDefF& d) {
      chooseFile(d, reports, "AUDIT.TXT");
      d.OKBtn->Click();
      EXPECT_TRUE(d.ExistingRadioGroup->Visible()) << c.choice;
      EXPECT_TRUE(d.Modal());
      d.ExistingRadioGroup->SetItemIndex(c.choice);
    });
    EXPECT_EQ(PrintChoice.Destination, c.destination) << c.choice;
    EXPECT_EQ(qn::testing::readFileText(reports + "/AUDIT.TXT"), c.content) << c.choice;
  }
}

TEST_F(PrntDefFTest, TheProgramFolderAndTheDataFoldersAreRefusedForReports) {
  qn::os::RegistryKey registry(qn::os::HKEY_LOCAL_MACHINE);
  registry.OpenKey(HostKey + "\\H_Data", true);
  // The same folder written another way: upper case and a trailing separator.
  const fs::path data(dataDir);
  registry.WriteString("DQ", (data.parent_path() / "DATA").string() + "/");
  registry.WriteString("HQ", "/history");
  registry.WriteString("DX", "/not/a/folder");
  const AnsiString refusal = "Please do NOT use the Quillon Program directory\r    " + programDir +
                             "\r\ror ANY Quillon Data directory for reports.\r\rPlease choose another path.";
  ScriptedMessageBoxes boxes;
  boxes.expect(mtWarning, refusal).expect(mtWarning, refusal);
  run(63, [&](TPrntDefF& d) {
    chooseFile(d, programDir, "AUDIT.TXT");
    d.OKBtn->Click();
    d.FolderListBox->SetDirectory(dataDir);
    d.OKBtn->Click();
    EXPECT_TRUE(d.Modal());
    d.FolderListBox->SetDirectory(reports);
    d.OKBtn->Click();
  });
  EXPECT_EQ(PrintChoice.Destination, 100);
  EXPECT_FALSE(fs::exists(programDir + "/AUDIT.TXT"));
  EXPECT_FALSE(fs::exists(dataDir + "/AUDIT.TXT"));
  EXPECT_TRUE(fs::exists(reports + "/AUDIT.TXT"));
}

TEST_F(PrntDefFTest, CancelClearsTheChoiceAndTheCloseBoxPrintsNothing) {
  {
    ScriptedMessageBoxes none;
    run(63, [&](TPrntDefF& d) { d.CancelBtn->Click(); });
    EXPECT_EQ(PrintChoice.Destination, 0);
    EXPECT_EQ(PrintChoice.PrinterName, "");
    EXPECT_EQ(PrintChoice.Orientation, "");
    EXPECT_EQ(PrintChoice.FileName, "");
    EXPECT_EQ(PrintChoice.PrintToFile, "N");
    EXPECT_EQ(PrintChoice.Pitch, "10");
    EXPECT_TRUE(PrintChoice.OkPressed);
  }
  ScriptedMessageBoxes none;
  run(63, [&](TPrntDefF& d) {
    chooseFile(d, reports, "AUDIT.TXT");
    d.Close();
  });
  EXPECT_EQ(PrintChoice.Destination, 0);
  EXPECT_EQ(PrintChoice.ToScreen, 0);
  EXPECT_FALSE(fs::exists(reports + "/AUDIT.TXT"));
}

TEST_F(PrntDefFTest, ABadNameKeepsTheDialogOpen) {
  ScriptedMessageBoxes boxes;
  boxes.expect(mtWarning, "File name is too long!")
      .expect(mtWarning, "Do not use characters  / \\ : ? \" < > | , = [ ] in the print file name");
  run(63, [&](TPrntDefF& d) {
    chooseFile(d, reports, "REPORT123.TXT");
    d.OKBtn->Click();
    EXPECT_TRUE(d.Modal());
    char key = '?';
    d.FileNameEditKeyPress(d.FileNameEdit, key);
    EXPECT_EQ(key, 0);
    d.FileNameEdit->SetText("*+");
    d.OKBtn->Click();
  });
  EXPECT_EQ(PrintChoice.FileName, "GL0526T0.905");
  EXPECT_TRUE(fs::exists(reports + "/GL0526T0.905"));
}

TEST_F(PrntDefFTest, TheEmailAndColumnHeaderBoxesFollowTheFormat) {
  ScriptedMessageBoxes boxes;
  boxes.expect(mtInformation, "Please choose Text, Data or PDF format.")
      .expect(mtInformation, "The Email option is only available for text or PDF format.")
      .expect(mtInformation, "The Labels option is only available for data format.");
  run(31, [&](TPrntDefF& d) {
    chooseFile(d, reports, "LIST.TXT");
    d.OKBtn->Click();  // no format chosen among three
    EXPECT_TRUE(d.Modal());
    d.FormatRadioGroup->SetItemIndex(TPrntDefF::fmData);
    d.EmailCheckBox->SetChecked(true);
    EXPECT_FALSE(d.EmailCheckBox->Checked());
    d.LabelsCheckBox->SetChecked(true);
    EXPECT_TRUE(d.LabelsCheckBox->Checked());
    d.FormatRadioGroup->SetItemIndex(TPrntDefF::fmText);
    EXPECT_FALSE(d.LabelsCheckBox->Checked());
    d.LabelsCheckBox->SetChecked(true);
    EXPECT_FALSE(d.LabelsCheckBox->Checked());
    d.EmailCheckBox->SetChecked(true);
    d.OKBtn->Click();
  });
  EXPECT_EQ(PrintChoice.Destination, 100);
  EXPECT_EQ(PrintChoice.PrintToFile, "Y");
  EXPECT_TRUE(PrintChoice.EmailWanted);
  EXPECT_FALSE(PrintChoice.LabelsWanted);
}

struct OfferCase {
  int report;
  std::vector<bool> formats;  // Text, Data, PDF
  bool email;
  std::vector<AnsiString> orientations;
  bool duplex;
};

TEST_F(PrntDefFTest, EachReportIsOfferedItsFormatsOrientationsAndBoxes) {
  const std::vector<AnsiString> twoWays{"Portrait", "Landscape"};
  const OfferCase cases[] = {
      {1, {true, false, true}, false, {"10 cpi/6 lpi", "12 cpi/8 lpi"}, false},
      {2, {true, false, false}, false, {"Condensed portrait", "Condensed landscape", "10 pitch dot matrix"}, true},
      {31, {true, true, true}, true, twoWays, false},
      {35, {true, true, true}, true, twoWays, false},
      {36, {true, false, false}, false, twoWays, false},
      {37, {true, false, false}, false, twoWays, false},
      {38, {true, false, false}, false, twoWays, false},
      {63, {true, false, false}, false, twoWays, false},
      {90, {true, false, false}, false, twoWays, false},
  };
  for (const OfferCase& c : cases) {
    ScriptedMessageBoxes boxes;
    if (c.report == 90)
      boxes.expect(mtConfirmation,
                   "The PRINT01.QC  file is damaged or incomplete - can't find default printer name.\rDo you want to "
                   "use the Office Laser printer?",
                   mrYes);
    run(c.report, [&](TPrntDefF& d) {
      // The formats a user can pick once the report goes to a file.
      d.PrintToRadioGroup->SetItemIndex(TPrntDefF::ptFile);
      EXPECT_EQ(formatsEnabled(d), c.formats) << c.report;
      EXPECT_EQ(d.EmailCheckBox->Enabled(), c.email) << c.report;
      EXPECT_EQ(lines(d.OrientationRadioGroup->Items()), c.orientations) << c.report;
      EXPECT_EQ(d.DuplexCheckBox->Visible(), c.duplex) << c.report;
      EXPECT_EQ(d.BinGroup->Visible(), c.report == 1) << c.report;
      if (c.report == 1) {
        EXPECT_EQ(lines(d.FirstBinComboBox->Items()), (std::vector<AnsiString>{"Tray 1     [257]", "Manual     [4]"}));
        EXPECT_EQ(d.FirstBinComboBox->ItemIndex(), 1);  // saved as 1
        EXPECT_EQ(d.OtherBinComboBox->ItemIndex(), 0);
        EXPECT_EQ(PrintChoice.FirstPageBin, 4);
        EXPECT_EQ(PrintChoice.OtherPagesBin, 257);
        EXPECT_EQ(d.OrientationRadioGroup->Hint(), "cpi=characters per inch / lpi=lines per inch");
        saveShot(d, "prntdeff-1.png");
      }
      d.CancelBtn->Click();
    });
  }
}

TEST_F(PrntDefFTest, APrinterWhoseBinsAreNotKnownAsksWhetherToGoOn) {
  const AnsiString question =
      "Quillon failed to obtain information from the operationg system about your printer's bins.\r\rThe value of "
      "NumCaps is -1.\r\rPlease call Vantor, Inc. for assistance.\r\rStatements may not print correctly.  Do you wish "
      "to continue?";
  {
    ScriptedMessageBoxes boxes;
    boxes.expect(mtConfirmation, question, mrYes);
    run(1, [&](TPrntDefF& d) {
      choosePrinter(d, 1);
      EXPECT_EQ(d.FirstBinComboBox->Items()->Count(), 0);
      EXPECT_TRUE(d.Modal());
      d.OKBtn->Click();
    });
    EXPECT_EQ(PrintChoice.Destination, 255);
    EXPECT_EQ(PrintChoice.PrinterName, "Front Desk");
    EXPECT_EQ(PrintChoice.FirstPageBin, -1);
  }
  ScriptedMessageBoxes boxes;
  boxes.expect(mtConfirmation, question, mrNo).expect(mtInformation, "Program terminated by user.");
  run(1, [&](TPrntDefF& d) { choosePrinter(d, 1); });
  EXPECT_EQ(PrintChoice.Destination, 0);
}

TEST_F(PrntDefFTest, ReportOnesEqualsKeyAsksForDebugging) {
  ScriptedMessageBoxes boxes;
  boxes.expect(mtConfirmation, "Run with debugging on?", mrYes);
  run(1, [&](TPrntDefF& d) {
    char key = '=';
    d.KeyPress(key);
    EXPECT_EQ(key, 0);
    d.CancelBtn->Click();
  });
  EXPECT_TRUE(dialog->StatementDebugging);
}

TEST_F(PrntDefFTest, AReportAllowedOnTheScreenGetsAScratchFileInTheDataFolder) {
  ScriptedMessageBoxes none;
  run(2, [&](TPrntDefF& d) {
    d.PrintToRadioGroup->SetItemIndex(TPrntDefF::ptScreen);
    d.OKBtn->Click();
  });
  EXPECT_EQ(PrintChoice.Destination, 100);
  EXPECT_EQ(PrintChoice.ToScreen, 1);
  EXPECT_EQ(PrintChoice.FullName, "NONE (PRINTING TO SCREEN)");
  ASSERT_EQ(PrintChoice.ScreenTimeName.size(), 4u);
  EXPECT_TRUE(fs::exists(dataDir + "/BL" + PrintChoice.ScreenTimeName + "01"));
}

TEST_F(PrntDefFTest, TheFormFitsItsFileGroupAndMovesTwoBoxesAwayFrom120PixelsPerInch) {
  for (const int ppi : {120, 96}) {
    dialog = std::make_unique<TPrntDefF>(nullptr);
    dialog->SetPixelsPerInch(ppi);
    const int emailTop = dialog->EmailCheckBox->Top(), labelsTop = dialog->LabelsCheckBox->Top();
    ScriptedMessageBoxes none;
    for (int shown = 0; shown < 2; ++shown)  // moved once, however often shown
      run(63, [&](TPrntDefF& d) {
        EXPECT_EQ(d.ClientWidth(), d.FileGroup->Left() + d.FileGroup->Width() + 15);
        EXPECT_EQ(d.ClientHeight(), d.OKBtn->Top() + d.OKBtn->Height() + 30);
        const int moved = ppi == 120 ? 0 : 1;
        EXPECT_EQ(d.EmailCheckBox->Top(), emailTop + moved * d.EmailCheckBox->Height()) << ppi;
        EXPECT_EQ(d.LabelsCheckBox->Top(), labelsTop + moved * d.LabelsCheckBox->Height()) << ppi;
        bool handled = false;
        d.OnMouseWheel(&d, {}, -120, TPoint{10, 10}, handled);
        EXPECT_TRUE(handled);
        d.CancelBtn->Click();
      });
  }
}

TEST_F(PrntDefFTest, ADriveThatDoesNotAnswerIsToldAndTheDriveBoxGoesBack) {
  qn::testing::writeFileText(qn::os::driveMapFile(), "C=" + reports + "\nQ=" + root + "/unplugged\n");
  ScriptedMessageBoxes boxes;
  boxes.expect(mtWarning, "Drive Q is not ready.");
  run(63, [&](TPrntDefF& d) {
    d.PrintToRadioGroup->SetItemIndex(TPrntDefF::ptFile);
    d.DriveComboBox->Update();
    d.DriveComboBox->SetDrive('C');
    d.DriveComboBox->SetDrive('Q');
    EXPECT_EQ(d.DriveComboBox->Drive(), 'C');
    d.CancelBtn->Click();
  });
}

TEST_F(PrntDefFTest, AStackRunNamesItsFileByThePatternAndMakesNoFile) {
  ScriptedMessageBoxes none;
  run(
      2,
      [&](TPrntDefF& d) {
        d.PrintToRadioGroup->SetItemIndex(TPrntDefF::ptFile);
        EXPECT_EQ(d.FileNameEdit->Text(), "*");
        EXPECT_FALSE(d.FileNameEdit->Enabled());
        EXPECT_FALSE(d.FolderListBox->Enabled());
        d.OKBtn->Click();
      },
      3);
  EXPECT_EQ(PrintChoice.Destination, 100);
  EXPECT_EQ(PrintChoice.FileName, "*");
  EXPECT_FALSE(fs::exists(dataDir + "/*"));
}

TEST_F(PrntDefFTest, AStackReportsFilesAreNumberedInItsFolder) {
  ScriptedMessageBoxes none;
  EXPECT_TRUE(CreateStackReportFile("BS", reports + "\\X.TXT"));
  EXPECT_EQ(PrintChoice.FullName, reports + "\\BS052626.001");
  EXPECT_TRUE(CreateStackReportFile("BS", reports + "\\X.TXT"));
  EXPECT_EQ(PrintChoice.FullName, reports + "\\BS052626.002");
  EXPECT_TRUE(fs::exists(reports + "/BS052626.001"));
  EXPECT_TRUE(CreateStackReportFile("BS", "NONE (PRINTING TO SCREEN)"));
  EXPECT_EQ(PrintChoice.ToScreen, 1);
  EXPECT_EQ(PrintChoice.FullName, dataDir + "\\BS052626.001");
  EXPECT_FALSE(CreateStackReportFile("GL", ""));  // report 63 lies past the first 45
}

// PDF for report 31: the file name takes its extension and the server's registration is checked.
class PrntDefFPdfTest : public PrntDefFTest {
 protected:
  void choosePdf(TPrntDefF& d) {
    chooseFile(d, reports, "X");
    d.FormatRadioGroup->SetItemIndex(TPrntDefF::fmPdf);
    d.PrinterComboBox->SetItemIndex(0);
  }
};

TEST_F(PrntDefFPdfTest, WithoutARegistrationItIsWrittenAndTheDialogCloses) {
  ScriptedMessageBoxes boxes;
  boxes.expect(mtError,
               "An error was encountered: \r\r32 bit Windows\rOpenKey returned 2\rUnsuccessful OpenKey:  LastError is 2");
  run(31, [&](TPrntDefF& d) {
    choosePdf(d);
    d.OKBtn->Click();
  });
  EXPECT_TRUE(PrintChoice.PdfWanted);
  EXPECT_EQ(PrintChoice.Destination, 255);
  EXPECT_EQ(PrintChoice.FileName, "X.PDF");
  EXPECT_EQ(PrintChoice.PrinterName, "Office Laser");
  EXPECT_FALSE(fs::exists(reports + "/X.PDF"));  // the report program writes it
  EXPECT_EQ(qn::pdfserver::ReadRegisteredPath().path, programDir + "\\PDFREPXP.DLL");
  EXPECT_EQ(qn::pdfserver::ClassesRootServerPath(), programDir + "\\PDFREPXP.DLL");
}

TEST_F(PrntDefFPdfTest, ARegistrationElsewhereWithoutTheServerHereAsksForTheFile) {
  ASSERT_TRUE(qn::pdfserver::WriteRegistration("D:\\Other").written);
  ScriptedMessageBoxes boxes;
  boxes.expect(mtError, "It appears that the file PDFREPXP.DLL is not in the Quillon program folder (" + programDir +
                            ").  You will need to copy this file to the correct location before you can print a "
                            "report in PDF format.");
  run(31, [&](TPrntDefF& d) {
    choosePdf(d);
    d.OKBtn->Click();
    EXPECT_TRUE(d.Modal());
    d.CancelBtn->Click();
  });
  EXPECT_EQ(PrintChoice.Destination, 0);
}

TEST_F(PrntDefFPdfTest, AKeyThatCannotBeOpenedLeavesNoClassesRootKeyAndNamesTheRepairProgram) {
  ScriptedMessageBoxes boxes;
  boxes
      .expect(mtError,
              "An error was encountered: \r\r32 bit Windows\rOpenKey returned 2\rUnsuccessful OpenKey:  LastError is 2")
      .expect(mtError,
              "Quillon is unable to gain access to a portion of the Windows Registry that appears to require "
              "permissions or user rights that are currently not in place.  \r\rTo resolve this problem, find the "
              "program 'QNREGFIX' in your Quillon program folder, RIGHT-CLICK on it and select 'RUN AS "
              "ADMINISTRATOR'.  Select 'Yes' on the next window that appears and then click on 'Write PDFREPORT "
              "values to registry'.\r\rYou will not be able to use Quillon's PDF creation feature until this is "
              "accomplished.\r\rPlease call Vantor, Inc. for assistance.");
  run(31, [&](TPrntDefF& d) {
    choosePdf(d);
    // The data paths' key, the remembered folder, the registration's read, then the fourth key
    // of the registration.
    qn::os::injectFault(qn::os::Fault::KeyOpen, 7);
    d.OKBtn->Click();
    EXPECT_TRUE(d.Modal());
    d.CancelBtn->Click();
  });
  EXPECT_FALSE(qn::os::RegistryKey(qn::os::HKEY_CLASSES_ROOT).KeyExists("\\CLSID"));
}

}  // namespace
}  // namespace dialogs_test
