#pragma once
// A character-set conversion through the C library's iconv, for dictionaries in an encoding other
// than UTF-8.
#include <iconv.h>

#include <string>
#include <string_view>

namespace qn::spellengine {

class Recoder {
 public:
  // Throws std::runtime_error when the C library has no such conversion.
  Recoder(const std::string& to, const std::string& from);
  ~Recoder();
  Recoder(const Recoder&) = delete;
  Recoder& operator=(const Recoder&) = delete;

  // Replaces out by text converted; false when a character has no counterpart.
  bool convert(std::string_view text, std::string& out) const;

 private:
  iconv_t descriptor_;
};

}  // namespace qn::spellengine
