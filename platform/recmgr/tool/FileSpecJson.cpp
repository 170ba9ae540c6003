#include "platform/recmgr/tool/FileSpecJson.h"

#include <array>
#include <cstdio>

#include "platform/recmgr/LittleEndian.h"

namespace qn::recmgr {
namespace {

using nlohmann::json;

constexpr std::array<std::pair<const char*, KeyType>, 11> typeNames{{
    {"string", KeyType::string},
    {"integer", KeyType::integer},
    {"float", KeyType::floating},
    {"date", KeyType::date},
    {"time", KeyType::time},
    {"decimal", KeyType::decimal},
    {"logical", KeyType::logical},
    {"lstring", KeyType::lstring},
    {"zstring", KeyType::zstring},
    {"unsigned", KeyType::unsignedBinary},
    {"autoinc", KeyType::autoIncrement},
}};

template <typename T>
T member(const json& object, const char* name, const T& fallback, const std::string& where) {
  auto it = object.find(name);
  if (it == object.end()) return fallback;
  try {
    return it->get<T>();
  } catch (const json::exception&) {
    throw FileSpecJsonError(where + name + ": wrong kind of value");
  }
}

int boundedInteger(const json& object, const char* name, int fallback, int low, int high, const std::string& where) {
  const int value = member<int>(object, name, fallback, where);
  if (value < low || value > high)
    throw FileSpecJsonError(where + name + ": " + std::to_string(value) + " is outside " + std::to_string(low) +
                            ".." + std::to_string(high));
  return value;
}

uint8_t hexDigit(char c, const std::string& where) {
  if (c >= '0' && c <= '9') return static_cast<uint8_t>(c - '0');
  if (c >= 'a' && c <= 'f') return static_cast<uint8_t>(c - 'a' + 10);
  if (c >= 'A' && c <= 'F') return static_cast<uint8_t>(c - 'A' + 10);
  throw FileSpecJsonError(where + "table: not hexadecimal");
}

std::string hex(const uint8_t* bytes, size_t n) {
  std::string out;
  char buffer[3];
  for (size_t i = 0; i < n; ++i) {
    std::snprintf(buffer, sizeof buffer, "%02x", bytes[i]);
    out += buffer;
  }
  return out;
}

}  // namespace

std::string keyTypeName(uint8_t type) {
  for (const auto& [name, t] : typeNames)
    if (static_cast<uint8_t>(t) == type) return name;
  return std::to_string(type);
}

uint8_t keyTypeFromName(const std::string& name) {
  for (const auto& [n, t] : typeNames)
    if (name == n) return static_cast<uint8_t>(t);
  throw FileSpecJsonError("unknown key type \"" + name + "\"");
}

FileDescription fileDescriptionFromJson(const json& d) {
  if (!d.is_object()) throw FileSpecJsonError("the description is not a JSON object");
  if (!d.contains("recordLength")) throw FileSpecJsonError("recordLength: required");
  FileDescription out;
  std::vector<uint8_t>& spec = out.createSpecification;
  spec.assign(statHeaderSize, 0);
  writeU16(spec.data(), static_cast<uint16_t>(boundedInteger(d, "recordLength", 0, 1, 0xFFFF, "")));
  writeU16(spec.data() + 2, static_cast<uint16_t>(boundedInteger(d, "pageSize", 4096, 0, 0xFFFF, "")));
  uint16_t fileFlags = 0;
  if (member<bool>(d, "variableLength", false, "")) fileFlags |= fileFlag::variableLength;
  if (member<bool>(d, "keyOnly", false, "")) fileFlags |= fileFlag::keyOnly;
  writeU16(spec.data() + 10, fileFlags);
  out.owner = member<std::string>(d, "owner", "", "");

  const json keys = d.value("keys", json::array());
  if (!keys.is_array()) throw FileSpecJsonError("keys: not an array");
  writeU16(spec.data() + 4, static_cast<uint16_t>(keys.size()));
  for (size_t k = 0; k < keys.size(); ++k) {
    const std::string where = "keys[" + std::to_string(k) + "].";
    const json& key = keys[k];
    if (!key.is_object()) throw FileSpecJsonError(where + ": not an object");
    uint16_t keyFlags = segmentFlag::extendedType;
    if (member<bool>(key, "duplicates", false, where)) keyFlags |= segmentFlag::duplicates;
    if (member<bool>(key, "modifiable", false, where)) keyFlags |= segmentFlag::modifiable;
    const uint8_t number = static_cast<uint8_t>(boundedInteger(key, "number", 0, 0, 255, where));
    const json segments = key.value("segments", json::array());
    if (!segments.is_array() || segments.empty()) throw FileSpecJsonError(where + "segments: at least one is needed");
    for (size_t s = 0; s < segments.size(); ++s) {
      const std::string at = where + "segments[" + std::to_string(s) + "].";
      const json& segment = segments[s];
      if (!segment.is_object()) throw FileSpecJsonError(at + ": not an object");
      SegmentSpec seg;
      seg.position = static_cast<uint16_t>(boundedInteger(segment, "position", 0, 1, 0xFFFF, at));
      seg.length = static_cast<uint16_t>(boundedInteger(segment, "length", 0, 1, 0xFFFF, at));
      try {
        seg.type = keyTypeFromName(member<std::string>(segment, "type", "string", at));
      } catch (const FileSpecJsonError& e) {
        throw FileSpecJsonError(at + "type: " + e.what());
      }
      seg.flags = keyFlags;
      if (s + 1 < segments.size()) seg.flags |= segmentFlag::segmented;
      if (member<bool>(segment, "descending", false, at)) seg.flags |= segmentFlag::descending;
      if (member<bool>(segment, "caseInsensitive", false, at)) seg.flags |= segmentFlag::caseInsensitive;
      if (segment.contains("nullValue")) {
        seg.flags |= segmentFlag::nullKey;
        seg.nullValue = static_cast<uint8_t>(boundedInteger(segment, "nullValue", 0, 0, 255, at));
      }
      if (segment.contains("acs")) {
        seg.flags |= segmentFlag::alternateCollation;
        seg.collation = static_cast<uint8_t>(boundedInteger(segment, "acs", 0, 0, 255, at));
      }
      seg.keyNumber = number;
      spec.resize(spec.size() + segmentSpecSize);
      seg.write(spec.data() + spec.size() - segmentSpecSize, false);
    }
  }

  const json sequences = d.value("collatingSequences", json::array());
  if (!sequences.is_array()) throw FileSpecJsonError("collatingSequences: not an array");
  for (size_t i = 0; i < sequences.size(); ++i) {
    const std::string where = "collatingSequences[" + std::to_string(i) + "].";
    const std::string name = member<std::string>(sequences[i], "name", "", where);
    const std::string table = member<std::string>(sequences[i], "table", "", where);
    if (name.size() > 8) throw FileSpecJsonError(where + "name: longer than 8 characters");
    if (table.size() != 512) throw FileSpecJsonError(where + "table: needs 512 hexadecimal digits");
    std::vector<uint8_t> bytes(collatingSequenceSize, 0);
    bytes[0] = collatingSignature;
    std::copy(name.begin(), name.end(), bytes.begin() + 1);
    for (size_t b = 0; b < 256; ++b)
      bytes[9 + b] = static_cast<uint8_t>(hexDigit(table[2 * b], where) << 4 | hexDigit(table[2 * b + 1], where));
    spec.insert(spec.end(), bytes.begin(), bytes.end());
  }
  return out;
}

json fileDescriptionToJson(const FileSpec& spec, const std::string& owner) {
  json d;
  d["recordLength"] = spec.recordLength;
  d["pageSize"] = spec.pageSize;
  d["variableLength"] = (spec.fileFlags & fileFlag::variableLength) != 0;
  d["keyOnly"] = (spec.fileFlags & fileFlag::keyOnly) != 0;
  if (!owner.empty()) d["owner"] = owner;
  json keys = json::array();
  for (const KeySpec& k : spec.keys) {
    json key;
    key["number"] = k.number;
    key["duplicates"] = k.duplicates();
    key["modifiable"] = k.modifiable();
    json segments = json::array();
    for (const SegmentSpec& s : k.segments) {
      json seg;
      seg["position"] = s.position;
      seg["length"] = s.length;
      seg["type"] = keyTypeName(s.type);
      seg["descending"] = s.has(segmentFlag::descending);
      seg["caseInsensitive"] = s.has(segmentFlag::caseInsensitive);
      if (s.has(segmentFlag::nullKey)) seg["nullValue"] = s.nullValue;
      if (s.has(segmentFlag::alternateCollation)) seg["acs"] = s.collation;
      segments.push_back(seg);
    }
    key["segments"] = segments;
    keys.push_back(key);
  }
  d["keys"] = keys;
  if (!spec.collatingSequences.empty()) {
    json sequences = json::array();
    for (const CollatingSequence& c : spec.collatingSequences) {
      std::string name(c.name.begin(), c.name.end());
      name = name.substr(0, name.find('\0'));
      sequences.push_back({{"name", name}, {"table", hex(c.table.data(), c.table.size())}});
    }
    d["collatingSequences"] = sequences;
  }
  return d;
}

}  // namespace qn::recmgr
