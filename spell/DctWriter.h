#pragma once
// Makes main dictionary files (".dct") from word lists, for test fixtures and benchmarks: the
// program itself only reads them.
#include <stdexcept>
#include <string>
#include <vector>

#include "framework/base/AnsiString.h"

class DctWriteError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// The file's bytes: one trie per word list, the title (at most 25 bytes) and the letters (at most
// 255) in the header. DctWriteError for what the format cannot hold: a trie of more than 65,536
// nodes or a list area past 1 MiB, more than 255 tries, a longer title or letter set.
std::string DctFileBytes(const AnsiString& Title, const AnsiString& Letters,
                         const std::vector<std::vector<AnsiString>>& Tries);

// Writes DctFileBytes to path (a Linux path), replacing the file.
void WriteDctFile(const std::string& path, const AnsiString& Title, const AnsiString& Letters,
                  const std::vector<std::vector<AnsiString>>& Tries);
