#include "testing/TestFiles.h"

#include <filesystem>
#include <fstream>
#include <sstream>

namespace qn::testing {

std::string readFileText(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream s;
  s << in.rdbuf();
  return s.str();
}

void writeFileText(const std::string& path, const std::string& text) {
  std::filesystem::path parent = std::filesystem::path(path).parent_path();
  if (!parent.empty()) std::filesystem::create_directories(parent);
  std::ofstream(path, std::ios::binary) << text;
}

}  // namespace qn::testing
