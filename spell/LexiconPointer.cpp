#include "spell/LexiconPointer.h"

#include <exception>

#include "framework/base/TextCompare.h"
#include "platform/os/AtomicFile.h"
#include "platform/os/FileNames.h"
#include "platform/os/Paths.h"

namespace {

LexiconKind kindOf(const AnsiString& path) {
  const AnsiString extension = qn::os::extractFileExt(path);
  if (SameText(extension, ".dct")) return LexiconKind::Trie;
  if (SameText(extension, ".aff")) return LexiconKind::Hunspell;
  return LexiconKind::Empty;  // not a dictionary itself
}

}  // namespace

LexiconTarget ResolveLexicon(const AnsiString& Path) {
  const LexiconKind own = kindOf(Path);
  if (own != LexiconKind::Empty) return {own, Path};
  std::optional<std::string> text;
  try {
    text = qn::os::readWholeFile(qn::os::resolvePath(Path));
  } catch (const std::exception&) {
  }
  if (!text) return {};
  std::string_view line = *text;
  if (line.ends_with('\n')) line.remove_suffix(1);
  if (line.ends_with('\r')) line.remove_suffix(1);
  if (line.find_first_of("\r\n") != std::string_view::npos) return {};
  while (!line.empty() && (line.front() == ' ' || line.front() == '\t')) line.remove_prefix(1);
  while (!line.empty() && (line.back() == ' ' || line.back() == '\t')) line.remove_suffix(1);
  if (line.empty()) return {LexiconKind::Empty, {}};
  AnsiString named(line);
  const LexiconKind kind = kindOf(named);
  if (kind == LexiconKind::Empty) return {};
  const bool absolute = named[0] == '/' || named[0] == '\\' || (named.size() > 1 && named[1] == ':');
  if (!absolute) named = qn::os::extractFilePath(Path) + named;
  return {kind, named};
}
