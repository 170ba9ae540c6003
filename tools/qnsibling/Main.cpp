// qnsibling: the stand-in for the suite's other programs (client entry, account status,
// reporting, case manager, calendar export, delinquent tracking, the format-table viewer and the
// main program). It takes its role from the name it is started under (the links in the program
// folder) or from --role, shows itself on the message bus as that program would, and writes what
// it was started with and sent to the log QN_SIBLING_LOG names.
#include <iostream>
#include <string>
#include <vector>

#include "tools/qnsibling/EventLog.h"
#include "tools/qnsibling/Roles.h"
#include "tools/qnsibling/SiblingRun.h"

namespace {

using namespace qn::sibling;

std::string usage() {
  return "usage: qnsibling [OPTIONS] [ARGUMENT...]   (or started under a role's program name)\n"
         "       qnsibling send NAME TEXT            broadcast the registered message NAME once\n"
         "  --role ROLE          one of " + roleNames() + "\n"
         "  --no-window          register no window: a program that never answers\n"
         "  --exit-after MS      end after MS milliseconds\n"
         "  --answer-after MS    the main program answers an add-code request after MS milliseconds\n"
         "  --                   what follows are arguments\n"
         "It ends on SIGTERM, on the message QN_Sibling_Exit, or after --exit-after.\n";
}

bool number(const std::string& text, int& value) {
  try {
    std::size_t used = 0;
    value = std::stoi(text, &used);
    return used == text.size() && value >= 0;
  } catch (const std::exception&) {
    return false;
  }
}

// Reads the leading options; what follows them are the arguments the program was given.
bool readOptions(const std::vector<std::string>& args, SiblingOptions& options, std::string& roleName) {
  std::size_t i = 0;
  for (; i < args.size() && args[i].starts_with("--"); ++i) {
    const std::string& option = args[i];
    if (option == "--") {
      ++i;
      break;
    }
    const bool hasValue = i + 1 < args.size();
    if (option == "--no-window") options.window = false;
    else if (option == "--role" && hasValue) roleName = args[++i];
    else if (option == "--exit-after" && hasValue && number(args[i + 1], options.exitAfterMs)) ++i;
    else if (option == "--answer-after" && hasValue && number(args[i + 1], options.answerAfterMs)) ++i;
    else return false;
  }
  return true;
}

std::string baseName(const std::string& path) {
  const auto slash = path.find_last_of('/');
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

}  // namespace

int main(int argc, char** argv) {
  const std::vector<std::string> args(argv + 1, argv + argc);
  if (args.size() == 3 && args[0] == "send") return sendOnce(args[1], args[2]) ? 0 : 1;

  SiblingOptions options;
  std::string roleName;
  if (!readOptions(args, options, roleName)) {
    std::cerr << usage();
    return 64;
  }
  const auto role = roleName.empty() ? roleOfProgram(baseName(argc > 0 ? argv[0] : "")) : roleNamed(roleName);
  if (!role) {
    std::cerr << usage();
    return 64;
  }
  logStart(role->name, args);
  return runSibling(*role, options);
}
