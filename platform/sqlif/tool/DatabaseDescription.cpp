#include "platform/sqlif/tool/DatabaseDescription.h"

#include <nlohmann/json.hpp>

#include <cctype>
#include <set>

#include "platform/sqlif/Dictionary.h"
#include "platform/sqlif/SqlDatabase.h"

namespace qn::sqlif {

namespace {

using json = nlohmann::json;

constexpr size_t kProcedureTextSize = procedureRecordSize - dictionaryNameSize - 1;

struct TypeName {
  const char* name;
  uint8_t type;
};
constexpr TypeName kTypeNames[] = {{"string", storedType::string},   {"integer", storedType::integer},
                                   {"float", storedType::floating},  {"date", storedType::date},
                                   {"time", storedType::time},       {"decimal", storedType::decimal},
                                   {"logical", storedType::logical}, {"zstring", storedType::zstring},
                                   {"note", storedType::note}};

[[noreturn]] void refuse(const std::string& place, const std::string& reason) {
  throw DescriptionError(place + ": " + reason);
}

std::string at(const std::string& path, size_t index) { return path + "[" + std::to_string(index) + "]"; }

const json& member(const json& object, const std::string& place, const char* name) {
  if (!object.contains(name)) refuse(place + "." + name, "required");
  return object.at(name);
}

const json& arrayMember(const json& object, const std::string& place, const char* name) {
  static const json empty = json::array();
  if (!object.contains(name)) return empty;
  if (!object.at(name).is_array()) refuse(place.empty() ? name : place + "." + name, "not an array");
  return object.at(name);
}

std::string nameMember(const json& object, const std::string& place, bool identifier) {
  const json& value = member(object, place, "name");
  const std::string where = place + ".name";
  if (!value.is_string()) refuse(where, "not a text");
  const std::string name = value.get<std::string>();
  if (name.empty()) refuse(where, "empty name");
  if (name.size() > dictionaryNameSize) refuse(where, "name over 30 characters");
  if (identifier) {
    const bool startOk = std::isalpha(static_cast<unsigned char>(name[0])) || name[0] == '_';
    for (char c : name)
      if (!startOk || !(std::isalnum(static_cast<unsigned char>(c)) || c == '_'))
        refuse(where, "\"" + name + "\" is not a name of letters, digits and _");
  }
  return name;
}

// Case-insensitive duplicates within one list.
void noDuplicate(std::set<std::string>& seen, const std::string& name, const std::string& place) {
  if (!seen.insert(lowerCase(name)).second) refuse(place + ".name", "duplicate name \"" + name + "\"");
}

int integerMember(const json& object, const std::string& place, const char* name, bool required) {
  if (!object.contains(name)) {
    if (required) refuse(place + "." + name, "required");
    return 0;
  }
  const json& value = object.at(name);
  if (!value.is_number_integer() || value.get<long long>() < 0 || value.get<long long>() > 65535)
    refuse(place + "." + name, "not a whole number from 0 to 65535");
  return value.get<int>();
}

uint8_t typeMember(const json& column, const std::string& place) {
  const json& value = member(column, place, "type");
  const std::string where = place + ".type";
  if (value.is_string()) {
    for (const TypeName& t : kTypeNames)
      if (value.get<std::string>() == t.name) return t.type;
    refuse(where, "unknown type \"" + value.get<std::string>() + "\"");
  }
  if (!value.is_number_integer() || !knownStoredType(value.get<int>())) refuse(where, "unknown type " + value.dump());
  return static_cast<uint8_t>(value.get<int>());
}

SqlValue valueOf(const json& value, const std::string& place) {
  switch (value.type()) {
    case json::value_t::null: return SqlValue{};
    case json::value_t::boolean: return SqlValue::ofInteger(value.get<bool>() ? 1 : 0);
    case json::value_t::number_integer: return SqlValue::ofInteger(value.get<int64_t>());
    case json::value_t::number_unsigned:
      if (value.get<uint64_t>() > static_cast<uint64_t>(INT64_MAX)) refuse(place, "value that does not fit");
      return SqlValue::ofInteger(static_cast<int64_t>(value.get<uint64_t>()));
    case json::value_t::number_float: return SqlValue::ofReal(value.get<double>());
    case json::value_t::string: return SqlValue::ofText(value.get<std::string>());
    default: refuse(place, "not a single value");
  }
}

TableDescription readTable(const json& table, const std::string& place) {
  if (!table.is_object()) refuse(place, "not an object");
  TableDescription out;
  out.name = nameMember(table, place, true);
  if (lowerCase(out.name) == catalogTableName || lowerCase(out.name).rfind("sqlite_", 0) == 0)
    refuse(place + ".name", "\"" + out.name + "\" is reserved");
  const json& columns = arrayMember(table, place, "columns");
  if (columns.empty()) refuse(place + ".columns", "at least one column is needed");
  std::set<std::string> seen;
  size_t rowSize = 2 + 4;
  for (size_t c = 0; c < columns.size(); ++c) {
    const std::string where = at(place + ".columns", c);
    if (!columns[c].is_object()) refuse(where, "not an object");
    TableColumn column;
    column.name = nameMember(columns[c], where, true);
    noDuplicate(seen, column.name, where);
    column.type.storedType = typeMember(columns[c], where);
    column.type.size = static_cast<uint16_t>(integerMember(columns[c], where, "size", true));
    column.type.decimals = static_cast<uint16_t>(integerMember(columns[c], where, "decimals", false));
    const std::string problem = columnTypeProblem(column.type);
    if (!problem.empty()) {
      const bool aboutSize = problem.rfind("size", 0) == 0;
      refuse(where + (aboutSize ? ".size" : problem.rfind("decimals", 0) == 0 ? ".decimals" : ".type"), problem);
    }
    if (column.type.storedType == storedType::note && c + 1 != columns.size())
      refuse(where + ".type", "a note column must be the last column");
    rowSize += column.type.size;
    out.columns.push_back(column);
  }
  if (rowSize > 65535) refuse(place + ".columns", "a row of " + std::to_string(rowSize) + " bytes is too long");
  const json& rows = arrayMember(table, place, "rows");
  for (size_t r = 0; r < rows.size(); ++r) {
    const std::string where = at(place + ".rows", r);
    if (!rows[r].is_array()) refuse(where, "not an array");
    if (rows[r].size() != out.columns.size())
      refuse(where, std::to_string(rows[r].size()) + " values for " + std::to_string(out.columns.size()) + " columns");
    std::vector<SqlValue> values;
    for (size_t c = 0; c < rows[r].size(); ++c) {
      const std::string cell = at(where, c);
      SqlValue value = valueOf(rows[r][c], cell);
      const std::string problem = valueProblem(value, out.columns[c].type);
      if (!problem.empty()) refuse(cell, "value that does not fit: " + problem);
      values.push_back(std::move(value));
    }
    out.rows.push_back(std::move(values));
  }
  return out;
}

std::vector<NamedText> readNamedTexts(const json& list, const std::string& path, const char* textName,
                                      size_t maxText) {
  std::vector<NamedText> out;
  std::set<std::string> seen;
  for (size_t i = 0; i < list.size(); ++i) {
    const std::string place = at(path, i);
    if (!list[i].is_object()) refuse(place, "not an object");
    NamedText entry;
    entry.name = nameMember(list[i], place, false);
    noDuplicate(seen, entry.name, place);
    const json& text = member(list[i], place, textName);
    if (!text.is_string()) refuse(place + "." + textName, "not a text");
    entry.text = text.get<std::string>();
    if (entry.text.size() > maxText)
      refuse(place + "." + textName, "longer than " + std::to_string(maxText) + " characters");
    out.push_back(std::move(entry));
  }
  return out;
}

}  // namespace

DatabaseDescription readDatabaseDescription(const std::string& jsonText) {
  json document;
  try {
    document = json::parse(jsonText);
  } catch (const json::parse_error& e) {
    // The library's message names the line and column.
    const std::string message = e.what();
    const size_t start = message.find("parse error");
    throw DescriptionError(start == std::string::npos ? message : message.substr(start));
  }
  if (!document.is_object()) refuse("the description", "not a JSON object");
  DatabaseDescription out;
  const json& tables = arrayMember(document, "", "tables");
  std::set<std::string> seen;
  for (size_t t = 0; t < tables.size(); ++t) {
    out.tables.push_back(readTable(tables[t], at("tables", t)));
    noDuplicate(seen, out.tables.back().name, at("tables", t));
  }
  out.users = readNamedTexts(arrayMember(document, "", "users"), "users", "password", dictionaryNameSize);
  out.procedures = readNamedTexts(arrayMember(document, "", "procedures"), "procedures", "text", kProcedureTextSize);
  return out;
}

}  // namespace qn::sqlif
