#include "tools/qnseed/SpellFiles.h"

#include <fstream>

#include "platform/os/Files.h"
#include "platform/os/Resources.h"
#include "tools/qnseed/SeedError.h"

namespace qn::seed {
namespace {

void writeFile(const std::filesystem::path& path, std::string_view content) {
  std::ofstream file(path, std::ios::binary | std::ios::trunc);
  if (!file.write(content.data(), static_cast<std::streamsize>(content.size())) || !file.flush())
    throw SeedError("cannot write " + path.string());
}

}  // namespace

void writeSpellFiles(const std::filesystem::path& dir, const std::optional<std::string>& english,
                     std::ostream& warnings) {
  std::filesystem::create_directories(dir);
  if (english)
    writeFile(dir / "ssceam.tlx", *english + "\n");
  else
    warnings << "No en_US Hunspell dictionary found; install hunspell-en-us.\n";
  writeFile(dir / "ssceam2.clx", "");
  const std::optional<std::string_view> help = os::findResource("SSCE", "HTML");
  if (!help) throw SeedError("the spell checker's help page is missing from the program's resources");
  writeFile(dir / "SSCE.hlp", *help);
  // The program finds the file in any letter case, and so does this test.
  if (!os::fileExists((dir / "VORLEX.CFG").string())) writeFile(dir / "VORLEX.CFG", "[vorlex]\nID=1\n");
}

}  // namespace qn::seed
