#include "tools/Catalogue.h"

#include <algorithm>
#include <cctype>
#include <fstream>
#include <optional>
#include <sstream>

#include "platform/os/Resources.h"

namespace qn::tools {
namespace {

using catalogue::CatalogueError;

constexpr std::string_view kStructuresFile = "structures.json";
constexpr std::string_view kStructuresResource = "STRUCTURES";

struct SourceText {
  std::string source;
  std::string text;
};

// Entries in source-name order, so the first entry naming a file is always the same one.
Catalogue parseCatalogue(const SourceText& structures, std::vector<SourceText> entries) {
  Catalogue out;
  out.structures = catalogue::parseRecordStructures(structures.text, structures.source);
  std::sort(entries.begin(), entries.end(), [](const SourceText& a, const SourceText& b) { return a.source < b.source; });
  for (SourceText& entry : entries) {
    out.entries.push_back(catalogue::parseCatalogueEntry(entry.text, entry.source));
    out.descriptions.push_back(std::move(entry.text));
  }
  return out;
}

std::string readFile(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) throw CatalogueError("cannot read " + path.string());
  std::ostringstream s;
  s << in.rdbuf();
  return s.str();
}

bool sameLetter(char a, char b) {
  return std::toupper(static_cast<unsigned char>(a)) == std::toupper(static_cast<unsigned char>(b));
}

bool matchFrom(std::string_view pattern, std::string_view name) {
  if (pattern.empty()) return name.empty();
  if (pattern.starts_with("<ws>"))
    return name.size() >= 2 && matchFrom(pattern.substr(4), name.substr(2));
  if (pattern.starts_with("<nnn>"))
    return name.size() >= 3 && std::all_of(name.begin(), name.begin() + 3, [](unsigned char c) { return std::isdigit(c); }) &&
           matchFrom(pattern.substr(5), name.substr(3));
  if (pattern.front() == '*') {
    for (size_t skip = 0; skip <= name.size(); ++skip)
      if (matchFrom(pattern.substr(1), name.substr(skip))) return true;
    return false;
  }
  return !name.empty() && sameLetter(pattern.front(), name.front()) && matchFrom(pattern.substr(1), name.substr(1));
}

}  // namespace

bool matchesCatalogueName(std::string_view pattern, std::string_view fileName) {
  return matchFrom(pattern, fileName);
}

const catalogue::CatalogueEntry* Catalogue::findFile(std::string_view fileName) const {
  for (const catalogue::CatalogueEntry& entry : entries)
    for (const std::string& pattern : entry.files)
      if (matchesCatalogueName(pattern, fileName)) return &entry;
  return nullptr;
}

const std::string& Catalogue::description(const catalogue::CatalogueEntry& entry) const {
  return descriptions.at(static_cast<size_t>(&entry - entries.data()));
}

Catalogue loadCatalogue(const std::filesystem::path& folder) {
  std::filesystem::path structures = folder / kStructuresFile;
  std::vector<SourceText> entries;
  for (const auto& item : std::filesystem::directory_iterator(folder))
    if (item.path().extension() == ".json" && item.path().filename() != kStructuresFile)
      entries.push_back({item.path().filename().string(), readFile(item.path())});
  return parseCatalogue({structures.string(), readFile(structures)}, std::move(entries));
}

Catalogue loadCarriedCatalogue() {
  std::optional<SourceText> structures;
  std::vector<SourceText> entries;
  for (const os::NamedResource& r : os::resourcesOfKind("CATALOGUE")) {
    SourceText text{std::string(r.name), std::string(r.bytes)};
    if (r.name == kStructuresResource)
      structures = std::move(text);
    else
      entries.push_back(std::move(text));
  }
  if (!structures) throw CatalogueError("the program carries no record structures");
  return parseCatalogue(*structures, std::move(entries));
}

}  // namespace qn::tools
