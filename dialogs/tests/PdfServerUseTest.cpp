// Before a PDF report the server's registration is checked, written when missing, and each way
// it cannot serve is told.
#include <gtest/gtest.h>

#include <cstdlib>

#include "core/Globals.h"
#include "dialogs/PdfServerUse.h"
#include "framework/ui/testing/QtTestApplication.h"
#include "framework/ui/testing/ScriptedMessageBoxes.h"
#include "platform/os/ExecutablePath.h"
#include "platform/os/FaultInjection.h"
#include "platform/os/RegistryKey.h"
#include "platform/pdfserver/Registration.h"
#include "testing/TestDirs.h"

namespace {

using qn::ui::testing::ScriptedMessageBoxes;

const AnsiString NotRegistered =
    "An error was encountered: \r\r32 bit Windows\rOpenKey returned 2\rUnsuccessful OpenKey:  LastError is 2";
const AnsiString RegistryRepair =
    "Quillon is unable to gain access to a portion of the Windows Registry that appears to require permissions or user "
    "rights that are currently not in place.  \r\rTo resolve this problem, find the program 'QNREGFIX' in your Quillon "
    "program folder, RIGHT-CLICK on it and select 'RUN AS ADMINISTRATOR'.  Select 'Yes' on the next window that "
    "appears and then click on 'Write PDFREPORT values to registry'.\r\rYou will not be able to use Quillon's PDF "
    "creation feature until this is accomplished.\r\rPlease call Vantor, Inc. for assistance.";

class PdfServerUseTest : public ::testing::Test {
 protected:
  void SetUp() override {
    qn::ui::testing::qtApplication();
    qn::os::RegistryKey(qn::os::HKEY_LOCAL_MACHINE).DeleteKey("\\Software\\CLASSES");
    qn::os::RegistryKey(qn::os::HKEY_CLASSES_ROOT).DeleteKey("\\CLSID");
    unsetenv("PROCESSOR_ARCHITEW6432");
    savedProgramDir = ProgramDir;
  }
  void TearDown() override {
    ProgramDir = savedProgramDir;
    unsetenv("PROCESSOR_ARCHITEW6432");
  }
  AnsiString savedProgramDir;
};

TEST_F(PdfServerUseTest, NoRegistrationIsToldOnceAndThenWrittenForTheProgramFolder) {
  ProgramDir = qn::testing::makeScratchDir("program");
  ScriptedMessageBoxes boxes;
  boxes.expect(mtError, NotRegistered);
  EXPECT_TRUE(PdfServerReadyForPrinting());
  EXPECT_EQ(qn::pdfserver::ReadRegisteredPath().path, ProgramDir + "\\PDFREPXP.DLL");
  EXPECT_EQ(qn::pdfserver::ClassesRootServerPath(), ProgramDir + "\\PDFREPXP.DLL");
  // Registered from the program folder now: accepted without a word.
  ScriptedMessageBoxes none;
  EXPECT_TRUE(PdfServerReadyForPrinting());
}

TEST_F(PdfServerUseTest, ARegistrationElsewhereServesOnlyWhenTheServerLiesInTheProgramFolder) {
  ASSERT_TRUE(qn::pdfserver::WriteRegistration("D:\\Other Suite").written);
  ProgramDir = qn::testing::makeScratchDir("program");
  {
    ScriptedMessageBoxes boxes;
    boxes.expect(mtError, "It appears that the file PDFREPXP.DLL is not in the Quillon program folder (" + ProgramDir +
                              ").  You will need to copy this file to the correct location before you can print a "
                              "report in PDF format.");
    EXPECT_FALSE(PdfServerReadyForPrinting());
  }
  ProgramDir = qn::os::runningProgramFolder();  // where the build put the server
  ScriptedMessageBoxes none;
  EXPECT_TRUE(PdfServerFilePresent(ProgramDir));
  EXPECT_TRUE(PdfServerReadyForPrinting());
}

TEST_F(PdfServerUseTest, AKeyThatCannotBeOpenedEndsInTheRegistryRepairText) {
  ProgramDir = qn::testing::makeScratchDir("program");
  qn::os::injectFault(qn::os::Fault::KeyOpen, 5);  // the read's open, then the fourth key of the writing
  ScriptedMessageBoxes boxes;
  boxes.expect(mtError, NotRegistered).expect(mtError, RegistryRepair);
  EXPECT_FALSE(PdfServerReadyForPrinting());
  EXPECT_FALSE(qn::os::RegistryKey(qn::os::HKEY_CLASSES_ROOT).KeyExists("\\CLSID"));
}

TEST_F(PdfServerUseTest, TheDiagnosticNamesTheWindowsItRunsOn) {
  setenv("PROCESSOR_ARCHITEW6432", "AMD64", 1);
  EXPECT_TRUE(IsWindows64Bit());
  AnsiString path;
  ScriptedMessageBoxes boxes;
  boxes.expect(mtError,
               "An error was encountered: \r\r64 bit Windows\rOpenKey returned 2\rUnsuccessful OpenKey:  LastError is 2");
  EXPECT_FALSE(IsPdfServerRegistered(path));
  setenv("PROCESSOR_ARCHITEW6432", "  ", 1);
  EXPECT_FALSE(IsWindows64Bit());
}

TEST_F(PdfServerUseTest, AKeyWithoutItsValueIsAFailedQuery) {
  qn::os::RegistryKey(qn::os::HKEY_LOCAL_MACHINE)
      .CreateKey("\\Software\\CLASSES\\CLSID\\{C08D629F-1C7A-45A7-87F6-5C483BA32121}\\InprocServer32");
  AnsiString path;
  ScriptedMessageBoxes boxes;
  boxes.expect(mtError, "An error was encountered: \r\r32 bit Windows\rOpenKey returned 0\rQuery Key returned "
                        "2\rUnsuccessful query:  LastError is 2");
  EXPECT_FALSE(IsPdfServerRegistered(path));
}

}  // namespace
