#pragma once
// A complete demo setup in one folder: DIR/root, the machine root the program is started with
// (QN_ROOT=DIR/root), and DIR/data, a data folder holding every record file the program opens,
// seeded from the demo fixture where it needs data and empty elsewhere.
#include <filesystem>

#include "tools/Catalogue.h"

namespace qn::seed {

inline constexpr const char* kDemoWorkstationId = "01";

struct DemoSource {
  std::filesystem::path fixture;        // the demo's fixture folder
  std::filesystem::path programFolder;  // where the program and its templates live
};

// Refuses (SeedError) a folder that already holds a demo's root or data. Points this process's
// machine root at DIR/root while it writes the registry and the Windows folder.
void seedDemo(const tools::Catalogue& catalogue, const std::filesystem::path& dir, const DemoSource& source);

}  // namespace qn::seed
