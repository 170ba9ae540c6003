#include "tools/Catalogue.h"

#include <algorithm>
#include <cctype>
#include <fstream>
#include <sstream>

namespace qn::tools {
namespace {

using catalogue::CatalogueError;

constexpr std::string_view kStructuresFile = "structures.json";

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

Catalogue loadCatalogue(const std::filesystem::path& folder) {
  Catalogue out;
  std::filesystem::path structures = folder / kStructuresFile;
  out.structures = catalogue::parseRecordStructures(readFile(structures), structures.string());

  std::vector<std::filesystem::path> files;
  for (const auto& item : std::filesystem::directory_iterator(folder))
    if (item.path().extension() == ".json" && item.path().filename() != kStructuresFile) files.push_back(item.path());
  std::sort(files.begin(), files.end());
  for (const auto& path : files)
    out.entries.push_back(catalogue::parseCatalogueEntry(readFile(path), path.filename().string()));
  return out;
}

}  // namespace qn::tools
