#include "dialogs/PdfServerUse.h"

#include <cstdlib>

#include "core/Globals.h"
#include "core/MessageBoxes.h"
#include "framework/base/TextCase.h"
#include "platform/os/Files.h"
#include "platform/os/RegistryError.h"
#include "platform/pdfserver/PdfServerIds.h"
#include "platform/pdfserver/Registration.h"
#include "recordmgr/ProgramLibrary.h"

namespace {

// The codes the registry calls of the other system answered with.
constexpr int Success = 0;
constexpr int FileNotFound = 2;

const AnsiString ContactText = "\r\rPlease contact Vantor, Inc. for assistance.";

}  // namespace

bool IsWindows64Bit() {
  const char* value = std::getenv("PROCESSOR_ARCHITEW6432");
  return value && AnsiString(value).find_first_not_of(' ') != AnsiString::npos;
}

bool IsPdfServerRegistered(AnsiString& Path) {
  AnsiString diagnostic = IsWindows64Bit() ? "64 bit Windows" : "32 bit Windows";
  try {
    const qn::pdfserver::RegisteredPath read = qn::pdfserver::ReadRegisteredPath();
    diagnostic += "\rOpenKey returned " + std::to_string(read.keyOpened ? Success : FileNotFound);
    if (read.keyOpened) {
      diagnostic += "\rQuery Key returned " + std::to_string(read.valueRead ? Success : FileNotFound);
      if (read.valueRead) {
        Path = read.path;
        return true;
      }
      diagnostic += "\rUnsuccessful query:  LastError is " + std::to_string(FileNotFound);
    } else {
      diagnostic += "\rUnsuccessful OpenKey:  LastError is " + std::to_string(FileNotFound);
    }
  } catch (const qn::os::RegistryError&) {
    ShowErrorBox("Unable to open the registry at this time." + ContactText);
    return false;
  }
  ShowErrorBox("An error was encountered: \r\r" + diagnostic);
  return false;
}

bool RegisterPdfServer(const AnsiString& ProgramFolder) {
  const qn::pdfserver::RegistrationWrite written = qn::pdfserver::WriteRegistration(ProgramFolder);
  if (written.raised)
    ShowErrorBox("Unable to set the PDF Creation Values at this time.\r\r(Error code = " +
                 std::to_string(written.valuesWritten) + ")\r\rProgram path is " + ProgramFolder +
                 ".\r\rDos path value is " + qn::pdfserver::ServerPath(ProgramFolder) + "\r\r" + written.error +
                 ContactText);
  return written.written;
}

bool PdfServerFilePresent(const AnsiString& Folder) {
  return qn::os::fileExists(Folder + "\\" + ProgramLibraryFileName(qn::pdfserver::ServerFileName));
}

bool PdfServerReadyForPrinting() {
  AnsiString path;
  if (IsPdfServerRegistered(path)) {
    if (UpperCase(path).rfind(UpperCase(ProgramDir), 0) == 0 || PdfServerFilePresent(ProgramDir)) return true;
    ShowErrorBox("It appears that the file PDFREPXP.DLL is not in the Quillon program folder (" + ProgramDir +
                 ").  You will need to copy this file to the correct location before you can print a report in PDF "
                 "format.");
    return false;
  }
  if (RegisterPdfServer(ProgramDir + "\\")) return true;
  ShowErrorBox(
      "Quillon is unable to gain access to a portion of the Windows Registry that appears to require permissions or "
      "user rights that are currently not in place.  \r\rTo resolve this problem, find the program 'QNREGFIX' in your "
      "Quillon program folder, RIGHT-CLICK on it and select 'RUN AS ADMINISTRATOR'.  Select 'Yes' on the next window "
      "that appears and then click on 'Write PDFREPORT values to registry'.\r\rYou will not be able to use Quillon's "
      "PDF creation feature until this is accomplished.\r\rPlease call Vantor, Inc. for assistance.");
  return false;
}
