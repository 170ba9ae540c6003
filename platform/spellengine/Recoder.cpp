#include "platform/spellengine/Recoder.h"

#include <cerrno>
#include <stdexcept>

namespace qn::spellengine {

Recoder::Recoder(const std::string& to, const std::string& from) : descriptor_(::iconv_open(to.c_str(), from.c_str())) {
  if (descriptor_ == reinterpret_cast<iconv_t>(-1))
    throw std::runtime_error("no conversion from " + from + " to " + to);
}

Recoder::~Recoder() { ::iconv_close(descriptor_); }

bool Recoder::convert(std::string_view text, std::string& out) const {
  ::iconv(descriptor_, nullptr, nullptr, nullptr, nullptr);
  out.resize(text.size() * 4 + 8);
  char* in = const_cast<char*>(text.data());
  size_t inLeft = text.size();
  char* to = out.data();
  size_t toLeft = out.size();
  while (inLeft > 0) {
    if (::iconv(descriptor_, &in, &inLeft, &to, &toLeft) == static_cast<size_t>(-1)) {
      if (errno != E2BIG) return false;
      const size_t done = static_cast<size_t>(to - out.data());
      out.resize(out.size() * 2);
      to = out.data() + done;
      toLeft = out.size() - done;
    }
  }
  if (::iconv(descriptor_, nullptr, nullptr, &to, &toLeft) == static_cast<size_t>(-1)) return false;
  out.resize(static_cast<size_t>(to - out.data()));
  return true;
}

}  // namespace qn::spellengine
