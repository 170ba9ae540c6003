#pragma once
// One record file of the catalogue: its names, record length, keys and field layout, read from
// the JSON the record manager's create command also reads. Parsing checks shape and types only;
// CatalogueChecks.h judges whether the pieces fit together.
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace qn::catalogue {

// A catalogue or structure text that cannot be read; the message names the source.
class CatalogueError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

enum class FieldType { String, Integer, Float, Date, Time, Decimal, Logical, LString, ZString, Unsigned, AutoInc };

// The catalogue's name of a type ("string", "autoinc", ...); nothing for an unknown name.
std::optional<FieldType> fieldTypeFromName(std::string_view name);
std::string_view fieldTypeName(FieldType type);

struct KeySegment {
  int position = 0;  // 1-based
  int length = 0;
  FieldType type = FieldType::String;
  bool descending = false;
  bool caseInsensitive = false;
  std::optional<int> nullValue;
  std::optional<int> acs;
};

struct KeyDefinition {
  bool duplicates = false;
  bool modifiable = false;
  std::vector<KeySegment> segments;
  std::string note;
};

struct FieldDefinition {
  std::string name;
  int offset = 0;  // 0-based
  int size = 0;
  FieldType type = FieldType::String;
  int decimals = 0;  // decimal fields only
};

struct LayoutDefinition {
  std::string name;
  std::vector<FieldDefinition> fields;
};

struct CatalogueEntry {
  std::string source;                   // where the entry was read from, for messages
  std::vector<std::string> files;       // file names; "<ws>" stands for the workstation id
  std::vector<std::string> structures;  // structure codes the record-file layer opens it with
  std::vector<std::string> templates;   // ".clo" files it is copied from
  int recordLength = 0;
  int pageSize = 4096;
  bool variableLength = false;
  bool keyOnly = false;
  std::vector<KeyDefinition> keys;
  std::string layout;  // empty when the program carries no layout for the file
  std::vector<FieldDefinition> fields;
  std::vector<LayoutDefinition> additionalLayouts;
  std::string note;

  // The named layouts of the file: its own (when it has one), then the additional ones.
  std::vector<LayoutDefinition> layouts() const;
};

// Throws CatalogueError naming `source` when the text is not a well-formed entry.
CatalogueEntry parseCatalogueEntry(std::string_view json, const std::string& source);

}  // namespace qn::catalogue
