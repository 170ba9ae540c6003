#include "tools/qnsibling/Roles.h"

#include <array>

namespace qn::sibling {
namespace {

// The case manager's window is the one the case program looks for to learn that it runs.
const std::array<Role, 8> roles = {{
    {"client-entry", "qnclient", "TClientEntryF", "Quillon Client Entry"},
    {"account-status", "qnacctst", "TAccountStatusF", "Quillon Account Status"},
    {"reporting", "qnreport", "TReportingF", "Quillon Reporting"},
    {"case-manager", "qncasemgr", "TEntryF", "Quillon Case Manager Entry and Maintenance Module"},
    {"calendar-export", "qncalexp", "TCalendarExportF", "Quillon Calendar Export Converter"},
    {"delinquent-tracking", "qndelinq", "TDelinquentF", "Quillon Delinquent Account Tracking"},
    {"format-table-viewer", "", "TFormatTableF", "Quillon Format Table Viewer"},
    {"main-program", "", "TMainMenuF", "Quillon Main Menu"},
}};

}  // namespace

std::optional<Role> roleNamed(const std::string& name) {
  for (const Role& role : roles)
    if (role.name == name) return role;
  return std::nullopt;
}

std::optional<Role> roleOfProgram(const std::string& programName) {
  for (const Role& role : roles)
    if (!role.programName.empty() && role.programName == programName) return role;
  return std::nullopt;
}

std::string roleNames() {
  std::string names;
  for (const Role& role : roles) names += (names.empty() ? "" : ", ") + role.name;
  return names;
}

}  // namespace qn::sibling
