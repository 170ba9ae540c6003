#include "tools/qnseed/Templates.h"

#include <algorithm>
#include <array>
#include <strings.h>

#include "tools/qnseed/RecordFiles.h"

namespace qn::seed {
namespace {

// The delinquent-notes file is made from a template beside it in the data folder, not from the
// program folder like the others.
constexpr std::array<std::string_view, 1> kDataFolderTemplates{"NOTE.CLO"};

TemplateHome homeOf(const std::string& name) {
  for (std::string_view dataTemplate : kDataFolderTemplates)
    if (name.size() == dataTemplate.size() && strncasecmp(name.data(), dataTemplate.data(), name.size()) == 0)
      return TemplateHome::DataFolder;
  return TemplateHome::ProgramFolder;
}

}  // namespace

std::vector<TemplateFile> templatesIn(const tools::Catalogue& catalogue, TemplateHome home) {
  std::vector<TemplateFile> out;
  for (const catalogue::CatalogueEntry& entry : catalogue.entries)
    for (const std::string& name : entry.templates)
      if (homeOf(name) == home) out.push_back({name, &entry});
  std::sort(out.begin(), out.end(), [](const TemplateFile& a, const TemplateFile& b) { return a.name < b.name; });
  return out;
}

void writeTemplates(const tools::Catalogue& catalogue, TemplateHome home, const std::filesystem::path& dir) {
  std::filesystem::create_directories(dir);
  for (const TemplateFile& file : templatesIn(catalogue, home)) createRecordFile(catalogue, *file.entry, dir / file.name, true);
}

}  // namespace qn::seed
