#pragma once
// The readable fixture format: one text file per record file, one block of "Field = value" lines
// per record, blocks apart by blank lines, '#' lines for comments. A value is taken with its
// surrounding blanks dropped, or exactly as written between double quotes. Parsing checks the
// shape only; what a value means for its field is RecordEncoder's business.
#include <string>
#include <string_view>
#include <vector>

namespace qn::seed {

struct FixtureValue {
  std::string field;
  std::string text;     // UTF-8, as written
  bool quoted = false;  // written between double quotes: blanks and all are meant
  int line = 0;
};

struct FixtureRecord {
  int line = 0;  // of the block's first line
  std::vector<FixtureValue> values;
};

// Throws SeedError naming `source` and the line for a line that is not "Field = value" or a field
// given twice in one record.
std::vector<FixtureRecord> parseFixture(std::string_view text, const std::string& source);

}  // namespace qn::seed
