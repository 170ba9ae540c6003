#include "dialogs/AddressClipboard.h"

#include <fstream>
#include <sstream>

#include "core/Globals.h"
#include "framework/base/FormatText.h"
#include "platform/os/Files.h"
#include "platform/os/Paths.h"

namespace {

AnsiString padded(const AnsiString& text, int width) { return Format("%-" + std::to_string(width) + "s", {text}); }

}  // namespace

ClipboardAddress ClipboardAddress::of(const std::array<AnsiString, PartCount>& Texts) {
  ClipboardAddress address;
  for (int i = 0; i < PartCount; ++i) address.Parts[i] = padded(Texts[i], Widths[i]);
  return address;
}

AnsiString AddressClipboardFile() { return LookupDataDir + "\\addrclip." + WorkstationId; }

bool PrepareAddressClipboard(const AnsiString& File) {
  // Another process may make it at the same moment: made by either, it is there.
  return qn::os::createNewFile(File) || qn::os::fileExists(File);
}

bool WriteAddressClipboard(const AnsiString& File, const ClipboardAddress& Address) {
  std::ofstream out(qn::os::resolvePath(File), std::ios::binary | std::ios::trunc);
  out << AnsiString(30, ' ') << "\r\n";
  for (const AnsiString& part : Address.Parts) out << part << "\r\n";
  out.close();
  return static_cast<bool>(out);
}

std::optional<ClipboardAddress> ReadAddressClipboard(const AnsiString& File) {
  std::ifstream in(qn::os::resolvePath(File), std::ios::binary);
  std::ostringstream all;
  all << in.rdbuf();
  const std::string text = all.str();
  if (text.empty()) return std::nullopt;
  std::array<AnsiString, ClipboardAddress::PartCount> texts;
  std::istringstream lines(text);
  std::string line;
  std::getline(lines, line);  // the blank first line, read as it is
  for (AnsiString& part : texts) {
    if (!std::getline(lines, line)) break;
    if (!line.empty() && line.back() == '\r') line.pop_back();
    part = line;
  }
  return ClipboardAddress::of(texts);
}
