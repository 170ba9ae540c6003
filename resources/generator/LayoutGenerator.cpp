// Builds the record-layout resources from the record-file catalogue, after checking that the
// catalogue holds together (a catalogue that does not stops the build with its problems).
//
//   layoutgen OUTDIR STRUCTURES.json ENTRY.json...
//
// Writes OUTDIR/<LAYOUT>.layout for every layout the entries name.
#include <algorithm>
#include <cctype>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "resources/reader/CatalogueChecks.h"
#include "resources/reader/CatalogueEntry.h"
#include "resources/reader/LayoutResource.h"
#include "resources/reader/RecordStructures.h"

namespace {

using namespace qn::catalogue;

std::string readFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) throw CatalogueError("cannot read " + path);
  std::ostringstream s;
  s << in.rdbuf();
  return s.str();
}

std::string upper(std::string text) {
  std::transform(text.begin(), text.end(), text.begin(), [](unsigned char c) { return std::toupper(c); });
  return text;
}

int run(int argc, char** argv) {
  if (argc < 3) {
    std::cerr << "usage: layoutgen OUTDIR STRUCTURES.json ENTRY.json...\n";
    return 2;
  }
  std::filesystem::path outDir = argv[1];
  std::vector<StructureCode> codes = parseRecordStructures(readFile(argv[2]), argv[2]);

  std::vector<std::string> problems;
  std::map<std::string, std::string> layoutSources;  // upper-cased layout name -> entry
  std::vector<std::pair<LayoutDefinition, std::string>> layouts;
  for (int i = 3; i < argc; ++i) {
    CatalogueEntry entry = parseCatalogueEntry(readFile(argv[i]), argv[i]);
    for (auto* check : {&checkFields, &checkKeys}) {
      auto found = (*check)(entry);
      problems.insert(problems.end(), found.begin(), found.end());
    }
    auto found = checkStructureCoverage(entry, codes);
    problems.insert(problems.end(), found.begin(), found.end());
    for (LayoutDefinition& layout : entry.layouts()) {
      auto [it, fresh] = layoutSources.emplace(upper(layout.name), entry.source);
      if (!fresh) problems.push_back(entry.source + ": layout " + layout.name + " is also named by " + it->second);
      layouts.emplace_back(std::move(layout), entry.source);
    }
  }
  if (!problems.empty()) {
    for (const std::string& problem : problems) std::cerr << "layoutgen: " << problem << "\n";
    return 1;
  }

  std::filesystem::create_directories(outDir);
  for (const auto& [layout, source] : layouts) {
    std::string bytes = encodeLayoutResource(layout.name, layoutResourceFields(layout));
    std::ofstream out(outDir / (layout.name + ".layout"), std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    if (!out) throw CatalogueError("cannot write the layout " + layout.name);
  }
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  try {
    return run(argc, argv);
  } catch (const std::exception& e) {
    std::cerr << "layoutgen: " << e.what() << "\n";
    return 1;
  }
}
