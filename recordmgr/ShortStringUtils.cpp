#include "recordmgr/ShortStringUtils.h"

#include <pwd.h>
#include <unistd.h>

#include <algorithm>
#include <cstring>

#include "framework/base/StringUtils.h"

namespace {

constexpr size_t kUserNameBuffer = 256;

}  // namespace

AnsiString UnpaddedText(const char* text, size_t size) {
  size_t length = strnlen(text, size);
  while (length > 0 && text[length - 1] == ' ') --length;
  return AnsiString(text, length);
}

AnsiString KeepNumberChars(const AnsiString& text) {
  AnsiString kept;
  for (char c : text)
    if (c == '+' || c == '-' || c == '.' || (c >= '0' && c <= '9')) kept += c;
  return kept;
}

AnsiString TrimmedShortString(const void* source, size_t count) {
  return Trim(AnsiString(static_cast<const char*>(source), std::min(count, ShortStringMax)));
}

AnsiString TrimmedShortStringZ(const void* source, size_t count) {
  AnsiString text = TrimmedShortString(source, count);
  if (text.size() == ShortStringMax) text.pop_back();
  text += '\0';
  return text;
}

int CompareBytes(const void* a, const void* b, uint16_t count) {
  const int result = count == 0 ? 0 : std::memcmp(a, b, count);
  return (result > 0) - (result < 0);
}

void AppendChar(AnsiString& text, char c) {
  if (text.size() < ShortStringMax) text += c;
}

AnsiString AddTrailingBackslash(const AnsiString& text) {
  if (!text.empty() && (text.back() == '\\' || text.back() == '/')) return text;
  AnsiString result = text;
  AppendChar(result, '\\');
  return result;
}

void ZeroFill(void* block, uint16_t count) { std::memset(block, 0, count); }

bool IsAllZero(const void* block, uint16_t count) {
  const auto* bytes = static_cast<const unsigned char*>(block);
  return std::all_of(bytes, bytes + count, [](unsigned char b) { return b == 0; });
}

AnsiString RemoveChar(const AnsiString& text, char c) {
  AnsiString result = text;
  result.erase(std::remove(result.begin(), result.end(), c), result.end());
  return result;
}

void ReplaceChar(char* buffer, uint16_t count, char oldChar, char newChar) {
  std::replace(buffer, buffer + count, oldChar, newChar);
}

void ReplaceCharOutsideQuotes(char* buffer, uint16_t count, char oldChar, char quote, char newChar) {
  bool inside = false;
  for (uint16_t i = 0; i < count; ++i) {
    if (buffer[i] == quote)
      inside = !inside;
    else if (!inside && buffer[i] == oldChar)
      buffer[i] = newChar;
  }
}

bool IsPathName(const char* text, bool dotCounts) {
  if (text == nullptr) return false;
  if (std::strpbrk(text, ":\\/") != nullptr) return true;
  return dotCounts && std::strchr(text, '.') != nullptr;
}

uint32_t MinUnsigned(uint32_t a, uint32_t b) { return std::min(a, b); }

bool ReplaceFirst(char* buffer, uint16_t capacity, const char* pattern, const char* replacement) {
  if (buffer == nullptr || pattern == nullptr || *pattern == '\0' || capacity == 0) return false;
  const char* found = std::strstr(buffer, pattern);
  if (found == nullptr) return false;
  AnsiString result(buffer, static_cast<size_t>(found - buffer));
  if (replacement != nullptr) result += replacement;
  result += found + std::strlen(pattern);
  const size_t length = std::min<size_t>(result.size(), capacity - 1);
  std::memcpy(buffer, result.data(), length);
  buffer[length] = '\0';
  return true;
}

char* TruncateAtChar(char* text, char c) {
  if (text == nullptr) return text;
  if (char* at = std::strchr(text, c)) *at = '\0';
  return text;
}

void GetNetworkUserName(char* buffer) {
  buffer[0] = '\0';
  if (getlogin_r(buffer, kUserNameBuffer) == 0 && buffer[0] != '\0') return;
  passwd entry{};
  passwd* found = nullptr;
  char scratch[1024];
  if (getpwuid_r(geteuid(), &entry, scratch, sizeof scratch, &found) == 0 && found != nullptr) {
    std::strncpy(buffer, found->pw_name, kUserNameBuffer - 1);
    buffer[kUserNameBuffer - 1] = '\0';
  } else {
    buffer[0] = '\0';
  }
}

void CopyTextZ(char* destination, std::string_view text, size_t maxLength) {
  const size_t length = std::min(text.size(), maxLength);
  std::memcpy(destination, text.data(), length);
  destination[length] = '\0';
}

void CopyTextZ(char* destination, const char* text, size_t maxLength) {
  CopyTextZ(destination, std::string_view(text, strnlen(text, maxLength)), maxLength);
}
