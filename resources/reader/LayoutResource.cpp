#include "resources/reader/LayoutResource.h"

#include <charconv>
#include <cstring>

namespace qn::catalogue {
namespace {

struct LayoutForm {
  uint16_t fieldType, subType, localType;
};

std::optional<LayoutForm> layoutForm(FieldType type) {
  switch (type) {
    case FieldType::String: return LayoutForm{1, 0, 0};
    case FieldType::Date: return LayoutForm{2, 0, 3};
    case FieldType::Integer: return LayoutForm{5, 0, 1};
    case FieldType::AutoInc: return LayoutForm{6, 29, 15};
    case FieldType::Decimal: return LayoutForm{7, 0, 5};
    default: return std::nullopt;
  }
}

uint16_t word(long value, const std::string& what) {
  if (value < 0 || value > 0xFFFF) throw CatalogueError(what + " " + std::to_string(value) + " does not fit 16 bits");
  return static_cast<uint16_t>(value);
}

void putWord(std::string& out, uint16_t value) {
  out += static_cast<char>(value & 0xFF);
  out += static_cast<char>(value >> 8);
}

void putShortText(std::string& out, std::string_view text, const std::string& what) {
  if (text.size() > 255) throw CatalogueError(what + " is longer than 255 characters");
  out += static_cast<char>(text.size());
  out += text;
}

void putZeroText(std::string& out, std::string_view text) {
  out += text;
  out += '\0';
}

// Reads the bytes front to back; every read first checks that the bytes are there.
class Cursor {
 public:
  explicit Cursor(std::string_view bytes) : bytes_(bytes) {}

  bool word(uint16_t& value) {
    if (left() < 2) return false;
    value = static_cast<uint16_t>(static_cast<unsigned char>(bytes_[at_]) |
                                  (static_cast<unsigned char>(bytes_[at_ + 1]) << 8));
    at_ += 2;
    return true;
  }
  bool shortText(std::string& text) {
    if (left() < 1) return false;
    size_t n = static_cast<unsigned char>(bytes_[at_]);
    if (left() < 1 + n) return false;
    text.assign(bytes_.substr(at_ + 1, n));
    at_ += 1 + n;
    return true;
  }
  bool fixed(size_t n, std::string_view& text) {
    if (left() < n) return false;
    text = bytes_.substr(at_, n);
    at_ += n;
    return true;
  }
  // Whether the zero-terminated text at the current place is `text`; does not move.
  bool startsWithZeroText(std::string_view text) const {
    return left() >= text.size() + 1 && bytes_.substr(at_, text.size()) == text && bytes_[at_ + text.size()] == '\0';
  }
  size_t left() const { return bytes_.size() - at_; }

 private:
  std::string_view bytes_;
  size_t at_ = 0;
};

}  // namespace

LayoutResourceField layoutResourceField(const FieldDefinition& field, int number) {
  auto form = layoutForm(field.type);
  if (!form)
    throw CatalogueError("field \"" + field.name + "\": type " + std::string(fieldTypeName(field.type)) +
                         " has no layout form");
  LayoutResourceField out;
  std::string what = "field \"" + field.name + "\":";
  out.fieldNumber = word(number, what + " number");
  out.name = field.name;
  out.fieldType = form->fieldType;
  out.subType = form->subType;
  out.units1 = word(field.size, what + " size");
  out.units2 = field.type == FieldType::Decimal ? word(field.decimals, what + " decimals") : 0;
  out.offset = word(field.offset, what + " offset");
  out.length = out.units1;
  out.localType = form->localType;
  out.localSize = out.units1;
  return out;
}

std::vector<LayoutResourceField> layoutResourceFields(const LayoutDefinition& layout) {
  std::vector<LayoutResourceField> out;
  for (size_t i = 0; i < layout.fields.size(); ++i)
    out.push_back(layoutResourceField(layout.fields[i], static_cast<int>(i + 1)));
  return out;
}

std::string encodeLayoutResource(std::string_view name, const std::vector<LayoutResourceField>& fields) {
  std::string out;
  putShortText(out, name, "layout name \"" + std::string(name) + "\"");
  putZeroText(out, kLayoutVersion);
  for (const LayoutResourceField& f : fields) {
    putWord(out, f.fieldNumber);
    putShortText(out, f.name, "field name \"" + f.name + "\"");
    for (uint16_t value : {f.fieldType, f.subType, f.units1, f.units2, f.offset, f.length, f.localType, f.localSize})
      putWord(out, value);
  }
  putZeroText(out, kLayoutTerminator);
  return out;
}

LayoutDecodeResult decodeLayoutResource(std::string_view bytes) {
  LayoutDecodeResult result;
  Cursor in(bytes);
  LayoutResource layout;
  using enum LayoutDecodeOutcome;
  if (!in.shortText(layout.name)) return {std::nullopt, "the layout name runs past the end", Damaged};

  std::string_view version;
  if (!in.fixed(kLayoutVersion.size() + 1, version)) return {std::nullopt, "the version runs past the end", Damaged};
  std::string_view digits = version.substr(0, version.find('\0'));
  auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), layout.version);
  if (error != std::errc() || end != digits.data() + digits.size() || digits.empty())
    return {std::nullopt, "the version \"" + std::string(digits) + "\" is not a number", VersionNotANumber};
  if (layout.version == 1) return {std::nullopt, "layout \"" + layout.name + "\" is in the old format", OldFormat};
  if (layout.version != 2)
    return {std::nullopt, "unknown layout version " + std::to_string(layout.version), UnknownVersion};

  while (!in.startsWithZeroText(kLayoutTerminator)) {
    LayoutResourceField f;
    std::string where = "field record " + std::to_string(layout.fields.size() + 1);
    bool complete = in.word(f.fieldNumber) && in.shortText(f.name);
    for (uint16_t* value : {&f.fieldType, &f.subType, &f.units1, &f.units2, &f.offset, &f.length, &f.localType,
                            &f.localSize})
      complete = complete && in.word(*value);
    if (!complete) return {std::nullopt, where + " runs past the end (no terminator)", Damaged};
    if (f.name.size() > kLayoutFieldNameKept) f.name.resize(kLayoutFieldNameKept);
    layout.fields.push_back(std::move(f));
  }
  result.layout = std::move(layout);
  result.outcome = Read;
  return result;
}

}  // namespace qn::catalogue
