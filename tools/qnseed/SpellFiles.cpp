#include "tools/qnseed/SpellFiles.h"

#include "platform/os/AtomicFile.h"
#include "platform/os/Files.h"
#include "platform/os/Resources.h"
#include "tools/qnseed/SeedError.h"

namespace qn::seed {
namespace {

// A running program may be reading the file: it sees the old content or the new, never an
// emptied one.
void writeFile(const std::filesystem::path& path, std::string_view content) {
  os::replaceFileContent(path.string(), content);
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
