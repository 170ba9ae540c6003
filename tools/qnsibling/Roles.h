#pragma once
// The programs of the suite the sibling stands in for: how each is named in the program folder
// and which windows it shows.
#include <optional>
#include <string>

namespace qn::sibling {

struct Role {
  std::string name;         // what --role takes and the log says
  std::string programName;  // the file name in the program folder; empty when it has no link
  std::string className;    // of its main window
  std::string caption;
};

// By the name given with --role.
std::optional<Role> roleNamed(const std::string& name);
// By the file name the sibling was started under (a link in the program folder).
std::optional<Role> roleOfProgram(const std::string& programName);
// Every role's name, for the usage text.
std::string roleNames();

}  // namespace qn::sibling
