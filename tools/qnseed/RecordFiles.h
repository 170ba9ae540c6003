#pragma once
// Record files made from their catalogue entries, and the concrete names the catalogue's name
// patterns take in one data folder.
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "tools/Catalogue.h"

namespace qn::seed {

// Makes an empty record file at `path` as `entry` describes it; an existing file is replaced only
// when `replace` is set. Throws SeedError.
void createRecordFile(const tools::Catalogue& catalogue, const catalogue::CatalogueEntry& entry,
                      const std::filesystem::path& path, bool replace);

// Inserts `records` (each as long as the file's records) in order. Throws SeedError naming
// `where[i]` (the fixture place of record i) for a record the record manager refuses.
void insertRecords(const std::filesystem::path& path, const std::vector<std::string>& records,
                   const std::vector<std::string>& where);

// Whether the program would find a file at `path`: its spelling or the same name in another
// letter case (the program's path service takes either).
bool recordFileExists(const std::filesystem::path& path);

// The name a catalogue file name takes for workstation `workstationId`: "<ws>" replaced by it;
// nothing for names that stand for many files ("<nnn>", "*"), which only a fixture can name.
std::optional<std::string> concreteFileName(const std::string& pattern, const std::string& workstationId);

}  // namespace qn::seed
