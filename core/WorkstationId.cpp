#include "core/WorkstationId.h"

#include <algorithm>
#include <vector>

#include "core/Constants.h"
#include "core/Globals.h"
#include "core/MessageBoxes.h"
#include "framework/base/StringUtils.h"
#include "framework/ui/Application.h"
#include "platform/os/IniFile.h"
#include "platform/os/MachineRoot.h"

namespace {

const AnsiString SectionName = "Setup";
const AnsiString KeyName = "WSID";

bool holdsExactly(const std::vector<AnsiString>& names, const AnsiString& name) {
  return std::find(names.begin(), names.end(), name) != names.end();
}

void refuseToRun(const AnsiString& text) {
  ShowErrorBox(text + "\r\r" + ContactSupportText);
  Application->Terminate();
}

}  // namespace

AnsiString WorkstationIniPath() { return qn::os::windowsDir() + "/Qnvantor.ini"; }

void ReadWorkstationId() {
  const qn::os::IniFile ini(WorkstationIniPath());
  // A file that cannot be read is no better than a missing one: both lack the section.
  std::vector<AnsiString> sections;
  std::vector<AnsiString> keys;
  AnsiString value = "WError";
  try {
    sections = ini.ReadSections();
    keys = ini.ReadSection(SectionName);
    value = ini.ReadString(SectionName, KeyName, "WError");
  } catch (const qn::os::IniFileError&) {
  }
  if (!holdsExactly(sections, SectionName))
    refuseToRun("Initialization file could not be read or is not in the proper format.\r\rThis program will be terminated.");
  WorkstationId = value.substr(0, 2);
  // An ID of fewer than two characters names no workstation: every such workstation would share
  // the per-workstation files, so it counts as no ID at all.
  if (!holdsExactly(keys, KeyName) || Trim(WorkstationId).size() != 2)
    refuseToRun("WSID variable is missing from the Initialization file.\r\rThis program will be terminated.");
}
