#pragma once
// One letter trie of a main dictionary file, held whole in memory. Reading checks every node,
// list and root against the trie's bounds, so a lookup never reads outside what was loaded.
#include <array>
#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

class TSubDictionary {
 public:
  // Reads the trie at data, advancing it past the trie; nothing when the bytes up to end do not
  // hold a sound trie.
  static std::optional<TSubDictionary> Read(const unsigned char*& data, const unsigned char* end);

  // Letters compared exactly; the empty word is not held.
  bool Contains(std::string_view word) const;

 private:
  // The node a letter leads to from node, or -1.
  std::int32_t child(std::uint32_t node, unsigned char letter) const;
  std::uint16_t listIndex(std::uint32_t offset) const;

  std::vector<std::uint32_t> nodes_;
  std::vector<unsigned char> lists_;
  std::array<std::int32_t, 256> roots_;  // by first letter; -1 where no word starts with it
};
