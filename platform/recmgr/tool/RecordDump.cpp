#include "platform/recmgr/tool/RecordDump.h"

#include <nlohmann/json.hpp>

#include "framework/base/AnsiString.h"

namespace qn::recmgr {
namespace {

int hexValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

}  // namespace

std::string dumpLine(uint32_t position, std::string_view record) {
  static const char digits[] = "0123456789abcdef";
  std::string hex, text;
  for (char c : record) {
    const auto b = static_cast<uint8_t>(c);
    hex += digits[b >> 4];
    hex += digits[b & 15];
    text += b >= 0x20 && b < 0x7F ? c : '.';
  }
  nlohmann::ordered_json line = {{"position", position}, {"hex", hex}, {"text", text}};
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
    const std::string digits = hex->get<std::string>();
    if (digits.size() % 2) throw RecordDumpError("hex: odd number of digits");
    std::string bytes;
    for (size_t i = 0; i < digits.size(); i += 2) {
      const int high = hexValue(digits[i]), low = hexValue(digits[i + 1]);
      if (high < 0 || low < 0) throw RecordDumpError("hex: not hexadecimal");
      bytes.push_back(static_cast<char>(high << 4 | low));
    }
    return bytes;
  }
  if (auto text = j.find("text"); text != j.end() && text->is_string()) return qn::utf8ToAnsi(text->get<std::string>());
  throw RecordDumpError("neither \"hex\" nor \"text\"");
}

}  // namespace qn::recmgr
