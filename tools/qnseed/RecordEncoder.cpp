#include "tools/qnseed/RecordEncoder.h"

#include <algorithm>
#include <charconv>
#include <cstdint>
#include <cstdlib>

#include "core/FileDates.h"
#include "core/PackedDecimal.h"
#include "framework/base/AnsiString.h"
#include "framework/base/CNotation.h"
#include "framework/base/DateTime.h"
#include "framework/base/Exception.h"
#include "tools/qnseed/SeedError.h"

namespace qn::seed {
namespace {

using catalogue::FieldDefinition;
using catalogue::FieldType;

// Why a value cannot go into its field; the caller adds the place.
class Refusal {
 public:
  explicit Refusal(std::string why) : why_(std::move(why)) {}
  const std::string& why() const { return why_; }

 private:
  std::string why_;
};

// The stored bytes of a fixture text; one with a character they cannot carry is refused, not
// changed.
AnsiString ansiBytes(const std::string& text) {
  if (!qn::utf8FitsAnsi(text))
    throw Refusal("\"" + text + "\" holds a character that is not UTF-8 or that Windows-1252 does not have");
  return qn::utf8ToAnsi(text);
}

std::string padded(const std::string& text, const FieldDefinition& field) {
  const AnsiString bytes = ansiBytes(text);
  if (bytes.size() > static_cast<size_t>(field.size))
    throw Refusal("\"" + text + "\" is " + std::to_string(bytes.size()) + " characters long; the field holds " + std::to_string(field.size));
  return bytes + std::string(field.size - bytes.size(), ' ');
}

// A whole number with at most one sign.
bool parseInteger(std::string_view text, long long& value) {
  if (text.starts_with("+-")) return false;
  if (!text.empty() && text.front() == '+') text.remove_prefix(1);
  auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  return error == std::errc() && end == text.data() + text.size() && !text.empty();
}

// "YYYY-MM-DD", "today", "today+N" or "today-N".
TDateTime dateValue(const std::string& text) {
  if (text.starts_with("today")) {
    long long days = 0;
    const std::string_view offset = std::string_view(text).substr(5);
    if (!offset.empty() && (offset.front() != '+' && offset.front() != '-'))
      throw Refusal("\"" + text + "\" is not a date (YYYY-MM-DD, today, today+N or today-N)");
    if (!offset.empty() && !parseInteger(offset, days))
      throw Refusal("\"" + text + "\" is not a date (YYYY-MM-DD, today, today+N or today-N)");
    return Date() + static_cast<double>(days);
  }
  long long year = 0, month = 0, day = 0;
  TDateTime date = 0;
  if (text.size() != 10 || text[4] != '-' || text[7] != '-' || !parseInteger(text.substr(0, 4), year) ||
      !parseInteger(text.substr(5, 2), month) || !parseInteger(text.substr(8, 2), day))
    throw Refusal("\"" + text + "\" is not a date (YYYY-MM-DD, today, today+N or today-N)");
  if (!TryEncodeDate(static_cast<int>(year), static_cast<int>(month), static_cast<int>(day), date))
    throw Refusal("\"" + text + "\" is not a date of the calendar");
  return date;
}

std::string fileDate(const std::string& text, bool quoted, const FieldDefinition& field) {
  if (quoted) {
    const AnsiString bytes = ansiBytes(text);
    if (bytes.size() != static_cast<size_t>(field.size))
      throw Refusal("a date written as stored (in quotes) is " + std::to_string(field.size) + " characters; \"" + text + "\" is not");
    return bytes;
  }
  if (text.empty()) return std::string(field.size, ' ');
  AnsiString stored;
  DateToFileDate(true, stored, dateValue(text));
  if (LastDateConversionFailed || stored.size() != static_cast<size_t>(field.size))
    throw Refusal("\"" + text + "\" has no record-file date (the years 1980 to 2079 have one)");
  return stored;
}

std::string packed(const std::string& text, const FieldDefinition& field) {
  const std::string_view digits = std::string_view(text).substr(!text.empty() && (text[0] == '-' || text[0] == '+'));
  const size_t point = digits.find('.');
  const std::string_view whole = digits.substr(0, point);
  const std::string_view fraction = point == std::string_view::npos ? std::string_view() : digits.substr(point + 1);
  auto allDigits = [](std::string_view s) { return s.find_first_not_of("0123456789") == std::string_view::npos; };
  if (whole.empty() || !allDigits(whole) || !allDigits(fraction) || (point != std::string_view::npos && fraction.empty()))
    throw Refusal("\"" + text + "\" is not an amount");
  if (fraction.size() > static_cast<size_t>(field.decimals))
    throw Refusal("\"" + text + "\" has more decimals than the field's " + std::to_string(field.decimals));
  try {
    return FloatToPacked(ParseCNotation(text.c_str()), field.size, field.decimals);
  } catch (const Exception& e) {
    throw Refusal("\"" + text + "\" does not fit the field (" + std::to_string(field.size) + " bytes, " +
                  std::to_string(field.decimals) + " decimals): " + e.Message());
  }
}

std::string integer(const std::string& text, const FieldDefinition& field) {
  long long value = 0;
  if (!parseInteger(text, value)) throw Refusal("\"" + text + "\" is not a whole number");
  const bool isSigned = field.type == FieldType::Integer;
  const int bits = 8 * std::min(field.size, 8);
  const long long low = isSigned ? (bits >= 64 ? INT64_MIN : -(1LL << (bits - 1))) : 0;
  const long long high = bits >= 63 ? INT64_MAX : isSigned ? (1LL << (bits - 1)) - 1 : (1LL << bits) - 1;
  if (value < low || value > high)
    throw Refusal("\"" + text + "\" does not fit the field's " + std::to_string(field.size) + " bytes");
  std::string bytes(field.size, '\0');
  // Wider fields carry the sign in the bytes beyond the eighth.
  for (int i = 0; i < field.size; ++i)
    bytes[i] = static_cast<char>(i < 8 ? (static_cast<unsigned long long>(value) >> (8 * i)) & 0xFF : value < 0 ? 0xFF : 0);
  return bytes;
}

}  // namespace

RecordEncoder::RecordEncoder(const catalogue::CatalogueEntry& entry, const std::vector<catalogue::StructureCode>& structures)
    : entry_(entry), structures_(structures) {}

ValueKind RecordEncoder::kindOf(const FieldDefinition& field) const {
  switch (field.type) {
    case FieldType::Decimal:
      return ValueKind::Packed;
    case FieldType::Integer:
    case FieldType::Unsigned:
    case FieldType::AutoInc:
      return ValueKind::Integer;
    case FieldType::String:
      for (const std::string& code : entry_.structures)
        if (const catalogue::StructureCode* structure = catalogue::findStructure(structures_, code))
          for (const catalogue::StructureField& f : structure->fields)
            if (f.kind == catalogue::StructureFieldKind::Date && f.offset == field.offset + 1 && f.size == field.size)
              return ValueKind::Date;
      return ValueKind::Text;
    default:
      return ValueKind::Unwritable;
  }
}

std::string RecordEncoder::encode(const FixtureRecord& record, const std::string& source) const {
  std::string bytes(entry_.recordLength, '\0');
  for (const FieldDefinition& field : entry_.fields) {
    const ValueKind kind = kindOf(field);
    if (kind == ValueKind::Text || kind == ValueKind::Date) bytes.replace(field.offset, field.size, std::string(field.size, ' '));
    if (kind == ValueKind::Packed) bytes.replace(field.offset, field.size, FloatToPacked(0, field.size, field.decimals));
  }
  const std::string fileName = entry_.files.empty() ? entry_.source : entry_.files.front();
  for (const FixtureValue& value : record.values) {
    const std::string where = source + ":" + std::to_string(value.line) + ": field '" + value.field + "': ";
    const FieldDefinition* field = nullptr;
    for (const FieldDefinition& f : entry_.fields)
      if (f.name == value.field) field = &f;
    if (!field) throw SeedError(where + "no such field in the layout of " + fileName);
    try {
      std::string written;
      switch (kindOf(*field)) {
        case ValueKind::Text:
          written = padded(value.text, *field);
          break;
        case ValueKind::Date:
          written = fileDate(value.text, value.quoted, *field);
          break;
        case ValueKind::Packed:
          written = packed(value.text, *field);
          break;
        case ValueKind::Integer:
          written = integer(value.text, *field);
          break;
        case ValueKind::Unwritable:
          throw Refusal("fields of type " + std::string(catalogue::fieldTypeName(field->type)) + " cannot be seeded");
      }
      bytes.replace(field->offset, field->size, written);
    } catch (const Refusal& refusal) {
      throw SeedError(where + refusal.why());
    }
  }
  return bytes;
}

}  // namespace qn::seed
