#include "spell/SubDictionary.h"

#include "spell/DictionaryFormat.h"

namespace {

std::uint32_t readU32(const unsigned char* p) {
  return static_cast<std::uint32_t>(p[0]) | static_cast<std::uint32_t>(p[1]) << 8 |
         static_cast<std::uint32_t>(p[2]) << 16 | static_cast<std::uint32_t>(p[3]) << 24;
}

// Where a node's child list lies in the list area and how many indexes it holds; false when the
// list does not fit the area.
bool childList(std::uint32_t node, const std::vector<unsigned char>& lists, std::uint32_t& first,
               std::uint32_t& count) {
  const unsigned kind = NodeKind(node);
  const std::uint32_t at = NodeValue(node);
  if (kind < 7) {
    first = at;
    count = kind;
  } else {
    if (at >= lists.size()) return false;
    first = at + 1;
    count = lists[at];
  }
  return first + 2ull * count <= lists.size();
}

}  // namespace

std::optional<TSubDictionary> TSubDictionary::Read(const unsigned char*& data, const unsigned char* end) {
  const unsigned char* p = data;
  auto left = [&] { return static_cast<std::size_t>(end - p); };
  if (left() < 8) return std::nullopt;
  const std::uint32_t nodeCount = readU32(p);
  const std::uint32_t listSize = readU32(p + 4);
  p += 8;
  if (nodeCount > left() / 4) return std::nullopt;
  TSubDictionary trie;
  trie.nodes_.resize(nodeCount);
  for (std::uint32_t i = 0; i < nodeCount; ++i, p += 4) trie.nodes_[i] = readU32(p);
  if (listSize > left()) return std::nullopt;
  trie.lists_.assign(p, p + listSize);
  p += listSize;
  if (left() < 1) return std::nullopt;
  const unsigned firstCount = *p++;
  if (left() < 5ull * firstCount) return std::nullopt;
  trie.roots_.fill(-1);
  for (unsigned i = 0; i < firstCount; ++i) {
    const std::uint32_t root = readU32(p + firstCount + 4 * i);
    if (root >= nodeCount) return std::nullopt;
    std::int32_t& slot = trie.roots_[p[i]];
    if (slot < 0) slot = static_cast<std::int32_t>(root);
  }
  p += 5 * firstCount;

  for (std::uint32_t node : trie.nodes_) {
    const unsigned kind = NodeKind(node);
    if (kind == 0) continue;
    if (kind == 1) {
      if (NodeValue(node) >= nodeCount) return std::nullopt;
      continue;
    }
    std::uint32_t first = 0, count = 0;
    if (!childList(node, trie.lists_, first, count)) return std::nullopt;
    for (std::uint32_t i = 0; i < count; ++i)
      if (trie.listIndex(first + 2 * i) >= nodeCount) return std::nullopt;
  }
  data = p;
  return trie;
}

std::uint16_t TSubDictionary::listIndex(std::uint32_t offset) const {
  return static_cast<std::uint16_t>(lists_[offset] | lists_[offset + 1] << 8);
}

std::int32_t TSubDictionary::child(std::uint32_t node, unsigned char letter) const {
  const unsigned kind = NodeKind(node);
  if (kind == 0) return -1;
  if (kind == 1) {
    const std::uint32_t only = NodeValue(node);
    return NodeLetter(nodes_[only]) == letter ? static_cast<std::int32_t>(only) : -1;
  }
  std::uint32_t first = 0, count = 0;
  childList(node, lists_, first, count);  // checked when read
  for (std::uint32_t i = 0; i < count; ++i) {
    const std::uint16_t index = listIndex(first + 2 * i);
    if (NodeLetter(nodes_[index]) == letter) return index;
  }
  return -1;
}

bool TSubDictionary::Contains(std::string_view word) const {
  if (word.empty()) return false;
  std::int32_t node = roots_[static_cast<unsigned char>(word[0])];
  if (node < 0) return false;
  for (std::size_t i = 1; i < word.size(); ++i) {
    node = child(nodes_[node], static_cast<unsigned char>(word[i]));
    if (node < 0) return false;
  }
  return NodeEndsWord(nodes_[node]);
}
