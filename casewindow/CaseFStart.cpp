#include "casewindow/CaseFStart.h"

#include "casewindow/StartupArguments.h"
#include "core/Constants.h"
#include "core/Globals.h"
#include "core/MessageBoxes.h"
#include "core/Settings.h"
#include "core/WorkstationId.h"
#include "framework/base/IntegerText.h"
#include "framework/base/StringUtils.h"

void ReadMainWindowStartSettings() {
  AliasDescription = ReadSetting("Description", true);
  LookupDataDir = ReadSetting("PhysicalName", true);

  // A value that is no whole number counts as the design size, as an empty one does.
  const AnsiString formSize = ReadSetting("CaFormSize", false);
  if (!formSize.empty()) {
    FormSizeOption = StrToIntDef(Trim(formSize), 0);
  } else {
    if (!WriteSetting("CaFormSize", "0"))
      ShowInformationBox("Unable to store CaFormSize value at this time.\r\r" + ContactSupportText);
    FormSizeOption = 0;
  }

  DataDir = LookupDataDir;
  ReadWorkstationId();
  ProgramDir = ExecutableFolder();
  LookupProgramDir = ProgramDir;

  if (!CalendarStartArgument()) {
    HideClosedCases = ReadSetting("HideClosedCasesOnMatterScreen", false) == "Y";
    HideInactiveClients = ReadSetting("HideInactiveClientsOnMatterScreen", false) == "Y";
  }
}
