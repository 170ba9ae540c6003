#include "resources/reader/RecordStructures.h"

#include <nlohmann/json.hpp>

#include "resources/reader/CatalogueEntry.h"
#include "resources/reader/JsonWholeNumber.h"

namespace qn::catalogue {
namespace {

using nlohmann::json;

[[noreturn]] void fail(const std::string& source, const std::string& where, const std::string& what) {
  throw CatalogueError(source + ": " + where + ": " + what);
}

int wholeNumber(const json& object, const char* name, const std::string& source, const std::string& where) {
  auto it = object.find(name);
  const std::optional<int> value = it == object.end() ? std::nullopt : wholeNumberValue(*it);
  if (!value)
    fail(source, where, std::string("\"") + name + "\" is missing or not a whole number of a usable size");
  return *value;
}

StructureFieldKind kindFromName(const std::string& name, const std::string& source, const std::string& where) {
  if (name == "text") return StructureFieldKind::Text;
  if (name == "packed") return StructureFieldKind::Packed;
  if (name == "date") return StructureFieldKind::Date;
  fail(source, where, "unknown kind \"" + name + "\"");
}

}  // namespace

std::vector<StructureCode> parseRecordStructures(std::string_view text, const std::string& source) {
  json root;
  try {
    root = json::parse(text);
  } catch (const json::parse_error& e) {
    throw CatalogueError(source + ": not JSON: " + e.what());
  }
  if (!root.is_object() || !root.contains("codes") || !root["codes"].is_array())
    fail(source, "structures", "no list of codes");

  std::vector<StructureCode> out;
  for (const json& item : root["codes"]) {
    if (!item.is_object() || !item.contains("code") || !item["code"].is_string())
      fail(source, "structures", "an entry without a code");
    StructureCode code;
    code.code = item["code"].get<std::string>();
    std::string where = "code " + code.code;
    if (findStructure(out, code.code)) fail(source, where, "listed twice");
    if (!item.contains("bareLength")) fail(source, where, "\"bareLength\" is missing");
    if (!item["bareLength"].is_null()) code.bareLength = wholeNumber(item, "bareLength", source, where);

    if (auto schema = item.find("schema"); schema != item.end()) {
      code.hasSchema = true;
      code.recordLength = wholeNumber(*schema, "recordLength", source, where);
      if (schema->contains("bufferLength")) code.bufferLength = wholeNumber(*schema, "bufferLength", source, where);
      if (!schema->contains("fields") || !(*schema)["fields"].is_array()) fail(source, where, "no fields");
      for (const json& f : (*schema)["fields"]) {
        StructureField field;
        if (!f.is_object() || !f.contains("name") || !f["name"].is_string()) fail(source, where, "a field without a name");
        field.name = f["name"].get<std::string>();
        std::string at = where + " field " + field.name;
        field.offset = wholeNumber(f, "offset", source, at);
        field.size = wholeNumber(f, "size", source, at);
        if (!f.contains("kind") || !f["kind"].is_string()) fail(source, at, "no kind");
        field.kind = kindFromName(f["kind"].get<std::string>(), source, at);
        if (f.contains("decimals")) field.decimals = wholeNumber(f, "decimals", source, at);
        if (f.contains("control")) field.control = wholeNumber(f, "control", source, at);
        code.fields.push_back(std::move(field));
      }
    }
    out.push_back(std::move(code));
  }
  return out;
}

const StructureCode* findStructure(const std::vector<StructureCode>& codes, std::string_view code) {
  for (const StructureCode& candidate : codes)
    if (candidate.code == code) return &candidate;
  return nullptr;
}

}  // namespace qn::catalogue
