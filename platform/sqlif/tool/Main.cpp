// qnsqlif: makes SQL database folders from readable descriptions and registers "@" names.
//   qnsqlif create DIR SPEC.json
//   qnsqlif register NAME DIR [--remote]
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <sstream>
#include <string>
#include <vector>

#include "platform/sqlif/DatabaseRegistry.h"
#include "platform/sqlif/tool/DatabaseCreation.h"

namespace {

// The names library hands names out in 20-byte buffers.
constexpr size_t kMaxRegisteredName = 20;

int usage() {
  std::cerr << "usage: qnsqlif create DIR SPEC.json\n"
               "       qnsqlif register NAME DIR [--remote]\n";
  return 2;
}

int create(const std::string& folder, const std::string& descriptionFile) {
  std::ifstream in(descriptionFile, std::ios::binary);
  if (!in) {
    std::cerr << "qnsqlif: " << descriptionFile << ": cannot be read\n";
    return 1;
  }
  std::ostringstream text;
  text << in.rdbuf();
  try {
    qn::sqlif::createDatabaseFolder(folder, qn::sqlif::readDatabaseDescription(text.str()));
  } catch (const std::exception& e) {
    std::cerr << "qnsqlif: " << descriptionFile << ": " << e.what() << "\n";
    return 1;
  }
  return 0;
}

int registerName(const std::string& name, const std::string& folder, bool remote) {
  if (name.empty() || name.size() > kMaxRegisteredName || name.find_first_of("\\@") != std::string::npos) {
    std::cerr << "qnsqlif: " << name << ": a name of 1 to 20 characters without \\ or @ is needed\n";
    return 1;
  }
  try {
    const std::string path = remote ? folder : std::filesystem::absolute(folder).string();
    qn::sqlif::registerDatabase({name, path, remote});
  } catch (const std::exception& e) {
    std::cerr << "qnsqlif: " << e.what() << "\n";
    return 1;
  }
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  const std::vector<std::string> args(argv + 1, argv + argc);
  if (args.size() == 3 && args[0] == "create") return create(args[1], args[2]);
  if ((args.size() == 3 || (args.size() == 4 && args[3] == "--remote")) && args[0] == "register")
    return registerName(args[1], args[2], args.size() == 4);
  return usage();
}
