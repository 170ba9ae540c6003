// qnseed: builds data folders, the program's templates and the demo setup from the record-file
// catalogue the program carries and readable fixtures.
#include <filesystem>
#include <iostream>
#include <string>
#include <vector>

#include "resources/reader/CatalogueEntry.h"
#include "tools/Catalogue.h"
#include "tools/qnseed/DataSeeding.h"
#include "tools/qnseed/Demo.h"
#include "tools/qnseed/SpellFiles.h"
#include "tools/qnseed/Templates.h"
#include "platform/os/ExecutablePath.h"
#include "platform/spellengine/SystemDictionaries.h"

namespace {

namespace fs = std::filesystem;

constexpr const char* usage =
    "usage: qnseed COMMAND ...\n"
    "  data DIR FIXTURE              make the record files of a fixture (a folder of *.seed files,\n"
    "                                or one such file) in the data folder DIR\n"
    "  demo DIR [--fixture FIXTURE]  a complete demo setup in DIR: DIR/root (start the program\n"
    "                                with QN_ROOT=DIR/root) and DIR/data\n"
    "  templates DIR                 the empty templates (*.clo) the program copies from its folder,\n"
    "                                and the spell checker's files\n"
    "  --help                        this text\n";

fs::path programFolder() { return fs::path(qn::os::runningProgramFolder()); }

int run(const std::vector<std::string>& args) {
  const std::string& command = args[0];
  if (command == "data" && args.size() == 3) {
    const auto catalogue = qn::tools::loadCarriedCatalogue();
    for (const std::string& name : qn::seed::seedData(catalogue, args[2], args[1])) std::cout << name << "\n";
    return 0;
  }
  if (command == "demo" && (args.size() == 2 || (args.size() == 4 && args[2] == "--fixture"))) {
    const qn::seed::DemoSource source{args.size() == 4 ? fs::path(args[3]) : programFolder() / "seed" / "demo", programFolder()};
    qn::seed::seedDemo(qn::tools::loadCarriedCatalogue(), args[1], source);
    const fs::path dir = fs::absolute(args[1]).lexically_normal();
    std::cout << "Demo seeded in " << dir.string() << ": start the program with QN_ROOT=" << (dir / "root").string()
              << "; its data folder is " << (dir / "data").string() << "\n";
    return 0;
  }
  if (command == "templates" && args.size() == 2) {
    qn::seed::writeTemplates(qn::tools::loadCarriedCatalogue(), qn::seed::TemplateHome::ProgramFolder, args[1]);
    qn::seed::writeSpellFiles(args[1], qn::spellengine::systemDictionary("en_US"), std::cerr);
    return 0;
  }
  std::cerr << usage;
  return 1;
}

}  // namespace

int main(int argc, char** argv) {
  std::vector<std::string> args(argv + 1, argv + argc);
  if (args.empty() || args[0] == "--help" || args[0] == "-h") {
    std::cout << usage;
    return args.empty() ? 1 : 0;
  }
  try {
    return run(args);
  } catch (const qn::catalogue::CatalogueError& e) {
    std::cerr << "qnseed: the record-file catalogue: " << e.what() << "\n";
  } catch (const std::exception& e) {
    std::cerr << "qnseed: " << e.what() << "\n";
  }
  return 1;
}
