#include "platform/os/HiveText.h"

#include <charconv>
#include <cstdio>
#include <utility>

#include "platform/os/RegistryError.h"

namespace qn::os {
namespace {

// The escapes of quoted text: a character and the letter that follows '\' for it.
constexpr std::pair<char, char> kEscapes[] = {{'\\', '\\'}, {'"', '"'}, {'\r', 'r'}, {'\n', 'n'}, {'\t', 't'}};

char escapeLetter(char c) {
  for (auto [character, letter] : kEscapes)
    if (character == c) return letter;
  return 0;
}

char escapedCharacter(char letter) {
  for (auto [character, escape] : kEscapes)
    if (escape == letter) return character;
  return 0;
}

// Bytes written as \xHH: controls, and the code page's undefined bytes, which have no visible
// UTF-8 form.
bool needsHexEscape(unsigned char c) {
  return c < 0x20 || c == 0x7F || c == 0x81 || c == 0x8D || c == 0x8F || c == 0x90 || c == 0x9D;
}

std::string quoted(std::string_view ansi) {
  std::string out = "\"";
  std::string run;
  auto flush = [&] {
    out += ansiToUtf8(run);
    run.clear();
  };
  for (char ch : ansi) {
    unsigned char c = static_cast<unsigned char>(ch);
    char escape = escapeLetter(ch);
    if (escape || needsHexEscape(c)) {
      flush();
      if (escape) {
        out += {'\\', escape};
      } else {
        char hex[5];
        std::snprintf(hex, sizeof hex, "\\x%02x", c);
        out += hex;
      }
    } else {
      run += ch;
    }
  }
  flush();
  return out + "\"";
}

void formatValue(std::string& out, const HiveValue& v) {
  out += quoted(v.name) + "=";
  switch (v.type) {
    case RegistryDataType::Integer:
      out += "int:" + std::to_string(v.integer);
      break;
    case RegistryDataType::Binary: {
      out += "hex:";
      for (size_t i = 0; i < v.data.size(); ++i) {
        char hex[4];
        std::snprintf(hex, sizeof hex, i ? " %02x" : "%02x", static_cast<unsigned char>(v.data[i]));
        out += hex;
      }
      break;
    }
    default:
      out += "str:" + quoted(v.data);
  }
  out += "\n";
}

void formatKey(std::string& out, const HiveKey& key, const std::string& path) {
  out += "\n[" + path + "]\n";
  for (const HiveValue& v : key.values()) formatValue(out, v);
  for (const auto& sub : key.subkeys()) formatKey(out, *sub, path + "\\" + ansiToUtf8(sub->name()));
}

// Reads one line of the text, reporting damage with the line's number.
class LineParser {
 public:
  LineParser(std::string_view line, const std::string& source, int number)
      : line_(line), source_(source), number_(number) {}

  [[noreturn]] void fail(const std::string& what) const {
    throw RegistryError("The registry hive " + source_ + " is damaged at line " + std::to_string(number_) + ": " +
                        what + ". The file was left as it is; correct or remove it.");
  }

  bool atEnd() const { return pos_ >= line_.size(); }
  char peek() const { return atEnd() ? '\0' : line_[pos_]; }
  void skipBlanks() {
    while (!atEnd() && (line_[pos_] == ' ' || line_[pos_] == '\t')) ++pos_;
  }
  void expect(char c, const char* what) {
    if (peek() != c) fail(std::string("expected ") + what);
    ++pos_;
  }
  std::string_view rest() const { return line_.substr(pos_); }

  // A quoted string with its escapes, as Windows-1252.
  AnsiString quotedText() {
    expect('"', "a '\"'");
    AnsiString out;
    std::string run;
    auto flush = [&] {
      out += utf8ToAnsi(run);
      run.clear();
    };
    for (;;) {
      if (atEnd()) fail("a quoted text is not closed");
      char c = line_[pos_++];
      if (c == '"') break;
      if (c != '\\') {
        run += c;
        continue;
      }
      flush();
      if (atEnd()) fail("a '\\' ends the line");
      char e = line_[pos_++];
      if (e == 'x') {
        out += static_cast<char>(hexByte());
      } else if (char plain = escapedCharacter(e)) {
        out += plain;
      } else {
        fail(std::string("unknown escape \\") + e);
      }
    }
    flush();
    return out;
  }

  unsigned hexByte() {
    if (pos_ + 2 > line_.size()) fail("a byte needs two hexadecimal digits");
    unsigned value = 0;
    auto [end, ec] = std::from_chars(line_.data() + pos_, line_.data() + pos_ + 2, value, 16);
    if (ec != std::errc() || end != line_.data() + pos_ + 2) fail("a byte needs two hexadecimal digits");
    pos_ += 2;
    return value;
  }

  void expectLineEnd() {
    skipBlanks();
    if (!atEnd()) fail("unexpected text after the value");
  }

 private:
  std::string_view line_;
  const std::string& source_;
  int number_;
  size_t pos_ = 0;
};

std::vector<AnsiString> keyPath(std::string_view inner, LineParser& p) {
  std::vector<AnsiString> parts;
  if (inner.empty()) return parts;
  size_t start = 0;
  for (;;) {
    size_t slash = inner.find('\\', start);
    std::string_view part = inner.substr(start, slash == std::string_view::npos ? inner.npos : slash - start);
    if (part.empty()) p.fail("a key path has an empty name");
    parts.push_back(utf8ToAnsi(part));
    if (slash == std::string_view::npos) return parts;
    start = slash + 1;
  }
}

HiveValue parseValue(LineParser& p) {
  HiveValue v;
  v.name = p.quotedText();
  p.skipBlanks();
  p.expect('=', "'=' after the value's name");
  p.skipBlanks();
  std::string_view rest = p.rest();
  size_t colon = rest.find(':');
  std::string_view type = rest.substr(0, colon);
  if (colon == std::string_view::npos || (type != "str" && type != "int" && type != "hex"))
    p.fail("a value needs a type: str:, int: or hex:");
  for (size_t i = 0; i <= colon; ++i) p.expect(rest[i], "the type");
  p.skipBlanks();
  if (type == "str") {
    v.type = RegistryDataType::String;
    v.data = p.quotedText();
  } else if (type == "int") {
    v.type = RegistryDataType::Integer;
    std::string_view digits = p.rest();
    while (!digits.empty() && (digits.back() == ' ' || digits.back() == '\t')) digits.remove_suffix(1);
    int64_t n = 0;
    auto [end, ec] = std::from_chars(digits.data(), digits.data() + digits.size(), n);
    if (digits.empty() || ec != std::errc() || end != digits.data() + digits.size() || n < INT32_MIN || n > INT32_MAX)
      p.fail("an integer value must be a whole number from -2147483648 to 2147483647");
    v.integer = static_cast<int32_t>(n);
    return v;
  } else {
    v.type = RegistryDataType::Binary;
    for (p.skipBlanks(); !p.atEnd(); p.skipBlanks()) v.data += static_cast<char>(p.hexByte());
  }
  p.expectLineEnd();
  return v;
}

}  // namespace

std::string formatHive(const HiveKey& root, std::string_view hiveName) {
  std::string out = "; Registry hive " + std::string(hiveName) +
                    ". Each [section] is a key; its values follow as \"name\"=str:\"text\", int:number or "
                    "hex:bytes.\n; Comments are not kept when the program rewrites the file.\n";
  for (const HiveValue& v : root.values()) formatValue(out, v);
  for (const auto& sub : root.subkeys()) formatKey(out, *sub, ansiToUtf8(sub->name()));
  return out;
}

HiveKey parseHive(std::string_view text, const std::string& source) {
  if (text.substr(0, 3) == "\xEF\xBB\xBF") text.remove_prefix(3);
  HiveKey root;
  HiveKey* current = &root;
  int number = 0;
  for (size_t start = 0; start <= text.size();) {
    size_t end = text.find('\n', start);
    if (end == std::string_view::npos) end = text.size();
    std::string_view line = text.substr(start, end - start);
    start = end + 1;
    ++number;
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);

    LineParser p(line, source, number);
    if (line.find('\0') != std::string_view::npos) p.fail("the file holds binary data");
    p.skipBlanks();
    char first = p.peek();
    if (first == '\0' || first == ';' || first == '#') continue;
    if (first == '[') {
      std::string_view header = p.rest();
      while (!header.empty() && (header.back() == ' ' || header.back() == '\t')) header.remove_suffix(1);
      if (header.size() < 2 || header.back() != ']') p.fail("a key's section must end with ']'");
      current = &root;
      for (const AnsiString& part : keyPath(header.substr(1, header.size() - 2), p)) current = &current->subkey(part);
    } else if (first == '"') {
      HiveValue v = parseValue(p);
      if (current->findValue(v.name)) p.fail("the value \"" + ansiToUtf8(v.name) + "\" appears twice in its key");
      current->setValue(std::move(v));
    } else {
      p.fail("the line is not a [key], a \"value\"= or a comment");
    }
  }
  return root;
}

}  // namespace qn::os
