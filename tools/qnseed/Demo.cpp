#include "tools/qnseed/Demo.h"

#include <cstdlib>
#include <fstream>

#include "tools/qnseed/DataSeeding.h"
#include "tools/qnseed/DemoMachine.h"
#include "tools/qnseed/RecordFiles.h"
#include "tools/qnseed/SeedError.h"
#include "tools/qnseed/Templates.h"

namespace qn::seed {
namespace fs = std::filesystem;
namespace {

bool holdsSomething(const fs::path& dir) { return fs::exists(dir) && !fs::is_empty(dir); }

// The files the fixture leaves out, made empty, so every file the program opens is there.
void addEmptyFiles(const tools::Catalogue& catalogue, const fs::path& data) {
  for (const catalogue::CatalogueEntry& entry : catalogue.entries)
    for (const std::string& pattern : entry.files)
      if (std::optional<std::string> name = concreteFileName(pattern, kDemoWorkstationId);
          name && !recordFileExists(data / *name)) {
        fs::create_directories((data / *name).parent_path());
        createRecordFile(catalogue, entry, data / *name, false);
      }
}

// The case-manager link of the demo workstation: template 1, its files already converted, so
// the program neither asks for a template nor rewrites the case-manager files on its first run.
void writeTemplateLink(const fs::path& cmdata) {
  std::ofstream out(cmdata / "CLCA.IDX", std::ios::binary);
  out << kDemoWorkstationId << "   " << "  1" << "*\n";
  if (!out) throw SeedError("cannot write " + (cmdata / "CLCA.IDX").string());
}

}  // namespace

void seedDemo(const tools::Catalogue& catalogue, const fs::path& dir, const DemoSource& source) {
  const fs::path absolute = fs::absolute(dir).lexically_normal();
  const fs::path root = absolute / "root";
  const DemoFolders folders{absolute / "data", absolute / "reports", absolute / "history", fs::absolute(source.programFolder)};
  for (const fs::path& part : {root, folders.data})
    if (holdsSomething(part)) throw SeedError(part.string() + " is not empty; a demo is seeded into a new folder only");

  seedData(catalogue, source.fixture, folders.data);
  addEmptyFiles(catalogue, folders.data);
  writeTemplates(catalogue, TemplateHome::DataFolder, folders.data);
  writeTemplateLink(folders.data / "cmdata");
  fs::create_directories(folders.reports);
  fs::create_directories(folders.history);

  fs::create_directories(root);
  ::setenv("QN_ROOT", root.c_str(), 1);
  writeDemoMachine(folders, kDemoWorkstationId);
}

}  // namespace qn::seed
