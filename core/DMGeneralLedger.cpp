// The general-ledger files the audit trail needs beside it: the control file the ledger programs
// create, and this workstation's interface file, made from the program folder's model.
#include "core/Constants.h"
#include "core/DM.h"
#include "core/Globals.h"
#include "core/MessageBoxes.h"
#include "framework/base/FormatText.h"
#include "platform/os/Files.h"

namespace {

const AnsiString CreateControlFileHint =
    "Go to Interfaces/General Ledger/Create Control File and create your file before you continue.";

}  // namespace

bool TDM::OpenGLControl() {
  if (GL2TB->Active()) return true;
  const AnsiString path = DataDir + "\\Gl.qc";
  if (!qn::os::fileExists(path)) {
    ShowErrorBox("Your General Ledger control file has not been created.\r\r" + CreateControlFileHint);
    return false;
  }
  try {
    GL2TB->SetTableName(path + ";RES:GL2");
    GL2TB->Open();
  } catch (const std::exception& e) {
    ShowErrorBox("Unable to open " + path + "\r" + e.what() + CallSupportText);
    return false;
  }
  try {
    GL2TB->SetIndexName("1");
  } catch (const std::exception&) {
    GL2TB->Close();
    ShowErrorBox("Unable to open index 1 for " + path + ".");
    return false;
  }
  if (!GL2TB->FindKey({Format("%5s", {AnsiString("B")})})) {
    GL2TB->Close();
    ShowErrorBox("Your General Ledger control file has not been fully created.\r\rYou must do so before you continue.\r\r" +
                 CreateControlFileHint);
    return false;
  }
  return true;
}

bool TDM::OpenGLInterface() {
  if (GlacTB->Active()) return true;
  const AnsiString path = DataDir + "\\Glac" + WorkstationId;
  if (!qn::os::fileExists(path)) {
    const AnsiString model = ProgramDir + "\\Glac.clo";
    if (!qn::os::fileExists(model)) {
      ShowErrorBox("The file, " + model + " is missing.");
      return false;
    }
    if (!qn::os::copyFile(model, path, true)) {
      ShowErrorBox("The file  " + path + "  can't be created.");
      return false;
    }
  }
  try {
    GlacTB->SetTableName(path + ";RES:Glac");
    GlacTB->Open();
  } catch (const std::exception& e) {
    ShowErrorBox("Unable to open " + path + "\r" + e.what());
    return false;
  }
  return true;
}
