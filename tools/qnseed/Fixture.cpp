#include "tools/qnseed/Fixture.h"

#include "tools/qnseed/SeedError.h"

namespace qn::seed {
namespace {

std::string_view trimmed(std::string_view s) {
  const size_t first = s.find_first_not_of(" \t\r");
  if (first == std::string_view::npos) return {};
  return s.substr(first, s.find_last_not_of(" \t\r") - first + 1);
}

FixtureValue parseLine(std::string_view line, int number, const std::string& source) {
  const std::string where = source + ":" + std::to_string(number) + ": ";
  const size_t equals = line.find('=');
  if (equals == std::string_view::npos) throw SeedError(where + "expected \"Field = value\"");
  FixtureValue value{std::string(trimmed(line.substr(0, equals))), {}, false, number};
  if (value.field.empty()) throw SeedError(where + "the line names no field");
  std::string_view text = trimmed(line.substr(equals + 1));
  if (!text.empty() && text.front() == '"') {
    if (text.size() < 2 || text.back() != '"')
      throw SeedError(where + "field '" + value.field + "': the quoted value has no closing quote");
    text = text.substr(1, text.size() - 2);
    value.quoted = true;
  }
  value.text = std::string(text);
  return value;
}

}  // namespace

std::vector<FixtureRecord> parseFixture(std::string_view text, const std::string& source) {
  std::vector<FixtureRecord> records;
  bool inBlock = false;
  int number = 0;
  while (!text.empty()) {
    const size_t end = text.find('\n');
    const std::string_view line = text.substr(0, end);
    text = end == std::string_view::npos ? std::string_view() : text.substr(end + 1);
    ++number;
    const std::string_view content = trimmed(line);
    if (content.empty()) {
      inBlock = false;
      continue;
    }
    if (content.front() == '#') continue;
    if (!inBlock) records.push_back({number, {}});
    inBlock = true;
    FixtureValue value = parseLine(line, number, source);
    for (const FixtureValue& earlier : records.back().values)
      if (earlier.field == value.field)
        throw SeedError(source + ":" + std::to_string(number) + ": field '" + value.field + "' is given twice in one record (first on line " +
                        std::to_string(earlier.line) + ")");
    records.back().values.push_back(std::move(value));
  }
  return records;
}

}  // namespace qn::seed
