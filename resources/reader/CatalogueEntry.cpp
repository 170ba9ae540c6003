#include "resources/reader/CatalogueEntry.h"

#include <array>
#include <utility>

#include <nlohmann/json.hpp>

#include "resources/reader/JsonWholeNumber.h"

namespace qn::catalogue {
namespace {

using nlohmann::json;

constexpr std::array<std::pair<FieldType, std::string_view>, 11> kTypeNames{{
    {FieldType::String, "string"},   {FieldType::Integer, "integer"}, {FieldType::Float, "float"},
    {FieldType::Date, "date"},       {FieldType::Time, "time"},       {FieldType::Decimal, "decimal"},
    {FieldType::Logical, "logical"}, {FieldType::LString, "lstring"}, {FieldType::ZString, "zstring"},
    {FieldType::Unsigned, "unsigned"}, {FieldType::AutoInc, "autoinc"},
}};

struct Reader {
  const std::string& source;

  [[noreturn]] void fail(const std::string& where, const std::string& what) const {
    throw CatalogueError(source + ": " + where + ": " + what);
  }

  const json& member(const json& object, const char* name, const std::string& where) const {
    auto it = object.find(name);
    if (it == object.end()) fail(where, std::string("\"") + name + "\" is missing");
    return *it;
  }

  int integer(const json& object, const char* name, const std::string& where) const {
    const std::optional<int> value = wholeNumberValue(member(object, name, where));
    if (!value) fail(where, std::string("\"") + name + "\" is not a whole number of a usable size");
    return *value;
  }

  bool flag(const json& object, const char* name, const std::string& where, bool fallback) const {
    auto it = object.find(name);
    if (it == object.end()) return fallback;
    if (!it->is_boolean()) fail(where, std::string("\"") + name + "\" is not true or false");
    return it->get<bool>();
  }

  std::string text(const json& object, const char* name, const std::string& where) const {
    auto it = object.find(name);
    if (it == object.end() || it->is_null()) return {};
    if (!it->is_string()) fail(where, std::string("\"") + name + "\" is not a text");
    return it->get<std::string>();
  }

  std::vector<std::string> texts(const json& object, const char* name, const std::string& where) const {
    std::vector<std::string> out;
    auto it = object.find(name);
    if (it == object.end()) return out;
    if (!it->is_array()) fail(where, std::string("\"") + name + "\" is not a list");
    for (const json& item : *it) {
      if (!item.is_string()) fail(where, std::string("\"") + name + "\" holds something other than text");
      out.push_back(item.get<std::string>());
    }
    return out;
  }

  FieldType type(const json& object, const std::string& where) const {
    std::string name = text(object, "type", where);
    auto type = fieldTypeFromName(name);
    if (!type) fail(where, "unknown type \"" + name + "\"");
    return *type;
  }

  const json& list(const json& object, const char* name, const std::string& where) const {
    const json& value = member(object, name, where);
    if (!value.is_array()) fail(where, std::string("\"") + name + "\" is not a list");
    return value;
  }

  std::vector<FieldDefinition> fields(const json& object, const std::string& where) const {
    std::vector<FieldDefinition> out;
    const json& items = list(object, "fields", where);
    for (size_t i = 0; i < items.size(); ++i) {
      std::string at = where + " field " + std::to_string(i + 1);
      const json& item = items[i];
      if (!item.is_object()) fail(at, "not an object");
      FieldDefinition field;
      field.name = text(item, "name", at);
      if (field.name.empty()) fail(at, "no name");
      field.offset = integer(item, "offset", at);
      field.size = integer(item, "size", at);
      field.type = type(item, at);
      if (item.contains("decimals")) field.decimals = integer(item, "decimals", at);
      out.push_back(std::move(field));
    }
    return out;
  }

  KeyDefinition key(const json& item, const std::string& where) const {
    if (!item.is_object()) fail(where, "not an object");
    KeyDefinition key;
    key.duplicates = flag(item, "duplicates", where, false);
    key.modifiable = flag(item, "modifiable", where, false);
    key.note = text(item, "note", where);
    const json& segments = list(item, "segments", where);
    if (segments.empty()) fail(where, "no segments");
    for (size_t i = 0; i < segments.size(); ++i) {
      std::string at = where + " segment " + std::to_string(i + 1);
      const json& s = segments[i];
      if (!s.is_object()) fail(at, "not an object");
      KeySegment segment;
      segment.position = integer(s, "position", at);
      segment.length = integer(s, "length", at);
      segment.type = type(s, at);
      segment.descending = flag(s, "descending", at, false);
      segment.caseInsensitive = flag(s, "caseInsensitive", at, false);
      if (s.contains("nullValue")) segment.nullValue = integer(s, "nullValue", at);
      if (s.contains("acs")) segment.acs = integer(s, "acs", at);
      key.segments.push_back(segment);
    }
    return key;
  }
};

}  // namespace

std::optional<FieldType> fieldTypeFromName(std::string_view name) {
  for (const auto& [type, text] : kTypeNames)
    if (text == name) return type;
  return std::nullopt;
}

std::string_view fieldTypeName(FieldType type) {
  for (const auto& [candidate, text] : kTypeNames)
    if (candidate == type) return text;
  return "?";
}

std::vector<LayoutDefinition> CatalogueEntry::layouts() const {
  std::vector<LayoutDefinition> out;
  if (!layout.empty()) out.push_back({layout, fields});
  out.insert(out.end(), additionalLayouts.begin(), additionalLayouts.end());
  return out;
}

CatalogueEntry parseCatalogueEntry(std::string_view text, const std::string& source) {
  json root;
  try {
    root = json::parse(text);
  } catch (const json::parse_error& e) {
    throw CatalogueError(source + ": not JSON: " + e.what());
  }
  Reader read{source};
  if (!root.is_object()) read.fail("entry", "not an object");

  CatalogueEntry entry;
  entry.source = source;
  entry.files = read.texts(root, "files", "entry");
  if (entry.files.empty()) read.fail("entry", "names no file");
  entry.structures = read.texts(root, "structures", "entry");
  entry.templates = read.texts(root, "templates", "entry");
  entry.recordLength = read.integer(root, "recordLength", "entry");
  if (root.contains("pageSize")) entry.pageSize = read.integer(root, "pageSize", "entry");
  entry.variableLength = read.flag(root, "variableLength", "entry", false);
  entry.keyOnly = read.flag(root, "keyOnly", "entry", false);
  entry.layout = read.text(root, "layout", "entry");
  entry.note = read.text(root, "note", "entry");
  entry.fields = read.fields(root, "entry");

  const json& keys = read.list(root, "keys", "entry");
  for (size_t i = 0; i < keys.size(); ++i) entry.keys.push_back(read.key(keys[i], "key " + std::to_string(i)));

  if (root.contains("additionalLayouts")) {
    const json& extra = read.list(root, "additionalLayouts", "entry");
    for (size_t i = 0; i < extra.size(); ++i) {
      std::string at = "additional layout " + std::to_string(i + 1);
      if (!extra[i].is_object()) read.fail(at, "not an object");
      LayoutDefinition layout{read.text(extra[i], "layout", at), read.fields(extra[i], at)};
      if (layout.name.empty()) read.fail(at, "no layout name");
      entry.additionalLayouts.push_back(std::move(layout));
    }
  }
  return entry;
}

}  // namespace qn::catalogue
