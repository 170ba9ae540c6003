// Starts the program's units as the program does, with the main window's unit among them, and
// writes what the unit start set; then runs the unit start again after changing its settings,
// and writes the values again. Message boxes are written, not shown. Used by UnitStartTest.
#include <iostream>

#include "casewindow/CaseFUnit.h"
#include "core/Globals.h"
#include "core/SettingKeys.h"
#include "framework/base/ClassRegistry.h"
#include "framework/base/UnitLifecycle.h"
#include "framework/ui/MessageBoxService.h"
#include "platform/os/RegistryKey.h"

namespace {

void writeSettings(const char* when) {
  std::cout << when << " description=" << AliasDescription << " data=" << DataDir << " lookup=" << LookupDataDir
            << " size=" << FormSizeOption << " workstation=" << WorkstationId << " program=" << ProgramDir
            << " lookupProgram=" << LookupProgramDir << " hideClosed=" << HideClosedCases
            << " hideInactive=" << HideInactiveClients
            << " registered=" << (FindRegisteredClass("TCaseF") != nullptr) << "\n";
}

}  // namespace

int main() {
  qn::ui::setMessageBoxPresenter([](const MessageBoxRequest& box) {
    std::cout << "box " << box.text << "\n";
    return mrOk;
  });
  RunningUnits units;
  writeSettings("first");

  qn::os::RegistryKey host(qn::os::HKEY_LOCAL_MACHINE);
  host.OpenKey(HostKey, true);
  host.WriteString("CaFormSize", "2");
  host.WriteString("HideClosedCasesOnMatterScreen", "Y");
  InitializeCaseFUnit();
  writeSettings("again");
  return 0;
}
