#pragma once
// Filling a data folder from a fixture: a folder of "<record file name>.seed" files (a subfolder
// of the fixture stands for the same subfolder of the data folder, as in cmdata/master.dsc.seed),
// or one such file.
#include <filesystem>
#include <string>
#include <vector>

#include "tools/Catalogue.h"

namespace qn::seed {

inline constexpr std::string_view kFixtureExtension = ".seed";

// Makes, in `dataDir`, every record file the fixture names, filled with its records, and answers
// their names relative to `dataDir`. The whole fixture is read and encoded before any file is
// made, and the files and folders made are removed again when a record is refused, so a refused
// fixture leaves the folder as it was (or absent); an existing record file is never overwritten.
// Throws SeedError naming the fixture file, line and field at fault.
std::vector<std::string> seedData(const tools::Catalogue& catalogue, const std::filesystem::path& fixture,
                                  const std::filesystem::path& dataDir);

}  // namespace qn::seed
