#pragma once
// The record structures of the record-file layer, by two-letter structure code: the bare buffer
// length an open creates and, for the codes that have one, the field schema (1-based offsets)
// from which an open with field descriptors builds its structure. Read from structures.json.
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace qn::catalogue {

enum class StructureFieldKind { Text, Packed, Date };

struct StructureField {
  std::string name;
  int offset = 0;  // 1-based position of the first byte
  int size = 0;
  StructureFieldKind kind = StructureFieldKind::Text;
  int decimals = 0;  // packed fields only
  int control = 5;   // 0 date picker, 1 text control, 4 formatted number, 5 none
};

struct StructureCode {
  std::string code;
  std::optional<int> bareLength;  // nothing: an open without field descriptors creates no buffer
  bool hasSchema = false;
  int recordLength = 0;            // schema only: the stated record length
  std::optional<int> bufferLength; // schema only: replaces the sum of the field sizes
  std::vector<StructureField> fields;
};

// The codes in lookup order. Throws CatalogueError naming `source` on malformed text.
std::vector<StructureCode> parseRecordStructures(std::string_view json, const std::string& source);

// The code's entry, compared exactly (codes are case-sensitive), or null.
const StructureCode* findStructure(const std::vector<StructureCode>& codes, std::string_view code);

}  // namespace qn::catalogue
