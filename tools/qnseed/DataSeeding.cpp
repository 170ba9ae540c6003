#include "tools/qnseed/DataSeeding.h"

#include <algorithm>
#include <fstream>
#include <sstream>

#include "tools/qnseed/Fixture.h"
#include "tools/qnseed/RecordEncoder.h"
#include "tools/qnseed/RecordFiles.h"
#include "tools/qnseed/SeedError.h"

namespace qn::seed {
namespace fs = std::filesystem;
namespace {

struct PreparedFile {
  std::string name;  // relative to the data folder, with '/' between folders
  const catalogue::CatalogueEntry* entry = nullptr;
  std::vector<std::string> records;
  std::vector<std::string> where;
};

std::string readText(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) throw SeedError("cannot read " + path.string());
  std::ostringstream s;
  s << in.rdbuf();
  return s.str();
}

// Fixture files with the record-file names they stand for, in name order.
std::vector<std::pair<fs::path, std::string>> fixtureFiles(const fs::path& fixture) {
  std::vector<std::pair<fs::path, std::string>> out;
  auto add = [&](const fs::path& file, const fs::path& relative) {
    const std::string name = relative.generic_string();
    if (name.ends_with(kFixtureExtension)) out.emplace_back(file, name.substr(0, name.size() - kFixtureExtension.size()));
  };
  if (fs::is_regular_file(fixture)) {
    add(fixture, fixture.filename());
  } else if (fs::is_directory(fixture)) {
    for (const auto& item : fs::recursive_directory_iterator(fixture))
      if (item.is_regular_file()) add(item.path(), fs::relative(item.path(), fixture));
  } else {
    throw SeedError("no fixture at " + fixture.string());
  }
  if (out.empty()) throw SeedError(fixture.string() + " holds no fixture file (*" + std::string(kFixtureExtension) + ")");
  std::sort(out.begin(), out.end(), [](const auto& a, const auto& b) { return a.second < b.second; });
  return out;
}

PreparedFile prepare(const tools::Catalogue& catalogue, const fs::path& file, const std::string& name) {
  const std::string source = file.string();
  PreparedFile prepared{name, catalogue.findFile(name), {}, {}};
  if (!prepared.entry) throw SeedError(source + ": the catalogue knows no record file named " + name);
  const RecordEncoder encoder(*prepared.entry, catalogue.structures);
  for (const FixtureRecord& record : parseFixture(readText(file), source)) {
    prepared.records.push_back(encoder.encode(record, source));
    prepared.where.push_back(source + ":" + std::to_string(record.line));
  }
  return prepared;
}

}  // namespace

std::vector<std::string> seedData(const tools::Catalogue& catalogue, const fs::path& fixture, const fs::path& dataDir) {
  std::vector<PreparedFile> files;
  for (const auto& [file, name] : fixtureFiles(fixture)) files.push_back(prepare(catalogue, file, name));
  for (const PreparedFile& file : files)
    if (recordFileExists(dataDir / file.name))
      throw SeedError((dataDir / file.name).string() + " exists already; seeding never overwrites data");

  // A file the record manager refuses a record of takes the files and folders made before it
  // along, so a refused fixture never leaves half a data folder.
  std::vector<std::string> written;
  std::vector<fs::path> madeFolders;  // outermost first
  try {
    for (const PreparedFile& file : files) {
      const fs::path path = dataDir / file.name;
      std::vector<fs::path> missing;
      for (fs::path folder = path.parent_path(); !folder.empty() && !fs::exists(folder); folder = folder.parent_path())
        missing.insert(missing.begin(), folder);
      fs::create_directories(path.parent_path());
      madeFolders.insert(madeFolders.end(), missing.begin(), missing.end());
      createRecordFile(catalogue, *file.entry, path, false);
      written.push_back(file.name);
      insertRecords(path, file.records, file.where);
    }
  } catch (...) {
    std::error_code ignored;
    for (const std::string& name : written) fs::remove(dataDir / name, ignored);
    for (auto folder = madeFolders.rbegin(); folder != madeFolders.rend(); ++folder) fs::remove(*folder, ignored);
    throw;
  }
  return written;
}

}  // namespace qn::seed
