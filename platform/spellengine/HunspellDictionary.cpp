#include "platform/spellengine/HunspellDictionary.h"

#include <hunspell.hxx>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <map>
#include <mutex>

#include "framework/base/AnsiString.h"
#include "framework/base/TextCase.h"
#include "platform/spellengine/Recoder.h"

namespace qn::spellengine {
namespace {

constexpr char kAnsiEncoding[] = "WINDOWS-1252";
constexpr char kRightQuote = '\x92';  // the typographic apostrophe in Windows-1252

struct Loaded {
  std::mutex mutex;
  std::map<std::string, std::shared_ptr<HunspellDictionary>> byPath;
  int count = 0;
};

Loaded& loaded() {
  static Loaded state;
  return state;
}

bool isUtf8(const std::string& encoding) {
  std::string upper;
  for (char c : encoding)
    if (c != '-' && c != '_') upper += static_cast<char>(c >= 'a' && c <= 'z' ? c - 'a' + 'A' : c);
  return upper == "UTF8";
}

// The length of the UTF-8 character that starts with lead.
std::size_t utf8Length(unsigned char lead) {
  if (lead < 0xC0) return 1;
  if (lead < 0xE0) return 2;
  if (lead < 0xF0) return 3;
  return 4;
}

bool isWordCharacter(char c) {
  return qn::isAnsiLetter(c) || (c >= '0' && c <= '9') || c == '\'' || c == kRightQuote;
}

}  // namespace

std::shared_ptr<HunspellDictionary> HunspellDictionary::load(const std::string& affPath) {
  std::error_code error;
  const std::filesystem::path aff = std::filesystem::weakly_canonical(affPath, error);
  if (error || !std::filesystem::is_regular_file(aff, error)) return nullptr;
  const std::filesystem::path dic = std::filesystem::path(aff).replace_extension(".dic");
  if (!std::filesystem::is_regular_file(dic, error)) return nullptr;
  Loaded& state = loaded();
  std::lock_guard lock(state.mutex);
  std::shared_ptr<HunspellDictionary>& slot = state.byPath[aff.string()];
  if (!slot) {
    slot.reset(new HunspellDictionary(aff.string(), dic.string()));
    ++state.count;
  }
  return slot;
}

int HunspellDictionary::loadCount() {
  Loaded& state = loaded();
  std::lock_guard lock(state.mutex);
  return state.count;
}

std::string HunspellDictionary::titleOf(const std::string& affPath) {
  std::string name = affPath.substr(affPath.find_last_of("/\\") + 1);
  const size_t dot = name.rfind('.');
  if (dot != std::string::npos) name.resize(dot);
  return "Hunspell " + name;
}

HunspellDictionary::HunspellDictionary(const std::string& affPath, const std::string& dicPath)
    : engine_(std::make_unique<Hunspell>(affPath.c_str(), dicPath.c_str())),
      title_(titleOf(affPath)),
      encoding_(engine_->get_dict_encoding()),
      utf8_(isUtf8(encoding_)) {
  if (!utf8_) {
    toEncoding_ = std::make_unique<Recoder>(encoding_, kAnsiEncoding);
    fromEncoding_ = std::make_unique<Recoder>(kAnsiEncoding, encoding_);
  }
  readLetters(affPath);
}

HunspellDictionary::~HunspellDictionary() = default;

void HunspellDictionary::readLetters(const std::string& affPath) {
  std::ifstream file(affPath, std::ios::binary);
  std::string line, characters;
  while (std::getline(file, line)) {
    for (const char* key : {"TRY", "WORDCHARS"}) {
      const std::string_view prefix(key);
      if (line.compare(0, prefix.size(), prefix) != 0 || line.size() <= prefix.size() ||
          (line[prefix.size()] != ' ' && line[prefix.size()] != '\t'))
        continue;
      std::string_view value = std::string_view(line).substr(prefix.size());
      while (!value.empty() && (value.front() == ' ' || value.front() == '\t')) value.remove_prefix(1);
      const size_t end = value.find_first_of(" \t\r");
      characters += value.substr(0, end);
    }
  }
  // Each character on its own: one the code page cannot hold leaves the others.
  std::string utf8;
  if (utf8_) {
    utf8 = characters;
  } else {
    Recoder toUtf8("UTF-8", encoding_);
    toUtf8.convert(characters, utf8);
  }
  letters_.clear();
  for (size_t i = 0; i < utf8.size();) {
    const size_t length = std::min(utf8Length(static_cast<unsigned char>(utf8[i])), utf8.size() - i);
    const std::string_view character = std::string_view(utf8).substr(i, length);
    i += length;
    if (!qn::utf8FitsAnsi(character)) continue;
    const AnsiString ansi = qn::utf8ToAnsi(character);
    if (ansi.size() == 1 && isWordCharacter(ansi[0]) && letters_.find(ansi[0]) == std::string::npos) letters_ += ansi;
  }
  if (letters_.find('\'') == std::string::npos) letters_ += '\'';
}

bool HunspellDictionary::toDictionary(std::string_view word) {
  if (utf8_) {
    // Most words are plain ASCII, the same in both: copied into the buffer's own storage.
    if (std::all_of(word.begin(), word.end(), [](char c) { return static_cast<unsigned char>(c) < 0x80; }))
      buffer_.assign(word);
    else
      buffer_ = qn::ansiToUtf8(word);
    return true;
  }
  return toEncoding_->convert(word, buffer_);
}

bool HunspellDictionary::fromDictionary(const std::string& text, std::string& word) const {
  if (!utf8_) return fromEncoding_->convert(text, word);
  if (!qn::utf8FitsAnsi(text)) return false;
  word = qn::utf8ToAnsi(text);
  return true;
}

bool HunspellDictionary::knows(std::string_view word) {
  return !word.empty() && toDictionary(word) && engine_->spell(buffer_);
}

std::vector<std::string> HunspellDictionary::suggest(std::string_view word) {
  std::vector<std::string> out;
  if (word.empty() || !toDictionary(word)) return out;
  for (const std::string& suggestion : engine_->suggest(buffer_)) {
    std::string ansi;
    if (fromDictionary(suggestion, ansi)) out.push_back(std::move(ansi));
  }
  return out;
}

}  // namespace qn::spellengine
