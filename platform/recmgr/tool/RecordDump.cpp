#include "platform/recmgr/tool/RecordDump.h"

#include <nlohmann/json.hpp>

#include "framework/base/AnsiString.h"
#include "platform/recmgr/tool/Hex.h"

namespace qn::recmgr {
std::string dumpLine(uint32_t position, std::string_view record) {
  std::string text;
  for (char c : record) text += c >= 0x20 && c < 0x7F ? c : '.';
  nlohmann::ordered_json line = {{"position", position}, {"hex", toHex(record)}, {"text", text}};
  return line.dump();
}

std::string recordFromLine(const std::string& line) {
  nlohmann::json j;
  try {
    j = nlohmann::json::parse(line);
  } catch (const nlohmann::json::exception& e) {
    throw RecordDumpError(std::string("not JSON: ") + e.what());
  }
  if (!j.is_object()) throw RecordDumpError("not a JSON object");
  if (auto hex = j.find("hex"); hex != j.end() && hex->is_string()) {
    std::optional<std::string> bytes = fromHex(hex->get<std::string>());
    if (!bytes) throw RecordDumpError("hex: not an even number of hexadecimal digits");
    return *bytes;
  }
  if (auto text = j.find("text"); text != j.end() && text->is_string()) {
    // A character the file's code page lacks would be stored as something else.
    const std::string written = text->get<std::string>();
    if (!qn::utf8FitsAnsi(written))
      throw RecordDumpError("text: a character that is not UTF-8 or that Windows-1252 does not have");
    return qn::utf8ToAnsi(written);
  }
  throw RecordDumpError("neither \"hex\" nor \"text\"");
}

}  // namespace qn::recmgr
