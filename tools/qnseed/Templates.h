#pragma once
// The empty record files the program copies to make a missing file (the ".clo" templates the
// catalogue names). Most live in the program folder; the ones the program looks for in the data
// folder are written with the data instead.
#include <filesystem>
#include <string>
#include <vector>

#include "tools/Catalogue.h"

namespace qn::seed {

enum class TemplateHome { ProgramFolder, DataFolder };

struct TemplateFile {
  std::string name;
  const catalogue::CatalogueEntry* entry = nullptr;
};

// The catalogue's templates kept in `home`, in name order.
std::vector<TemplateFile> templatesIn(const tools::Catalogue& catalogue, TemplateHome home);

// Writes each template of `home` into `dir` as an empty record file, replacing what is there.
// Throws SeedError.
void writeTemplates(const tools::Catalogue& catalogue, TemplateHome home, const std::filesystem::path& dir);

}  // namespace qn::seed
