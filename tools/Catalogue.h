#pragma once
// The whole record-file catalogue of a folder: every entry and the record structures, with the
// lookup of the entry that describes a file name (workstation-dependent names included).
#include <filesystem>
#include <string_view>
#include <vector>

#include "resources/reader/CatalogueEntry.h"
#include "resources/reader/RecordStructures.h"

namespace qn::tools {

struct Catalogue {
  std::vector<catalogue::CatalogueEntry> entries;  // in file-name order
  std::vector<std::string> descriptions;           // each entry's JSON text, as `qnrecmgr create` reads it
  std::vector<catalogue::StructureCode> structures;

  // The entry naming `fileName` (letter case ignored; a name's "<ws>" stands for a two-character
  // workstation id, "<nnn>" for three digits, "*" for any text), or null.
  const catalogue::CatalogueEntry* findFile(std::string_view fileName) const;
  // The JSON text of one of `entries`.
  const std::string& description(const catalogue::CatalogueEntry& entry) const;
};

// Reads structures.json and every other *.json of `folder`. Throws catalogue::CatalogueError.
Catalogue loadCatalogue(const std::filesystem::path& folder);

// The catalogue the program carries in its resources (kind CATALOGUE). Throws CatalogueError.
Catalogue loadCarriedCatalogue();

// Whether `fileName` matches the catalogue name `pattern` as findFile compares them.
bool matchesCatalogueName(std::string_view pattern, std::string_view fileName);

}  // namespace qn::tools
