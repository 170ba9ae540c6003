#include "tools/qnseed/RecordFiles.h"

#include <memory>

#include "platform/os/Paths.h"
#include "platform/recmgr/RecordFile.h"
#include "platform/recmgr/tool/FileCreation.h"
#include "platform/recmgr/tool/FileSpecJson.h"
#include "tools/qnseed/SeedError.h"

namespace qn::seed {

void createRecordFile(const tools::Catalogue& catalogue, const catalogue::CatalogueEntry& entry,
                      const std::filesystem::path& path, bool replace) {
  try {
    recmgr::createRecordFile(path.string(), nlohmann::json::parse(catalogue.description(entry)), replace);
  } catch (const nlohmann::json::exception& e) {
    throw SeedError(entry.source + ": " + e.what());
  } catch (const recmgr::FileSpecJsonError& e) {
    throw SeedError(path.string() + " (" + entry.source + "): " + e.what());
  }
}

void insertRecords(const std::filesystem::path& path, const std::vector<std::string>& records,
                   const std::vector<std::string>& where) {
  std::unique_ptr<recmgr::RecordFile> file;
  if (recmgr::Status s = recmgr::RecordFile::open(path.string(), file); s != recmgr::status::ok)
    throw SeedError("cannot open " + path.string() + ": status " + std::to_string(s));
  for (size_t i = 0; i < records.size(); ++i) {
    std::string record = records[i];
    recmgr::WrittenRecord written;
    if (recmgr::Status s = file->insert(record, written); s != recmgr::status::ok)
      throw SeedError(where[i] + ": the record manager refused the record: status " + std::to_string(s) +
                      (s == recmgr::status::duplicateKey ? " (a key that must be unique is already taken)" : ""));
  }
}

bool recordFileExists(const std::filesystem::path& path) {
  try {
    return std::filesystem::exists(os::resolvePath(std::filesystem::absolute(path).string()));
  } catch (const os::AmbiguousPathError&) {
    return true;  // several spellings exist
  }
}

std::optional<std::string> concreteFileName(const std::string& pattern, const std::string& workstationId) {
  if (pattern.find("<nnn>") != std::string::npos || pattern.find('*') != std::string::npos) return std::nullopt;
  std::string name = pattern;
  for (size_t at = name.find("<ws>"); at != std::string::npos; at = name.find("<ws>", at))
    name.replace(at, 4, workstationId);
  return name;
}

}  // namespace qn::seed
