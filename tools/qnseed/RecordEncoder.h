#pragma once
// Turns fixture records into the bytes of one record file: each value is written into its
// layout field the way the program itself stores it (texts padded with blanks, dates as record-
// file dates, amounts as packed decimals, numbers as little-endian integers). A field is a date
// where a record structure the file is opened with reads it as one. Fields a record leaves out
// are blank (texts, dates), zero (amounts, numbers; an auto-increment zero is assigned on insert).
#include <string>
#include <vector>

#include "resources/reader/CatalogueEntry.h"
#include "resources/reader/RecordStructures.h"
#include "tools/qnseed/Fixture.h"

namespace qn::seed {

enum class ValueKind { Text, Date, Packed, Integer, Unwritable };

class RecordEncoder {
 public:
  // `entry` and `structures` must outlive the encoder.
  RecordEncoder(const catalogue::CatalogueEntry& entry, const std::vector<catalogue::StructureCode>& structures);

  // The record's bytes, as long as the file's records. Throws SeedError naming `source`, the line
  // and the field: a field the layout does not have, a bad date, a text longer than its field, an
  // amount with more decimals than its field or too large for it, a number that does not fit.
  std::string encode(const FixtureRecord& record, const std::string& source) const;

  ValueKind kindOf(const catalogue::FieldDefinition& field) const;

 private:
  const catalogue::CatalogueEntry& entry_;
  const std::vector<catalogue::StructureCode>& structures_;
};

}  // namespace qn::seed
