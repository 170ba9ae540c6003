#pragma once
// The binary form of a record layout carried as a named raw-data resource (kind RCDATA, named
// after the layout): the length-prefixed layout name, the version text "0002", one record per
// field, and the terminator "ABCD", all little-endian without padding. Encoding and decoding are
// exact inverses; decoding never reads outside the bytes it is given.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "resources/reader/CatalogueEntry.h"

namespace qn::catalogue {

inline constexpr std::string_view kLayoutResourceKind = "RCDATA";
inline constexpr std::string_view kLayoutVersion = "0002";
inline constexpr std::string_view kLayoutTerminator = "ABCD";
inline constexpr size_t kLayoutFieldNameKept = 31;  // longer names are cut when read

struct LayoutResourceField {
  uint16_t fieldNumber = 0;  // from 1
  std::string name;
  uint16_t fieldType = 0;    // the engine's logical type
  uint16_t subType = 0;      // 29: auto-increment
  uint16_t units1 = 0;       // the field's size in bytes
  uint16_t units2 = 0;       // decimal places of decimal fields
  uint16_t offset = 0;       // 0-based
  uint16_t length = 0;
  uint16_t localType = 0;    // the record manager's type of the stored field
  uint16_t localSize = 0;

  bool operator==(const LayoutResourceField&) const = default;
};

struct LayoutResource {
  std::string name;
  int version = 0;
  std::vector<LayoutResourceField> fields;
};

// The record of catalogue field `field` numbered `number`. Only the kinds a carried layout
// uses have a form (string, decimal, auto-increment, date, integer); others throw CatalogueError.
LayoutResourceField layoutResourceField(const FieldDefinition& field, int number);

// The records of a catalogue layout, numbered from 1 in their order.
std::vector<LayoutResourceField> layoutResourceFields(const LayoutDefinition& layout);

// Throws CatalogueError when a name or a number does not fit its place in the format.
std::string encodeLayoutResource(std::string_view name, const std::vector<LayoutResourceField>& fields);

enum class LayoutDecodeOutcome {
  Read,               // a complete version 2 layout
  OldFormat,          // version 1, which the program no longer reads
  UnknownVersion,     // any other version number
  VersionNotANumber,  // the version text is no decimal number
  Damaged,            // the bytes end before the layout does
};

struct LayoutDecodeResult {
  std::optional<LayoutResource> layout;  // present when the bytes are a complete version 2 layout
  std::string error;                     // why not, otherwise
  LayoutDecodeOutcome outcome = LayoutDecodeOutcome::Damaged;
};

// Field names longer than kLayoutFieldNameKept are cut, as the program's reader keeps them.
// Reading stops at the first place that holds "ABCD" and a zero, even where a field record was
// due: a layout whose first record begins so is empty, and bytes behind the terminator are not
// looked at.
LayoutDecodeResult decodeLayoutResource(std::string_view bytes);

}  // namespace qn::catalogue
