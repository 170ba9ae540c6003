#include "tools/qnseed/DemoMachine.h"

#include <utility>
#include <vector>

#include "core/SettingKeys.h"
#include "platform/os/IniFile.h"
#include "platform/os/MachineRoot.h"
#include "platform/os/RegistryKey.h"
#include "tools/qnseed/DemoRights.h"

namespace qn::seed {
namespace {

using Values = std::vector<std::pair<std::string, std::string>>;

void writeKey(const AnsiString& key, const Values& values) {
  os::RegistryKey registry(os::HKEY_LOCAL_MACHINE);
  registry.OpenKey(key, true);
  for (const auto& [name, value] : values) registry.WriteString(name, value);
}

// What a workstation that has used the program a while would hold: case entry by client code,
// closed matters and inactive clients shown, the audit trail printed on closing, the calendar
// taking the three responsible attorneys in order and the first attorney by default.
Values hostSettings(const DemoFolders& folders) {
  return {
      {"CaFormSize", "0"},
      {"EntryMode", "C"},
      {"NumericOrder", "Y"},
      {"HideClosedCasesOnMatterScreen", "N"},
      {"HideInactiveClientsOnMatterScreen", "N"},
      {"CaseDescLookup", "Y"},
      {"HideNotesCases", "N"},
      {"CaseAuditTrail", "Y"},
      {"StayAliveInterval", "0"},
      {"DefaultCalAtty", "AMB"},
      {"IncAttyOrder", "1230"},
      {"CalIncRA1", "Y"},
      {"CalIncRA2", "Y"},
      {"CalIncRA3", "Y"},
      {"CalIncCCA", "N"},
      {"TypeAtty", "N"},
      {"DefPrintToFilePath", folders.reports.string()},
      {"StatementEmailLogLimit", "150"},
  };
}

}  // namespace

void writeDemoMachine(const DemoFolders& folders, const std::string& workstationId) {
  const std::string data = folders.data.string();
  writeKey(MainAliasKey, {{"PhysicalName", data}, {"Description", "Quillon demo data"}});
  writeKey(RemoteAliasKey, {{"PhysicalName", data}});
  writeKey(CaseManagerAliasKey, {{"PhysicalName", (folders.data / "cmdata").string()}});

  Values host = hostSettings(folders);
  for (auto& right : fullRightsValues()) host.push_back(std::move(right));
  writeKey(HostKey, host);
  writeKey(HostKey + "\\H_Data", {{"D1", data}, {"H_1", folders.history.string()}});
  // The suite's other programs are the stand-in's links in the program folder.
  writeKey(ProgramsKey, {{"ClientEntry", "qnclient"},
                         {"AccountStatus", "qnacctst"},
                         {"Reporting", "qnreport"},
                         {"CaseManager", "qncasemgr"},
                         {"CalendarExport", "qncalexp"},
                         {"DelinquentTracking", "qndelinq"}});
  writeKey(RemoteKey, {{"AuditPrinter", ""}, {"BatchPrinter", ""}, {"BatchPrintOptions", ""}});

  // The values the program writes itself when it finds its dictionaries in its own folder.
  const std::string program = folders.program.string();
  writeKey(SpellingKey, {{"MainLexPath", program},
                         {"MainLexFiles", "ssceam.tlx,ssceam2.clx"},
                         {"UserLexPath", program},
                         {"UserLexFiles", "correct.tlx,userdic.tlx"},
                         {"HelpFile", program + "/SSCE.hlp"}});
  os::RegistryKey spelling(os::HKEY_LOCAL_MACHINE);
  spelling.OpenKey(SpellingKey, true);
  spelling.WriteInteger("MemBudget", -1);

  os::IniFile(os::windowsDir() + "/Qnvantor.ini").WriteString("Setup", "WSID", workstationId);
}

}  // namespace qn::seed
